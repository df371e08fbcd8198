#pragma once

#include <QString>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>

// Every input must be handled in well under 50 ms of processor time.
class SlowInputGuard
{
public:
    SlowInputGuard() : m_start(std::clock()) {}
    ~SlowInputGuard()
    {
        const double ms = double(std::clock() - m_start) * 1000.0 / CLOCKS_PER_SEC;
        if (ms > 50.0) {
            std::fprintf(stderr, "slow input: %.1f ms\n", ms);
            std::abort();
        }
    }

private:
    std::clock_t m_start;
};

inline QString textOf(const uint8_t* data, size_t size)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
}
