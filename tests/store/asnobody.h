#pragma once

#include <unistd.h>

// File permissions bind root in nothing: while this lives, a test that runs
// as root acts as the user nobody (effective ids only, so that they can be
// taken back at the end). A test run by an ordinary user stays that user.
class AsNobody
{
public:
    AsNobody()
    {
        m_wasRoot = ::geteuid() == 0;
        if (m_wasRoot && ::setegid(Nobody) == 0)
            ignore(::seteuid(Nobody));
    }
    ~AsNobody()
    {
        if (m_wasRoot) {
            ignore(::seteuid(0));
            ignore(::setegid(0));
        }
    }
    AsNobody(const AsNobody&) = delete;
    AsNobody& operator=(const AsNobody&) = delete;

    // False when the test still runs as root (the ids could not be changed).
    bool active() const { return ::geteuid() != 0; }

private:
    static void ignore(int) {}
    static constexpr uid_t Nobody = 65534;
    bool m_wasRoot = false;
};
