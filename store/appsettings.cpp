#include "store/appsettings.h"

#include "core/atisform.h"
#include "core/atisspeech.h"
#include "core/sessionstate.h"
#include "core/settingsstore.h"
#include "core/texts.h"
#include "store/profilecommands.h"

#include <QDir>

namespace {
// How every on/off setting is written.
QString flagText(bool on)
{
    return on ? QStringLiteral("True") : QStringLiteral("False");
}
} // namespace

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

bool ParseUpdateATISFile(const QString& stored)
{
    const QString text = stored.trimmed();
    if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    bool isNumber = false;
    const double number = text.toDouble(&isNumber);
    return !isNumber || number != 0.0;
}

void LoadStartupSettings(SettingsStore& store, AtisForm& form, ProfileCommands& profiles,
                         SessionState& state)
{
    using namespace AppSettings;
    form.setCodeIndex(0);
    form.setTimerEnabled(false);
    state.TickCounter = 0;
    form.setCodeLabel(Texts::StartingCode);
    state.LastMetarKey.clear();
    form.setIcaoText(store.GetSetting(Section, ICAO));
    const QString lastProfile = store.GetSetting(Section, LastProfile);
    form.setUpdateATISFileChecked(
        ParseUpdateATISFile(store.GetSetting(Section, UpdateATISFile, QStringLiteral("True"))));
    state.ATISFilePath = store.GetSetting(Section, ATISFilePath, DefaultATISFilePath());
    if (!lastProfile.isEmpty())
        profiles.LoadProfile(lastProfile);
    else
        form.setTemplateText(Texts::DefaultTemplate);
    state.ProfileDirty = false;
    profiles.LoadProfileList();
}

bool SaveSettings(SettingsStore& store, const AtisForm& form, const SessionState& state)
{
    using namespace AppSettings;
    // Every write is tried even when one fails, so that as much as possible
    // of the session survives.
    bool ok = store.SaveSetting(Section, ICAO, form.icaoText());
    ok &= store.SaveSetting(Section, Template, form.templateText());
    ok &= store.SaveSetting(Section, LastProfile, state.CurrentProfile);
    ok &= store.SaveSetting(Section, UpdateATISFile, flagText(form.updateATISFileChecked()));
    ok &= store.SaveSetting(Section, ATISFilePath, state.ATISFilePath);
    return ok;
}

SpeechSettings LoadSpeechSettings(SettingsStore& store)
{
    using namespace AppSettings;
    SpeechSettings speech;
    speech.speakNewATIS = store.GetSetting(Section, SpeakNewATIS, QStringLiteral("False"))
                              .trimmed()
                              .compare(QLatin1String("True"), Qt::CaseInsensitive) == 0;
    speech.voice = store.GetSetting(Section, SpeechVoice);
    bool isNumber = false;
    const double rate =
        store.GetSetting(Section, SpeechRate, QStringLiteral("0")).toDouble(&isNumber);
    speech.rate = isNumber && rate >= -1.0 && rate <= 1.0 ? rate : 0.0;
    return speech;
}

bool SaveSpeechSettings(SettingsStore& store, const SpeechSettings& speech)
{
    using namespace AppSettings;
    bool ok = store.SaveSetting(Section, SpeakNewATIS, flagText(speech.speakNewATIS));
    ok &= store.SaveSetting(Section, SpeechVoice, speech.voice);
    ok &= store.SaveSetting(Section, SpeechRate, QString::number(speech.rate));
    return ok;
}

bool LoadTakeOverOnlineCode(const SettingsStore& store)
{
    return ParseUpdateATISFile(store.GetSetting(
        AppSettings::Section, AppSettings::TakeOverOnlineCode, QStringLiteral("True")));
}

bool SaveTakeOverOnlineCode(SettingsStore& store, bool on)
{
    return store.SaveSetting(AppSettings::Section, AppSettings::TakeOverOnlineCode, flagText(on));
}
