#include "core/atisfile.h"
#include "core/metarrequest.h"
#include "tests/support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QByteArray Previous = "Previous ATIS\r\n";

ino_t inodeOf(const QString& path)
{
    struct stat info = {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : 0;
}

// Fills the file system of the folder up to its last page, as a disk that is
// nearly full.
bool fillUpToLastPage(const QString& folder)
{
    const QByteArray filler = QFile::encodeName(QDir(folder).filePath("filler"));
    const int fd = ::open(filler.constData(), O_WRONLY | O_CREAT, 0600);
    const QByteArray page(4096, 'f');
    off_t size = 0;
    while (::write(fd, page.constData(), page.size()) == page.size())
        size += page.size();
    const bool filled = size > 0 && ::ftruncate(fd, size - page.size()) == 0;
    ::close(fd);
    return filled;
}

// The write as the ordinary user nobody, in a child process: as root,
// permissions would stop nothing. The failure comes back as "number
// description", or empty.
QByteArray writeAsNobody(const QString& path, const QString& text)
{
    int out[2];
    if (::pipe(out) != 0)
        return "pipe failed";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(out[0]);
        QByteArray result = "setuid failed";
        if (::setgid(65534) == 0 && ::setuid(65534) == 0) {
            const auto failure = WriteATISFile(path, text);
            result = failure
                         ? QByteArray::number(failure->number) + ' ' + failure->description.toUtf8()
                         : QByteArray();
        }
        (void)!::write(out[1], result.constData(), result.size());
        ::_exit(0);
    }
    ::close(out[1]);
    QByteArray result;
    char buffer[512];
    for (ssize_t n; (n = ::read(out[0], buffer, sizeof buffer)) > 0;)
        result.append(buffer, n);
    ::close(out[0]);
    ::waitpid(child, nullptr, 0);
    return result;
}

} // namespace

class TestAtisFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void replacesWholeFile();
    void refusedPaths_data();
    void refusedPaths();
    void failedWriteKeepsPreviousFile_data();
    void failedWriteKeepsPreviousFile();
    void folderPermissions_data();
    void folderPermissions();
    void unrepresentableBecomesQuestionMark();
    void requestUrl_data();
    void requestUrl();
    void noMetarReply_data();
    void noMetarReply();

private:
    QTemporaryDir m_dir;
};

void TestAtisFile::replacesWholeFile()
{
    const QString path = m_dir.filePath("atis.txt");
    QVERIFY(!WriteATISFile(path, "Line one\r\nLine two\r\nLine three"));
    QCOMPARE(readFile(path), QByteArray("Line one\r\nLine two\r\nLine three"));
    QVERIFY(!WriteATISFile(path, "Short"));
    QCOMPARE(readFile(path), QByteArray("Short"));
    QVERIFY(!WriteATISFile(path, QString()));
    QCOMPARE(readFile(path), QByteArray());
    // Nothing but the file itself is left beside it.
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"atis.txt"});
}

void TestAtisFile::refusedPaths_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("description");
    QTest::newRow("empty") << QString() << 5 << "The location of atis.txt is not a full path: \"\"";
    QTest::newRow("relative") << "atis.txt" << 5
                              << "The location of atis.txt is not a full path: \"atis.txt\"";
    QTest::newRow("relative subfolder")
        << "sub/atis.txt" << 5 << "The location of atis.txt is not a full path: \"sub/atis.txt\"";
    const QString missing = m_dir.filePath("no/such/folder/atis.txt");
    QTest::newRow("missing folder")
        << missing << 5 << "No such file or directory: \"" + missing + "\"";
    QTest::newRow("a folder") << m_dir.path() << 2
                              << "Filename refers to a directory: \"" + m_dir.path() + "\"";
}

