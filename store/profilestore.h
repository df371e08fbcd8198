#pragma once

#include "core/profile.h"
#include "core/settingsstore.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// The profiles in the store: the index section "Profiles" (one key per name,
// value "1") and one section "Profiles\<name>" each, with the keys "ICAO",
// "Template" (line breaks as "%vbCrLf%"), "Runways" ("id,landing,departing"
// rows joined by "|", ticks as 1 and 0), "VisualInUse" and "LAHSOInEffect"
// (1 or 0); and, only when they differ from what a profile saved before
// them reads as, "TransitionLevels" (FormatTransitionLevels), "ATISType"
// (StoredAtisType), "Letters" (StoredLetterRange), "Phrasing"
// (StoredPhrasing) and "TextForm" (StoredTextForm). A profile that leaves
// them at their defaults is stored exactly as before they existed.
// Alphabetical order as a controller reads a list: letter case first
// ignored, then deciding between names that differ only in it.
inline bool ProfileListLess(const QString& a, const QString& b)
{
    const int folded = a.compare(b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a < b;
}

namespace Profiles {
inline const QString IndexSection = QStringLiteral("Profiles");
inline QString Section(const QString& name)
{
    return IndexSection + QLatin1Char('\\') + name;
}

// The profile of that name; nothing when its section is missing or has no
// keys. Keys that are missing read as empty, unticked and no rows. A value
// that does not read leaves its setting at the default and is added to
// unreadable, when given, as it stands ("ATISType=Arival").
std::optional<Profile> Read(const SettingsStore& store, const QString& name,
                            QStringList* unreadable = nullptr);
// The names of the saved profiles in the order the profile list shows them
// (ProfileListLess).
QStringList Names(const SettingsStore& store);
// The writes that save the profile under the name: its index key, then
// every key of its section.
QList<SettingsStore::Change> Changes(const QString& name, const Profile& profile);
} // namespace Profiles
