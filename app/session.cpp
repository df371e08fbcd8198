#include "app/session.h"

#include "app/apptexts.h"
#include "core/atisfile.h"
#include "core/atisform.h"
#include "core/dialogs.h"
#include "core/speaker.h"
#include "core/texts.h"

#include <QDir>
#include <QFileInfo>

Session::Session(const Services& services, AtisForm& form, ProfileForm& profileList)
    : m_services(services), m_form(form), m_boxes(services.dialogs),
      m_engine(form, m_boxes, services.desktop, services.fetcher, m_state, m_settings),
      m_profiles(services.store, form, profileList, m_boxes, m_state),
      m_speech(services.speaker, m_boxes, m_settings), m_generatorProfiles(services.store),
      m_currentAtis(m_engine, m_state),
      m_generator(m_generatorProfiles, [this] { return m_state.MetarServerURL; })
{
    m_engine.setOnlineCodeLookup(services.lookup);
    m_engine.setClock(services.clock);
    m_engine.setSpeech(&m_speech);
    m_generator.setCurrentAtisSource(&m_currentAtis);
    m_generator.setClock(services.clock);
}

Session::~Session()
{
    m_engine.shutDown();
    m_boxes.shutDown();
}

void Session::begin()
{
    m_form.setCodeIndex(0);
    m_state.autoUpdating = false;
    m_form.showAutoUpdate(false);
    m_state.TickCounter = 0;
    m_state.codeIsCurrent = false;
    m_form.showCodeIsCurrent(false);
    m_state.LastMetarKey.clear();

    m_settings = ProgramSettings::load(m_services.store);
    Profile shown = m_form.profile();
    shown.icao = m_settings.ICAO;
    m_form.setProfile(shown);
    m_speech.voiceAndRateChanged();
    if (!m_settings.LastProfile.isEmpty()) {
        m_profiles.LoadProfile(m_settings.LastProfile);
    } else {
        shown.templateText = Texts::DefaultTemplate;
        m_form.setProfile(shown);
    }
    m_state.ProfileDirty = false;
    m_profiles.LoadProfileList();
    // A port in use (a second instance, another program) only shows in the
    // generator's dialog: start-up goes on.
    m_generator.serve(m_settings.GeneratorEnabled, m_settings.GeneratorPort);
}

bool Session::DiscoverMetarServer()
{
    m_form.setAtisText(AppTexts::RetrievingListing + Texts::CrLf);
    const MetarServerListing listing = ReadMetarServerListing(m_services.fetcher, [this] {
        m_form.setAtisText(m_form.atisText() + AppTexts::ExtractingUrl + Texts::CrLf);
    });
    if (listing.servers.isEmpty()) {
        const QString text = listing.textFailure
                                 ? AppTexts::ListingError + Texts::CrLf + Texts::CrLf +
                                       FailureText(*listing.textFailure) + Texts::CrLf +
                                       Texts::CrLf + AppTexts::Exiting
                                 : AppTexts::NoServerUrls;
        m_boxes.message(text, Texts::ErrorTitle, Dialogs::Icon::Critical, Dialogs::Buttons::OK);
        return false;
    }
    m_state.MetarServerURL = ChooseMetarServer(listing.servers, m_services.draw);
    m_form.setAtisText(QString());
    return true;
}

void Session::chooseATISFileLocation()
{
    Dialogs::OpenFileRequest request;
    request.title = AppTexts::SelectAtisFileTitle;
    request.initialFile = m_settings.ATISFilePath;
    request.filters = {{AppTexts::AllFilesFilter, QStringLiteral("*.*")},
                       {AppTexts::TextFilesFilter, QStringLiteral("*.txt")}};
    request.selectedFilter = 1;
    request.defaultSuffix = QStringLiteral("txt");
    // The radar client may not have written its file yet: any name in an
    // existing folder will do.
    request.mustExist = false;

    const QString chosen = m_boxes.openFile(request);
    if (chosen.isEmpty())
        return;
    if (chosen.right(8).toLower() != QLatin1String("atis.txt")) {
        m_boxes.message(AppTexts::SpecifyAtisFile, Texts::ErrorTitle, Dialogs::Icon::Exclamation,
                        Dialogs::Buttons::OK);
        return;
    }
    if (!QFileInfo(chosen).absoluteDir().exists()) {
        m_boxes.message(AppTexts::AtisFolderMissing + Texts::CrLf + Texts::CrLf + chosen,
                        Texts::ErrorTitle, Dialogs::Icon::Exclamation, Dialogs::Buttons::OK);
        return;
    }
    m_settings.ATISFilePath = chosen;
    m_boxes.message(AppTexts::AtisFilePathSet + Texts::CrLf + Texts::CrLf + chosen, Texts::AppTitle,
                    Dialogs::Icon::Information, Dialogs::Buttons::OK);
}

void Session::setUpdateATISFile(bool on)
{
    if (on && !ATISFileFolderExists(m_settings.ATISFilePath))
        chooseATISFileLocation();
    m_settings.UpdateATISFile = on && ATISFileFolderExists(m_settings.ATISFilePath);
}

void Session::setSpeechVoice(const QString& voice)
{
    m_settings.SpeechVoice = voice;
    m_speech.voiceAndRateChanged();
}

void Session::setSpeechRate(double rate)
{
    m_settings.SpeechRate = rate;
    m_speech.voiceAndRateChanged();
}

void Session::serveGenerator(bool enabled, quint16 port)
{
    m_settings.GeneratorEnabled = enabled;
    m_settings.GeneratorPort = port;
    m_generator.serve(enabled, port);
}

bool Session::close(bool mayAsk)
{
    if (!m_closed) {
        m_closed = true;
        m_engine.shutDown();
        m_boxes.shutDown();
        if (m_services.abortFetch)
            m_services.abortFetch();
        m_services.speaker.stop();
        m_generator.serve(false, m_settings.GeneratorPort);
    }
    // What the window shows is kept for the next start.
    const Profile shown = m_form.profile();
    m_settings.ICAO = shown.icao;
    m_settings.Template = shown.templateText;
    m_settings.LastProfile = m_state.CurrentProfile;
    bool saved = m_settings.save(m_services.store);
    // The controller may try again (once the store is writable) or close
    // without the settings.
    while (!saved && mayAsk &&
           m_boxes.message(AppTexts::SettingsNotSaved + Texts::CrLf + Texts::CrLf +
                               AppTexts::TrySavingAgain,
                           Texts::ErrorTitle, Dialogs::Icon::Exclamation,
                           Dialogs::Buttons::YesNo) == Dialogs::Answer::Yes)
        saved = m_settings.save(m_services.store);
    if (!saved && !mayAsk)
        qWarning("%s", qPrintable(AppTexts::SettingsNotSaved));
    return saved;
}
