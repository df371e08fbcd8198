#include "store/config.h"

#include "core/atisfile.h"

#include <QDir>

namespace {
const QString True = QStringLiteral("True");
const QString False = QStringLiteral("False");

Setting text(const QString& key, const QString& fallback = QString())
{
    return {key, Setting::Kind::Text, fallback};
}

Setting flag(const QString& key, bool fallback)
{
    return {key, Setting::Kind::Flag, fallback ? True : False};
}

Setting number(const QString& key, double fallback, double min, double max)
{
    return {key, Setting::Kind::Number, QString::number(fallback), min, max};
}
} // namespace

QList<Setting> Config::program()
{
    return {
        text(ICAO),
        text(Template),
        text(LastProfile),
        // Off at first where the radar client's folder is missing, as on a
        // fresh Linux install: every cycle would end in a write error.
        flag(UpdateATISFile, ATISFileFolderExists(DefaultATISFilePath())),
        text(ATISFilePath, DefaultATISFilePath()),
        flag(SpeakNewATIS, false),
        text(SpeechVoice),
        // The speech engine's range; anything else is the normal rate.
        number(SpeechRate, 0.0, -1.0, 1.0),
        flag(TakeOverOnlineCode, true),
        text(ATISFileEncoding, DefaultATISFileEncoding),
        flag(GeneratorEnabled, true),
        number(GeneratorPort, DefaultGeneratorPort, 1, 65535),
    };
}

QVariant Setting::parse(const QString& stored) const
{
    const QString trimmed = stored.trimmed();
    bool isNumber = false;
    const double n = trimmed.toDouble(&isNumber);
    switch (kind) {
    case Kind::Text:
        return stored;
    case Kind::Flag:
        if (trimmed.compare(True, Qt::CaseInsensitive) == 0)
            return true;
        if (trimmed.compare(False, Qt::CaseInsensitive) == 0)
            return false;
        return isNumber ? n != 0.0 : parse(fallback);
    case Kind::Number:
        return isNumber && n >= min && n <= max ? n : parse(fallback);
    }
    return stored;
}

QString Setting::format(const QVariant& value) const
{
    switch (kind) {
    case Kind::Text:
        return value.toString();
    case Kind::Flag:
        return value.toBool() ? True : False;
    case Kind::Number:
        return QString::number(value.toDouble());
    }
    return value.toString();
}

ProgramSettings Config::load(const SettingsStore& store)
{
    const SettingsStore::Pairs stored =
        store.GetAllSettings(Section).value_or(SettingsStore::Pairs());
    ProgramSettings values;
    for (const Setting& s : program()) {
        QString text = s.fallback;
        for (const auto& [key, value] : stored) {
            if (key == s.key)
                text = value;
        }
        values.set(s.key, s.parse(text));
    }
    return values;
}

bool Config::save(SettingsStore& store, const ProgramSettings& values)
{
    QList<SettingsStore::Change> changes;
    for (const Setting& s : program())
        changes.append({Section, s.key, s.format(values.value(s.key))});
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
