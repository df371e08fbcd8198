#include "core/sessionstate.h"
#include "store/profilecommands.h"
#include "store/qsettingsstore.h"
#include "store/storetexts.h"
#include "tests/support/fakeform.h"
#include "tests/support/fakeprofileform.h"
#include "tests/support/ordinaryuser.h"
#include "tests/support/scripteddialogs.h"
#include "tests/support/temporaryhome.h"
#include "tests/support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QTest>

using Answer = Dialogs::Answer;

class TestProfiles : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void workedExampleIsStoredExactly();
    void workedExampleLoadsBack();
    void templateLineBreaks_data();
    void templateLineBreaks();
    void storedDataTheWindowNeverWrites_data();
    void storedDataTheWindowNeverWrites();
    void missingProfileChangesNothing();
    void listIsSortedAndSelectsCurrent();
    void proposedName();
    void overwriteQuestion_data();
    void overwriteQuestion();
    void overwriteReplacesAllKeys();
    void promptSaveProfile_data();
    void promptSaveProfile();
    void loadCommand();
    void loadAfterSaveKeepsTheChosenProfile();
    void deletion();
    void anotherInstanceMeanwhile();
    void failedWritesChangeNothing();

private:
    void fillKbosWest();
    TemporaryHome m_env;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QSettingsStore> m_store;
    FakeForm m_form;
    FakeProfileForm m_list;
    ScriptedDialogs m_dialogs;
    SessionState m_state;
    std::unique_ptr<ProfileCommands> m_profiles;
};

void TestProfiles::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_store = std::make_unique<QSettingsStore>(m_dir->filePath("store.ini"));
    m_form = FakeForm();
    m_list = FakeProfileForm();
    m_dialogs = ScriptedDialogs();
    m_state = SessionState();
    m_profiles = std::make_unique<ProfileCommands>(*m_store, m_form, m_list, m_dialogs, m_state);
}

void TestProfiles::fillKbosWest()
{
    m_form.icao = "KBOS";
    m_form.templ = "Information %id% Winds $wind(%icao%)\r\n%runways%";
    m_form.rows = {
        {"4R", true, false}, {"4L", true, true}, {"9", false, true}, {"33L", false, false}};
    m_form.visual = true;
    m_form.lahso = false;
}

void TestProfiles::workedExampleIsStoredExactly()
{
    fillKbosWest();
    m_state.ProfileDirty = true;
    m_dialogs.inputs = {"KBOS west"};
    QVERIFY(m_profiles->SaveProfile());
    QCOMPARE(m_dialogs.asked.at(0).prompt, StoreTexts::EnterProfileName);
    QCOMPARE(m_dialogs.asked.at(0).title, QStringLiteral("Save Profile"));
    QCOMPARE(m_dialogs.asked.at(0).proposed, QStringLiteral("KBOS"));

    QSettingsStore reread(m_dir->filePath("store.ini"));
    QCOMPARE(*reread.GetAllSettings("Profiles"), (SettingsStore::Pairs{{"KBOS west", "1"}}));
    const QString section = "Profiles\\KBOS west";
    QCOMPARE(reread.GetAllSettings(section)->size(), 5);
    QCOMPARE(reread.GetSetting(section, "ICAO"), QStringLiteral("KBOS"));
    QCOMPARE(reread.GetSetting(section, "Template"),
             QStringLiteral("Information %id% Winds $wind(%icao%)%vbCrLf%%runways%"));
    QCOMPARE(reread.GetSetting(section, "Runways"), QStringLiteral("4R,1,0|4L,1,1|9,0,1|33L,0,0"));
    QCOMPARE(reread.GetSetting(section, "VisualInUse"), QStringLiteral("1"));
    QCOMPARE(reread.GetSetting(section, "LAHSOInEffect"), QStringLiteral("0"));

    QCOMPARE(m_state.CurrentProfile, QStringLiteral("KBOS west"));
    QVERIFY(!m_state.ProfileDirty);
    QCOMPARE(m_list.entries, QStringList{"KBOS west"});
    QCOMPARE(m_list.selected, 0);
    QCOMPARE(m_dialogs.shown.size(), 1);
    QCOMPARE(m_dialogs.shown[0].text, QStringLiteral("Profile Saved!"));
    QCOMPARE(m_dialogs.shown[0].title, QStringLiteral("Briefcast"));
    QCOMPARE(m_dialogs.shown[0].icon, Dialogs::Icon::Information);
}

