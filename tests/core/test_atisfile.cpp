// The atis.txt writer on real file systems, and the request and its no-METAR answer.
#include "core/atisfile.h"
#include "core/metarrequest.h"
#include "tests/support/ordinaryuser.h"
#include "tests/support/smalldisk.h"
#include "tests/support/testfiles.h"

#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

namespace {

const QByteArray Previous = "Previous ATIS\r\n";

ino_t inodeOf(const QString& path)
{
    struct stat info = {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : 0;
}

QString failureOf(const QString& path, const QString& text,
                  const QString& encoding = "windows-1252")
{
    const auto failure = WriteATISFile(path, text, encoding);
    return failure ? FailureText(*failure) : QString();
}

void row(const char* name, const QString& input, const QString& output)
{
    QTest::newRow(name) << input << output;
}

} // namespace

class TestAtisFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void replacesWholeFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("atis.txt");
        QCOMPARE(failureOf(path, "Line one\r\nLine two"), QString());
        QCOMPARE(failureOf(path, "A"), QString());
        QCOMPARE(readFile(path), QByteArray("A"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"atis.txt"});
    }

    // The radar client reads the file in a Windows code page, by default
    // the Western European one.
    void codePage_data()
    {
        QTest::addColumn<QString>("encoding");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("failure");
        const auto row = [](const char* name, const char* encoding, const QString& text,
                            const QByteArray& bytes, const QString& failure = QString()) {
            QTest::newRow(name) << encoding << text << bytes << failure;
        };
        row("Western European", "windows-1252", "Z\u00FCrich, it\u2019s 5 \u00B0C \u20AC",
            "Z\xFCrich, it\x92s 5 \xB0"
            "C \x80");
        row("beyond the code page", "windows-1252", "\u6771 \u2708 \U0001F6EB \u0081", "? ? ? ?");
        row("lone surrogate", "windows-1252", QString("A") + QChar(0xD800) + "B", "A?B");
        row("Cyrillic, set", "CP1251", "\u041F\u0440\u0438\u0432\u0435\u0442",
            "\xCF\xF0\xE8\xE2\xE5\xF2");
        row("unknown code page", "Klingon", "A", "<missing>",
            "(2) The code page \"Klingon\" is not known on this computer (setting "
            "ATISFileEncoding)");
    }
    void codePage()
    {
        QFETCH(QString, encoding);
        QFETCH(QString, text);
        QTemporaryDir dir;
        const QString path = dir.filePath("atis.txt");
        QTEST(failureOf(path, text, encoding), "failure");
        QTEST(readFile(path), "bytes");
    }

    void refusedPaths_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("failure");
        const QString notFull = "(5) The location of atis.txt is not a full path: ";
        QTest::newRow("relative") << "sub/atis.txt" << notFull + "\"sub/atis.txt\"";
        row("missing folder", "/no/atis.txt", "(5) No such file or directory: \"/no/atis.txt\"");
        row("a folder", "/", "(2) Filename refers to a directory: \"/\"");
    }
    void refusedPaths()
    {
        QFETCH(QString, path);
        QTEST(failureOf(path, "A"), "failure");
        QVERIFY(!QFile::exists("sub") && !QFile::exists("/no")); // no folder made
    }

    // An ATIS far longer than the room left: its first page would fit. With
    // no inode left no file can be made beside it, and it is written in place.
    void fullDiskKeepsPreviousFile_data()
    {
        QTest::addColumn<bool>("tmpfs"); // otherwise a file size limit
        QTest::addColumn<bool>("noInode");
        QTest::addColumn<QString>("reason");
        QTest::newRow("full disk") << true << false << "(4) No space left on device";
        QTest::newRow("no free block, no free inode")
            << true << true << "(4) No space left on device";
        QTest::newRow("file size limit") << false << false << "(2) File too large";
    }
    void fullDiskKeepsPreviousFile()
    {
        QFETCH(bool, tmpfs);
        QFETCH(bool, noInode);
        QTemporaryDir dir;
        std::optional<SmallDisk> disk;
        if (tmpfs && !disk.emplace(dir.path()).mounted())
            QSKIP("cannot mount a small tmpfs here (needs root or CAP_SYS_ADMIN)");
        const QString path = dir.filePath("atis.txt");
        QCOMPARE(failureOf(path, Previous), QString());
        std::optional<FileSizeLimit> limit;
        if (tmpfs)
            QVERIFY(disk->leaveFree(noInode ? 0 : 1) && (!noInode || disk->leaveNoInode()));
        else
            limit.emplace(SmallDisk::PageSize);
        const QString failure = failureOf(path, QString(12000, u'W'));
        limit.reset();
        QFETCH(QString, reason);
        QCOMPARE(failure, reason + ": \"" + path + "\"");
        QCOMPARE(readFile(path), Previous);
        QCOMPARE(QDir(dir.path()).entryList({"atis*"}, QDir::Files), QStringList{"atis.txt"});
    }

    // As the user nobody: as root, permissions would stop nothing.
    void folderPermissions_data()
    {
        for (const char* column : {"folderMode", "folderOwner", "fileMode", "fileOwner"})
            QTest::addColumn<uint>(column);
        QTest::addColumn<QString>("result"); // "replaced", "in place" or the failure
        const uint nobody = OrdinaryUser::Nobody;
        QTest::newRow("new files allowed: replaced")
            << 0755u << nobody << 0644u << nobody << "replaced";
        QTest::newRow("no new files: in place") << 0755u << 0u << 0644u << nobody << "in place";
        QTest::newRow("sticky folder: in place") << 01777u << 0u << 0666u << 0u << "in place";
        QTest::newRow("both refuse: kept") << 0755u << 0u << 0644u << 0u << "(5) Permission denied";
    }
    void folderPermissions()
    {
        if (::geteuid() != 0)
            QSKIP("needs root to hand files to the user nobody");
        QFETCH(uint, folderMode);
        QFETCH(uint, folderOwner);
        QFETCH(uint, fileMode);
        QFETCH(uint, fileOwner);
        QFETCH(QString, result);
        QTemporaryDir dir;
        for (QDir up(dir.path()); up.cdUp();) {
            if (!QFileInfo(up.path()).permission(QFileDevice::ExeOther))
                QSKIP("the temporary folder lies out of the ordinary user's reach");
        }
        const QByteArray folder = QFile::encodeName(dir.path()), path = folder + "/atis.txt";
        QCOMPARE(failureOf(path, Previous), QString());
        QVERIFY(::chown(folder, folderOwner, 0) == 0 && ::chmod(folder, mode_t(folderMode)) == 0);
        QVERIFY(::chown(path, fileOwner, 0) == 0 && ::chmod(path, mode_t(fileMode)) == 0);
        const ino_t before = inodeOf(path);
        OrdinaryUser nobody;
        const QString failure = failureOf(path, "New ATIS");
        nobody.restore();
        const bool written = !result.startsWith('(');
        QCOMPARE(failure, written ? QString() : result + ": \"" + path + '"');
        QCOMPARE(readFile(path), written ? QByteArray("New ATIS") : Previous);
        QCOMPARE(inodeOf(path) != before, result == "replaced");
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"atis.txt"});
    }

    void requestUrl_data()
    {
        QTest::addColumn<QString>("icao");
        QTest::addColumn<QString>("url");
        row("code", "K0A9", "http://m/metar.php?id=K0A9");
        row("query injection", "KSEA&x=1", "http://m/metar.php?id=KSEA%26x%3D1");
        row("path change", "../a b", "http://m/metar.php?id=%2E%2E%2Fa%20b");
        row("non-ASCII as UTF-8", "\u00C9", "http://m/metar.php?id=%C3%89");
    }
    void requestUrl()
    {
        QFETCH(QString, icao);
        QTEST(BuildMetarRequestURL("http://m/metar.php", icao), "url");
    }
};

QTEST_GUILESS_MAIN(TestAtisFile)
#include "test_atisfile.moc"
