// The settings store, the profiles' keys and the program settings, over a
// real INI file in a temporary folder; a real QSettings reads and writes the
// same files where the two must agree.
#include "core/programsettings.h"
#include "store/inifilestore.h"
#include "store/profilestore.h"
#include "store/registrystore.h"
#include "store/storenames.h"
#include "tests/support/ordinaryuser.h"
#include "tests/support/smalldisk.h"
#include "tests/support/temporaryhome.h"
#include "tests/support/testfiles.h"

#include <QSettings>
#include <QTest>

using Pairs = SettingsStore::Pairs;
Q_DECLARE_METATYPE(Profile)

// For the messages of QCOMPARE.
char* toString(const Profile& p)
{
    QStringList text{"ICAO " + p.icao, "template " + p.templateText};
    for (const Profile::Runway& r : p.runways)
        text.append(
            QString("runway %1 landing %2 departing %3").arg(r.id).arg(r.landing).arg(r.departing));
    text.append(QString("visual %1 LAHSO %2").arg(p.visual).arg(p.lahso));
    return QTest::toString(text.join(", "));
}

namespace {
void writeFile(const QString& path, const QByteArray& content)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(content) == content.size());
}
} // namespace

class TestStore : public QObject
{
    Q_OBJECT
    TemporaryHome m_home;
    int m_files = 0;
    QString m_file;
    std::unique_ptr<IniFileStore> m_store;

    // A file of its own for each test and each QSettings, which keeps what it
    // read of a file for the whole process.
    QString newFile() { return m_home.path() + QString("/%1.conf").arg(++m_files); }
    void useStore(const QString& file)
    {
        m_file = file;
        m_store = std::make_unique<IniFileStore>(file);
    }
    void write(const QByteArray& content) { writeFile(m_file, content); }
    QString qsettingsReads(const QByteArray& content, const QString& key = "Settings/Template")
    {
        const QString file = newFile();
        writeFile(file, content);
        return QSettings(file, QSettings::IniFormat).value(key).toString();
    }
    QByteArray qsettingsWrites(const Pairs& keys)
    {
        const QString file = newFile();
        {
            QSettings settings(file, QSettings::IniFormat);
            for (const auto& [key, value] : keys)
                settings.setValue(key, value);
        }
        return readFile(file);
    }
private Q_SLOTS:
    void init() { useStore(newFile()); }

    // Every section one group and every key one key, whatever the name; in
    // other letter case or with a blank more, another name.
    void namesStayApart()
    {
        const QString name = "EGLL/Day a\\b 100% Zürich 東^~\r\n ";
        Pairs expected;
        for (const QString& n : {name, name.toLower(), name.toUpper(), name + " ", QString()}) {
            QVERIFY(m_store->SaveSetting("Profiles", n, n));
            expected.append({n, n});
        }
        QCOMPARE(IniFileStore(m_file).GetAllSettings("Profiles"), expected);
        const QString encoded = "EGLL%2FDay a%5Cb 100%25 Z%C3%BCrich %E6%9D%B1%5E%7E%0D%0A%20";
        QCOMPARE(QSettings(m_file, QSettings::IniFormat).value("Profiles/" + encoded), name);
        // Where the backend ignores letter case (the registry).
        const QString folded = "^e^g^l^l%2F^day a%5Cb 100%25 ^z%C3%BCrich %E6%9D%B1%5E%7E%0D%0A%20";
        QCOMPARE(EncodeStoreName(name, true), folded);
        QCOMPARE(DecodeStoreName(folded, true), name);
    }

