// briefcast-metar: shows how Briefcast reads METAR replies.
#include "tools/metar/metarjson.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QString>
#include <cerrno>
#include <cstdio>
#include <cstring>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#endif

namespace {

const char Description[] =
    "Reads METAR replies, one per line, from the files named (or from standard\n"
    "input when none is named) and decodes each the way Briefcast does: line\n"
    "breaks removed, whitespace collapsed, the elements taken from the report\n"
    "and finished as the ATIS shows them. Writes one JSON object per line:\n"
    "\n"
    "  {\"Metar\": ..., \"ObservationTime\": ..., \"Wind\": ..., \"Visibility\": ...,\n"
    "   \"Precip\": ..., \"Sky\": ..., \"Temperature\": ..., \"DewPoint\": ...,\n"
    "   \"Altimeter\": ...}\n"
    "\n"
    "or, for a reply Briefcast cannot read, {\"Metar\": ..., \"error\": \"no match\"}.\n"
    "Lines end at a line feed; a carriage return belongs to the reply.\n"
    "Input is read as UTF-8.";

// Lines are split here, byte by byte, the same for a pipe, a redirect and a
// named file: a reply may hold any byte, NUL included, and every line read
// gives one JSON line at once.
bool decodeStream(std::FILE* in)
{
    QByteArray line;
    const auto decodeLine = [&line] {
        const QByteArray json = DecodeReplyToJson(QString::fromUtf8(line)) + '\n';
        std::fwrite(json.constData(), 1, size_t(json.size()), stdout);
        line.clear();
    };
    for (int c; (c = std::getc(in)) != EOF;) {
        if (c == '\n')
            decodeLine();
        else
            line.append(char(c));
    }
    if (!line.isEmpty())
        decodeLine();
    return !std::ferror(in);
}

void reportUnreadable(const char* name)
{
    std::fprintf(stderr, "briefcast-metar: cannot read %s: %s\n", name, std::strerror(errno));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("briefcast-metar"));
    QCoreApplication::setApplicationVersion(QStringLiteral(BRIEFCAST_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromUtf8(Description));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("A file of replies, one per line."),
                                 QStringLiteral("[FILE...]"));
    parser.process(app);

    int status = 0;
    const QStringList files = parser.positionalArguments();
    if (files.isEmpty()) {
#ifdef Q_OS_WIN
        _setmode(_fileno(stdin), _O_BINARY);
#endif
        if (!decodeStream(stdin)) {
            reportUnreadable("standard input");
            status = 1;
        }
    }
    for (const QString& file : files) {
        const QByteArray name = QFile::encodeName(file);
        std::FILE* in = std::fopen(name.constData(), "rb");
        if (!in || !decodeStream(in)) {
            reportUnreadable(name.constData());
            status = 1;
        }
        if (in)
            std::fclose(in);
    }
    if (std::fflush(stdout) != 0 || std::ferror(stdout))
        status = 1;
    return status;
}
