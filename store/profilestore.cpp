#include "store/profilestore.h"

#include "core/texts.h"

#include <algorithm>

namespace {
// A profile's template keeps its line breaks as this marker.
const QString LineBreakMarker = QStringLiteral("%vbCrLf%");

// Ticks are stored as numbers; text that is not one counts as unticked.
bool isOne(const QString& field)
{
    bool ok = false;
    const double value = field.trimmed().toDouble(&ok);
    return ok && value == 1.0;
}

QString tick(bool ticked)
{
    return ticked ? QStringLiteral("1") : QStringLiteral("0");
}

QString runwayValue(const Profile& profile)
{
    QStringList rows;
    for (const Profile::Runway& r : profile.runways)
        rows.append(r.id + QLatin1Char(',') + tick(r.landing) + QLatin1Char(',') +
                    tick(r.departing));
    return rows.join(QLatin1Char('|'));
}

QList<Profile::Runway> runwayRows(const QString& value)
{
    QList<Profile::Runway> rows;
    if (value.isEmpty())
        return rows;
    for (const QString& row : value.split(QLatin1Char('|'))) {
        const QStringList fields = row.split(QLatin1Char(','));
        // A row without an identifier cannot come from the window: skip it
        // rather than show a nameless runway.
        if (fields.at(0).isEmpty())
            continue;
        rows.append({fields.at(0), fields.size() > 1 && isOne(fields.at(1)),
                     fields.size() > 2 && isOne(fields.at(2))});
    }
    return rows;
}

// A transition level table whose every band reads.
bool readTransitionLevels(Profile& profile, const QString& stored)
{
    profile.transitionLevels = ParseTransitionLevels(stored);
    const QStringList bands = stored.split(QLatin1Char('|'), Qt::SkipEmptyParts);
    return profile.transitionLevels.size() == bands.size();
}

// The keys of a profile's section, each with how it is read and written.
struct ProfileKey
{
    QString key;
    // False when the stored text does not read: the field keeps its default.
    bool (*parse)(Profile& profile, const QString& stored);
    QString (*format)(const Profile& profile);
    // An empty value is not written: the key is removed instead, so that a
    // profile at its defaults keeps the form it had before the key existed.
    bool omittedWhenEmpty = false;
};

const QList<ProfileKey>& profileKeys()
{
    using P = Profile;
    using S = const QString&;
    static const QList<ProfileKey> keys{
        {QStringLiteral("ICAO"),
         [](P& p, S s) {
             p.icao = s;
             return true;
         },
         [](const P& p) { return p.icao; }},
        {QStringLiteral("Template"),
         [](P& p, S s) {
             p.templateText = QString(s).replace(LineBreakMarker, Texts::CrLf);
             return true;
         },
         [](const P& p) { return QString(p.templateText).replace(Texts::CrLf, LineBreakMarker); }},
        {QStringLiteral("Runways"),
         [](P& p, S s) {
             p.runways = runwayRows(s);
             return true;
         },
         runwayValue},
        {QStringLiteral("VisualInUse"),
         [](P& p, S s) {
             p.visual = isOne(s);
             return true;
         },
         [](const P& p) { return tick(p.visual); }},
        {QStringLiteral("LAHSOInEffect"),
         [](P& p, S s) {
             p.lahso = isOne(s);
             return true;
         },
         [](const P& p) { return tick(p.lahso); }},
        {QStringLiteral("TransitionLevels"), readTransitionLevels,
         [](const P& p) { return FormatTransitionLevels(p.transitionLevels); }, true},
        {QStringLiteral("ATISType"),
         [](P& p, S s) {
             const std::optional<AtisType> type = ParseAtisType(s);
             p.atisType = type.value_or(AtisType::Combined);
             return type.has_value();
         },
         [](const P& p) { return StoredAtisType(p.atisType); }, true},
        {QStringLiteral("Letters"),
         [](P& p, S s) {
             const std::optional<LetterRange> letters = ParseLetterRange(s);
             p.letters = letters.value_or(LetterRange());
             return letters.has_value();
         },
         [](const P& p) { return StoredLetterRange(p.letters); }, true},
        {QStringLiteral("Phrasing"),
         [](P& p, S s) {
             p.phrasing = ParsePhrasing(s);
             return p.phrasing.has_value();
         },
         [](const P& p) { return p.phrasing ? StoredPhrasing(*p.phrasing) : QString(); }, true},
        {QStringLiteral("TextForm"),
         [](P& p, S s) {
             const std::optional<TextForm> form = ParseTextForm(s);
             p.textForm = form.value_or(TextForm::Groups);
             return form.has_value();
         },
         [](const P& p) {
             return p.textForm == TextForm::Groups ? QString() : StoredTextForm(p.textForm);
         },
         true},
    };
    return keys;
}
} // namespace

namespace Profiles {

std::optional<Profile> Read(const SettingsStore& store, const QString& name,
                            QStringList* unreadable)
{
    const auto stored = store.GetAllSettings(Section(name));
    if (!stored)
        return std::nullopt;
    Profile profile;
    for (const auto& [key, value] : *stored) {
        for (const ProfileKey& k : profileKeys()) {
            if (k.key == key && !k.parse(profile, value) && unreadable)
                unreadable->append(key + QLatin1Char('=') + value);
        }
    }
    return profile;
}

QStringList Names(const SettingsStore& store)
{
    QStringList names;
    for (const auto& [name, value] :
         store.GetAllSettings(IndexSection).value_or(SettingsStore::Pairs()))
        names.append(name);
    std::stable_sort(names.begin(), names.end(), ProfileListLess);
    return names;
}

QList<SettingsStore::Change> Changes(const QString& name, const Profile& profile)
{
    QList<SettingsStore::Change> changes{{IndexSection, name, QStringLiteral("1")}};
    for (const ProfileKey& k : profileKeys()) {
        const QString value = k.format(profile);
        changes.append(
            {Section(name), k.key,
             value.isEmpty() && k.omittedWhenEmpty ? std::nullopt : std::optional(value)});
    }
    return changes;
}

} // namespace Profiles
