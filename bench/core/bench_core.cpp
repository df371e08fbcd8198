// Medians of the engine's hot paths: decoding one reply, expanding the
// default template, and one whole forced cycle over in-memory doubles.
#include "atisengine.h"
#include "fakedesktop.h"
#include "fakefetcher.h"
#include "fakeform.h"
#include "median.h"
#include "metar.h"
#include "scripteddialogs.h"
#include "sessionstate.h"
#include "template.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

const QString Reply = QStringLiteral(
    "KSEA 121653Z 17011KT 10SM -RA FEW015 BKN035 OVC050 12/09 A2992 RMK AO2 SLP135 T01220094\r\n");

// Median over `runs` batches of the time per call, in microseconds.
double medianMicros(int runs, int perRun, const std::function<void()>& work)
{
    std::vector<double> samples;
    for (int r = 0; r < runs; ++r) {
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < perRun; ++i)
            work();
        samples.push_back(double(timer.nsecsElapsed()) / 1000.0 / perRun);
    }
    return median(samples);
}

} // namespace

int main()
{
    volatile qsizetype sink = 0;
    const double decode = medianMicros(21, 2000, [&] {
        std::optional<DecodedMetar> m = DecodeMetar(NormaliseMetarReply(Reply));
        FinishAltimeterAndVisibility(*m);
        sink = sink + m->Sky.size();
    });

    TemplateValues values;
    values.icao = QStringLiteral("KSEA");
    values.informationCode = QStringLiteral("ALPHA");
    values.metar = *DecodeMetar(NormaliseMetarReply(Reply));
    values.runways = QStringLiteral("Landing rwys 16L & 16R. Departing rwy 16C.");
    const double expand = medianMicros(21, 5000, [&] {
        sink = sink + std::get<QString>(ExpandTemplate(Texts::DefaultTemplate, values)).size();
    });

    QTemporaryDir dir;
    FakeForm form;
    ScriptedDialogs dialogs;
    FakeDesktop desktop;
    FakeFetcher fetcher;
    SessionState state;
    state.MetarServerURL = QStringLiteral("http://127.0.0.1/metar.php");
    state.ATISFilePath = dir.filePath("atis.txt");
    form.icao = QStringLiteral("KSEA");
    form.addRunway(QStringLiteral("16L"), true, false);
    form.addRunway(QStringLiteral("16C"), false, true);
    form.updateFile = false; // the cycle itself, not the disk
    AtisEngine engine(form, dialogs, desktop, fetcher, state);
    const double cycle = medianMicros(21, 2000, [&] {
        fetcher.replies.append(Reply);
        fetcher.requested.clear();
        dialogs.shown.clear();
        engine.UpdateATIS(true);
    });
    form.updateFile = true;
    const double cycleWithFile = medianMicros(11, 200, [&] {
        fetcher.replies.append(Reply);
        fetcher.requested.clear();
        engine.UpdateATIS(true);
    });

    std::printf("decode one reply:                 %8.2f us (target <= 2)\n", decode);
    std::printf("expand the default template:      %8.2f us\n", expand);
    std::printf("one forced cycle over doubles:    %8.2f us (target <= 50)\n", cycle);
    std::printf("same cycle writing atis.txt:      %8.2f us\n", cycleWithFile);
    return 0;
}
