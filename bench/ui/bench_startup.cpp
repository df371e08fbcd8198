// Start-up time and resident memory of briefcast, from process start until
// the window is mapped and painted, and until it is idle after the weather
// server discovery (against the local weather server), and of the bare Qt
// program, in turns. Programs named on
// the command line (other builds of the app) run in the same turns, so that
// a change is measured against the state before it under the same load.
#include "bench/median.h"

#include <QByteArray>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {
struct Run
{
    double ms = 0;
    double rssMiB = 0;
    bool ok = false;
};

Run spawnAndWait(const char* program)
{
    timespec start{}, end{};
    clock_gettime(CLOCK_MONOTONIC, &start);
    pid_t pid = 0;
    char* argv[] = {const_cast<char*>(program), nullptr};
    // Their warnings would only clutter the figures.
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
    const int spawned = posix_spawn(&pid, program, &quiet, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&quiet);
    if (spawned != 0)
        return {};
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    clock_gettime(CLOCK_MONOTONIC, &end);
    Run run;
    run.ms = (end.tv_sec - start.tv_sec) * 1e3 + (end.tv_nsec - start.tv_nsec) / 1e6;
    run.rssMiB = usage.ru_maxrss / 1024.0; // kilobytes on Linux
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

void report(const char* name, const std::vector<double>& ms, const std::vector<double>& rss,
            const std::vector<double>& bareMs, const std::vector<double>& bareRss)
{
    std::printf("%s: %.1f ms (ratio %.2f), %.1f MiB (ratio %.2f)\n", name, median(ms),
                median(ms) / median(bareMs), median(rss), median(rss) / median(bareRss));
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QProcess server;
    server.start(BRIEFCAST_LOCALWX, {});
    if (!server.waitForReadyRead(5000))
        return 1;
    qputenv("BRIEFCAST_STATUS_URL", server.readLine().trimmed());

    // BRIEFCAST_BENCH_RUNS sets another number: more runs steady the medians
    // on a busy machine.
    const int runs = qEnvironmentVariableIntValue("BRIEFCAST_BENCH_RUNS") > 0
                         ? qEnvironmentVariableIntValue("BRIEFCAST_BENCH_RUNS")
                         : 15;
    std::vector<const char*> programs{BRIEFCAST_APP, BRIEFCAST_BARE};
    programs.insert(programs.end(), argv + 1, argv + argc);
    for (const char* until : {"BRIEFCAST_QUIT_WHEN_SHOWN", "BRIEFCAST_QUIT_WHEN_IDLE"}) {
        qputenv(until, "1");
        std::vector<std::vector<double>> ms(programs.size()), rss(programs.size());
        for (int i = 0; i < runs + 2; ++i) {
            // Each turn starts with another program: none always runs first.
            for (size_t k = 0; k < programs.size(); ++k) {
                const size_t p = (k + size_t(i)) % programs.size();
                const Run run = spawnAndWait(programs[p]);
                if (!run.ok) {
                    std::fprintf(stderr, "a run of %s failed\n", programs[p]);
                    return 1;
                }
                if (i >= 2) { // warm the caches first
                    ms[p].push_back(run.ms);
                    rss[p].push_back(run.rssMiB);
                }
            }
        }
        qunsetenv(until);
        const char* stage = qstrcmp(until, "BRIEFCAST_QUIT_WHEN_SHOWN") == 0
                                ? "the window mapped and painted"
                                : "idle after the discovery";
        std::printf("Start-up until %s, median of %d: briefcast %.1f ms, bare Qt window %.1f ms, "
                    "ratio %.2f\n",
                    stage, runs, median(ms[0]), median(ms[1]), median(ms[0]) / median(ms[1]));
        std::printf("Resident memory until %s (peak), median of %d: briefcast %.1f MiB, bare Qt "
                    "window %.1f MiB, ratio %.2f\n",
                    stage, runs, median(rss[0]), median(rss[1]), median(rss[0]) / median(rss[1]));
        for (size_t p = 2; p < programs.size(); ++p)
            report(programs[p], ms[p], rss[p], ms[1], rss[1]);
    }
    server.kill();
    server.waitForFinished();
    return 0;
}
