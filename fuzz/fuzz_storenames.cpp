// The settings store's name encoding: every name comes back as it went in,
// and two different names never meet, also where the backend folds case.
#include "fuzz/fuzzcommon.h"
#include "store/qsettingsstore.h"

#include <QDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return runTimed([&] {
        static QSettingsStore plain(QDir::tempPath() +
                                    QStringLiteral("/briefcast-fuzz-unused.ini"));
        static QSettingsStore folding(
            QDir::tempPath() + QStringLiteral("/briefcast-fuzz-unused.ini"), true);
        const QStringList names = textOf(data, size).split(QChar(0));
        const QString a = names.value(0), b = names.value(1);
        for (QSettingsStore* store : {&plain, &folding}) {
            const QString ea = store->encodeName(a);
            if (store->decodeName(ea) != a || ea.contains(QLatin1Char('/')) ||
                ea.contains(QLatin1Char('\\')))
                std::abort();
            if (a != b) {
                const QString eb = store->encodeName(b);
                const Qt::CaseSensitivity cs =
                    store == &folding ? Qt::CaseInsensitive : Qt::CaseSensitive;
                if (ea.compare(eb, cs) == 0)
                    std::abort();
            }
        }
    });
}
