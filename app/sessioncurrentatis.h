#pragma once

#include "serve/currentatissource.h"

class AtisEngine;
struct SessionState;

// The window's current ATIS as the generator's /current tells it: the one
// the engine last built and the window shows, and whether auto-update runs.
class SessionCurrentAtis : public CurrentAtisSource
{
public:
    SessionCurrentAtis(const AtisEngine& engine, const SessionState& state)
        : m_engine(engine), m_state(state)
    {
    }

    std::optional<WindowAtis> currentAtis() const override;

private:
    const AtisEngine& m_engine;
    const SessionState& m_state;
};