void TestProfiles::workedExampleLoadsBack()
{
    // Written in the stored format by someone else: it loads the same.
    const QString section = "Profiles\\KBOS west";
    m_store->SaveSetting("Profiles", "KBOS west", "1");
    m_store->SaveSetting(section, "ICAO", "KBOS");
    m_store->SaveSetting(section, "Template",
                         "Information %id% Winds $wind(%icao%)%vbCrLf%%runways%");
    m_store->SaveSetting(section, "Runways", "4R,1,0|4L,1,1|9,0,1|33L,0,0");
    m_store->SaveSetting(section, "VisualInUse", "1");
    m_store->SaveSetting(section, "LAHSOInEffect", "0");
    m_form.rows = {{"old", true, true}};
    m_form.lahso = true;
    m_state.ProfileDirty = true;
    m_profiles->LoadProfile("KBOS west");

    QCOMPARE(m_form.icao, QStringLiteral("KBOS"));
    QCOMPARE(m_form.templ, QStringLiteral("Information %id% Winds $wind(%icao%)\r\n%runways%"));
    QCOMPARE(m_form.rows.size(), 4);
    const QList<FakeForm::Row> expected{
        {"4R", true, false}, {"4L", true, true}, {"9", false, true}, {"33L", false, false}};
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(m_form.rows[i].id, expected[i].id);
        QCOMPARE(m_form.rows[i].arriving, expected[i].arriving);
        QCOMPARE(m_form.rows[i].departing, expected[i].departing);
    }
    QVERIFY(m_form.visual);
    QVERIFY(!m_form.lahso);
    QCOMPARE(m_state.CurrentProfile, QStringLiteral("KBOS west"));
    QVERIFY(!m_state.ProfileDirty);
    QVERIFY(m_list.entries.isEmpty()); // loading leaves the list alone
}

void TestProfiles::templateLineBreaks_data()
{
    QTest::addColumn<QString>("templ");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("loaded");
    QTest::newRow("three lines") << "a\r\nb\r\nc"
                                 << "a%vbCrLf%b%vbCrLf%c"
                                 << "a\r\nb\r\nc";
    QTest::newRow("marker typed in") << "x %vbCrLf% y"
                                     << "x %vbCrLf% y"
                                     << "x \r\n y";
    QTest::newRow("lone cr and lf") << "a\rb\nc"
                                    << "a\rb\nc"
                                    << "a\rb\nc";
    QTest::newRow("other case") << "%VBCRLF%"
                                << "%VBCRLF%"
                                << "%VBCRLF%";
    QTest::newRow("empty") << ""
                           << ""
                           << "";
}

void TestProfiles::templateLineBreaks()
{
    QFETCH(QString, templ);
    QFETCH(QString, stored);
    QFETCH(QString, loaded);
    m_form.templ = templ;
    m_dialogs.inputs = {"P"};
    QVERIFY(m_profiles->SaveProfile());
    QCOMPARE(m_store->GetSetting("Profiles\\P", "Template"), stored);
    m_form.templ = "changed";
    m_profiles->LoadProfile("P");
    QCOMPARE(m_form.templ, loaded);
}

