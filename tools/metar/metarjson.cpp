#include "tools/metar/metarjson.h"

#include "core/metar.h"

#include <QList>
#include <QPair>

namespace {

void appendJsonString(QByteArray& out, const QString& text)
{
    out += '"';
    const QByteArray utf8 = text.toUtf8();
    for (const char byte : utf8) {
        const auto c = static_cast<unsigned char>(byte);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20)
                out += QByteArray("\\u00") + QByteArray::number(c, 16).rightJustified(2, '0');
            else
                out += char(c);
        }
    }
    out += '"';
}

QByteArray object(const QList<QPair<const char*, QString>>& fields)
{
    QByteArray out = "{";
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            out += ", ";
        appendJsonString(out, QString::fromLatin1(fields[i].first));
        out += ": ";
        appendJsonString(out, fields[i].second);
    }
    out += '}';
    return out;
}

} // namespace

QByteArray DecodeReplyToJson(const QString& reply)
{
    const QString normalised = NormaliseMetarReply(reply);
    std::optional<DecodedMetar> m = DecodeMetar(normalised);
    if (!m)
        return object({{"Metar", normalised}, {"error", QStringLiteral("no match")}});
    FinishAltimeterAndVisibility(*m);
    return object({{"Metar", m->Metar},
                   {"ObservationTime", m->ObservationTime},
                   {"Wind", m->Wind},
                   {"Visibility", m->Visibility},
                   {"Precip", m->Precip},
                   {"Sky", m->Sky},
                   {"Temperature", m->Temperature},
                   {"DewPoint", m->DewPoint},
                   {"Altimeter", m->Altimeter}});
}
