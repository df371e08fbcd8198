#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <optional>

// The per-user settings store: application (fixed by the adapter), section and
// key, text values. Section and key names are opaque text.
class SettingsStore
{
public:
    using Pairs = QList<QPair<QString, QString>>;

    virtual ~SettingsStore() = default;

    // Creates the section and key as needed and sets the value. Returns false
    // when the write did not reach the store.
    virtual bool SaveSetting(const QString& section, const QString& key, const QString& value) = 0;
    // The stored value, or the default when the key or its section is missing.
    virtual QString GetSetting(const QString& section, const QString& key,
                               const QString& defaultValue = QString()) const = 0;
    // Every key of the section with its value, or no list at all when the
    // section is missing or has no keys.
    virtual std::optional<Pairs> GetAllSettings(const QString& section) const = 0;
    // Removes one key, or the whole section when key is empty (std::nullopt).
    // Returns false when the change did not reach the store.
    virtual bool DeleteSetting(const QString& section,
                               const std::optional<QString>& key = std::nullopt) = 0;

    // A text that changes whenever what the store holds may have changed,
    // so that a reader may keep what it read while it stays the same; empty
    // when the store cannot tell, and then every read goes to the store.
    virtual QString changeStamp() const { return {}; }

    // One change of writeTogether: a key set to a value, a key removed (no
    // value), or a whole section removed (no key).
    struct Change
    {
        QString section;
        std::optional<QString> key;
        std::optional<QString> value;
    };
    // Makes all the changes, in order, or none of them: false when they did
    // not reach the store, which then holds what it held before. This
    // default makes them one by one and stops at the first that fails; a
    // store that can write them at once overrides it.
    virtual bool writeTogether(const QList<Change>& changes)
    {
        for (const Change& c : changes) {
            if (!(c.value ? SaveSetting(c.section, *c.key, *c.value)
                          : DeleteSetting(c.section, c.key)))
                return false;
        }
        return true;
    }
};
