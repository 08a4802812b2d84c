#include "compare/TargetLogin.h"

#include "platform/core/Seams.h"
#include "platform/core/TextSemantics.h"
#include "shell/ErrorInfo.h"
#include "shell/Globals.h"
#include "shell/Log.h"

bkl::db::Connection g_cnTarget;

namespace bkl::compare {

bool IsSourceModel(const QString& host, const QString& modelDatabase)
{
    return host == g_sServerHost && modelDatabase == g_sModelName;
}

int ConnectToTargetDataStoreSQLSERVER(const ConnectionSettings& settings, const QString& modelDatabase,
                                      db::Connection& cn)
{
    try {
        cn.setConnectionString(BuildConnectionString(settings, modelDatabase));
        cn.setCommandTimeout(kModelCommandTimeout);
        cn.setLoginTimeout(kLoginTimeout);
        cn.open();
        return 1;
    } catch (...) {
        const ErrorInfo e = CurrentErrorInfo();
        const QString crlf = QLatin1String(kCrLf);
        MsgBox(QStringLiteral("Unable to connect to target model database !") + crlf + crlf + QStringLiteral("Details:")
                   + crlf + QStringLiteral("Number: ") + QString::number(e.number) + crlf + QStringLiteral("Source: ")
                   + e.source + crlf + QStringLiteral("Description: ") + e.description + crlf,
               mb::OKOnly | mb::Critical, QStringLiteral("Connection Failed !"));
        WriteLog(QStringLiteral("Function: ConnectToTargetDataStoreSQLSERVER() --> Connection Failed ! Source: ")
                     + e.source + QStringLiteral(" Description: ") + e.description,
                 LogError);
        return -1;
    }
}

} // namespace bkl::compare
