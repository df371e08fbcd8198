#include "store/qsettingsstore.h"
#include "tests/support/ordinaryuser.h"
#include "tests/support/temporaryhome.h"
#include "tests/support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

class TestQSettingsStore : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void userLocation();
    void namesSurvive_data();
    void namesSurvive();
    void caseInsensitiveBackendKeepsNamesApart_data();
    void caseInsensitiveBackendKeepsNamesApart();
    void valuesRoundTrip_data();
    void valuesRoundTrip();
    void sectionsStayApart();
    void missingAndEmpty();
    void twoInstancesShareTheFile();
    void failedWriteIsReported();
    void failedWriteLeavesNothingBehind();
    void writeReplacesTheFileWhole();
    void damagedFileStillReads_data();
    void damagedFileStillReads();
    void fileValuesReadAsTheyStand_data();
    void fileValuesReadAsTheyStand();

private:
    QString file() const { return m_dir->filePath(QStringLiteral("store.ini")); }
    std::unique_ptr<TemporaryHome> m_home;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestQSettingsStore::initTestCase()
{
    m_home = std::make_unique<TemporaryHome>();
    QVERIFY(m_home->dir.isValid());
}

void TestQSettingsStore::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
}

void TestQSettingsStore::userLocation()
{
    QSettingsStore store;
    QCOMPARE(store.fileName(), m_home->path() + "/config/Briefcast/Briefcast.conf");
    QVERIFY(store.SaveSetting("Settings", "ICAO", "KSEA"));
    QCOMPARE(QSettingsStore().GetSetting("Settings", "ICAO"), QStringLiteral("KSEA"));
}

void TestQSettingsStore::namesSurvive_data()
{
    QTest::addColumn<QString>("name");
    // Each row stands for a family: separators of the file's form, edges,
    // line breaks, characters beyond ASCII, what QSettings reads specially.
    const char* names[] = {"KBOS west", "a/b",           "a\\b",      "100%",
                           "k=v",       "semi;colon",    "[bracket]", " leading",
                           "trailing ", "line\r\nbreak", "Zürich",    "東京",
                           "General",   "@Variant(0)",   "%41",       "emoji \U0001F6EB"};
    for (const char* n : names)
        QTest::newRow(QByteArray(n)
                          .replace('\r', "\\r")
                          .replace('\n', "\\n")
                          .replace('\t', "\\t")
                          .constData())
            << QString::fromUtf8(n);
}

void TestQSettingsStore::namesSurvive()
{
    QFETCH(QString, name);
    QSettingsStore store(file());
    QVERIFY(store.SaveSetting("Profiles", name, "1"));
    QVERIFY(store.SaveSetting("Profiles\\" + name, "ICAO", name));
    QVERIFY(store.SaveSetting(name, name, "value"));

    QSettingsStore reread(file());
    const auto index = reread.GetAllSettings("Profiles");
    QVERIFY(index);
    QCOMPARE(index->size(), 1);
    QCOMPARE(index->at(0).first, name);
    QCOMPARE(reread.GetSetting("Profiles\\" + name, "ICAO"), name);
    QCOMPARE(reread.GetSetting(name, name), QStringLiteral("value"));
    // A name differing only in letter case or by a blank is another name.
    QCOMPARE(
        reread.GetSetting(name.toUpper() == name ? name.toLower() : name.toUpper(), name, "none"),
        name.toUpper() == name.toLower() ? QStringLiteral("value") : QStringLiteral("none"));
    QCOMPARE(reread.GetSetting(name + " ", name, "none"), QStringLiteral("none"));

    // The file is QSettings' INI form, read and written alike by both.
    const QString qtKey = store.encodeName("Profiles\\" + name) + "/ICAO";
    QSettings qt(file(), QSettings::IniFormat);
    QCOMPARE(qt.value(qtKey).toString(), name);
    QCOMPARE(qt.value(store.encodeName(name) + "/" + store.encodeName(name)).toString(),
             QStringLiteral("value"));
    const QString byQt = m_dir->filePath("qt.ini");
    QSettings(byQt, QSettings::IniFormat).setValue(qtKey, name);
    QCOMPARE(QSettingsStore(byQt).GetSetting("Profiles\\" + name, "ICAO"), name);
}

