// tds-standin: a test stand-in for a SQL Server, serving the databases of an embedded
// demo server folder over TDS 7.4 on the loopback interface.
//   tds-standin --server <folder> --port <n> [--user <name> --password <text>] [--delay <ms>]
//               [--hold-ms <ms> [--hold-when <text>]] [--piece-delay <ms>] [--trace]
// Port 0 takes any free port. Once listening it prints "listening on 127.0.0.1:<port>".
// --delay holds each reply back that long, as a server across a network would;
// --hold-ms holds a statement that contains the --hold-when text that much longer,
// as a long statement would, unless the client cancels it meanwhile; --piece-delay
// holds each piece of a result (kMaxUnsentReplyBytes) back that long, as rows coming
// over a slow network do.
// An attention stops a statement while its result is computed, as well as while the
// result goes out (AttentionWatch.h).
// At most kMaxConnections clients are served at once: a connection past the bound
// is closed as it comes, and one that has not logged in within kLoginTimeoutMs is
// closed then (TdsSession.h).
#include "AttentionWatch.h"
#include "TdsSession.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTextStream>

// Clients served at once: each may hold up to its message bound (TdsSession.cpp).
constexpr int kMaxConnections = 16;

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tds-standin"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Serves an embedded demo server to SQL Server clients (TDS 7.4) on 127.0.0.1."));
    parser.addHelpOption();
    parser.addOption({QStringLiteral("server"), QStringLiteral("Embedded server folder."), QStringLiteral("folder")});
    parser.addOption({QStringLiteral("port"), QStringLiteral("TCP port (0: any free port)."), QStringLiteral("n")});
    parser.addOption({QStringLiteral("user"), QStringLiteral("The only login accepted (default: any)."), QStringLiteral("name")});
    parser.addOption({QStringLiteral("password"), QStringLiteral("Password of --user."), QStringLiteral("text")});
    parser.addOption({QStringLiteral("trace"), QStringLiteral("Print logins and statements on stderr.")});
    parser.addOption({QStringLiteral("delay"), QStringLiteral("Milliseconds each reply is held back (default 0)."),
                      QStringLiteral("ms"), QStringLiteral("0")});
    parser.addOption({QStringLiteral("hold-ms"),
                      QStringLiteral("Milliseconds a statement holding the --hold-when text is held back on top of "
                                     "--delay (default 0)."),
                      QStringLiteral("ms"), QStringLiteral("0")});
    parser.addOption({QStringLiteral("hold-when"),
                      QStringLiteral("Text (any letter case) that marks the statements --hold-ms holds (default: every "
                                     "statement)."),
                      QStringLiteral("text")});
    parser.addOption({QStringLiteral("piece-delay"),
                      QStringLiteral("Milliseconds each piece of a result is held back (default 0)."),
                      QStringLiteral("ms"), QStringLiteral("0")});
    parser.process(app);

    QTextStream err(stderr);
    bool portOk = false;
    const int port = parser.value(QStringLiteral("port")).toInt(&portOk);
    bool delayOk = false;
    const int delay = parser.value(QStringLiteral("delay")).toInt(&delayOk);
    bool holdOk = false;
    const int hold = parser.value(QStringLiteral("hold-ms")).toInt(&holdOk);
    bool pieceOk = false;
    const int pieceDelay = parser.value(QStringLiteral("piece-delay")).toInt(&pieceOk);
    const QFileInfo folder(parser.value(QStringLiteral("server")));
    if (!parser.isSet(QStringLiteral("server")) || !folder.isDir() || !portOk || port < 0 || port > 65535 || !delayOk
        || delay < 0 || !holdOk || hold < 0 || !pieceOk || pieceDelay < 0) {
        err << "usage: tds-standin --server <folder> --port <n> [--user <name> --password <text>] [--delay <ms>] "
               "[--hold-ms <ms> [--hold-when <text>]] [--piece-delay <ms>] [--trace]\n";
        return 2;
    }
    tds::ServerSettings settings;
    settings.folder = folder.absoluteFilePath();
    settings.user = parser.value(QStringLiteral("user"));
    settings.password = parser.value(QStringLiteral("password"));
    settings.trace = parser.isSet(QStringLiteral("trace"));
    settings.delayMs = delay;
    settings.holdMs = hold;
    settings.holdWhen = parser.value(QStringLiteral("hold-when"));
    settings.pieceDelayMs = pieceDelay;

    tds::WatchStatementsForAttention();
    QTcpServer server;
    if (!server.listen(QHostAddress::LocalHost, static_cast<quint16>(port))) {
        err << "tds-standin: cannot listen on 127.0.0.1:" << port << ": " << server.errorString() << '\n';
        return 1;
    }
    uint16_t spid = 51;
    int connections = 0;
    QObject::connect(&server, &QTcpServer::newConnection, [&] {
        while (QTcpSocket* socket = server.nextPendingConnection()) {
            if (connections >= kMaxConnections) {
                socket->abort();
                socket->deleteLater();
                continue;
            }
            ++connections;
            QObject::connect(socket, &QObject::destroyed, [&connections] { --connections; });
            new tds::Session(socket, settings, spid++);
        }
    });
    QTextStream(stdout) << "listening on 127.0.0.1:" << server.serverPort() << Qt::endl;
    return app.exec();
}
