#pragma once

#include <QString>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>

// Every input must be handled in well under 50 ms of processor time. An
// input over the limit runs once more and fails only when it is slow again:
// a single spike is the machine (the allocator, another process), not the
// input.
template <class Run> int runTimed(Run run)
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        const std::clock_t start = std::clock();
        run();
        const double ms = double(std::clock() - start) * 1000.0 / CLOCKS_PER_SEC;
        if (ms <= 50.0)
            return 0;
        std::fprintf(stderr, "slow input: %.1f ms\n", ms);
    }
    std::abort();
}

inline QString textOf(const uint8_t* data, size_t size)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
}