void TestQSettingsStore::caseInsensitiveBackendKeepsNamesApart_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::newRow("ascii") << "KBOS"
                           << "kbos";
    QTest::newRow("mixed") << "Kbos West"
                           << "KBOS west";
    QTest::newRow("accented") << "ÉTÉ"
                              << "été";
    QTest::newRow("caret and letter") << "^a"
                                      << "A";
}

void TestQSettingsStore::caseInsensitiveBackendKeepsNamesApart()
{
    // The registry compares names without regard to letter case: the
    // encoding must leave nothing for it to fold.
    QFETCH(QString, a);
    QFETCH(QString, b);
    QSettingsStore store(file(), true);
    const QString ea = store.encodeName(a), eb = store.encodeName(b);
    QVERIFY(ea.compare(eb, Qt::CaseInsensitive) != 0);
    QCOMPARE(store.decodeName(ea), a);
    QCOMPARE(store.decodeName(eb), b);
    QCOMPARE(store.decodeName(ea.toLower()), a);
    QVERIFY(store.SaveSetting("Profiles", a, "1"));
    QVERIFY(store.SaveSetting("Profiles", b, "1"));
    QCOMPARE(store.GetAllSettings("Profiles")->size(), 2);
}

void TestQSettingsStore::valuesRoundTrip_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("empty") << QString();
    QTest::newRow("crlf inside") << "$mypvtrw\r\nInformation %id%\r\n%runways%";
    QTest::newRow("lone cr and lf") << "a\rb\nc";
    QTest::newRow("commas") << "4R,1,0|4L,1,1";
    QTest::newRow("quotes and escapes") << "say \"hello\" \\ back\\slash \\n";
    QTest::newRow("blanks at the edges") << "  padded  ";
    QTest::newRow("looks like a variant") << "@Variant(\\0\\0\\0\\x7f)";
    QTest::newRow("looks like a list") << "a, b, c";
    QTest::newRow("true") << "true";
    QTest::newRow("non-ascii") << "Zürich 東京 \U0001F6EB";
    QTest::newRow("64 KiB") << QString(64 * 1024, QLatin1Char('x'));
}

void TestQSettingsStore::valuesRoundTrip()
{
    QFETCH(QString, value);
    QVERIFY(QSettingsStore(file()).SaveSetting("Settings", "Template", value));
    QCOMPARE(QSettingsStore(file()).GetSetting("Settings", "Template", "<default>"), value);
    // The same value as QSettings writes and reads it.
    QCOMPARE(QSettings(file(), QSettings::IniFormat).value("Settings/Template").toString(), value);
    const QString byQt = m_dir->filePath("qt.ini");
    QSettings(byQt, QSettings::IniFormat).setValue("Settings/Template", value);
    QCOMPARE(QSettingsStore(byQt).GetSetting("Settings", "Template", "<default>"), value);
}

void TestQSettingsStore::sectionsStayApart()
{
    QSettingsStore store(file());
    QVERIFY(store.SaveSetting("Profiles", "KBOS west", "1"));
    for (const char* key : {"ICAO", "Template", "Runways", "VisualInUse", "LAHSOInEffect"})
        QVERIFY(store.SaveSetting("Profiles\\KBOS west", key, "x"));
    const auto index = store.GetAllSettings("Profiles");
    QVERIFY(index);
    QCOMPARE(*index, (SettingsStore::Pairs{{"KBOS west", "1"}}));
    QCOMPARE(store.GetAllSettings("Profiles\\KBOS west")->size(), 5);

    QVERIFY(store.DeleteSetting("Profiles\\KBOS west"));
    QVERIFY(!store.GetAllSettings("Profiles\\KBOS west"));
    QCOMPARE(store.GetAllSettings("Profiles")->size(), 1);
    QVERIFY(store.DeleteSetting("Profiles", QStringLiteral("KBOS west")));
    QVERIFY(!store.GetAllSettings("Profiles"));
}

