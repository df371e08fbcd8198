// The session's commands: the weather server discovery of start-up and the
// profile commands over a real INI file in a temporary folder, with scripted
// dialogs and a fake network.
#include "app/session.h"
#include "store/inifilestore.h"
#include "tests/support/fakedesktop.h"
#include "tests/support/fakefetcher.h"
#include "tests/support/fakeform.h"
#include "tests/support/fakeprofileform.h"
#include "tests/support/fakespeaker.h"
#include "tests/support/ordinaryuser.h"
#include "tests/support/scripteddialogs.h"
#include "tests/support/temporaryhome.h"
#include "tests/support/testfiles.h"

#include <QElapsedTimer>
#include <QLockFile>
#include <QTest>
#include <cmath>

using Answer = Dialogs::Answer;
using Replies = QList<TextFetcher::Result>;
Q_DECLARE_METATYPE(Dialogs::Answer)

namespace {
const QString NotSaved = "The profile could not be saved: the settings store could not be "
                         "written. Your changes are still in the window.";
const QString OverwriteKbos = "A profile with the name \"KBOS\" already exists. Overwrite it?";
const QString SaveAsProfile = "Would you like to save the current settings as a profile?";
const QString DeleteKbos = "Are you sure you wish to delete the profile \"KBOS\"?";
// KBOS's stored airport code tells whether it was written over.
const QByteArray TwoProfiles = "[Profiles]\nKBOS=1\nKSEA=1\n\n[Profiles%255CKBOS]\nICAO=stored\n\n"
                               "[Profiles%255CKSEA]\nICAO=KSEA\n";

// JSON written with ' for ", which none of it holds otherwise.
QString json(QString text)
{
    return text.replace(u'\'', u'"');
}

void writeFile(const QString& path, const QByteArray& content)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(content) == content.size());
}
} // namespace

class TestSession : public QObject
{
    Q_OBJECT
    TemporaryHome m_home;
    QString m_file;
    std::unique_ptr<IniFileStore> m_store;
    FakeForm m_form;
    FakeProfileForm m_list;
    ScriptedDialogs m_dialogs;
    FakeDesktop m_desktop;
    FakeFetcher m_fetcher;
    FakeSpeaker m_speaker;
    float m_draw = 0;
    std::unique_ptr<Session> m_session;

    // A session over the settings file at that path.
    void useStore(const QString& file)
    {
        m_session.reset();
        m_file = file;
        m_store = std::make_unique<IniFileStore>(file);
        m_session = std::make_unique<Session>(Session::Services{.store = *m_store,
                                                                .fetcher = m_fetcher,
                                                                .dialogs = m_dialogs,
                                                                .desktop = m_desktop,
                                                                .speaker = m_speaker,
                                                                .draw = [this] { return m_draw; }},
                                              m_form, m_list);
    }
    void write(const QByteArray& content) { writeFile(m_file, content); }
    const SessionState& state() const { return m_session->state(); }
    // KBOS and KSEA saved and listed; the profile in use, when there is one,
    // loaded at start-up and selected. Then the window is given "typed".
    void twoProfiles(const QString& current, bool changed)
    {
        write(current.isEmpty()
                  ? TwoProfiles
                  : TwoProfiles + "\n[Settings]\nLastProfile=" + current.toUtf8() + "\n");
        m_session->begin();
        m_form.shown.icao = "typed";
        if (changed)
            m_session->markProfileChanged();
    }

private Q_SLOTS:
    void init()
    {
        m_form = FakeForm();
        m_list = FakeProfileForm();
        m_dialogs = ScriptedDialogs();
        m_fetcher = FakeFetcher();
        useStore(m_home.path() + "/" + QTest::currentTestFunction() + ".conf");
    }