    // A value as it stands after "Template=", the text the store reads,
    // whether QSettings reads the same, and whether the store writes it so.
    void values_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("asQSettings");
        QTest::addColumn<bool>("written");
        const auto row = [](const char* name, const QByteArray& line, const QString& value,
                            bool asQSettings, bool written) {
            QTest::newRow(name) << line << value << asQSettings << written;
        };
        row("empty", "", "", true, true);
        row("line breaks", "a\\r\\nb\\rc\\nd", "a\r\nb\rc\nd", true, true);
        row("commas quoted", "\"4R,1,0|4L,1,1;=\"", "4R,1,0|4L,1,1;=", true, true);
        row("quotes and backslashes", "say \\\"hi\\\" C:\\\\atis", "say \"hi\" C:\\atis", true,
            true);
        row("blanks at the edges", "\"  padded  \"", "  padded  ", true, true);
        row("at sign doubled", "@@home", "@home", true, true);
        row("beyond ASCII", "Zürich 東京 \U0001F6EB", "Zürich 東京 \U0001F6EB", true, true);
        row("U+FEFF first", "\\xfeffsay \\\"hi\\\"", QChar(0xFEFF) + QString("say \"hi\""), true,
            true);
        row("lone surrogate", "a\\xd800\\\"b", QString("a") + QChar(0xD800) + "\"b", true, true);
        row("NUL before a digit", "a\\0\\x31", QString("a") + QChar(0) + "1", true, true);
        // Quoted by hand, and QSettings' form of a text with NUL.
        row("quoted code", "\"KBOS\"", "KBOS", true, false);
        row("quoted in parts", "\"North \" \"%id%\"", "North %id%", true, false);
        row("NUL as QSettings writes it", "@String(a\\0\\x31)", QString("a") + QChar(0) + "1", true,
            false);
        // Written by hand: the text as it stands after the "=".
        row("commas, semicolon", "Wind %wind% , alt; sky", "Wind %wind% , alt; sky", false, false);
        row("backslashes, quotes", "C:\\Radar\\ \"hi\"", "C:\\Radar\\ \"hi\"", false, false);
        row("unterminated quote", "\"KSEA", "\"KSEA", false, false);
        row("blanks, line end", "  KSEA \t\r", "KSEA", true, false);
    }
    void values()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, value);
        QFETCH(bool, asQSettings);
        QFETCH(bool, written);
        const QByteArray content = "; notes\n[Settings]\nTemplate=" + line + "\nbogus line\n\n";
        write(content);
        QCOMPARE(m_store->GetSetting("Settings", "Template", "<missing>"), value);
        if (asQSettings)
            QCOMPARE(qsettingsReads(content), value);
        // Another write changes only its own line.
        QVERIFY(m_store->SaveSetting("Settings", "LastProfile", "x"));
        QCOMPARE(readFile(m_file).replace("LastProfile=x\n", ""), content);
        if (!written)
            return;
        QFile::remove(m_file);
        QVERIFY(m_store->SaveSetting("Settings", "Template", value));
        QCOMPARE(readFile(m_file), "[Settings]\nTemplate=" + line + "\n");
        // What QSettings writes of the value, the store reads as QSettings does.
        const QByteArray theirs = qsettingsWrites({{"Settings/Template", value}});
        write(theirs);
        QCOMPARE(m_store->GetSetting("Settings", "Template"), qsettingsReads(theirs));
    }

    // Saved by an editor: read as QSettings reads it, and a write keeps the
    // file's byte-order mark and line ends.
    void handEditedFile_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QByteArray>("written"); // after a write of LastProfile
        QTest::newRow("byte-order mark")
            << QByteArray("\xEF\xBB\xBF[Settings]\nUpdateATISFile=False\n")
            << QByteArray("\xEF\xBB\xBF[Settings]\nUpdateATISFile=False\nLastProfile=x\n");
        QTest::newRow("CR alone") << QByteArray("[Settings]\rUpdateATISFile=False\r")
                                  << QByteArray(
                                         "[Settings]\rUpdateATISFile=False\rLastProfile=x\r");
        QTest::newRow("mixed") << QByteArray(
                                      "[Settings]\rUpdateATISFile=False\n\r\n[Profiles]\r\nP=1")
                               << QByteArray("[Settings]\rUpdateATISFile=False\nLastProfile=x\r\r\n"
                                             "[Profiles]\r\nP=1\r");
    }
    void handEditedFile()
    {
        QFETCH(QByteArray, content);
        write(content);
        QCOMPARE(qsettingsReads(content, "Settings/UpdateATISFile"), "False");
        QCOMPARE(m_store->GetSetting("Settings", "UpdateATISFile"), "False");
        QVERIFY(m_store->SaveSetting("Settings", "LastProfile", "x"));
        QTEST(readFile(m_file), "written");
    }

    // "[General]" holds the keys outside any group; a group of that name, in
    // any letter case, is "[%" and its name.
    void generalGroupInAnyLetterCase()
    {
        for (const QString name : {"general", "GENERAL", "General"})
            QVERIFY(m_store->SaveSetting(name, "k", name));
        const QByteArray ours = readFile(m_file);
        QCOMPARE(ours, QByteArray("[%general]\nk=general\n\n[%GENERAL]\nk=GENERAL\n\n"
                                  "[%General]\nk=General\n"));
        for (const QString name : {"general", "GENERAL", "General"}) {
            QCOMPARE(m_store->GetSetting(name, "k"), name);
            QCOMPARE(qsettingsReads(ours, name + "/k"), name);
        }
        const QByteArray theirs = qsettingsWrites({{"top", "1"}, {"general/k", "2"}});
        QCOMPARE(theirs, QByteArray("[General]\ntop=1\n\n[%General]\nk=2\n"));
        write(theirs);
        QCOMPARE(m_store->GetAllSettings("General"), Pairs({{"k", "2"}}));
    }

    // Room for the lock file at most, none for the new content: the file
    // stays as it was and the write says it failed.
    void fullDiskKeepsTheFile_data()
    {
        QTest::addColumn<int>("freePages"); // of a small tmpfs; -1: a file size limit instead
        QTest::newRow("no page free") << 0;
        QTest::newRow("one page free") << 1;
        QTest::newRow("two pages free") << 2;
        QTest::newRow("file size limit") << -1;
    }
    void fullDiskKeepsTheFile()
    {
        QFETCH(int, freePages);
        QTemporaryDir dir;
        std::optional<SmallDisk> disk;
        if (freePages >= 0 && !disk.emplace(dir.path()).mounted())
            QSKIP("cannot mount a small tmpfs here (needs root or CAP_SYS_ADMIN)");
        useStore(dir.filePath("Briefcast.conf"));
        QByteArray five = "[Profiles]\nA=1\nB=1\nC=1\nD=1\nE=1\n";
        for (const char* name : {"A", "B", "C", "D", "E"})
            five += QByteArray("\n[Profiles%255C") + name + "]\nICAO=KBOS\nRunways=4R,1,0\n";
        write(five);
        std::optional<FileSizeLimit> limit;
        if (disk)
            QVERIFY(disk->leaveFree(freePages));
        else
            limit.emplace(SmallDisk::PageSize);
        const QString threePages(9000, u'W');
        QVERIFY(!m_store->writeTogether(Profiles::Changes("F", {.templateText = threePages})));
        ProgramSettings settings = ProgramSettings::defaults();
        settings.Template = threePages;
        QVERIFY(!settings.save(*m_store)); // at close
        limit.reset();
        QCOMPARE(readFile(m_file), five);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                 disk ? QStringList({"Briefcast.conf", "filler"}) : QStringList{"Briefcast.conf"});
    }

    // The Windows registry's store, run here on QSettings' native file:
    // names that differ only in letter case stay apart, and a write that
    // fails leaves what was stored, in the file and as read.
    void registryStore()
    {
        RegistryStore store;
        QVERIFY(store.writeTogether({{"Profiles", "KBOS", "1"}, {"Profiles", "kbos", "2"}}));
        QVERIFY(store.SaveSetting("Profiles\\kbos", "ICAO", "KBOS"));
        QCOMPARE(store.GetAllSettings("Profiles"), Pairs({{"KBOS", "1"}, {"kbos", "2"}}));
        QVERIFY(store.DeleteSetting("Profiles\\kbos"));
        QCOMPARE(store.GetAllSettings("Profiles\\kbos"), std::nullopt);
        QCOMPARE(store.GetSetting("Profiles\\kbos", "ICAO", "<gone>"), "<gone>");
        const QString file = store.fileName(), folder = QFileInfo(file).path();
        const QByteArray stored = readFile(file);
        QVERIFY(setStoreReadOnly(folder, file, true));
        OrdinaryUser user;
        QVERIFY(!store.writeTogether({{"Profiles", "EGLL", "1"}, {"Profiles", std::nullopt, {}}}));
        user.restore();
        QVERIFY(setStoreReadOnly(folder, file, false));
        QCOMPARE(readFile(file), stored);
        QCOMPARE(store.GetAllSettings("Profiles"), Pairs({{"KBOS", "1"}, {"kbos", "2"}}));
        QVERIFY(store.DeleteSetting("Profiles", "kbos")); // writable again
        QCOMPARE(store.GetAllSettings("Profiles"), Pairs({{"KBOS", "1"}}));
    }

    // A file stands where the store's folder would be made: the write fails.
    void folderThatCannotBeMadeFailsTheWrite()
    {
        writeFile(m_home.path() + "/notAFolder", "x");
        QVERIFY(!IniFileStore(m_home.path() + "/notAFolder/Briefcast.conf")
                     .SaveSetting("Settings", "ICAO", "KSEA"));
    }

    // The keys of profile P's section, and the profile they make.
    void storedProfileLoads_data()
    {
        QTest::addColumn<QByteArray>("keys");
        QTest::addColumn<Profile>("profile");
        QTest::addColumn<QStringList>("unreadable");
        const auto row = [](const char* name, const char* keys, const Profile& profile,
                            const QStringList& unreadable = {}) {
            QTest::newRow(name) << QByteArray(keys) << profile << unreadable;
        };
        row("as the window writes it",
            "ICAO=KBOS\nTemplate=Information %id%%vbCrLf%%runways%\n"
            "Runways=\"4R,1,0|4L,1,1|9,0,1|33L,0,0\"\nVisualInUse=1\nLAHSOInEffect=0",
            {"KBOS",
             "Information %id%\r\n%runways%",
             {{"4R", true, false}, {"4L", true, true}, {"9", false, true}, {"33L", false, false}},
             true,
             false});
        row("odd rows", "Runways=|27||09,1|18,1,1,1,9|,,,",
            {{}, {}, {{"27", false, false}, {"09", true, false}, {"18", true, true}}});
        row("flags other than 0 and 1",
            "Runways=27,yes,1.0|09, 1 ,2\nVisualInUse=x\nLAHSOInEffect=1.0",
            {{}, {}, {{"27", false, true}, {"09", true, false}}, false, true});
        row("others reset, marker in other case", "Template=%VBCRLF% a\\r\\nb\nUnknown=1",
            {.templateText = "%VBCRLF% a\r\nb"});
        row("transition levels, departure ATIS on N to Z",
            "TransitionLevels=943-977:80|978-1013:70\nATISType=Departure\nLetters=N-Z\n"
            "Phrasing= icao\nTextForm=Words",
            {.transitionLevels = {{943, 977, 80}, {978, 1013, 70}},
             .atisType = AtisType::Departure,
             .letters = {13, 25},
             .phrasing = Phrasing::Icao,
             .textForm = TextForm::Words});
        row("type and letters in small letters, with blanks", "ATISType= arrival \nLetters= n - z",
            {.atisType = AtisType::Arrival, .letters = {13, 25}});
        row("unreadable bands, type and letters; a reversed band kept for the check",
            "TransitionLevels=943-977:80|x|990-980:70|1000-1010:\nATISType=Arival\nLetters=Z-A\n"
            "Phrasing=US\nTextForm=prose",
            {.transitionLevels = {{943, 977, 80}, {990, 980, 70}}},
            {"TransitionLevels=943-977:80|x|990-980:70|1000-1010:", "ATISType=Arival",
             "Letters=Z-A", "Phrasing=US", "TextForm=prose"});
    }
    void storedProfileLoads()
    {
        QFETCH(QByteArray, keys);
        QFETCH(Profile, profile);
        write("[Profiles]\nP=1\n\n[Profiles%255CP]\n" + keys + "\n");
        QStringList unreadable;
        QCOMPARE(Profiles::Read(*m_store, "P", &unreadable).value_or(Profile{.icao = "<missing>"}),
                 profile);
        QTEST(unreadable, "unreadable");
    }

    // A profile's section in the store's own form, in the form QSettings
    // writes for a name with a backslash, and as a subgroup: each reads, and
    // a save writes it where it stands.
    void profileSectionForms_data()
    {
        QTest::addColumn<QByteArray>("header");
        QTest::newRow("the store's own") << QByteArray("[Profiles%255CKBOS]");
        QTest::newRow("as QSettings writes it") << QByteArray("[Profiles%5CKBOS]");
        QTest::newRow("a subgroup") << QByteArray("[Profiles\\KBOS]");
    }
    void profileSectionForms()
    {
        QFETCH(QByteArray, header);
        write("[Profiles]\nKBOS=1\n\n" + header + "\nICAO=KBOS\n");
        QCOMPARE(Profiles::Read(*m_store, "KBOS").value_or(Profile{}).icao, "KBOS");
        QVERIFY(m_store->writeTogether(Profiles::Changes("KBOS", {.icao = "KBOS"})));
        QCOMPARE(readFile(m_file), "[Profiles]\nKBOS=1\n\n" + header +
                                       "\nICAO=KBOS\nTemplate=\nRunways=\nVisualInUse=0\n"
                                       "LAHSOInEffect=0\n");
        QVERIFY(m_store->DeleteSetting(Profiles::Section("KBOS")));
        QCOMPARE(Profiles::Read(*m_store, "KBOS"), std::nullopt);
    }

    // The same text stored for a flag on by default, one off by default,
    // and the speech rate.
    void storedTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("takeOverOnlineCode");
        QTest::addColumn<bool>("speakNewATIS");
        QTest::addColumn<double>("speechRate");
        QTest::newRow("true, any case") << " tRuE " << true << true << 0.0;
        QTest::newRow("zero") << "0.0" << false << false << 0.0;
        QTest::newRow("minus one, blanks") << " -1 " << true << true << -1.0;
        QTest::newRow("a rate") << "-0.4" << true << true << -0.4;
        QTest::newRow("beyond the rates") << "1.5" << true << true << 0.0;
        QTest::newRow("neither") << "maybe" << true << false << 0.0;
    }
    void storedTexts()
    {
        QFETCH(QString, text);
        QVERIFY(m_store->writeTogether({{"Settings", "TakeOverOnlineCode", text},
                                        {"Settings", "SpeakNewATIS", text},
                                        {"Settings", "SpeechRate", text}}));
        const ProgramSettings read = ProgramSettings::load(*m_store);
        QTEST(read.TakeOverOnlineCode, "takeOverOnlineCode");
        QTEST(read.SpeakNewATIS, "speakNewATIS");
        QTEST(read.SpeechRate, "speechRate");
    }
};

QTEST_GUILESS_MAIN(TestStore)
#include "test_store.moc"
