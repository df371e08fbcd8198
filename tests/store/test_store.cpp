// The settings store, the profile commands and the program settings over a
// real INI file in a temporary folder.
#include "core/sessionstate.h"
#include "store/appsettings.h"
#include "store/config.h"
#include "store/profilecommands.h"
#include "store/qsettingsstore.h"
#include "tests/support/fakeform.h"
#include "tests/support/fakeprofileform.h"
#include "tests/support/ordinaryuser.h"
#include "tests/support/scripteddialogs.h"
#include "tests/support/temporaryhome.h"
#include "tests/support/testfiles.h"

#include <QSettings>
#include <QTest>
#include <sys/stat.h>

using Answer = Dialogs::Answer;
using Pairs = SettingsStore::Pairs;

class TestStore : public QObject
{
    Q_OBJECT
    TemporaryHome m_home;
    QString m_file = m_home.path() + "/Briefcast.conf";
    std::unique_ptr<QSettingsStore> m_store;
    FakeForm m_form;
    FakeProfileForm m_list;
    ScriptedDialogs m_dialogs;
    SessionState m_state;
    std::unique_ptr<ProfileCommands> m_profiles;

    void write(const QByteArray& content)
    {
        QFile f(m_file);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(content) == content.size());
    }
    // Profile in use, flag | list, [selected] | the form's ICAO | KBOS's stored ICAO.
    QString state() const
    {
        QStringList list = m_list.entries;
        if (m_list.selected >= 0)
            list[m_list.selected] = "[" + list[m_list.selected] + "]";
        return m_state.CurrentProfile + (m_state.ProfileDirty ? " dirty" : "") + " | " +
               list.join(' ') + " | " + m_form.icao + " | " +
               m_store->GetSetting("Profiles\\KBOS", "ICAO", "-");
    }
    // The boxes shown, by the letters below, then "?name" for every name
    // asked for, proposing that name.
    QString shown() const
    {
        const QMap<QString, QString> boxes{
            {"S", "Briefcast: Profile Saved!"},
            {"O",
             "Confirm Overwrite: A profile with the name \"KBOS\" already exists. Overwrite it?"},
            {"A", "Confirm Save: Would you like to save the current settings as a profile?"},
            {"U", "Confirm Save: The current profile has unsaved changes. Would you like to update "
                  "the saved profile?"},
            {"D", "Confirm Delete: Are you sure you wish to delete the profile \"KBOS\"?"},
            {"E", "Error: No profile selected!"},
            {"G", "Error: The profile \"KSEA\" no longer exists."},
            {"F", "Error: The profile could not be saved: the settings store could not be "
                  "written. Your changes are still in the window."},
            {"X", "Error: The profile could not be deleted: the settings store could not be "
                  "written."}};
        QStringList seen;
        for (const ScriptedDialogs::Shown& s : m_dialogs.shown)
            seen.append(boxes.key(s.title + ": " + s.text, "<" + s.text + ">"));
        for (const ScriptedDialogs::Asked& a : m_dialogs.asked)
            seen.append("?" + a.proposed);
        return seen.join(' ');
    }

private Q_SLOTS:
    void init()
    {
        QFile::remove(m_file);
        m_store = std::make_unique<QSettingsStore>(m_file);
        m_form = FakeForm();
        m_list = FakeProfileForm();
        m_dialogs = ScriptedDialogs();
        m_state = SessionState();
        m_profiles =
            std::make_unique<ProfileCommands>(*m_store, m_form, m_list, m_dialogs, m_state);
    }
    void names();
    void values_data();
    void values();
    void profileAsStored();
    void storedProfileLoads_data();
    void storedProfileLoads();
    void commands_data();
    void commands();
    void readOnlyStoreChangesNothing();
    void storedProgramSettings_data();
    void storedProgramSettings();
    void updateATISFileStartsOnWhereTheRadarClientIs();
};