    void discover_data()
    {
        QTest::addColumn<Replies>("replies");
        QTest::addColumn<float>("draw");
        QTest::addColumn<QString>("requested"); // after the status file
        QTest::addColumn<QString>("outcome");   // the server chosen, or the message
        const auto row = [](const char* name, const Replies& replies, const QString& requested,
                            const QString& outcome, float draw = 0) {
            QTest::newRow(name) << replies << draw << requested << outcome;
        };
        const QString two = "url0=http://d/\r\nmetar0=http://one/m\r\nmetar0=http://two/m\r\n";
        const QString feeds = json("{'metar': ['http://json/m'], 'data': {'v3': ['http://f']}}");
        const QString moved = "; moved\r\nmoveto0=https://b/status.txt\r\n";
        const QString b = "https://b/status.txt", j = "https://t/status.json";
        const Failure noHost{3, "Host t not found"};
        row("just below the half", {two}, "", "http://one/m", 0.49999997f);
        row("largest draw", {two}, "", "http://two/m", std::nextafter(1.0f, 0.0f));
        row("bare line feeds", {"metar0=http://a\nmetar0=http://b\n"}, "", "http://b", 0.75f);
        row("upper case", {"METAR0=HTTPS://UP\r\n"}, "", "HTTPS://UP");
        row("others skipped",
            {"metar1=http://n\r\n metar0=http://n\r\nmetar0=ftp://n\r\nmetar0=http://y"}, "",
            "http://y");
        row("a space splits a value", {"metar0=http://a http://b\r\n"}, "", "http://b", 0.6f);
        row("moved", {moved, "metar0=http://m\r\n"}, b, "http://m");
        row("three moves at most", {moved, moved, moved, moved, feeds},
            b + ' ' + b + ' ' + b + ' ' + j, "http://json/m");
        row("no move to http", {"moveto0=http://b/status.txt\r\n", feeds}, j, "http://json/m");
        row("text fails, JSON lists", {noHost, feeds}, j, "http://json/m");
        row("JSON non-addresses skipped",
            {QString(), json("{'metar': [7, 'ftp://x', '', 'https://two']}")}, j, "https://two");
        row("none in either", {" metar0=http://x\r\nmetar0=http\r\n", json("{'metar': []}")}, j,
            "No weather server URLs found! Exiting.");
        row("text fails, JSON broken", {noHost, "<html>502</html>"}, j,
            "The following error occurred while retrieving the VATSIM data server listing:\r\n\r\n"
            "(3) Host t not found\r\n\r\nBriefcast cannot work without it and will now exit.");
    }
    void discover()
    {
        QFETCH(Replies, replies);
        QFETCH(QString, requested);
        QFETCH(QString, outcome);
        QFETCH(float, draw);
        m_draw = draw;
        qputenv("BRIEFCAST_STATUS_URL", ""); // as good as unset: the network's own
        QCOMPARE(StatusFileURL(), "https://status.vatsim.net/status.txt");
        qputenv("BRIEFCAST_STATUS_URL", "https://t/status.txt");
        m_fetcher.replies = replies;
        m_form.atis = "old text";
        QString progress;
        m_fetcher.whileFetching = [&] { progress = progress.isEmpty() ? m_form.atis : progress; };
        const bool found = m_session->DiscoverMetarServer();
        QCOMPARE(m_fetcher.requested.mid(1).join(' '), requested);
        QCOMPARE(progress, "Retrieving VATSIM data server listing ...\r\n");
        QCOMPARE(found ? state().MetarServerURL : m_dialogs.shown.value(0).text, outcome);
        QCOMPARE(m_form.atis.isEmpty(), found);
        QCOMPARE(m_dialogs.shown.size(), found ? 0 : 1);
    }

    // Another instance writing holds the lock: the write waits for it, then
    // gives up rather than race it, and the changes stay in the window.
    void writeWaitsForAnotherWriter()
    {
        write("[Settings]\nICAO=KSEA\n");
        QLockFile other(m_file + ".lock");
        QVERIFY(other.tryLock(0));
        m_store->setLockWait(200);
        m_session->markProfileChanged();
        m_dialogs.inputs = {"KBOS"};
        QElapsedTimer waited;
        waited.start();
        m_session->SaveProfile();
        QVERIFY(waited.elapsed() >= 200);
        QCOMPARE(m_dialogs.shownTexts(), QStringList{NotSaved});
        QCOMPARE(readFile(m_file), QByteArray("[Settings]\nICAO=KSEA\n"));
        QVERIFY(state().ProfileDirty);
    }

