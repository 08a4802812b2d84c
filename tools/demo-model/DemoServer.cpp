#include "DemoServer.h"

#include "EdgeCaseModel.h"
#include "NotAModel.h"
#include "SalesModel.h"
#include "Schema.h"
#include "SqliteWriter.h"

#include <QDir>
#include <functional>
#include <stdexcept>

namespace demo {

QStringList WriteDemoServer(const QString& folder, const DemoServerOptions& options)
{
    if (!QDir().mkpath(folder))
        throw std::runtime_error((QStringLiteral("cannot create folder ") + folder).toStdString());
    QStringList written;
    auto write = [&](const char* name, const std::function<void(SqliteWriter&)>& content) {
        const QString path = QDir(folder).filePath(QString::fromLatin1(name) + QStringLiteral(".sqlite"));
        SqliteWriter db(path);
        content(db);
        CreatePlatformIndexes(db);
        db.finish();
        written << path;
    };
    write(kSourceModel, [&](SqliteWriter& db) { WriteSalesModel(db, {options.seed, options.scale, false}); });
    write(kTargetModel, [&](SqliteWriter& db) { WriteSalesModel(db, {options.seed, options.scale, true}); });
    write(kEdgeCaseModel, [&](SqliteWriter& db) { WriteEdgeCaseModel(db, options.seed); });
    write(kNotAModel, [&](SqliteWriter& db) { WriteNotAModel(db, options.seed); });
    return written;
}

} // namespace demo