void TestStore::names()
{
    // Encoded where QSettings or the registry (letter case ignored) would
    // change them; in other letter case or with a blank more another name.
    const QString name = "EGLL/Day a\\b 100% Zürich 東^\r\n ";
    const QStringList keys{
        "Profiles/EGLL%2FDay a%5Cb 100%25 Z%C3%BCrich %E6%9D%B1%5E%0D%0A%20",
        "^profiles/^e^g^l^l%2F^day a%5Cb 100%25 ^z%C3%BCrich %E6%9D%B1%5E%0D%0A%20"};
    for (const bool caseless : {false, true}) {
        const QString file = m_file + QString::number(caseless); // QSettings caches a file
        QSettingsStore store(file, caseless);
        Pairs expected;
        for (const QString& n : {name, name.toLower(), name.toUpper(), name + " ", QString()}) {
            QVERIFY(store.SaveSetting("Profiles", n, n));
            expected.append({n, n});
        }
        QCOMPARE(QSettingsStore(file, caseless).GetAllSettings("Profiles"), expected);
        QCOMPARE(QSettings(file, QSettings::IniFormat).value(keys[caseless]).toString(), name);
    }
    QVERIFY(QSettingsStore().SaveSetting("Settings", "ICAO", "KSEA")); // the user's own file
    QCOMPARE(readFile(m_home.path() + "/config/Briefcast/Briefcast.conf"),
             QByteArray("[Settings]\nICAO=KSEA\n"));
}

void TestStore::values_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("written"); // the store writes the value so
    const auto row = [](const char* name, const QByteArray& line, const QString& value,
                        bool written) { QTest::newRow(name) << line << value << written; };
    row("empty", "", "", true);
    row("line breaks", "a\\r\\nb\\rc\\nd", "a\r\nb\rc\nd", true);
    row("commas quoted", "\"4R,1,0|4L,1,1;=\"", "4R,1,0|4L,1,1;=", true);
    row("quotes and backslashes", "say \\\"hi\\\" C:\\\\atis", "say \"hi\" C:\\atis", true);
    row("blanks at the edges", "\"  padded  \"", "  padded  ", true);
    row("at sign doubled", "@@home", "@home", true);
    row("beyond ASCII", "Zürich 東京 \U0001F6EB", "Zürich 東京 \U0001F6EB", true);
    // Written by hand: the text as it stands after the "=".
    row("commas, semicolon", "Wind %wind% , alt; sky", "Wind %wind% , alt; sky", false);
    row("backslashes, quotes", "C:\\Radar\\ \"hi\"", "C:\\Radar\\ \"hi\"", false);
    row("unterminated quote", "\"KSEA", "\"KSEA", false);
    row("blanks, line end", "  KSEA \t\r", "KSEA", false);
}

void TestStore::values()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, value);
    QFETCH(bool, written);
    const QByteArray content = "; notes\n[Settings]\nTemplate=" + line + "\nbogus line\n\n";
    write(content);
    QCOMPARE(m_store->GetSetting("Settings", "Template", "<missing>"), value);
    // Another write changes only its own line.
    QVERIFY(m_store->SaveSetting("Settings", "LastProfile", "x"));
    QCOMPARE(readFile(m_file).replace("LastProfile=x\n", ""), content);
    QCOMPARE(*m_store->GetAllSettings("Settings"),
             (Pairs{{"Template", value}, {"LastProfile", "x"}}));
    if (written) {
        QFile::remove(m_file);
        QVERIFY(m_store->SaveSetting("Settings", "Template", value));
        QCOMPARE(readFile(m_file), "[Settings]\nTemplate=" + line + "\n");
        QCOMPARE(QSettings(m_file, QSettings::IniFormat).value("Settings/Template").toString(),
                 value);
    }
}

void TestStore::profileAsStored()
{
    m_form.icao = "KBOS";
    m_form.templ = "Information %id% Winds $wind(%icao%)\r\n%runways%";
    m_form.rows = {{"4R", true, false}, {"4L", true, true}, {"9", false, true}, {"33L"}};
    m_form.visual = m_state.ProfileDirty = true;
    m_dialogs.inputs = {"KBOS west"};
    QVERIFY(m_profiles->SaveProfile());
    QCOMPARE(
        readFile(m_file),
        QByteArray("[Profiles]\nKBOS%20west=1\n\n[Profiles%255CKBOS%20west]\nICAO=KBOS\n"
                   "Template=Information %id% Winds $wind(%icao%)%vbCrLf%%runways%\n"
                   "Runways=\"4R,1,0|4L,1,1|9,0,1|33L,0,0\"\nVisualInUse=1\nLAHSOInEffect=0\n"));
    QCOMPARE(state() + " " + shown(), QStringLiteral("KBOS west | [KBOS west] | KBOS | - S ?KBOS"));
    QCOMPARE(m_dialogs.asked.at(0).prompt + m_dialogs.asked.at(0).title,
             QStringLiteral("Enter a name to use for this profile:Save Profile"));
}