void TestProfiles::storedDataTheWindowNeverWrites_data()
{
    QTest::addColumn<QString>("runways");
    QTest::addColumn<QString>("visual");
    QTest::addColumn<QString>("rows"); // id:arriving:departing, space separated
    QTest::addColumn<bool>("visualTicked");
    QTest::newRow("empty value") << ""
                                 << "1"
                                 << "" << true;
    QTest::newRow("identifier only") << "27"
                                     << "0"
                                     << "27:0:0" << false;
    QTest::newRow("two fields") << "27,1"
                                << "0"
                                << "27:1:0" << false;
    QTest::newRow("extra fields") << "27,1,1,1,9"
                                  << "0"
                                  << "27:1:1" << false;
    QTest::newRow("flags not numbers") << "27,yes,x|09,,1"
                                       << "ticked"
                                       << "27:0:0 09:0:1" << false;
    QTest::newRow("flags as other numbers") << "27,2,1.0|09, 1 ,0"
                                            << "2"
                                            << "27:0:1 09:1:0" << false;
    QTest::newRow("empty rows skipped") << "|27,1,0||"
                                        << "1"
                                        << "27:1:0" << true;
    QTest::newRow("only separators") << "|||,,,"
                                     << ""
                                     << "" << false;
}

void TestProfiles::storedDataTheWindowNeverWrites()
{
    QFETCH(QString, runways);
    QFETCH(QString, visual);
    QFETCH(QString, rows);
    QFETCH(bool, visualTicked);
    m_store->SaveSetting("Profiles", "odd", "1");
    m_store->SaveSetting("Profiles\\odd", "Runways", runways);
    m_store->SaveSetting("Profiles\\odd", "VisualInUse", visual);
    m_store->SaveSetting("Profiles\\odd", "Unknown key", "ignored");
    m_form.icao = "KSEA";
    m_profiles->LoadProfile("odd");
    QStringList got;
    for (const FakeForm::Row& r : m_form.rows)
        got.append(QStringLiteral("%1:%2:%3").arg(r.id).arg(int(r.arriving)).arg(int(r.departing)));
    QCOMPARE(got.join(' '), rows);
    QCOMPARE(m_form.visual, visualTicked);
    // Missing keys leave the reset values.
    QCOMPARE(m_form.icao, QString());
    QCOMPARE(m_form.templ, QString());
    QCOMPARE(m_state.CurrentProfile, QStringLiteral("odd"));
}

void TestProfiles::missingProfileChangesNothing()
{
    m_store->SaveSetting("Profiles", "index only", "1");
    m_store->SaveSetting("Profiles\\section only", "ICAO", "KJFK");
    fillKbosWest();
    m_state.CurrentProfile = "before";
    m_state.ProfileDirty = true;
    m_profiles->LoadProfile("index only");
    m_profiles->LoadProfile("no such profile");
    QCOMPARE(m_form.icao, QStringLiteral("KBOS"));
    QCOMPARE(m_form.rows.size(), 4);
    QCOMPARE(m_state.CurrentProfile, QStringLiteral("before"));
    QVERIFY(m_state.ProfileDirty);
    m_profiles->LoadProfileList();
    QCOMPARE(m_list.entries, QStringList{"index only"});
    QVERIFY(m_dialogs.shown.isEmpty());
}

void TestProfiles::listIsSortedAndSelectsCurrent()
{
    for (const char* name : {"kbos", "KSEA", "EGLL", "KBOS", "a/b"})
        m_store->SaveSetting("Profiles", name, "1");
    m_state.CurrentProfile = "KBOS";
    m_profiles->LoadProfileList();
    QCOMPARE(m_list.entries, (QStringList{"a/b", "EGLL", "KBOS", "kbos", "KSEA"}));
    QCOMPARE(m_list.selectedText(), QStringLiteral("KBOS"));
    m_state.CurrentProfile.clear();
    m_profiles->LoadProfileList();
    QCOMPARE(m_list.selected, -1);
}

void TestProfiles::proposedName()
{
    m_form.icao = "KSEA";
    QVERIFY(!m_profiles->SaveProfile()); // cancelled: nothing written
    QCOMPARE(m_dialogs.asked.last().proposed, QStringLiteral("KSEA"));
    QVERIFY(!m_store->GetAllSettings("Profiles"));
    m_state.CurrentProfile = "KBOS";
    QVERIFY(!m_profiles->SaveProfile());
    QCOMPARE(m_dialogs.asked.last().proposed, QStringLiteral("KBOS"));
    QCOMPARE(m_state.CurrentProfile, QStringLiteral("KBOS"));
}

