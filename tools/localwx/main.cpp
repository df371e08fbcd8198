// briefcast-localwx: a weather server on this machine, for practising offline.
#include "localweatherserver.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("briefcast-localwx"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Serves a weather network's status file and METAR server on 127.0.0.1.\n"
        "\n"
        "  /status.txt          lists this server's /metar.php as metar0=\n"
        "  /metar.php?id=CODE   the line of the METAR file whose first word is CODE,\n"
        "                       or \"No METAR available for CODE\"\n"
        "\n"
        "Start Briefcast with BRIEFCAST_STATUS_URL set to the address printed on\n"
        "start to use this server instead of the network."));
    parser.addHelpOption();
    const QCommandLineOption portOption(QStringLiteral("port"),
                                        QStringLiteral("Listen on this port (default: any free one)."),
                                        QStringLiteral("N"), QStringLiteral("0"));
    const QCommandLineOption metarsOption(
        QStringLiteral("metars"), QStringLiteral("Read METAR lines from this text file."), QStringLiteral("FILE"));
    const QCommandLineOption delayOption(QStringLiteral("delay"),
                                         QStringLiteral("Wait this many milliseconds before each answer."),
                                         QStringLiteral("MS"), QStringLiteral("0"));
    parser.addOptions({portOption, metarsOption, delayOption});
    parser.process(app);

    bool portOk = false;
    const uint port = parser.value(portOption).toUInt(&portOk);
    if (!portOk || port > 65535) {
        std::fprintf(stderr, "briefcast-localwx: not a port number: %s\n", qPrintable(parser.value(portOption)));
        return 2;
    }
    LocalWeatherServer server;
    server.faults.delayMs = parser.value(delayOption).toInt();
    if (parser.isSet(metarsOption) && !server.loadMetars(parser.value(metarsOption))) {
        std::fprintf(stderr, "briefcast-localwx: cannot read %s\n", qPrintable(parser.value(metarsOption)));
        return 1;
    }
    if (!server.listen(quint16(port))) {
        std::fprintf(stderr, "briefcast-localwx: cannot listen: %s\n", qPrintable(server.errorString()));
        return 1;
    }
    std::printf("%s\n", qPrintable(server.statusUrl()));
    std::fflush(stdout);
    return app.exec();
}