void TestAtisFile::refusedPaths()
{
    QFETCH(QString, path);
    // Never written relative to the working folder, never a folder created.
    QTemporaryDir workingDir;
    const QString cwd = QDir::currentPath();
    QDir::setCurrent(workingDir.path());
    const auto failure = WriteATISFile(path, "ATIS");
    QDir::setCurrent(cwd);
    QVERIFY(failure);
    QTEST(failure->number, "number");
    QTEST(failure->description, "description");
    QVERIFY(QDir(workingDir.path()).isEmpty());
    QVERIFY(!QFile::exists(m_dir.filePath("no")));
}

void TestAtisFile::failedWriteKeepsPreviousFile_data()
{
    QTest::addColumn<bool>("fullDisk"); // otherwise a file size limit
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("reason");
    QTest::newRow("full disk") << true << 4 << "No space left on device";
    QTest::newRow("file size limit") << false << 2 << "File too large";
}

void TestAtisFile::failedWriteKeepsPreviousFile()
{
    QFETCH(bool, fullDisk);
    QTemporaryDir dir;
    const QByteArray folder = QFile::encodeName(dir.path());
    if (fullDisk && ::mount("tmpfs", folder.constData(), "tmpfs", 0, "size=64k") != 0)
        QSKIP("cannot mount a small tmpfs here (needs root or CAP_SYS_ADMIN)");
    const auto unmount = qScopeGuard([&] {
        if (fullDisk)
            ::umount2(folder.constData(), MNT_DETACH);
    });
    const QString path = dir.filePath("atis.txt");
    QVERIFY(!WriteATISFile(path, QString::fromLatin1(Previous)));

    // An ATIS far longer than the room left: its first 4,096 bytes fit.
    rlimit limit = {};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit saved = limit;
    if (fullDisk) {
        QVERIFY(fillUpToLastPage(dir.path()));
    } else {
        std::signal(SIGXFSZ, SIG_IGN);
        limit.rlim_cur = 4096;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    const auto failure = WriteATISFile(path, QString(12000, u'W'));
    ::setrlimit(RLIMIT_FSIZE, &saved);

    QVERIFY(failure);
    QTEST(failure->number, "number");
    QFETCH(QString, reason);
    QCOMPARE(failure->description, reason + ": \"" + path + "\"");
    QCOMPARE(readFile(path), Previous);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
             fullDisk ? QStringList({"atis.txt", "filler"}) : QStringList({"atis.txt"}));
}

void TestAtisFile::folderPermissions_data()
{
    QTest::addColumn<int>("folderMode");
    QTest::addColumn<bool>("userOwnsFolder");
    QTest::addColumn<int>("fileMode");
    QTest::addColumn<bool>("userOwnsFile");
    QTest::addColumn<QByteArray>("result"); // "replaced", "in place" or the failure
    QTest::newRow("folder allows new files: replaced")
        << 0755 << true << 0644 << true << QByteArray("replaced");
    QTest::newRow("folder refuses new files: written in place")
        << 0755 << false << 0644 << true << QByteArray("in place");
    QTest::newRow("replacing refused in a sticky folder: written in place")
        << 01777 << false << 0666 << false << QByteArray("in place");
    QTest::newRow("folder and file refuse: kept")
        << 0755 << false << 0644 << false << QByteArray("5 Permission denied");
}

