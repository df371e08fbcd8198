// The status file parsing of the weather server discovery.
#include "fuzz/fuzzcommon.h"
#include "net/discovery.h"
#include "tests/support/fakefetcher.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return runTimed([&] {
        const float draw = size ? float(data[0]) / 256.0f : 0.0f;
        FakeFetcher fetcher;
        fetcher.replies = {textOf(data, size)};
        const MetarServerListing listing = ReadMetarServerListing(fetcher);
        if (listing.servers.isEmpty())
            return;
        const QString chosen = ChooseMetarServer(listing.servers, [draw] { return draw; });
        if (chosen.contains(QLatin1Char('\r')) || chosen.contains(QLatin1Char('\n')))
            std::abort();
    });
}
