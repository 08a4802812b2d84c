// modelsql: runs one T-SQL statement through the data layer and prints the rows.
//   modelsql --server <folder> --database <name> "<T-SQL>"
//   modelsql --connection "<connection string>" "<T-SQL>"
// Output: a header line, then one line per row, values separated by TAB, NULL as NULL.
// On failure: exit code 1 and the error's number, source and description on stderr.
#include "platform/db/Connection.h"
#include "platform/db/ConnectionString.h"
#include "platform/db/DbError.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>

#include <cstdio>

namespace {

QString fieldText(const bkl::db::Value& v)
{
    if (v.isNull())
        return QStringLiteral("NULL");
    if (v.type() == bkl::db::Value::Type::DateTime)
        return v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return v.toText();
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("modelsql"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Runs one T-SQL statement on a model database and prints the rows."));
    parser.addHelpOption();
    parser.addOption({QStringLiteral("server"), QStringLiteral("Embedded server folder."), QStringLiteral("folder")});
    parser.addOption({QStringLiteral("database"), QStringLiteral("Database (catalog) name."), QStringLiteral("name")});
    parser.addOption({QStringLiteral("connection"), QStringLiteral("Full connection string."), QStringLiteral("string")});
    parser.addPositionalArgument(QStringLiteral("sql"), QStringLiteral("The T-SQL statement."));
    parser.process(app);

    QTextStream err(stderr);
    const QStringList positional = parser.positionalArguments();
    const bool byConnection = parser.isSet(QStringLiteral("connection"));
    if (positional.size() != 1 || (!byConnection && !parser.isSet(QStringLiteral("server")))) {
        err << "usage: modelsql --server <folder> --database <name> \"<T-SQL>\"\n"
               "       modelsql --connection \"<connection string>\" \"<T-SQL>\"\n";
        return 2;
    }
    const QString connectionString = byConnection
        ? parser.value(QStringLiteral("connection"))
        : QStringLiteral("Provider=SQLOLEDB.1;Initial Catalog=")
            + bkl::db::ConnectionStringValue(parser.value(QStringLiteral("database"))) + QStringLiteral(";Data Source=")
            // A relative server folder means the current folder here, not the application folder.
            + bkl::db::ConnectionStringValue(QStringLiteral("local:")
                                             + QFileInfo(parser.value(QStringLiteral("server"))).absoluteFilePath());

    try {
        bkl::db::Connection cn;
        cn.setConnectionString(connectionString);
        cn.open();
        const bkl::db::ResultSet rs = cn.execute(positional.first());
        QTextStream out(stdout);
        out << rs.columns.join(QLatin1Char('\t')) << '\n';
        for (const auto& row : rs.rows) {
            QStringList fields;
            for (const auto& v : row)
                fields << fieldText(v);
            out << fields.join(QLatin1Char('\t')) << '\n';
        }
        cn.close();
    } catch (const bkl::db::DbError& e) {
        err << "Number: " << e.number() << '\n' << "Source: " << e.source() << '\n' << "Description: " << e.description() << '\n';
        return 1;
    }
    return 0;
}
