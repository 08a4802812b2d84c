#include "ReportTestSupport.h"

#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>

namespace bkl::test {

namespace {
QString logPath() { return TestHome() + QStringLiteral("/logs/BKL.log"); }
} // namespace

void ClearLog()
{
    QDir().mkpath(TestHome() + QStringLiteral("/logs"));
    QFile::remove(logPath());
}

QStringList LogMessages(const QString& levelWord)
{
    QFile f(logPath());
    QStringList messages;
    if (!f.open(QIODevice::ReadOnly))
        return messages;
    const QStringList lines = QString::fromUtf8(f.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    for (const QString& line : lines) {
        const QStringList fields = line.split(QLatin1Char('|'));
        if (fields.size() >= 4 && fields.at(2) == levelWord)
            messages.append(fields.mid(3).join(QLatin1Char('|')));
    }
    return messages;
}

db::Connection OpenDemoModel(const QString& catalog)
{
    db::Connection cn;
    cn.setConnectionString(DemoConnectionString(catalog));
    cn.open();
    return cn;
}

} // namespace bkl::test
