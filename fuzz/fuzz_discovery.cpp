// The status file parsing of the weather server discovery.
#include "core/sessionstate.h"
#include "fuzz/fuzzcommon.h"
#include "net/discovery.h"
#include "tests/support/fakefetcher.h"
#include "tests/support/fakeform.h"
#include "tests/support/scripteddialogs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return runTimed([&] {
        const float draw = size ? float(data[0]) / 256.0f : 0.0f;
        FakeFetcher fetcher;
        fetcher.reply(textOf(data, size));
        FakeForm form;
        ScriptedDialogs dialogs;
        SessionState state;
        if (DiscoverMetarServer(fetcher, form, dialogs, state, [draw] { return draw; })) {
            if (state.MetarServerURL.contains(QLatin1Char('\r')) ||
                state.MetarServerURL.contains(QLatin1Char('\n')))
                std::abort();
        } else if (dialogs.shown.size() != 1) {
            std::abort();
        }
    });
}
