#include "store/config.h"

#include "core/atisfile.h"
#include "core/atisform.h"
#include "core/texts.h"

#include <QDir>
#include <QStringList>

namespace {
const QString ICAO = QStringLiteral("ICAO");
const QString Template = QStringLiteral("Template");
const QString True = QStringLiteral("True");
// A profile's template keeps its line breaks as this marker.
const QString LineBreakMarker = QStringLiteral("%vbCrLf%");

// How every on/off program setting is written.
QString flagText(bool on)
{
    return on ? True : QStringLiteral("False");
}

// "True" or "False" in any letter case, or a number (0 is false); anything
// else is on.
bool parseFlag(const QString& stored)
{
    const QString text = stored.trimmed();
    if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    if (text.compare(True, Qt::CaseInsensitive) == 0)
        return true;
    bool isNumber = false;
    const double number = text.toDouble(&isNumber);
    return !isNumber || number != 0.0;
}

// A profile's ticks are stored as numbers; text that is not one counts as
// unticked.
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

// The runway rows as stored: "id,landing,departing" rows joined by "|".
QString runwayValue(const AtisForm& form)
{
    QStringList rows;
    for (int row = 0; row < form.runwayCount(); ++row)
        rows.append(form.runwayId(row) + QLatin1Char(',') + tick(form.arrivingTicked(row)) +
                    QLatin1Char(',') + tick(form.departingTicked(row)));
    return rows.join(QLatin1Char('|'));
}

void applyRunways(AtisForm& form, const QString& value)
{
    form.clearRunways();
    if (value.isEmpty())
        return;
    for (const QString& row : value.split(QLatin1Char('|'))) {
        const QStringList fields = row.split(QLatin1Char(','));
        // A row without an identifier cannot come from the window: skip it
        // rather than show a nameless runway.
        if (fields.at(0).isEmpty())
            continue;
        form.appendRunway(fields.at(0));
        const int added = form.runwayCount() - 1;
        if (fields.size() > 1 && isOne(fields.at(1)))
            form.setArrivingTicked(added, true);
        if (fields.size() > 2 && isOne(fields.at(2)))
            form.setDepartingTicked(added, true);
    }
}
} // namespace

QList<Setting<ProgramSettings>> Config::program()
{
    using P = ProgramSettings;
    using S = const QString&;
    return {
        {ICAO, {}, [](P& p, S s) { p.ICAO = s; }, [](const P& p) { return p.ICAO; }},
        {Template, {}, [](P& p, S s) { p.Template = s; }, [](const P& p) { return p.Template; }},
        {QStringLiteral("LastProfile"),
         {},
         [](P& p, S s) { p.LastProfile = s; },
         [](const P& p) { return p.LastProfile; }},
        // Off at first where the radar client's folder is missing, as on a
        // fresh Linux install: every cycle would end in a write error.
        {QStringLiteral("UpdateATISFile"), flagText(ATISFileFolderExists(DefaultATISFilePath())),
         [](P& p, S s) { p.UpdateATISFile = parseFlag(s); },
         [](const P& p) { return flagText(p.UpdateATISFile); }},
        {QStringLiteral("ATISFilePath"), DefaultATISFilePath(),
         [](P& p, S s) { p.ATISFilePath = s; }, [](const P& p) { return p.ATISFilePath; }},
        {QStringLiteral("SpeakNewATIS"), flagText(false),
         [](P& p, S s) {
             p.speech.speakNewATIS = s.trimmed().compare(True, Qt::CaseInsensitive) == 0;
         },
         [](const P& p) { return flagText(p.speech.speakNewATIS); }},
        {QStringLiteral("SpeechVoice"),
         {},
         [](P& p, S s) { p.speech.voice = s; },
         [](const P& p) { return p.speech.voice; }},
        // The engine's range is -1 to 1; anything else is the normal rate.
        {QStringLiteral("SpeechRate"), QStringLiteral("0"),
         [](P& p, S s) {
             bool isNumber = false;
             const double rate = s.toDouble(&isNumber);
             p.speech.rate = isNumber && rate >= -1.0 && rate <= 1.0 ? rate : 0.0;
         },
         [](const P& p) { return QString::number(p.speech.rate); }},
        {QStringLiteral("TakeOverOnlineCode"), True,
         [](P& p, S s) { p.TakeOverOnlineCode = parseFlag(s); },
         [](const P& p) { return flagText(p.TakeOverOnlineCode); }},
    };
}

const QList<Setting<AtisForm>>& Config::profile()
{
    using F = AtisForm;
    using S = const QString&;
    static const QList<Setting<AtisForm>> table{
        {ICAO, {}, [](F& f, S s) { f.setIcaoText(s); }, [](const F& f) { return f.icaoText(); }},
        {Template,
         {},
         [](F& f, S s) { f.setTemplateText(QString(s).replace(LineBreakMarker, Texts::CrLf)); },
         [](const F& f) { return f.templateText().replace(Texts::CrLf, LineBreakMarker); }},
        {QStringLiteral("Runways"), {}, applyRunways, runwayValue},
        {QStringLiteral("VisualInUse"), tick(false), [](F& f, S s) { f.setVisualTicked(isOne(s)); },
         [](const F& f) { return tick(f.visualTicked()); }},
        {QStringLiteral("LAHSOInEffect"), tick(false),
         [](F& f, S s) { f.setLahsoTicked(isOne(s)); },
         [](const F& f) { return tick(f.lahsoTicked()); }},
    };
    return table;
}

ProgramSettings Config::load(const SettingsStore& store)
{
    ProgramSettings values;
    read(program(), store.GetAllSettings(Section), values);
    return values;
}

bool Config::save(SettingsStore& store, const ProgramSettings& values)
{
    return store.writeTogether(changes(program(), Section, values));
}

QString DefaultATISFilePath()
{
#ifdef Q_OS_WIN
    return QStringLiteral("C:\\Program Files\\Kovoddddd\\atis.txt");
#else
    QString prefix = qEnvironmentVariable("WINEPREFIX");
    if (prefix.isEmpty())
        prefix = QDir::homePath() + QStringLiteral("/.wine");
    while (prefix.size() > 1 && prefix.endsWith(QLatin1Char('/')))
        prefix.chop(1);
    return prefix + QStringLiteral("/drive_c/Program Files/Kovoddddd/atis.txt");
#endif
}