void TestProfiles::overwriteQuestion_data()
{
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<QList<Answer>>("answers");
    QTest::addColumn<bool>("saved");
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<int>("questions");
    QTest::newRow("yes") << QStringList{"KBOS"} << QList<Answer>{Answer::Yes} << true
                         << QStringList{"KBOS"} << 1;
    QTest::newRow("cancel") << QStringList{"KBOS"} << QList<Answer>{Answer::Cancel} << false
                            << QStringList{"KBOS"} << 1;
    QTest::newRow("no, then a new name")
        << QStringList{"KBOS", "KBOS 2"} << QList<Answer>{Answer::No} << true
        << QStringList{"KBOS", "KBOS 2"} << 1;
    QTest::newRow("no, then cancel the prompt")
        << QStringList{"KBOS"} << QList<Answer>{Answer::No} << false << QStringList{"KBOS"} << 1;
    QTest::newRow("other case is another name")
        << QStringList{"kbos"} << QList<Answer>{} << true << QStringList{"KBOS", "kbos"} << 0;
}

void TestProfiles::overwriteQuestion()
{
    QFETCH(QStringList, inputs);
    QFETCH(QList<Answer>, answers);
    QFETCH(bool, saved);
    QFETCH(QStringList, listed);
    QFETCH(int, questions);
    m_store->SaveSetting("Profiles", "KBOS", "1");
    m_store->SaveSetting("Profiles\\KBOS", "ICAO", "stored");
    m_profiles->LoadProfileList();
    m_form.icao = "typed";
    m_dialogs.inputs = inputs;
    m_dialogs.answers = answers;
    QCOMPARE(m_profiles->SaveProfile(), saved);
    int asked = 0;
    for (const auto& s : m_dialogs.shown) {
        if (s.title == QLatin1String("Confirm Overwrite")) {
            ++asked;
            QCOMPARE(s.text, QStringLiteral(
                                 "A profile with the name \"KBOS\" already exists. Overwrite it?"));
            QCOMPARE(s.icon, Dialogs::Icon::Question);
            QCOMPARE(s.buttons, Dialogs::Buttons::YesNoCancel);
        }
    }
    QCOMPARE(asked, questions);
    if (answers.value(0) == Answer::No)
        QCOMPARE(m_dialogs.asked.at(1).proposed, QStringLiteral("KBOS"));
    QCOMPARE(m_list.entries, listed);
    const bool overwritten = saved && inputs.last() == QLatin1String("KBOS");
    QCOMPARE(m_store->GetSetting("Profiles\\KBOS", "ICAO"),
             overwritten ? QStringLiteral("typed") : QStringLiteral("stored"));
}

void TestProfiles::overwriteReplacesAllKeys()
{
    fillKbosWest();
    m_dialogs.inputs = {"P", "P"};
    QVERIFY(m_profiles->SaveProfile());
    m_form = FakeForm();
    m_form.templ.clear();
    QVERIFY(m_profiles->SaveProfile());
    QCOMPARE(*m_store->GetAllSettings("Profiles"), (SettingsStore::Pairs{{"P", "1"}}));
    const auto keys = *m_store->GetAllSettings("Profiles\\P");
    QCOMPARE(keys.size(), 5);
    for (const auto& [key, value] : keys)
        QVERIFY2(value.isEmpty() || value == "0", qPrintable(key + "=" + value));
}

