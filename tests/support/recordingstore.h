#pragma once

#include "core/settingsstore.h"

#include <QStringList>

// Passes every call on to a real store and records it, to prove what is read
// and written, in which order and how often.
class RecordingStore : public SettingsStore
{
public:
    explicit RecordingStore(SettingsStore& inner) : m_inner(inner) {}

    mutable QStringList calls;
    int saves = 0;

    bool SaveSetting(const QString& s, const QString& k, const QString& v) override
    {
        calls.append("save " + s + "/" + k + "=" + v);
        ++saves;
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
        calls.append("delete " + s + (k ? "/" + *k : QString()));
        return m_inner.DeleteSetting(s, k);
    }

private:
    SettingsStore& m_inner;
};
