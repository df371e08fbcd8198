#pragma once

#include "app/profilecommands.h"
#include "app/sessioncurrentatis.h"
#include "core/atisengine.h"
#include "core/atisspeech.h"
#include "core/oneboxatatime.h"
#include "core/programsettings.h"
#include "core/sessionstate.h"
#include "net/discovery.h"
#include "serve/atisgenerator.h"
#include "serve/storeprofiles.h"

#include <QDateTime>
#include <functional>

class AtisForm;
class Desktop;
class Dialogs;
class OnlineCodeLookup;
class ProfileForm;
class SettingsStore;
class Speaker;
class TextFetcher;

// One controller's session at one airport, from start-up to close: the
// engine with its state, the profiles, the program settings, the speech and
// the local generator, and the commands the window forwards to them. It
// shows what it does through the window's form and profile list and asks
// through the dialogs; it knows no widget. main composes it with the real
// services, the tests with scripted ones.
class Session
{
public:
    struct Services
    {
        SettingsStore& store;
        TextFetcher& fetcher;
        Dialogs& dialogs;
        Desktop& desktop;
        Speaker& speaker;
        // Where the letter already on the air is looked up; null: nowhere.
        OnlineCodeLookup* lookup = nullptr;
        // The draw that picks the weather server.
        RandomDraw draw = SystemRandomDraw;
        // The clock the age of a METAR is measured with (UTC).
        std::function<QDateTime()> clock = &QDateTime::currentDateTimeUtc;
        // Ends a fetch that is waiting, when the program closes.
        std::function<void()> abortFetch = {};
    };

    Session(const Services& services, AtisForm& form, ProfileForm& profileList);
    ~Session();

    // Start-up up to the weather server discovery: the code list at its
    // first code, auto-update off, the program settings read and shown, the
    // last profile (or the default template) and the profile list, leaving
    // no unsaved changes; the generator serving when it is on.
    void begin();
    // The weather server discovery that ends start-up. False after telling
    // the controller: without a server the program must end, unsaved.
    bool DiscoverMetarServer();

    // Auto-update and the ATIS
    void ToggleAutoUpdate() { m_engine.ToggleAutoUpdate(); }
    void RefreshATIS() { m_engine.RefreshATIS(); }
    void tick() { m_engine.tick(); }
    void chooseCode() { m_engine.chooseCode(); }
    void copy() { m_engine.copy(); }
    void airportEdited() { m_engine.airportEdited(); }
    // Whether the profile's letters may change to these now; when not, the
    // controller has been told (see MayChangeLetters).
    bool mayChangeLetters(const LetterRange& letters)
    {
        return MayChangeLetters(letters, m_form, m_state, m_boxes);
    }

    // Profiles
    void loadChosenProfile() { m_profiles.loadChosenProfile(); }
    void SaveProfile() { m_profiles.SaveProfile(); }
    void deleteChosenProfile() { m_profiles.deleteChosenProfile(); }
    void markProfileChanged() { m_profiles.markProfileChanged(); }
    // Asks about unsaved profile changes; false: the controller cancelled.
    bool ConfirmExit() { return m_profiles.ConfirmExit(); }

    // Options
    // "ATIS.txt Location": asks for the radar client's atis.txt and keeps the
    // path when the chosen name ends in atis.txt and its folder exists; the
    // file itself need not exist yet. Cancelled, nothing changes.
    void chooseATISFileLocation();
    // "Update ATIS.txt Automatically". Turned on where the folder of
    // atis.txt does not exist (a fresh install with no radar client's folder
    // yet), the location is asked for first, and it stays on only once the
    // folder exists: otherwise every cycle would end in a write error.
    void setUpdateATISFile(bool on);
    void setTakeOverOnlineCode(bool on) { m_settings.TakeOverOnlineCode = on; }
    void setSpeakNewATIS(bool on) { m_settings.SpeakNewATIS = on; }
    void setSpeechVoice(const QString& voice);
    void setSpeechRate(double rate);
    // Serves (or stops) the generator there at once; the choice is kept
    // with the other settings.
    void serveGenerator(bool enabled, quint16 port);

    // The close: everything stops (a cycle waiting for its reply or its
    // message box ends silently), then the settings are written. When they
    // cannot be, and mayAsk, the controller may try again. False when the
    // settings were not written.
    bool close(bool mayAsk);

    // What the window shows.
    const SessionState& state() const { return m_state; }
    const ProgramSettings& settings() const { return m_settings; }
    const AtisEngine& engine() const { return m_engine; }
    AtisSpeech& speech() { return m_speech; }
    AtisGenerator& generator() { return m_generator; }
    const std::function<QDateTime()>& clock() const { return m_services.clock; }
    // The window's own questions and messages go through here too, so that
    // one box opens at a time.
    Dialogs& dialogs() { return m_boxes; }

private:
    Services m_services;
    AtisForm& m_form;
    OneBoxAtATime m_boxes;
    SessionState m_state;
    ProgramSettings m_settings = ProgramSettings::defaults();
    AtisEngine m_engine;
    ProfileCommands m_profiles;
    AtisSpeech m_speech;
    StoreProfiles m_generatorProfiles;
    SessionCurrentAtis m_currentAtis;
    // Declared after what it reads, so that it ends first.
    AtisGenerator m_generator;
    bool m_closed = false;
};