    // As an ordinary user: a read-only file is respected, though its folder
    // would let a new file take its place.
    void readOnlyFileChangesNothing()
    {
        OrdinaryUser user;
        QTemporaryDir dir;
        useStore(dir.filePath("Briefcast.conf"));
        QVERIFY(m_store->SaveSetting("Profiles", "KBOS", "1"));
        QVERIFY(QFile::setPermissions(m_file, QFile::ReadOwner));
        m_session->begin();
        m_list.select("KBOS");
        m_session->deleteChosenProfile(); // Yes
        QCOMPARE(m_dialogs.shownTexts(),
                 QStringList({DeleteKbos, "The profile could not be deleted: the settings store "
                                          "could not be written."}));
        QCOMPARE(readFile(m_file), QByteArray("[Profiles]\nKBOS=1\n"));
        // Writable again: the next save writes whole, without the failed one.
        QVERIFY(QFile::setPermissions(m_file, QFile::ReadOwner | QFile::WriteOwner));
        m_dialogs.inputs = {"P2"};
        m_session->SaveProfile();
        QCOMPARE(Profiles::Names(*m_store), QStringList({"KBOS", "P2"}));
    }

    // A profile stored before the transition levels, the ATIS type, the
    // letters, the phrasing and the text form existed saves back byte for
    // byte; set, they add their keys.
    void profileStoredBeforeKeepsItsBytes()
    {
        const QByteArray before =
            "[Profiles]\nKBOS=1\n\n[Profiles%255CKBOS]\nICAO=KBOS\nTemplate=Info "
            "%id%%vbCrLf%%runways%\nRunways=\"4R,1,0|4L,1,1\"\nVisualInUse=1\nLAHSOInEffect=0\n";
        write(before);
        m_list.entries = {"KBOS"}, m_list.selected = 0;
        m_session->loadChosenProfile();
        QCOMPARE(state().CurrentProfile, "KBOS");
        m_dialogs.inputs = {"KBOS", "KBOS"};
        m_session->SaveProfile();
        QCOMPARE(readFile(m_file), before);
        m_form.shown.transitionLevels = {{943, 977, 80}, {978, 1050, 70}};
        m_form.shown.atisType = AtisType::Arrival;
        m_form.setLetterRange({0, 12});
        m_form.shown.phrasing = Phrasing::Icao;
        m_form.shown.textForm = TextForm::Words;
        m_session->SaveProfile();
        QCOMPARE(readFile(m_file),
                 before + "TransitionLevels=943-977:80|978-1050:70\n"
                          "ATISType=Arrival\nLetters=A-M\nPhrasing=ICAO\nTextForm=words\n");
    }

    // Yes writes over KBOS; No and Cancel keep it.
    void overwriteQuestion_data()
    {
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<QString>("kbosIcao");
        QTest::addColumn<QStringList>("namesProposed");
        QTest::addColumn<QString>("current");
        QTest::newRow("yes: written over")
            << Answer::Yes << "typed" << QStringList{"typed"} << "KBOS";
        QTest::newRow("no: asks for the name again, writes that one")
            << Answer::No << "stored" << QStringList{"typed", "KBOS"} << "KBOS 2";
        QTest::newRow("cancel: nothing written")
            << Answer::Cancel << "stored" << QStringList{"typed"} << "";
    }
    void overwriteQuestion()
    {
        QFETCH(Answer, answer);
        twoProfiles("", true);
        m_dialogs.answers = {answer};
        m_dialogs.inputs = {"KBOS", "KBOS 2"};
        m_session->SaveProfile();
        QTEST(m_dialogs.proposedNames(), "namesProposed");
        QCOMPARE(m_dialogs.shown.at(0).text, OverwriteKbos);
        QTEST(m_store->GetSetting("Profiles\\KBOS", "ICAO"), "kbosIcao");
        QTEST(state().CurrentProfile, "current");
        QCOMPARE(state().ProfileDirty, answer == Answer::Cancel);
    }

