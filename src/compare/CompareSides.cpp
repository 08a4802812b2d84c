#include "compare/CompareSides.h"

#include "platform/core/TextSemantics.h"
#include "platform/db/ConnectionString.h"

namespace bkl::compare {

QString ModelCaption(const db::Connection& cn)
{
    try {
        const QMap<QString, QString> values = db::ParseConnectionString(cn.connectionString());
        const QString catalog = Trim(values.value(QStringLiteral("INITIAL CATALOG")));
        const QString host = Trim(values.value(QStringLiteral("DATA SOURCE")));
        if (catalog.isEmpty() && host.isEmpty())
            return QString();
        return catalog + QLatin1Char('@') + host;
    } catch (...) {
        return QString();
    }
}

} // namespace bkl::compare
