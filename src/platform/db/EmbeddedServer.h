#pragma once
#include <QString>

namespace bkl::db {

// The folder a "Data Source" names when it is an embedded server: "local:<folder>",
// an absolute folder, a folder under the home folder ("~/..."), or a folder
// relative to the application folder. Empty when the data source is not such a
// folder (then it is a SQL Server host). A text written as a path (it holds "/"
// or starts with "~" or ".") whose folder does not exist throws DbError
// "Folder not found: <folder>" rather than going to a SQL Server of that name.
QString EmbeddedServerFolder(const QString& dataSource);

} // namespace bkl::db
