#include "core/programsettings.h"

#include "core/atisfile.h"

#include <QDir>
#include <variant>

namespace {
using S = ProgramSettings;

const QString True = QStringLiteral("True");
const QString False = QStringLiteral("False");

// Stored as it stands.
struct Text
{
    QString S::*field;
    QString fallback;
};

// "True" or "False", any letter case on reading, or a number (0 is false).
struct Flag
{
    bool S::*field;
    bool fallback;
};

// A number within [min, max].
template <class T> struct Number
{
    T S::*field;
    T fallback;
    T min;
    T max;
};

struct Row
{
    QString key;
    std::variant<Text, Flag, Number<double>, Number<quint16>> setting;
};

// The table, in the order the section is written. Made when asked for:
// where atis.txt goes by default depends on the home and the Wine prefix.
QList<Row> rows()
{
    return {
        {QStringLiteral("ICAO"), Text{&S::ICAO, {}}},
        {QStringLiteral("Template"), Text{&S::Template, {}}},
        {QStringLiteral("LastProfile"), Text{&S::LastProfile, {}}},
        // Off at first where the radar client's folder is missing, as on a
        // fresh Linux install: every cycle would end in a write error.
        {QStringLiteral("UpdateATISFile"),
         Flag{&S::UpdateATISFile, ATISFileFolderExists(DefaultATISFilePath())}},
        {QStringLiteral("ATISFilePath"), Text{&S::ATISFilePath, DefaultATISFilePath()}},
        {QStringLiteral("SpeakNewATIS"), Flag{&S::SpeakNewATIS, false}},
        {QStringLiteral("SpeechVoice"), Text{&S::SpeechVoice, {}}},
        // The speech engine's range.
        {QStringLiteral("SpeechRate"), Number<double>{&S::SpeechRate, 0.0, -1.0, 1.0}},
        {QStringLiteral("TakeOverOnlineCode"), Flag{&S::TakeOverOnlineCode, true}},
        {QStringLiteral("ATISFileEncoding"), Text{&S::ATISFileEncoding, DefaultATISFileEncoding}},
        {QStringLiteral("GeneratorEnabled"), Flag{&S::GeneratorEnabled, true}},
        {QStringLiteral("GeneratorPort"), Number<quint16>{&S::GeneratorPort, 49150, 1, 65535}},
    };
}

template <class... F> struct Overloaded : F...
{
    using F::operator()...;
};

void setDefault(S& values, const Row& row)
{
    std::visit([&values](const auto& s) { values.*s.field = s.fallback; }, row.setting);
}

// A value that does not read as the row's kind leaves the field as it was.
void read(S& values, const Row& row, const QString& stored)
{
    const QString trimmed = stored.trimmed();
    bool isNumber = false;
    const double n = trimmed.toDouble(&isNumber);
    std::visit(Overloaded{[&](const Text& s) { values.*s.field = stored; },
                          [&](const Flag& s) {
                              if (trimmed.compare(True, Qt::CaseInsensitive) == 0)
                                  values.*s.field = true;
                              else if (trimmed.compare(False, Qt::CaseInsensitive) == 0)
                                  values.*s.field = false;
                              else if (isNumber)
                                  values.*s.field = n != 0.0;
                          },
                          [&](const auto& s) {
                              if (isNumber && n >= s.min && n <= s.max)
                                  values.*s.field = decltype(s.fallback)(n);
                          }},
               row.setting);
}

QString format(const S& values, const Row& row)
{
    return std::visit(Overloaded{[&](const Text& s) { return values.*s.field; },
                                 [&](const Flag& s) { return values.*s.field ? True : False; },
                                 [&](const auto& s) { return QString::number(values.*s.field); }},
                      row.setting);
}
} // namespace

ProgramSettings ProgramSettings::defaults()
{
    ProgramSettings values;
    for (const Row& row : rows())
        setDefault(values, row);
    return values;
}

ProgramSettings ProgramSettings::load(const SettingsStore& store)
{
    const SettingsStore::Pairs stored =
        store.GetAllSettings(Section).value_or(SettingsStore::Pairs());
    ProgramSettings values;
    for (const Row& row : rows()) {
        setDefault(values, row);
        for (const auto& [key, value] : stored) {
            if (key == row.key)
                read(values, row, value);
        }
    }
    return values;
}

bool ProgramSettings::save(SettingsStore& store) const
{
    QList<SettingsStore::Change> changes;
    for (const Row& row : rows())
        changes.append({Section, row.key, format(*this, row)});
    return store.writeTogether(changes);
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
