#pragma once
#include <QString>
#include <QStringList>
#include <cstdint>

namespace demo {

struct DemoServerOptions {
    uint64_t seed = 1;
    int scale = 1;
};

// The database names of the demo server.
inline const char* const kSourceModel = "SalesModel2026";
inline const char* const kTargetModel = "SalesModel2026_Target";
inline const char* const kEdgeCaseModel = "EdgeCaseModel";
inline const char* const kNotAModel = "SalesArchive2025";

// Writes all demo databases into the folder (created when missing); returns the files.
// Throws std::runtime_error.
QStringList WriteDemoServer(const QString& folder, const DemoServerOptions& options);

} // namespace demo