void TestAtisFile::folderPermissions()
{
    if (::geteuid() != 0)
        QSKIP("needs root to hand files to the user nobody and to become it");
    QFETCH(int, folderMode);
    QFETCH(bool, userOwnsFolder);
    QFETCH(int, fileMode);
    QFETCH(bool, userOwnsFile);
    QTemporaryDir dir;
    for (QDir up(dir.path()); up.cdUp();) {
        if (!QFileInfo(up.path()).permission(QFileDevice::ExeOther))
            QSKIP("the temporary folder lies out of the ordinary user's reach");
    }
    const QString folder = dir.filePath("Program Files");
    const QString path = folder + "/atis.txt";
    QVERIFY(QDir().mkdir(folder));
    QVERIFY(!WriteATISFile(path, QString::fromLatin1(Previous)));
    const auto owner = [](bool user) { return user ? 65534 : 0; };
    QVERIFY(::chmod(QFile::encodeName(dir.path()).constData(), 0755) == 0);
    QVERIFY(::chown(QFile::encodeName(folder).constData(), owner(userOwnsFolder), 0) == 0);
    QVERIFY(::chmod(QFile::encodeName(folder).constData(), mode_t(folderMode)) == 0);
    QVERIFY(::chown(QFile::encodeName(path).constData(), owner(userOwnsFile), 0) == 0);
    QVERIFY(::chmod(QFile::encodeName(path).constData(), mode_t(fileMode)) == 0);
    const ino_t before = inodeOf(path);

    const QByteArray failure = writeAsNobody(path, "New ATIS");

    QFETCH(QByteArray, result);
    const bool written = result == "replaced" || result == "in place";
    QCOMPARE(failure, written ? QByteArray() : result + ": \"" + path.toUtf8() + '"');
    QCOMPARE(readFile(path), written ? QByteArray("New ATIS") : Previous);
    QCOMPARE(inodeOf(path) != before, result == "replaced");
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{"atis.txt"});
}

void TestAtisFile::unrepresentableBecomesQuestionMark()
{
    QString text = QStringLiteral("A");
    text.append(QChar(0xD800)); // a lone surrogate no code page can hold
    text.append(QStringLiteral("B\u00E9"));
    QString trailing = QStringLiteral("Z");
    trailing.append(QChar(0xDC00));
    QCOMPARE(EncodeForATISFile(trailing), QByteArray("Z?"));
    const QByteArray bytes = EncodeForATISFile(text);
    QVERIFY(bytes.startsWith("A?B"));
    QCOMPARE(bytes.size(),
             3 + QByteArray(QStringEncoder(QStringConverter::System).encode(u"\u00E9")).size());
    QCOMPARE(EncodeForATISFile("Plain\r\nASCII"), QByteArray("Plain\r\nASCII"));
}

void TestAtisFile::requestUrl_data()
{
    QTest::addColumn<QString>("icao");
    QTest::addColumn<QString>("url");
    const QString s = "https://metar.example.net/metar.php";
    QTest::newRow("valid code") << "KSEA" << s + "?id=KSEA";
    QTest::newRow("digits") << "K0A9" << s + "?id=K0A9";
    QTest::newRow("lower case as typed") << "ksea" << s + "?id=ksea";
    QTest::newRow("query injection") << "KSEA&x=1" << s + "?id=KSEA%26x%3D1";
    QTest::newRow("path change") << "../a b" << s + "?id=%2E%2E%2Fa%20b";
    QTest::newRow("hash and percent") << "#%" << s + "?id=%23%25";
    QTest::newRow("non-ASCII as UTF-8") << QString::fromUtf8("\u00C9") << s + "?id=%C3%89";
    QTest::newRow("empty") << "" << s + "?id=";
}

void TestAtisFile::requestUrl()
{
    QFETCH(QString, icao);
    QTEST(BuildMetarRequestURL("https://metar.example.net/metar.php", icao), "url");
}

void TestAtisFile::noMetarReply_data()
{
    QTest::addColumn<QString>("normalised");
    QTest::addColumn<bool>("noMetar");
    QTest::newRow("with code") << "No METAR available for KXYZ" << true;
    QTest::newRow("prefix alone") << "No METAR available for " << true;
    QTest::newRow("no final blank") << "No METAR available for" << false;
    QTest::newRow("other case") << "no metar available for KXYZ" << false;
    QTest::newRow("leading blank") << " No METAR available for KXYZ" << false;
    QTest::newRow("empty") << "" << false;
}

void TestAtisFile::noMetarReply()
{
    QFETCH(QString, normalised);
    QTEST(IsNoMetarReply(normalised), "noMetar");
}

QTEST_GUILESS_MAIN(TestAtisFile)
#include "test_atisfile.moc"
