// Medians of the engine's hot paths: decoding one reply, expanding the
// default template, and one whole forced cycle over in-memory doubles.
#include "bench/median.h"
#include "core/atisengine.h"
#include "core/metar.h"
#include "core/programsettings.h"
#include "core/sessionstate.h"
#include "core/template.h"
#include "tests/support/fakedesktop.h"
#include "tests/support/fakefetcher.h"
#include "tests/support/fakeform.h"
#include "tests/support/scripteddialogs.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <utility>
#include <vector>

namespace {

const QString Reply = QStringLiteral(
    "KSEA 121653Z 17011KT 10SM -RA FEW015 BKN035 OVC050 12/09 A2992 RMK AO2 SLP135 T01220094\r\n");

double threadCpuMicros()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e6 + double(t.tv_nsec) / 1000.0;
}

// Median over `runs` batches of the time per call, in microseconds. With
// `cpu`, the processor time of this thread, which other work on a busy
// machine does not inflate: for pure computation such as the decoding.
double medianMicros(int runs, int perRun, const std::function<void()>& work, bool cpu = false)
{
    std::vector<double> samples;
    for (int r = 0; r < runs; ++r) {
        QElapsedTimer timer;
        timer.start();
        const double cpuStart = threadCpuMicros();
        for (int i = 0; i < perRun; ++i)
            work();
        const double spent = cpu ? threadCpuMicros() - cpuStart : timer.nsecsElapsed() / 1000.0;
        samples.push_back(spent / perRun);
    }
    return median(samples);
}

// Replies that make a backtracking engine try many ways of splitting the
// groups, and long ones, each filled to about `size` characters.
struct Shape
{
    const char* name;
    QString text;
};

QString filled(const QString& head, const QString& unit, const QString& tail, qsizetype size)
{
    const qsizetype count =
        std::max<qsizetype>(1, (size - head.size() - tail.size()) / unit.size());
    return head + unit.repeated(count) + tail;
}

std::vector<Shape> shapes(qsizetype size)
{
    const QString head = QStringLiteral("KSEA 121653Z 17011KT");
    const QString x = QStringLiteral(" X");
    const QString end = QStringLiteral(" 12/09 A2992");
    return {
        {"slashes then X", filled(head + u' ', QStringLiteral("/"), x, size)},
        {"cloud layers then X",
         filled(head + QStringLiteral(" 10SM"), QStringLiteral(" FEW015"), x, size)},
        {"cloud layers, altimeter",
         filled(head + QStringLiteral(" 10SM"), QStringLiteral(" BKN035"), end, size)},
        {"weather then X", filled(head + QStringLiteral(" 10SM"), QStringLiteral(" -RA"), x, size)},
        {"weather, altimeter",
         filled(head + QStringLiteral(" 10SM"), QStringLiteral(" -RA"), end, size)},
        {"runway ranges then X",
         filled(head + QStringLiteral(" 10SM"), QStringLiteral(" R25/P1500"), x, size)},
        {"KT run as wind then X",
         filled(QStringLiteral("KSEA 121653Z "), QStringLiteral("KT"), x, size)},
        {"digits as visibility then X", filled(head + u' ', QStringLiteral("9"), x, size)},
        {"FT run as runway range then X",
         filled(head + QStringLiteral(" 10SM R"), QStringLiteral("FT"), x, size)},
    };
}

// The slowest shape of the given size: its name and its time in microseconds.
std::pair<const char*, double> slowest(qsizetype size, int runs, int perRun)
{
    std::pair<const char*, double> worst{"", 0.0};
    for (const Shape& shape : shapes(size)) {
        const double us = medianMicros(
            runs, perRun, [&] { (void)DecodeMetar(shape.text); }, true);
        if (us > worst.second)
            worst = {shape.name, us};
    }
    return worst;
}

} // namespace

int main()
{
    volatile qsizetype sink = 0;
    const double decode = medianMicros(
        21, 2000,
        [&] {
            std::optional<DecodedMetar> m = DecodeMetar(NormaliseMetarReply(Reply));
            FinishAltimeterAndVisibility(*m);
            sink = sink + m->Sky.size();
        },
        true);

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
    ProgramSettings settings = ProgramSettings::defaults();
    settings.ATISFilePath = dir.filePath("atis.txt");
    form.shown.icao = QStringLiteral("KSEA");
    form.addRunway(QStringLiteral("16L"), true, false);
    form.addRunway(QStringLiteral("16C"), false, true);
    settings.UpdateATISFile = false; // the cycle itself, not the disk
    AtisEngine engine(form, dialogs, desktop, fetcher, state, settings);
    const double cycle = medianMicros(21, 2000, [&] {
        fetcher.replies.append(Reply);
        fetcher.requested.clear();
        dialogs.shown.clear();
        engine.UpdateATIS(true);
    });
    settings.UpdateATISFile = true;
    const double cycleWithFile = medianMicros(11, 200, [&] {
        fetcher.replies.append(Reply);
        fetcher.requested.clear();
        engine.UpdateATIS(true);
    });

    const QString head = QStringLiteral("KSEA 121653Z 17011KT");
    const QString slashes = head + u' ' + QString(30, u'/') + QStringLiteral(" X");
    const QString layers = head + QStringLiteral(" 10SM") + QStringLiteral(" FEW015").repeated(20) +
                           QStringLiteral(" X");
    const double slashesUs = medianMicros(
        21, 200, [&] { (void)DecodeMetar(slashes); }, true);
    const double layersUs = medianMicros(
        21, 200, [&] { (void)DecodeMetar(layers); }, true);
    const auto [worst4k, worst4kUs] = slowest(4096, 11, 20);
    const auto [worst1m, worst1mUs] = slowest(1024 * 1024, 5, 1);

    std::printf("decode one reply:                 %8.2f us (target <= 2)\n", decode);
    std::printf("decode 30 slashes then X:         %8.2f us\n", slashesUs);
    std::printf("decode 20 cloud layers then X:    %8.2f us\n", layersUs);
    std::printf("decode 4 KB, slowest shape:       %8.2f us (target < 5000; %s)\n", worst4kUs,
                worst4k);
    std::printf("decode 1 MiB, slowest shape:      %8.2f ms (target < 100; %s)\n",
                worst1mUs / 1000.0, worst1m);
    std::printf("expand the default template:      %8.2f us\n", expand);
    std::printf("one forced cycle over doubles:    %8.2f us (target <= 50)\n", cycle);
    std::printf("same cycle writing atis.txt:      %8.2f us\n", cycleWithFile);
    return 0;
}