void TestQSettingsStore::missingAndEmpty()
{
    QSettingsStore store(file());
    QVERIFY(!store.GetAllSettings("Profiles"));
    QCOMPARE(store.GetSetting("Settings", "ICAO", "dflt"), QStringLiteral("dflt"));
    QVERIFY(store.SaveSetting("Settings", "ICAO", QString()));
    QCOMPARE(store.GetSetting("Settings", "ICAO", "dflt"), QString());
    // Deleting what is not there is no error.
    QVERIFY(store.DeleteSetting("Nothing", QStringLiteral("here")));
    QVERIFY(store.DeleteSetting("Nothing"));
}

void TestQSettingsStore::twoInstancesShareTheFile()
{
    QSettingsStore first(file());
    QSettingsStore second(file());
    QVERIFY(first.SaveSetting("Profiles", "A", "1"));
    QVERIFY(second.SaveSetting("Profiles", "B", "1"));
    QVERIFY(first.SaveSetting("Profiles", "C", "1"));
    QCOMPARE(second.GetAllSettings("Profiles")->size(), 3);
    QVERIFY(second.DeleteSetting("Profiles", QStringLiteral("A")));
    QCOMPARE(first.GetAllSettings("Profiles")->size(), 2);
    QCOMPARE(QSettingsStore(file()).GetAllSettings("Profiles")->size(), 2);
}

void TestQSettingsStore::failedWriteIsReported()
{
    QSettingsStore store(unwritablePath(m_dir->path(), "store.ini"));
    QVERIFY(!store.SaveSetting("Settings", "ICAO", "KSEA"));
    QVERIFY(!store.DeleteSetting("Settings"));
    // Once the folder can be made, the next write goes through.
    QVERIFY(QFile::remove(m_dir->filePath("blocker")));
    QVERIFY(QDir(m_dir->path()).mkdir("blocker"));
    QVERIFY(store.SaveSetting("Settings", "ICAO", "KBOS"));
    QCOMPARE(QSettingsStore(m_dir->filePath("blocker/store.ini")).GetSetting("Settings", "ICAO"),
             QStringLiteral("KBOS"));
}

void TestQSettingsStore::writeReplacesTheFileWhole()
{
    // The new content is written beside the file and renamed over it, so a
    // crash mid-write leaves the previous file: the file is a new one after
    // every write.
    QSettingsStore store(file());
    QVERIFY(store.SaveSetting("Settings", "ICAO", "KSEA"));
    struct stat before
    {
    };
    QCOMPARE(::stat(QFile::encodeName(file()).constData(), &before), 0);
    QVERIFY(store.SaveSetting("Settings", "ICAO", "KBOS"));
    struct stat after
    {
    };
    QCOMPARE(::stat(QFile::encodeName(file()).constData(), &after), 0);
    QVERIFY(before.st_ino != after.st_ino);
    QCOMPARE(QSettingsStore(file()).GetSetting("Settings", "ICAO"), QStringLiteral("KBOS"));
}

void TestQSettingsStore::damagedFileStillReads_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("icao");
    QTest::newRow("garbage bytes") << QByteArray("\x00\xff\xfe[[[==\n\x01\x02=\n", 13) << QString();
    QTest::newRow("truncated") << QByteArray("[Settings]\nICAO=KSEA\nTemplate=\"unterminated")
                               << "KSEA";
    QTest::newRow("hand-edited")
        << QByteArray("; my notes\n[Settings]\n  ICAO = KSEA  \nbogus line\n[Profiles]\n")
        << "KSEA";
    QTest::newRow("empty") << QByteArray() << QString();
}

void TestQSettingsStore::damagedFileStillReads()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, icao);
    QFile f(file());
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
    f.close();
    QSettingsStore store(file());
    QCOMPARE(store.GetSetting("Settings", "ICAO"), icao);
    store.GetAllSettings("Profiles");
    QVERIFY(store.SaveSetting("Settings", "LastProfile", "x"));
    QCOMPARE(QSettingsStore(file()).GetSetting("Settings", "LastProfile"), QStringLiteral("x"));
}

