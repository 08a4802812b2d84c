#include "platform/db/ConnectionString.h"

#include "platform/db/DbError.h"

namespace bkl::db {

QString ConnectionStringValue(const QString& value)
{
    const bool plain = !value.contains(QLatin1Char(';')) && !value.contains(QLatin1Char('='))
        && !value.contains(QLatin1Char('"')) && !value.contains(QLatin1Char('\''))
        && !value.startsWith(QLatin1Char(' ')) && !value.endsWith(QLatin1Char(' '));
    if (plain)
        return value;
    if (!value.contains(QLatin1Char('"')))
        return QLatin1Char('"') + value + QLatin1Char('"');
    if (!value.contains(QLatin1Char('\'')))
        return QLatin1Char('\'') + value + QLatin1Char('\'');
    QString doubled = value;
    doubled.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + doubled + QLatin1Char('"');
}

QMap<QString, QString> ParseConnectionString(const QString& cs)
{
    QMap<QString, QString> out;
    qsizetype i = 0;
    const qsizetype n = cs.size();
    while (i < n) {
        // key up to '=' ("==" inside a key stands for one '=')
        QString key;
        while (i < n && cs.at(i) != QLatin1Char(';')) {
            if (cs.at(i) == QLatin1Char('=')) {
                if (i + 1 < n && cs.at(i + 1) == QLatin1Char('=')) {
                    key += QLatin1Char('=');
                    i += 2;
                    continue;
                }
                break;
            }
            key += cs.at(i++);
        }
        if (i >= n || cs.at(i) == QLatin1Char(';')) {
            ++i; // a segment without '=' (or an empty one) carries nothing
            continue;
        }
        ++i; // '='
        while (i < n && cs.at(i) == QLatin1Char(' '))
            ++i;
        QString value;
        if (i < n && (cs.at(i) == QLatin1Char('"') || cs.at(i) == QLatin1Char('\''))) {
            const QChar q = cs.at(i++);
            bool closed = false;
            while (i < n) {
                if (cs.at(i) == q) {
                    if (i + 1 < n && cs.at(i + 1) == q) {
                        value += q;
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                value += cs.at(i++);
            }
            if (!closed)
                throw DbError(err::ProviderError, kDataLayerSource,
                              QStringLiteral("Invalid connection string: a quoted value is not closed."));
            while (i < n && cs.at(i) != QLatin1Char(';'))
                ++i;
        } else {
            while (i < n && cs.at(i) != QLatin1Char(';'))
                value += cs.at(i++);
            while (value.endsWith(QLatin1Char(' ')))
                value.chop(1);
        }
        ++i; // ';'
        const QString k = key.trimmed().toUpper();
        if (!k.isEmpty())
            out.insert(k, value);
    }
    return out;
}

} // namespace bkl::db