void TestProfiles::promptSaveProfile_data()
{
    QTest::addColumn<bool>("dirty");
    QTest::addColumn<QString>("current");
    QTest::addColumn<QList<Answer>>("answers");
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<bool>("goOn");
    QTest::addColumn<QString>("question");
    QTest::newRow("nothing unsaved")
        << false << "" << QList<Answer>{} << QStringList{} << true << "";
    QTest::newRow("no profile, cancel") << true << "" << QList<Answer>{Answer::Cancel}
                                        << QStringList{} << false << StoreTexts::SaveAsProfile;
    QTest::newRow("no profile, no") << true << "" << QList<Answer>{Answer::No} << QStringList{}
                                    << true << StoreTexts::SaveAsProfile;
    QTest::newRow("no profile, yes, prompt cancelled")
        << true << "" << QList<Answer>{Answer::Yes} << QStringList{} << false
        << StoreTexts::SaveAsProfile;
    QTest::newRow("no profile, yes, saved")
        << true << "" << QList<Answer>{Answer::Yes} << QStringList{"KSEA"} << true
        << StoreTexts::SaveAsProfile;
    QTest::newRow("profile, yes, overwrite cancelled")
        << true << "KSEA" << QList<Answer>{Answer::Yes, Answer::Cancel} << QStringList{"KSEA"}
        << false << StoreTexts::UpdateSavedProfile;
    QTest::newRow("profile, yes, overwritten")
        << true << "KSEA" << QList<Answer>{Answer::Yes, Answer::Yes} << QStringList{"KSEA"} << true
        << StoreTexts::UpdateSavedProfile;
}

void TestProfiles::promptSaveProfile()
{
    QFETCH(bool, dirty);
    QFETCH(QString, current);
    QFETCH(QList<Answer>, answers);
    QFETCH(QStringList, inputs);
    QFETCH(bool, goOn);
    QFETCH(QString, question);
    m_store->SaveSetting("Profiles", "KSEA", "1");
    m_store->SaveSetting("Profiles\\KSEA", "ICAO", "KSEA");
    m_profiles->LoadProfileList();
    m_form.icao = "KSEA";
    m_state.ProfileDirty = dirty;
    m_state.CurrentProfile = current;
    m_dialogs.answers = answers;
    m_dialogs.inputs = inputs;
    QCOMPARE(m_profiles->ConfirmExit(), goOn);
    if (question.isEmpty()) {
        QVERIFY(m_dialogs.shown.isEmpty());
        return;
    }
    QCOMPARE(m_dialogs.shown[0].text, question);
    QCOMPARE(m_dialogs.shown[0].title, QStringLiteral("Confirm Save"));
    QCOMPARE(m_dialogs.shown[0].buttons, Dialogs::Buttons::YesNoCancel);
    // Only a completed save clears the flag.
    QCOMPARE(m_state.ProfileDirty, !(goOn && answers.value(0) == Answer::Yes));
}

void TestProfiles::loadCommand()
{
    m_store->SaveSetting("Profiles", "KSEA", "1");
    m_store->SaveSetting("Profiles\\KSEA", "ICAO", "KSEA");
    m_profiles->LoadProfileList();

    // Nothing selected, nothing unsaved: only the message.
    m_profiles->cmdLoad_Click();
    QCOMPARE(m_dialogs.shown.size(), 1);
    QCOMPARE(m_dialogs.shown[0].text, QStringLiteral("No profile selected!"));
    QCOMPARE(m_dialogs.shown[0].title, QStringLiteral("Error"));
    QCOMPARE(m_dialogs.shown[0].icon, Dialogs::Icon::Exclamation);

    // Unsaved changes are asked about first; Cancel leaves everything.
    m_list.select("KSEA");
    m_form.icao = "edited";
    m_state.ProfileDirty = true;
    m_dialogs.answers = {Answer::Cancel};
    m_profiles->cmdLoad_Click();
    QCOMPARE(m_form.icao, QStringLiteral("edited"));
    QVERIFY(m_state.ProfileDirty);
    // No: the changes are dropped and the profile loads.
    m_dialogs.answers = {Answer::No};
    m_profiles->cmdLoad_Click();
    QCOMPARE(m_form.icao, QStringLiteral("KSEA"));
    QCOMPARE(m_state.CurrentProfile, QStringLiteral("KSEA"));
    QVERIFY(!m_state.ProfileDirty);
}

