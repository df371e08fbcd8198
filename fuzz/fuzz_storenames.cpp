// The settings store's name encoding: every name comes back as it went in,
// and two different names never meet, also where the backend folds case.
#include "fuzz/fuzzcommon.h"
#include "store/storenames.h"

#include <QStringList>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return runTimed([&] {
        const QStringList names = textOf(data, size).split(QChar(0));
        const QString a = names.value(0), b = names.value(1);
        for (const bool folding : {false, true}) {
            const QString ea = EncodeStoreName(a, folding);
            if (DecodeStoreName(ea, folding) != a || ea.contains(QLatin1Char('/')) ||
                ea.contains(QLatin1Char('\\')))
                std::abort();
            if (a != b) {
                const QString eb = EncodeStoreName(b, folding);
                if (ea.compare(eb, folding ? Qt::CaseInsensitive : Qt::CaseSensitive) == 0)
                    std::abort();
            }
        }
    });
}