    // While auto-update runs, a profile whose letters leave out the letter
    // on the air waits for a stop: the window shows the letter on the air.
    void loadKeepsTheLetterOnTheAir()
    {
        write("[Profiles]\nArrival=1\n\n[Profiles%255CArrival]\nICAO=KSEA\nLetters=A-M\n");
        m_session->begin();
        m_form.shown.icao = "KSEA";
        m_form.code = 18;
        m_fetcher.replies = {"KSEA 121653Z 17011KT 10SM FEW015 12/09 A2992"};
        m_session->ToggleAutoUpdate(); // SIERRA goes on the air
        m_list.select("Arrival");
        m_session->loadChosenProfile();
        QCOMPARE(m_dialogs.shownTexts().last(),
                 "SIERRA is on the air, outside the letters A to M. Stop auto-update first: the "
                 "new letters begin at the next Start.");
        QCOMPARE(m_form.codeText() + ' ' + m_form.shown.icao, "SIERRA KSEA");
        QCOMPARE(state().CurrentProfile, "");
        m_session->ToggleAutoUpdate(); // Stop
        m_session->loadChosenProfile();
        QCOMPARE(m_form.codeText() + ' ' + m_form.shown.icao, "ALPHA KSEA");
        QCOMPARE(state().CurrentProfile, "Arrival");
    }

    // A value edited by hand that does not read is named, not dropped in silence.
    void loadTellsOfValuesThatDoNotRead()
    {
        write("[Profiles]\nP=1\n\n[Profiles%255CP]\nICAO=KSEA\nATISType=Arival\n");
        m_list.entries = {"P"}, m_list.selected = 0;
        m_session->loadChosenProfile();
        QCOMPARE(m_dialogs.shownTexts(),
                 QStringList{"These settings of the profile \"P\" could not be read and are left "
                             "at their defaults; saving the profile writes the defaults in their "
                             "place:\r\n\r\nATISType=Arival"});
        QCOMPARE(m_form.shown.icao, "KSEA");
        QCOMPARE(state().CurrentProfile, "P");
    }

    void loadAsksAboutChangesBeforeItNeedsASelection()
    {
        twoProfiles("", true);
        m_list.select("KSEA");
        m_dialogs.answers = {Answer::Cancel, Answer::No};
        m_session->loadChosenProfile(); // Cancel: nothing loaded
        m_list.selected = -1;
        m_session->loadChosenProfile(); // No, then nothing selected
        QCOMPARE(m_dialogs.shownTexts(),
                 QStringList({SaveAsProfile, SaveAsProfile, "No profile selected!"}));
        QCOMPARE(m_form.shown.icao, "typed");
        QCOMPARE(state().CurrentProfile, "");
    }

    // Delete asks first; deleting the profile in use leaves its name in use
    // and the window marked changed, with no entry selected.
    void deletingTheCurrentProfileMarksTheWindowChanged()
    {
        twoProfiles("KBOS", false);
        QCOMPARE(m_list.selected, 0); // the list shows the profile in use selected
        m_list.selected = -1;
        m_session->deleteChosenProfile(); // none selected: nothing
        m_list.select("KBOS");
        m_dialogs.answers = {Answer::No};
        m_session->deleteChosenProfile();
        QCOMPARE(readFile(m_file), TwoProfiles + "\n[Settings]\nLastProfile=KBOS\n");
        m_session->deleteChosenProfile(); // Yes
        QCOMPARE(m_dialogs.shownTexts(), QStringList({DeleteKbos, DeleteKbos}));
        QCOMPARE(readFile(m_file), QByteArray("[Profiles]\nKSEA=1\n\n[Profiles%255CKSEA]\n"
                                              "ICAO=KSEA\n\n[Settings]\nLastProfile=KBOS\n"));
        QCOMPARE(m_list.entries, QStringList{"KSEA"});
        QCOMPARE(m_list.selected, -1);
        QCOMPARE(state().CurrentProfile, "KBOS");
        QVERIFY(state().ProfileDirty);
    }
};

QTEST_GUILESS_MAIN(TestSession)
#include "test_session.moc"
