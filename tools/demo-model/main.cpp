// demo-model --out <folder> [--seed N] [--scale N]
// Writes a demo server folder: one <name>.sqlite file per database. Existing demo
// files in the folder are replaced (each is written under a temporary name and moved
// into place); other files are left alone.
#include "DemoServer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Writes the demo model databases into a server folder."));
    parser.addHelpOption();
    const QCommandLineOption out(QStringLiteral("out"), QStringLiteral("Server folder to write."),
                                 QStringLiteral("folder"));
    const QCommandLineOption seed(QStringLiteral("seed"), QStringLiteral("Seed of the generated content."),
                                  QStringLiteral("N"), QStringLiteral("1"));
    const QCommandLineOption scale(QStringLiteral("scale"), QStringLiteral("Multiplies the object counts."),
                                   QStringLiteral("N"), QStringLiteral("1"));
    parser.addOptions({out, seed, scale});
    parser.process(app);

    bool seedOk = false, scaleOk = false;
    demo::DemoServerOptions options;
    options.seed = parser.value(seed).toULongLong(&seedOk);
    options.scale = parser.value(scale).toInt(&scaleOk);
    if (!parser.isSet(out) || parser.value(out).isEmpty() || !seedOk || !scaleOk || options.scale < 1
        || options.scale > 1000) {
        std::fprintf(stderr, "usage: demo-model --out <folder> [--seed N] [--scale N (1-1000)]\n");
        return 2;
    }
    try {
        const QStringList written = demo::WriteDemoServer(QDir(parser.value(out)).absolutePath(), options);
        for (const QString& file : written)
            std::printf("%s\n", qPrintable(QDir::toNativeSeparators(file)));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "demo-model: %s\n", e.what());
        return 1;
    }
    return 0;
}