void TestProfiles::loadAfterSaveKeepsTheChosenProfile()
{
    for (const char* name : {"KBOS", "KSEA"}) {
        m_store->SaveSetting("Profiles", name, "1");
        m_store->SaveSetting(QStringLiteral("Profiles\\") + name, "ICAO", name);
    }
    m_state.CurrentProfile = "KBOS";
    m_profiles->LoadProfileList();
    m_list.select("KSEA");
    m_form.icao = "KBOS edited";
    m_state.ProfileDirty = true;
    m_dialogs.answers = {Answer::Yes, Answer::Yes}; // update the saved profile, overwrite it
    m_dialogs.inputs = {"KBOS"};
    m_profiles->cmdLoad_Click();
    QCOMPARE(m_store->GetSetting("Profiles\\KBOS", "ICAO"), QStringLiteral("KBOS edited"));
    QCOMPARE(m_state.CurrentProfile, QStringLiteral("KSEA"));
    QCOMPARE(m_form.icao, QStringLiteral("KSEA"));
    QCOMPARE(m_list.selectedText(), QStringLiteral("KSEA"));
}

void TestProfiles::deletion()
{
    for (const char* name : {"KBOS", "KSEA"}) {
        m_store->SaveSetting("Profiles", name, "1");
        m_store->SaveSetting(QStringLiteral("Profiles\\") + name, "ICAO", name);
    }
    m_state.CurrentProfile = "KBOS";
    m_profiles->LoadProfileList();

    m_list.selected = -1;
    m_profiles->cmdDelete_Click(); // nothing selected: nothing happens
    QVERIFY(m_dialogs.shown.isEmpty());

    m_list.select("KBOS");
    m_dialogs.answers = {Answer::No};
    m_profiles->cmdDelete_Click();
    QCOMPARE(m_dialogs.shown[0].text,
             QStringLiteral("Are you sure you wish to delete the profile \"KBOS\"?"));
    QCOMPARE(m_dialogs.shown[0].title, QStringLiteral("Confirm Delete"));
    QCOMPARE(m_dialogs.shown[0].buttons, Dialogs::Buttons::YesNo);
    QCOMPARE(m_store->GetAllSettings("Profiles")->size(), 2);

    m_dialogs.answers = {Answer::Yes};
    m_profiles->cmdDelete_Click();
    QCOMPARE(m_list.entries, QStringList{"KSEA"});
    QCOMPARE(m_list.selected, -1);
    QVERIFY(!m_store->GetAllSettings("Profiles\\KBOS"));
    QCOMPARE(m_store->GetSetting("Profiles\\KSEA", "ICAO"), QStringLiteral("KSEA"));
    QCOMPARE(m_state.CurrentProfile, QStringLiteral("KBOS"));
    QVERIFY(m_state.ProfileDirty);

    // The deleted name is offered again and written without a question.
    m_dialogs = ScriptedDialogs();
    m_dialogs.inputs = {"KBOS"};
    QVERIFY(m_profiles->ConfirmExit());
    QCOMPARE(m_dialogs.shown[0].text, StoreTexts::UpdateSavedProfile);
    QCOMPARE(m_dialogs.asked[0].proposed, QStringLiteral("KBOS"));
    QCOMPARE(m_list.entries, (QStringList{"KBOS", "KSEA"}));
}

