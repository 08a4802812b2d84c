#include "platform/db/odbc/OdbcConnectionString.h"

#include "platform/core/TextSemantics.h"
#include "platform/db/DbError.h"

namespace bkl::db::odbc {

namespace {

QString Braced(const QString& value, BraceRule rule, const QString& what)
{
    if (rule == BraceRule::Doubled) {
        QString doubled = value;
        doubled.replace(QLatin1Char('}'), QLatin1String("}}"));
        return QLatin1Char('{') + doubled + QLatin1Char('}');
    }
    if (value.contains(QLatin1String("};")))
        throw DbError(err::ProviderError, kDataLayerSource,
                      QStringLiteral("The %1 contains \"};\", which the FreeTDS driver cannot take in a "
                                     "connection string.").arg(what));
    return QLatin1Char('{') + value + QLatin1Char('}');
}

bool IsIntegratedSecurity(const QString& value)
{
    const QString v = value.trimmed();
    return v.compare(QLatin1String("SSPI"), Qt::CaseInsensitive) == 0
        || v.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0
        || v.compare(QLatin1String("yes"), Qt::CaseInsensitive) == 0;
}

struct ServerAddress {
    QString server; // host or host\instance
    QString port;   // empty when not given
};

ServerAddress SplitDataSource(const QString& dataSource)
{
    ServerAddress a;
    const QString ds = Trim(dataSource);
    const qsizetype comma = ds.lastIndexOf(QLatin1Char(','));
    if (comma < 0) {
        a.server = ds;
        return a;
    }
    a.server = Trim(ds.left(comma));
    a.port = Trim(ds.mid(comma + 1));
    bool ok = false;
    const int port = a.port.toInt(&ok);
    if (!ok || port < 1 || port > 65535 || a.port.startsWith(QLatin1Char('+')))
        throw DbError(err::ProviderError, kDataLayerSource,
                      QStringLiteral("Invalid port \"%1\" in the server name \"%2\".").arg(a.port, ds));
    return a;
}

} // namespace

BraceRule BraceRuleOfDriver(const QString& driver)
{
    return driver.contains(QLatin1String("tds"), Qt::CaseInsensitive) ? BraceRule::FreeTdsLegacy
                                                                       : BraceRule::Doubled;
}

QString OdbcConnectionString(const QMap<QString, QString>& keys, const QString& driver)
{
    const BraceRule rule = BraceRuleOfDriver(driver);
    const ServerAddress address = SplitDataSource(keys.value(QStringLiteral("DATA SOURCE")));
    const QString catalog = keys.value(QStringLiteral("INITIAL CATALOG"));

    QString cs = QStringLiteral("Driver=") + Braced(driver, rule, QStringLiteral("driver name"));
    if (rule == BraceRule::FreeTdsLegacy || address.port.isEmpty()) {
        cs += QStringLiteral(";Server=") + Braced(address.server, rule, QStringLiteral("server name")) + QLatin1Char(';');
        if (!address.port.isEmpty())
            cs += QStringLiteral("Port=") + address.port + QLatin1Char(';');
    } else {
        // Other SQL Server drivers know no Port keyword; they read host,port.
        cs += QStringLiteral(";Server=")
            + Braced(address.server + QLatin1Char(',') + address.port, rule, QStringLiteral("server name"))
            + QLatin1Char(';');
    }
    if (!catalog.isEmpty())
        cs += QStringLiteral("Database=") + Braced(catalog, rule, QStringLiteral("database name")) + QLatin1Char(';');
    if (IsIntegratedSecurity(keys.value(QStringLiteral("INTEGRATED SECURITY")))) {
        cs += QStringLiteral("Trusted_Connection=Yes;");
    } else {
        cs += QStringLiteral("UID=") + Braced(keys.value(QStringLiteral("USER ID")), rule, QStringLiteral("user name"))
            + QStringLiteral(";PWD=") + Braced(keys.value(QStringLiteral("PASSWORD")), rule, QStringLiteral("password"))
            + QLatin1Char(';');
    }
    // TextSize: the server sends long texts (nvarchar(max), ntext) whole, not cut at
    // its session default of 4096 bytes; Microsoft's drivers ask for the same by themselves.
    cs += QStringLiteral("TDS_Version=7.4;ClientCharset=UTF-8;ApplicationIntent=ReadOnly;TextSize=2147483647");
    return cs;
}

} // namespace bkl::db::odbc
