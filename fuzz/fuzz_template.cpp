// Template expansion with random templates and values: the input is split
// at NUL bytes into the template and the values.
#include "core/metar.h"
#include "core/template.h"
#include "fuzz/fuzzcommon.h"

#include <QStringList>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return runTimed([&] {
        QStringList parts = textOf(data, size).split(QChar(0));
        while (parts.size() < 14)
            parts.append(QString());
        DecodedMetar m;
        m.Metar = parts[5];
        m.ObservationTime = parts[6];
        m.Wind = parts[7];
        m.Visibility = parts[8];
        m.Precip = parts[9];
        m.Sky = parts[10];
        m.Temperature = parts[11];
        m.DewPoint = parts[12];
        m.Altimeter = parts[13];
        const auto atis =
            ExpandTemplate(parts[0], {parts[1], parts[2], m, parts[3], parts[4], {}, {}});
        if (const QString* text = std::get_if<QString>(&atis); text && text->size() > MaxAtisLength)
            std::abort();
    });
}
