#pragma once

#include "serve/currentatissource.h"

class AtisEngine;
class AtisForm;

// The window's current ATIS as the generator's /current tells it: the one
// the engine last built and the window shows, and whether auto-update runs.
class WindowCurrentAtis : public CurrentAtisSource
{
public:
    WindowCurrentAtis(const AtisEngine& engine, const AtisForm& form)
        : m_engine(engine), m_form(form)
    {
    }

    std::optional<WindowAtis> currentAtis() const override;

private:
    const AtisEngine& m_engine;
    const AtisForm& m_form;
};
