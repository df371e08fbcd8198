#pragma once

#include "store/config.h"

#include <QList>
#include <functional>

class AtisForm;
class ProfileCommands;
class SettingsStore;
struct SessionState;

// The program settings while the program runs: each key of Config bound
// once to what shows its value (a control of the window, a field of
// SessionState, the speech options). Start-up reads them all and shows each
// bound one; the close collects the bound ones and writes them all. A key
// nothing binds keeps the value read, or its default.
class SettingsBinding
{
public:
    using Show = std::function<void(const QVariant& value)>;
    using Collect = std::function<QVariant()>;

    SettingsBinding();

    // Show may be empty for a value that is only written (the template),
    // collect for one that is only read.
    void bind(const QString& key, Show show, Collect collect);
    // A text kept in a field, such as one of SessionState.
    void bind(const QString& key, QString& field);

    // Reads every program setting and shows each bound one, in the order of
    // the rows.
    void load(const SettingsStore& store);
    // Collects the bound values and writes every program setting in one
    // write: false when it did not reach the store, which then holds what it
    // held before.
    bool save(SettingsStore& store);

    const ProgramSettings& values() const { return m_values; }

private:
    struct Bound
    {
        QString key;
        Show show;
        Collect collect;
    };
    QList<Bound> m_bound;
    ProgramSettings m_values;
};

// The start-up of the window's state up to the server discovery: the code
// list at ALPHA, auto-update off, the program settings read and shown, the
// last profile (or the default template) and the profile list, in that
// order, leaving no unsaved changes.
void LoadStartupSettings(SettingsStore& store, AtisForm& form, ProfileCommands& profiles,
                         SessionState& state, SettingsBinding& settings);
