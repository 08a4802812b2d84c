#pragma once
#include <QString>

namespace bkl::db {

// The folder a "Data Source" names when it is an embedded server: "local:<folder>",
// an absolute folder, or a folder relative to the application folder. Empty when
// the data source is not such a folder (then it is a SQL Server host).
QString EmbeddedServerFolder(const QString& dataSource);

} // namespace bkl::db