void TestQSettingsStore::failedWriteLeavesNothingBehind()
{
    OrdinaryUser user;
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("Briefcast.conf");
    QSettingsStore store(path);
    QVERIFY(store.SaveSetting("Profiles", "KBOS", "1"));
    QVERIFY(store.SaveSetting("Profiles\\KBOS", "ICAO", "KBOS"));
    const QByteArray before = readFile(path);

    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner));
    QVERIFY(!store.SaveSetting("Profiles", "NEWONE", "1"));
    QVERIFY(!store.DeleteSetting("Profiles", QStringLiteral("KBOS")));
    QVERIFY(!store.DeleteSetting("Profiles\\KBOS"));
    QVERIFY(!QSettingsStore(path).SaveSetting("Settings", "ICAO", "KSEA"));
    QCOMPARE(*store.GetAllSettings("Profiles"), (SettingsStore::Pairs{{"KBOS", "1"}}));
    QCOMPARE(store.GetSetting("Profiles\\KBOS", "ICAO"), QStringLiteral("KBOS"));
    QCOMPARE(readFile(path), before);

    // Writable again: the next writes succeed, and none of the failed ones
    // comes back with them, through a new store or the old one.
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
    QVERIFY(QSettingsStore(path).SaveSetting("Settings", "ICAO", "KSEA"));
    QVERIFY(store.SaveSetting("Settings", "LastProfile", "KBOS"));
    QSettingsStore reread(path);
    QCOMPARE(*reread.GetAllSettings("Profiles"), (SettingsStore::Pairs{{"KBOS", "1"}}));
    QCOMPARE(reread.GetSetting("Profiles\\KBOS", "ICAO"), QStringLiteral("KBOS"));
    QCOMPARE(reread.GetSetting("Settings", "ICAO"), QStringLiteral("KSEA"));
}

void TestQSettingsStore::fileValuesReadAsTheyStand_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("value");
    // Written by hand: the text between the "=" and the end of the line.
    QTest::newRow("commas, blanks, semicolon")
        << QByteArray("Template=Information %id%, winds $wind(%icao%) , alt $altim(%icao%); sky "
                      "%clouds%%vbCrLf%%runways%")
        << "Information %id%, winds $wind(%icao%) , alt $altim(%icao%); sky "
           "%clouds%%vbCrLf%%runways%";
    QTest::newRow("a list") << QByteArray("Template=KSEA, KBOS") << "KSEA, KBOS";
    QTest::newRow("backslashes") << QByteArray("Template=C:\\Radar\\atis.txt")
                                 << "C:\\Radar\\atis.txt";
    QTest::newRow("quotes inside")
        << QByteArray("Template=say \"hi\", then go") << "say \"hi\", then go";
    QTest::newRow("at sign first") << QByteArray("Template=@home") << "@home";
    QTest::newRow("blanks beside the equals sign") << QByteArray("  Template =  KSEA \t") << "KSEA";
    QTest::newRow("crlf line end") << QByteArray("Template=KSEA\r") << "KSEA";
    // Written by QSettings: quoted and escaped.
    QTest::newRow("quoted") << QByteArray("Template=\"a, b; c\"") << "a, b; c";
    QTest::newRow("escaped backslashes")
        << QByteArray("Template=C:\\\\Radar\\\\atis.txt") << "C:\\Radar\\atis.txt";
    QTest::newRow("escaped line break")
        << QByteArray("Template=line 1\\r\\nline 2") << "line 1\r\nline 2";
    QTest::newRow("doubled at sign") << QByteArray("Template=@@home") << "@home";
    QTest::newRow("quoted blanks") << QByteArray("Template=\"  padded  \"") << "  padded  ";
}

void TestQSettingsStore::fileValuesReadAsTheyStand()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, value);
    QFile f(file());
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[Settings]\n" + line + "\nICAO=KSEA\n");
    f.close();
    QSettingsStore store(file());
    QCOMPARE(store.GetSetting("Settings", "Template"), value);
    QVERIFY(store.GetAllSettings("Settings")->contains({"Template", value}));
    // Writing another key leaves the value as it was.
    QVERIFY(store.SaveSetting("Settings", "LastProfile", "x"));
    QCOMPARE(QSettingsStore(file()).GetSetting("Settings", "Template"), value);
    QVERIFY(readFile(file()).contains(line + '\n'));
}

QTEST_GUILESS_MAIN(TestQSettingsStore)
#include "test_qsettingsstore.moc"
