#include "texts.h"

#include <QTest>

class TestTexts : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void defaultTemplateHasFourLines()
    {
        QCOMPARE(Texts::DefaultTemplate.split(QStringLiteral("\r\n")).size(), 4);
        QVERIFY(!Texts::DefaultTemplate.endsWith(QStringLiteral("\r\n")));
    }
};

QTEST_GUILESS_MAIN(TestTexts)
#include "test_texts.moc"
