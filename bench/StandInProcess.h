#pragma once
// tds-standin serving a demo server folder for a benchmark, ending with the
// benchmark's process however that ends (SIGKILL: also when the benchmark has
// stopped it with SIGSTOP).
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <csignal>
#include <sys/prctl.h>

namespace bench {

// Starts it with `arguments` after the folder and a free port; returns the port, 0 when it did not start.
inline int StartStandIn(QProcess& process, const QString& folder, const QStringList& arguments)
{
    process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
    process.start(QStringLiteral(BKL_TDS_STANDIN_EXE),
                  QStringList{QStringLiteral("--server"), folder, QStringLiteral("--port"), QStringLiteral("0")}
                      + arguments);
    static const QRegularExpression listening(QStringLiteral("listening on 127\\.0\\.0\\.1:(\\d+)"));
    QByteArray text;
    while (process.waitForReadyRead(10000))
        if (const QRegularExpressionMatch m = listening.match(QString::fromUtf8(text += process.readAllStandardOutput()));
            m.hasMatch())
            return m.captured(1).toInt();
    return 0;
}

} // namespace bench
