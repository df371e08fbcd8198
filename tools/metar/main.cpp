// briefcast-metar: shows how Briefcast reads METAR replies.
#include "metarjson.h"

#include <QFile>
#include <QString>
#include <cstdio>
#include <cstring>

namespace {

const char Help[] =
    "Usage: briefcast-metar [FILE...]\n"
    "\n"
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
    "Input is read as UTF-8.\n";

bool decodeStream(QFile& in)
{
    while (true) {
        QByteArray line = in.readLine();
        if (line.isEmpty())
            return in.error() == QFileDevice::NoError;
        if (line.endsWith('\n'))
            line.chop(1);
        const QByteArray json = DecodeReplyToJson(QString::fromUtf8(line)) + '\n';
        std::fwrite(json.constData(), 1, size_t(json.size()), stdout);
    }
}

} // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(Help, stdout);
            return 0;
        }
    }
    int status = 0;
    if (argc == 1) {
        QFile in;
        if (!in.open(stdin, QIODevice::ReadOnly) || !decodeStream(in))
            status = 1;
    }
    for (int i = 1; i < argc; ++i) {
        QFile in(QString::fromLocal8Bit(argv[i]));
        if (!in.open(QIODevice::ReadOnly) || !decodeStream(in)) {
            std::fprintf(stderr, "briefcast-metar: cannot read %s: %s\n", argv[i],
                         in.errorString().toLocal8Bit().constData());
            status = 1;
        }
    }
    std::fflush(stdout);
    return status;
}
