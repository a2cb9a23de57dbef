// The fixture web server as a program, for demonstrations: serves the test pages on 127.0.0.1 and
// can write a definitions file that points at itself.

#include "FixtureServer.h"

#include "online/DefinitionsCipher.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Serves the fixture pages on 127.0.0.1."));
    parser.addHelpOption();
    QCommandLineOption rootOption(QStringLiteral("root"), QStringLiteral("Folder of pages to serve."),
                                  QStringLiteral("folder"), QStringLiteral(REELNEST_FIXTURE_ROOT));
    QCommandLineOption portOption(QStringLiteral("port"), QStringLiteral("Port (0: a free one)."),
                                  QStringLiteral("port"), QStringLiteral("0"));
    QCommandLineOption definitionsOption(
        QStringLiteral("definitions"),
        QStringLiteral("Write an enciphered definitions file that points at this server."), QStringLiteral("file"));
    QCommandLineOption sourceOption(QStringLiteral("source"),
                                    QStringLiteral("Plain definitions to point at this server."),
                                    QStringLiteral("file"), QStringLiteral(REELNEST_DEFINITIONS_SOURCE));
    parser.addOptions({rootOption, portOption, definitionsOption, sourceOption});
    parser.process(app);

    QTextStream out(stdout);
    FixtureServer server(parser.value(rootOption));
    if (!server.start(static_cast<quint16>(parser.value(portOption).toUInt()))) {
        QTextStream(stderr) << "fixture-server: cannot listen: " << server.errorString() << Qt::endl;
        return 1;
    }
    if (parser.isSet(definitionsOption)) {
        QFile source(parser.value(sourceOption));
        if (!source.open(QIODevice::ReadOnly)) {
            QTextStream(stderr) << "fixture-server: cannot read " << source.fileName() << Qt::endl;
            return 1;
        }
        QStringList plain;
        for (QString line : QString::fromUtf8(source.readAll()).split(QLatin1Char('\n'))) {
            line = line.trimmed();
            if (!line.isEmpty() && !line.startsWith(QLatin1Char('#')))
                plain << line;
        }
        QFile target(parser.value(definitionsOption));
        if (!target.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            QTextStream(stderr) << "fixture-server: cannot write " << target.fileName() << Qt::endl;
            return 1;
        }
        for (const QString &line : FixtureDefinitionLines(plain, server.baseUrl()))
            target.write(EncryptStr(line).toLatin1() + "\r\n");
        out << "definitions written to " << target.fileName() << Qt::endl;
    }
    out << "serving " << server.rootFolder() << " at " << server.baseUrl() << "/" << Qt::endl;
    return app.exec();
}
