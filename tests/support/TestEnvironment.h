#pragma once
#include <QString>

namespace bkl::test {

// Points the application folder (BRISKLANE_HOME) and the settings store at a
// fresh temporary folder for this test process.
void PrepareTestEnvironment();

// The temporary application folder of this test process.
QString TestHome();

// Folder of the demo server generated for the tests (source, target, edge-case
// and not-a-model databases).
QString DemoServerFolder();

// Connection string of the embedded engine for a demo database.
QString DemoConnectionString(const QString& catalog);

} // namespace bkl::test