void TestProfiles::anotherInstanceMeanwhile()
{
    // This instance started with KBOS listed; another one then saved AAA
    // and deleted KBOS in the same file.
    m_store->SaveSetting("Profiles", "KBOS", "1");
    m_store->SaveSetting("Profiles\\KBOS", "ICAO", "KBOS");
    m_profiles->LoadProfileList();
    QSettingsStore otherStore(m_dir->filePath("store.ini"));
    FakeForm otherForm;
    FakeProfileForm otherList;
    ScriptedDialogs otherDialogs;
    SessionState otherState;
    ProfileCommands other(otherStore, otherForm, otherList, otherDialogs, otherState);
    otherForm.icao = "theirs";
    otherDialogs.inputs = {"AAA"};
    QVERIFY(other.SaveProfile());
    otherList.select("KBOS");
    other.cmdDelete_Click();

    // Saving AAA here asks first, and the list now shows what is stored.
    m_form.icao = "mine";
    m_dialogs.inputs = {"AAA"};
    m_dialogs.answers = {Answer::Cancel};
    QVERIFY(!m_profiles->SaveProfile());
    QCOMPARE(m_dialogs.shown.size(), 1);
    QCOMPARE(m_dialogs.shown[0].title, QStringLiteral("Confirm Overwrite"));
    QCOMPARE(m_list.entries, QStringList{"AAA"});
    QCOMPARE(m_store->GetSetting("Profiles\\AAA", "ICAO"), QStringLiteral("theirs"));

    // Loading a profile the other instance deleted says so.
    m_list.select("AAA");
    otherList.select("AAA");
    other.cmdDelete_Click();
    m_state.CurrentProfile = "mine";
    m_profiles->cmdLoad_Click();
    QCOMPARE(m_dialogs.shown.size(), 2);
    QCOMPARE(m_dialogs.shown[1].text, QStringLiteral("The profile \"AAA\" no longer exists."));
    QCOMPARE(m_dialogs.shown[1].title, QStringLiteral("Error"));
    QCOMPARE(m_dialogs.shown[1].icon, Dialogs::Icon::Exclamation);
    QVERIFY(m_list.entries.isEmpty());
    QCOMPARE(m_form.icao, QStringLiteral("mine"));
    QCOMPARE(m_state.CurrentProfile, QStringLiteral("mine"));
}

void TestProfiles::failedWritesChangeNothing()
{
    OrdinaryUser user;
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("Briefcast.conf");
    QSettingsStore store(path);
    ProfileCommands profiles(store, m_form, m_list, m_dialogs, m_state);
    fillKbosWest();
    m_dialogs.inputs = {"KBOS"};
    QVERIFY(profiles.SaveProfile());
    const QByteArray saved = readFile(path);

    // Read-only: a failed save and a failed delete leave the list, the
    // window and the file as they were, and a close is not let through.
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner));
    m_form.icao = "KSEA";
    m_state.ProfileDirty = true;
    m_dialogs = ScriptedDialogs();
    m_dialogs.answers = {Answer::Yes, Answer::OK, Answer::Yes};
    m_dialogs.inputs = {"NEWONE"};
    QVERIFY(!profiles.ConfirmExit());
    profiles.cmdDelete_Click();
    QCOMPARE(m_dialogs.shown.size(), 4);
    QCOMPARE(m_dialogs.shown[1].text, StoreTexts::ProfileNotSaved);
    QCOMPARE(m_dialogs.shown[1].title, QStringLiteral("Error"));
    QCOMPARE(m_dialogs.shown[1].icon, Dialogs::Icon::Exclamation);
    QCOMPARE(m_dialogs.shown[3].text, StoreTexts::ProfileNotDeleted);
    QCOMPARE(m_list.entries, QStringList{"KBOS"});
    QCOMPARE(m_list.selectedText(), QStringLiteral("KBOS"));
    QCOMPARE(m_state.CurrentProfile, QStringLiteral("KBOS"));
    QVERIFY(m_state.ProfileDirty);
    QCOMPARE(m_form.icao, QStringLiteral("KSEA"));
    QCOMPARE(readFile(path), saved);

    // Writable again: the next save is whole and reported as saved, and
    // nothing of the failed ones comes with it.
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
    m_dialogs = ScriptedDialogs();
    m_dialogs.inputs = {"P2"};
    QVERIFY(profiles.SaveProfile());
    QCOMPARE(m_dialogs.shown.last().text, StoreTexts::ProfileSaved);
    QSettingsStore reread(path);
    QCOMPARE(*reread.GetAllSettings("Profiles"),
             (SettingsStore::Pairs{{"KBOS", "1"}, {"P2", "1"}}));
    QCOMPARE(reread.GetAllSettings("Profiles\\KBOS")->size(), 5);
    QCOMPARE(reread.GetAllSettings("Profiles\\P2")->size(), 5);
    QVERIFY(!reread.GetAllSettings("Profiles\\NEWONE"));
}

QTEST_GUILESS_MAIN(TestProfiles)
#include "test_profiles.moc"