void TestStore::storedProfileLoads_data()
{
    QTest::addColumn<QByteArray>("keys"); // of the section of profile P
    QTest::addColumn<QString>("form");    // ICAO | runway:landing:departing | V L | template
    const auto row = [](const char* name, const char* keys, const QString& form) {
        QTest::newRow(name) << QByteArray(keys) << form;
    };
    row("as the window writes it",
        "ICAO=KBOS\nTemplate=Information %id%%vbCrLf%%runways%\n"
        "Runways=\"4R,1,0|4L,1,1|9,0,1|33L,0,0\"\nVisualInUse=1\nLAHSOInEffect=0",
        "KBOS | 4R:1:0 4L:1:1 9:0:1 33L:0:0 | V | Information %id%\r\n%runways%");
    row("by hand, unquoted", "Runways=4R,1,0|4L,0,1\nLAHSOInEffect=1", " | 4R:1:0 4L:0:1 | L | ");
    row("fields missing or more", "Runways=27|09,1|18,1,1,1,9", " | 27:0:0 09:1:0 18:1:1 |  | ");
    row("flags other than 0 and 1", "Runways=27,yes,1.0|09, 1 ,2\nVisualInUse=x\nLAHSOInEffect=1.0",
        " | 27:0:1 09:1:0 | L | ");
    row("empty rows skipped", "Runways=|27,1,0||,,,", " | 27:1:0 |  | ");
    row("others reset, marker in other case", "Template=%VBCRLF% a\\r\\nb\nUnknown=1",
        " |  |  | %VBCRLF% a\r\nb");
}

void TestStore::storedProfileLoads()
{
    QFETCH(QByteArray, keys);
    QFETCH(QString, form);
    write("[Profiles]\nP=1\n\n[Profiles%255CP]\n" + keys + "\n");
    m_form = {};
    m_form.icao = m_form.templ = "old";
    m_form.rows = {{"old", true, true}};
    m_form.visual = m_form.lahso = m_state.ProfileDirty = true;
    QVERIFY(m_profiles->LoadProfile("P"));
    QStringList rows;
    for (const FakeForm::Row& r : m_form.rows)
        rows.append(QString("%1:%2:%3").arg(r.id).arg(int(r.arriving)).arg(int(r.departing)));
    QCOMPARE(m_form.icao + " | " + rows.join(' ') + " | " + (m_form.visual ? "V" : "") +
                 (m_form.lahso ? "L" : "") + " | " + m_form.templ,
             form);
    QCOMPARE(m_state.CurrentProfile + QString::number(m_state.ProfileDirty), "P0"); // no changes
}

void TestStore::commands_data()
{
    // command|profile in use|entry selected|dirty|answers (Yes No Cancel)|names typed|deleted
    // meanwhile by another instance
    QTest::addColumn<QString>("script");
    // boxes shown (letters of texts()), then "?name" for each name asked, proposing it
    QTest::addColumn<QString>("dialogs");
    QTest::addColumn<QString>("after"); // as state() gives it; "ok " when save or Exit said yes
    const auto row = [](const char* name, const char* script, const char* dialogs,
                        const char* after) { QTest::newRow(name) << script << dialogs << after; };
    row("save, new name", "save|||||AAA", "S ?typed", "ok AAA | [AAA] KBOS KSEA | typed | stored");
    row("save, name cancelled", "save|KSEA||1||", "?KSEA",
        "KSEA dirty | KBOS [KSEA] | typed | stored");
    row("overwrite: yes", "save|KBOS||1|Y|KBOS", "O S ?KBOS",
        "ok KBOS | [KBOS] KSEA | typed | typed");
    row("overwrite: cancel", "save|KBOS||1|C|KBOS", "O ?KBOS",
        "KBOS dirty | [KBOS] KSEA | typed | stored");
    row("overwrite: no, other name", "save|KBOS||1|N|KBOS,KBOS 2", "O S ?KBOS ?KBOS",
        "ok KBOS 2 | KBOS [KBOS 2] KSEA | typed | stored");
    row("other letter case", "save|||||kbos", "S ?typed",
        "ok kbos | KBOS [kbos] KSEA | typed | stored");
    row("exit: cancel", "exit|||1|C|", "A", " dirty | KBOS KSEA | typed | stored");
    row("exit: no", "exit|||1|N|", "A", "ok  dirty | KBOS KSEA | typed | stored");
    row("exit: yes, no name", "exit|||1|Y|", "A ?typed", " dirty | KBOS KSEA | typed | stored");
    row("exit: yes, overwrite", "exit|KBOS||1|YY|KBOS", "U O S ?KBOS",
        "ok KBOS | [KBOS] KSEA | typed | typed");
    row("load, none selected", "load||||", "E", " | KBOS KSEA | typed | stored");
    row("load, changes: cancel", "load||KSEA|1|C|", "A", " dirty | KBOS [KSEA] | typed | stored");
    row("load, changes: no", "load||KSEA|1|N|", "A", "KSEA | KBOS [KSEA] | KSEA | stored");
    row("load, changes saved", "load|KBOS|KSEA|1|YY|KBOS", "U O S ?KBOS",
        "KSEA | KBOS [KSEA] | KSEA | typed");
    row("delete, none selected", "delete||||", "", " | KBOS KSEA | typed | stored");
    row("delete: no", "delete||KBOS||N|", "D", " | [KBOS] KSEA | typed | stored");
    row("delete the profile in use", "delete|KBOS|||Y|", "D", "KBOS dirty | KSEA | typed | -");
    row("save, deleted meanwhile", "save|KBOS||1||KBOS|KBOS", "S ?KBOS",
        "ok KBOS | [KBOS] KSEA | typed | typed");
    row("load, deleted meanwhile", "load||KSEA||||KSEA", "G", " | KBOS | typed | stored");
}

