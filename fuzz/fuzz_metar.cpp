// Reply normalisation and METAR decoding on any bytes.
#include "core/metar.h"
#include "fuzz/fuzzcommon.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return runTimed([&] {
        const QString reply = NormaliseMetarReply(textOf(data, size));
        if (auto metar = DecodeMetar(reply))
            FinishAltimeterAndVisibility(*metar);
    });
}
