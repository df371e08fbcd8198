#pragma once

#include "core/settingsstore.h"

#include <QStringList>

// Passes every call on to a real store and records it, to prove what is read
// and written, in which order and how often. A change of writeTogether is
// recorded (and counted in saves) as its own call would be; `together`
// counts the batches, which reach the real store whole.
class RecordingStore : public SettingsStore
{
public:
    explicit RecordingStore(SettingsStore& inner) : m_inner(inner) {}

    mutable QStringList calls;
    int saves = 0;
    int together = 0;

    bool SaveSetting(const QString& s, const QString& k, const QString& v) override
    {
        record({s, k, v});
        return m_inner.SaveSetting(s, k, v);
    }
    QString GetSetting(const QString& s, const QString& k, const QString& d) const override
    {
        calls.append("get " + s + "/" + k);
        return m_inner.GetSetting(s, k, d);
    }
    std::optional<Pairs> GetAllSettings(const QString& s) const override
    {
        calls.append("all " + s);
        return m_inner.GetAllSettings(s);
    }
    bool DeleteSetting(const QString& s, const std::optional<QString>& k) override
    {
        record({s, k, std::nullopt});
        return m_inner.DeleteSetting(s, k);
    }
    bool writeTogether(const QList<Change>& changes) override
    {
        ++together;
        for (const Change& c : changes)
            record(c);
        return m_inner.writeTogether(changes);
    }

private:
    void record(const Change& c)
    {
        if (c.value)
            ++saves;
        calls.append(c.value ? "save " + c.section + "/" + *c.key + "=" + *c.value
                             : "delete " + c.section + (c.key ? "/" + *c.key : QString()));
    }
    SettingsStore& m_inner;
};
