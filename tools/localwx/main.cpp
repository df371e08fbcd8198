// briefcast-localwx: a weather server on this machine, for practising offline.
#include "tools/localwx/localweatherserver.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("briefcast-localwx"));
    QCoreApplication::setApplicationVersion(QStringLiteral(BRIEFCAST_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Serves a weather network's status file and METAR server on 127.0.0.1.\n"
        "\n"
        "  /status.txt          lists this server's /metar.php as metar0=\n"
        "  /status.json         the same in JSON, with the live data feed as data.v3\n"
        "  /v3/vatsim-data.json the live data feed, with the ATIS stations of --online\n"
        "  /metar.php?id=CODE   the line of the METAR file whose first word is CODE,\n"
        "                       or \"No METAR available for CODE\"\n"
        "\n"
        "Start Briefcast with BRIEFCAST_STATUS_URL set to the address printed on\n"
        "start to use this server instead of the network."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption portOption(
        QStringLiteral("port"), QStringLiteral("Listen on this port (default: any free one)."),
        QStringLiteral("N"), QStringLiteral("0"));
    const QCommandLineOption metarsOption(QStringLiteral("metars"),
                                          QStringLiteral("Read METAR lines from this text file."),
                                          QStringLiteral("FILE"));
    const QCommandLineOption delayOption(
        QStringLiteral("delay"), QStringLiteral("Wait this many milliseconds before each answer."),
        QStringLiteral("MS"), QStringLiteral("0"));
    const QCommandLineOption onlineOption(
        QStringLiteral("online"),
        QStringLiteral(
            "List an ATIS online in the data feed, e.g. KBOS=D for KBOS_ATIS with D (repeatable)."),
        QStringLiteral("CODE=LETTER"));
    const QCommandLineOption formsOption(
        QStringLiteral("status-forms"),
        QStringLiteral("Status forms to serve: both (default), text, json, moved (status.txt names "
                       "/moved/status.txt), broken-json."),
        QStringLiteral("FORMS"), QStringLiteral("both"));
    const QCommandLineOption restampOption(
        QStringLiteral("restamp"),
        QStringLiteral("Give every METAR the observation time of the start."));
    parser.addOptions(
        {portOption, metarsOption, delayOption, onlineOption, formsOption, restampOption});
    parser.process(app);

    bool portOk = false;
    const uint port = parser.value(portOption).toUInt(&portOk);
    if (!portOk || port > 65535) {
        std::fprintf(stderr, "briefcast-localwx: not a port number: %s\n",
                     qPrintable(parser.value(portOption)));
        return 2;
    }
    LocalWeatherServer server;
    server.faults.delayMs = parser.value(delayOption).toInt();
    if (parser.isSet(metarsOption) && !server.loadMetars(parser.value(metarsOption))) {
        std::fprintf(stderr, "briefcast-localwx: cannot read %s\n",
                     qPrintable(parser.value(metarsOption)));
        return 1;
    }
    if (parser.isSet(restampOption))
        server.restampMetars(QDateTime::currentDateTimeUtc());
    for (const QString& online : parser.values(onlineOption)) {
        const QStringList parts = online.split(QLatin1Char('='));
        if (parts.size() != 2 || parts.at(0).isEmpty()) {
            std::fprintf(stderr, "briefcast-localwx: not CODE=LETTER: %s\n", qPrintable(online));
            return 2;
        }
        server.setOnlineAtis(parts.at(0) + QStringLiteral("_ATIS"), parts.at(1));
    }
    const QString forms = parser.value(formsOption);
    if (forms == QLatin1String("text"))
        server.statusForms.json = false;
    else if (forms == QLatin1String("json"))
        server.statusForms.text = false;
    else if (forms == QLatin1String("moved"))
        server.statusForms.movedText = true;
    else if (forms == QLatin1String("broken-json"))
        server.statusForms.brokenJson = true;
    else if (forms != QLatin1String("both")) {
        std::fprintf(stderr, "briefcast-localwx: unknown status forms: %s\n", qPrintable(forms));
        return 2;
    }
    if (!server.listen(quint16(port))) {
        std::fprintf(stderr, "briefcast-localwx: cannot listen: %s\n",
                     qPrintable(server.errorString()));
        return 1;
    }
    std::printf("%s\n", qPrintable(server.statusUrl()));
    std::fflush(stdout);
    return app.exec();
}