void TestStore::commands()
{
    QFETCH(QString, script);
    QFETCH(QString, dialogs);
    QFETCH(QString, after);
    write("[Profiles]\nKBOS=1\nKSEA=1\n\n[Profiles%255CKBOS]\nICAO=stored\n\n"
          "[Profiles%255CKSEA]\nICAO=KSEA\n");
    const QStringList w = script.split('|');
    m_state.CurrentProfile = w[1];
    m_profiles->LoadProfileList();
    if (!w[2].isEmpty())
        m_list.select(w[2]);
    // Another instance deletes a profile meanwhile.
    if (const QString gone = w.value(6); !gone.isEmpty())
        QVERIFY(QSettingsStore(m_file).writeTogether(
            {{"Profiles", gone, {}}, {"Profiles\\" + gone, {}, {}}}));
    m_form.icao = "typed";
    m_state.ProfileDirty = w[3] == "1";
    for (const QChar a : w[4])
        m_dialogs.answers.append(a == 'Y' ? Answer::Yes : a == 'N' ? Answer::No : Answer::Cancel);
    m_dialogs.inputs = w.value(5).split(',', Qt::SkipEmptyParts);
    bool ok = false;
    if (w[0] == "save")
        ok = m_profiles->SaveProfile();
    else if (w[0] == "exit")
        ok = m_profiles->ConfirmExit();
    else if (w[0] == "load")
        m_profiles->cmdLoad_Click();
    else
        m_profiles->cmdDelete_Click();
    QCOMPARE((ok ? "ok " : "") + state(), after);
    QCOMPARE(shown(), dialogs);
}

void TestStore::readOnlyStoreChangesNothing()
{
    // As an ordinary user: the store turns read-only after the first save.
    OrdinaryUser user;
    QTemporaryDir dir;
    m_store = std::make_unique<QSettingsStore>(dir.filePath("Briefcast.conf"));
    const QByteArray path = QFile::encodeName(m_store->fileName());
    ProfileCommands profiles(*m_store, m_form, m_list, m_dialogs, m_state);
    m_form.icao = "KBOS";
    m_dialogs.inputs = {"KBOS", "NEW"};
    QVERIFY(profiles.SaveProfile());
    const auto inode = [&] {
        struct stat st = {};
        return ::stat(path.constData(), &st) == 0 ? st.st_ino : 0;
    };
    const auto first = inode();
    const QByteArray saved = readFile(path);
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner));
    m_form.icao = "KSEA";
    m_state.ProfileDirty = true;
    m_dialogs.answers = {Answer::Yes, Answer::OK, Answer::Yes};
    QVERIFY(!profiles.ConfirmExit()); // a close is not let through
    profiles.cmdDelete_Click();
    QCOMPARE(state() + " " + shown(), "KBOS dirty | [KBOS] | KSEA | KBOS S U F D X ?KBOS ?KBOS");
    QCOMPARE(readFile(path), saved);
    // Writable again: the next save is whole, without the failed ones, and
    // replaces the file, so that a crash mid-write leaves the old one.
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
    m_dialogs.inputs = {"P2"};
    QVERIFY(profiles.SaveProfile());
    QCOMPARE(*m_store->GetAllSettings("Profiles"), (Pairs{{"KBOS", "1"}, {"P2", "1"}}));
    QVERIFY(!m_store->GetAllSettings("Profiles\\NEW"));
    QVERIFY(first && inode() != first);
}

