#include "atisfile.h"
#include "metarrequest.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

class TestAtisFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void replacesWholeFile();
    void refusedPaths_data();
    void refusedPaths();
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
    QTest::newRow("empty") << QString();
    QTest::newRow("relative") << QStringLiteral("atis.txt");
    QTest::newRow("relative subfolder") << QStringLiteral("sub/atis.txt");
    QTest::newRow("missing folder") << m_dir.filePath("no/such/folder/atis.txt");
    QTest::newRow("a folder") << m_dir.path();
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
    QVERIFY(failure->number != 0);
    QVERIFY(!failure->description.isEmpty());
    QVERIFY(QDir(workingDir.path()).isEmpty());
    QVERIFY(!QFile::exists(m_dir.filePath("no")));
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
    QCOMPARE(bytes.size(), 3 + QByteArray(QStringEncoder(QStringConverter::System).encode(u"\u00E9")).size());
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
