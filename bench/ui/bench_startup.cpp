// Start-up time and resident memory of briefcast, from process start until
// the window is idle after the weather server discovery (against the local
// weather server), and of the bare Qt program, in turns.
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

} // namespace

int main()
{
    QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("BRIEFCAST_QUIT_WHEN_IDLE", "1");

    QProcess server;
    server.start(BRIEFCAST_LOCALWX, {});
    if (!server.waitForReadyRead(5000))
        return 1;
    qputenv("BRIEFCAST_STATUS_URL", server.readLine().trimmed());

    constexpr int runs = 15;
    std::vector<double> appMs, bareMs, appRss, bareRss;
    for (int i = 0; i < runs + 2; ++i) {
        const Run app = spawnAndWait(BRIEFCAST_APP);
        const Run bare = spawnAndWait(BRIEFCAST_BARE);
        if (!app.ok || !bare.ok) {
            std::fprintf(stderr, "a run failed\n");
            return 1;
        }
        if (i >= 2) { // warm the caches first
            appMs.push_back(app.ms);
            bareMs.push_back(bare.ms);
            appRss.push_back(app.rssMiB);
            bareRss.push_back(bare.rssMiB);
        }
    }
    std::printf("Start-up until idle, median of %d: briefcast %.1f ms, bare Qt window %.1f ms, "
                "ratio %.2f\n",
                runs, median(appMs), median(bareMs), median(appMs) / median(bareMs));
    std::printf("Resident memory at idle (peak), median of %d: briefcast %.1f MiB, bare Qt window "
                "%.1f MiB, "
                "ratio %.2f\n",
                runs, median(appRss), median(bareRss), median(appRss) / median(bareRss));
    server.kill();
    server.waitForFinished();
    return 0;
}