void TestStore::storedProgramSettings_data()
{
    QTest::addColumn<QByteArray>("content"); // after "[Settings]"
    // ICAO | profile: template | UpdateATISFile | ATISFilePath | speech | TakeOverOnlineCode
    QTest::addColumn<QString>("read");
    const auto row = [](const char* name, const QByteArray& content, const QString& read) {
        QTest::newRow(name) << content << read;
    };
    // Without the radar client's folder (here /opt/radar/...), writing starts off.
    row("nothing stored", "", " | : <default> | off | <wine> | off  0 | on");
    row("as the program writes them",
        "ICAO=KSEA\nTemplate=a\\r\\nb\nLastProfile=KSEA\nUpdateATISFile=False\n"
        "ATISFilePath=/srv/radar/atis.txt\nSpeakNewATIS=True\nSpeechVoice=kal16\n"
        "SpeechRate=-0.4\nTakeOverOnlineCode=False\n\n[Profiles]\nKSEA=1\n\n"
        "[Profiles%255CKSEA]\nICAO=KSEA\nTemplate=a%vbCrLf%b",
        "KSEA | KSEA: a\r\nb | off | /srv/radar/atis.txt | on kal16 -0.4 | off");
    row("last profile gone", "ICAO=ksea\nLastProfile=KSEA",
        "ksea | : left | off | <wine> | off  0 | on");
    row("by hand", "ATISFilePath=C:\\Radar\\atis.txt\nSpeechRate= 1 ",
        " | : <default> | off | C:\\Radar\\atis.txt | off  1 | on");
    row("rate beyond -1 to 1", "SpeechRate=-1.5", " | : <default> | off | <wine> | off  0 | on");
    // The same text in UpdateATISFile, SpeakNewATIS and TakeOverOnlineCode.
    for (const auto& [text, on, speak] : {std::tuple{" tRuE ", "on", "on"},
                                          {"0.0", "off", "off"},
                                          {"-1", "on", "off"},
                                          {"maybe", "on", "off"},
                                          {"", "on", "off"}})
        row(text,
            "UpdateATISFile=" + QByteArray(text) + "\nSpeakNewATIS=" + text +
                "\nTakeOverOnlineCode=" + text,
            QString(" | : <default> | %1 | <wine> | %2  0 | %1").arg(on, speak));
}

void TestStore::storedProgramSettings()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, read);
    write("[Settings]\n" + content + "\n");
    qputenv("WINEPREFIX", "/opt/radar/");
    m_form = {};
    m_form.templ = "left";
    m_form.code = 5;
    m_form.autoUpdate = m_form.codeIsCurrent = m_state.ProfileDirty = true;
    m_state.TickCounter = 42;
    const ProgramSettings stored = LoadStartupSettings(*m_store, m_form, *m_profiles, m_state);
    qunsetenv("WINEPREFIX");
    const SpeechSettings& speech = stored.speech;
    const auto on = [](bool b) { return QString(b ? "on" : "off"); };
    const QString templ = m_form.templ == Texts::DefaultTemplate ? "<default>" : m_form.templ;
    QCOMPARE(QStringList(
                 {m_form.icao, m_state.CurrentProfile + ": " + templ, on(m_form.updateFile),
                  m_state.ATISFilePath,
                  on(speech.speakNewATIS) + " " + speech.voice + " " + QString::number(speech.rate),
                  on(stored.TakeOverOnlineCode)})
                 .join(" | "),
             read.replace("<wine>", "/opt/radar/drive_c/Program Files/Kovoddddd/atis.txt"));
    // ALPHA, auto-update off, nothing unsaved.
    QVERIFY(!m_form.code && !m_form.autoUpdate && !m_state.TickCounter && !m_state.ProfileDirty);
    QVERIFY(!m_form.codeIsCurrent && !m_state.autoUpdating && !m_state.codeIsCurrent);
    // Written back at unload: as the program writes them, unchanged.
    const QByteArray before = readFile(m_file);
    QVERIFY(SaveSettings(*m_store, m_form, m_state, speech, stored.TakeOverOnlineCode));
    if (QByteArrayView(QTest::currentDataTag()) == "as the program writes them")
        QCOMPARE(readFile(m_file), before);
}

void TestStore::updateATISFileStartsOnWhereTheRadarClientIs()
{
    qputenv("WINEPREFIX", (m_home.path() + "/wine").toUtf8());
    const bool before = Config::load(*m_store).UpdateATISFile;
    QVERIFY(QDir().mkpath(m_home.path() + "/wine/drive_c/Program Files/Kovoddddd"));
    const bool after = Config::load(*m_store).UpdateATISFile;
    qunsetenv("WINEPREFIX");
    QCOMPARE(before, false);
    QCOMPARE(after, true);
}

QTEST_GUILESS_MAIN(TestStore)
#include "test_store.moc"
