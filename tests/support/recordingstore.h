#pragma once

#include "core/settingsstore.h"

#include <QStringList>

// Passes every call on to a real store and records the writes, to prove what
// is written, in which order and how often: each change of a batch as its own
// call would be ("save Settings/ICAO=KSEA", counted in saves).
class RecordingStore : public SettingsStore
{
public:
    explicit RecordingStore(SettingsStore& inner) : m_inner(inner) {}

    QStringList calls;
    int saves = 0;
    int writes = 0; // write calls, each reaching the real store whole

    bool SaveSetting(const QString& s, const QString& k, const QString& v) override
    {
        return writeTogether({{s, k, v}});
    }
    QString GetSetting(const QString& s, const QString& k, const QString& d) const override
    {
        return m_inner.GetSetting(s, k, d);
    }
    std::optional<Pairs> GetAllSettings(const QString& s) const override
    {
        return m_inner.GetAllSettings(s);
    }
    bool DeleteSetting(const QString& s, const std::optional<QString>& k) override
    {
        return writeTogether({{s, k, std::nullopt}});
    }
    bool writeTogether(const QList<Change>& changes) override
    {
        ++writes;
        for (const Change& c : changes) {
            saves += c.value ? 1 : 0;
            calls.append(c.value ? "save " + c.section + "/" + *c.key + "=" + *c.value
                                 : "delete " + c.section + (c.key ? "/" + *c.key : QString()));
        }
        return m_inner.writeTogether(changes);
    }

private:
    SettingsStore& m_inner;
};
