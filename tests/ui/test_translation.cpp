#include "core/informationcodes.h"
#include "tests/ui/uiharness.h"

namespace {
// The pseudo-language: every text the sources mark, as "‹" and the text (so
// lrelease made it from the sources), and "›" after it here, so that the
// values a text holds and what stands beside it can be told apart.
class PseudoTranslator : public QTranslator
{
public:
    QString translate(const char* context, const char* source, const char* disambiguation,
                      int n) const override
    {
        const QString text = QTranslator::translate(context, source, disambiguation, n);
        return text.isEmpty() ? text : text + u'›';
    }
};

// Whether a text shows words untranslated: outside its marked parts (a part
// may hold others, and may be cut short at the end), other than the
// product's name, the information codes, the airport, numbers, addresses
// and signs.
bool untranslated(QString text)
{
    static const QRegularExpression marked(QStringLiteral("‹[^‹›]*(›|$)"));
    while (text.contains(marked))
        text.remove(marked);
    static const QRegularExpression noText(R"(^(Briefcast|KSEA|[\d.:,]+|\w+://\S*|\W+)$)");
    const QStringList words = text.split(QRegularExpression(R"(\s+)"), Qt::SkipEmptyParts);
    return std::any_of(words.begin(), words.end(), [](const QString& word) {
        return !InformationCodes().contains(word) && !noText.match(word).hasMatch();
    });
}

// Every caption, title, label, menu item, list heading, tip and name for
// screen readers of a window and what it holds; not the boxes' contents,
// which are the controller's and the weather's, nor the buttons of Qt's own,
// which Qt's translation has.
QStringList textsOf(QWidget* window)
{
    QStringList texts;
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    for (QWidget* w : widgets << window) {
        if (qobject_cast<QDialogButtonBox*>(w->parentWidget()))
            continue;
        if (qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w) ||
            qobject_cast<QGroupBox*>(w) || qobject_cast<QMenu*>(w))
            texts << UiHarness::textOf(w);
        texts << w->windowTitle().remove("[*]") << w->toolTip() << w->accessibleName();
        for (const QAction* action : w->actions())
            texts << action->text();
        if (auto* list = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < list->count(); ++i)
                texts << list->itemText(i);
        if (auto* view = qobject_cast<QAbstractItemView*>(w))
            for (int i = 0; i < view->model()->columnCount(); ++i)
                texts << view->model()->headerData(i, Qt::Horizontal).toString();
    }
    return texts;
}
} // namespace

class TestTranslation : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // The window, its dialogs and its messages, run in the pseudo-language,
    // show no text untranslated.
    void everyTextIsTranslated()
    {
        PseudoTranslator pseudo;
        QVERIFY(pseudo.load(BRIEFCAST_PSEUDO_QM));
        QCoreApplication::installTranslator(&pseudo);
        UiHarness h;
        frmMain& w = h.start();
        h.press("cmdRefresh"); // no airport yet: refused
        QTest::keyClicks(h.get("txtICAO"), "KSEA");
        h.get<QPlainTextEdit>("txtTemplate")->setPlainText("Information %id% wind %wnd%");
        h.press("cmdStartStop"); // auto-update on, an ATIS with a finding
        h.press("cmdAddRunway"); // asked, then cancelled
        h.dialogs.answers = {Dialogs::Answer::No};
        h.press("cmdLoad"); // the changes not saved, and no profile chosen: refused
        h.press("mnuHelpAbout");
        QStringList texts = textsOf(&w);
        for (const auto& [menu, dialog] :
             {std::pair{"mnuOptionsTransitionLevel", "frmTransitionLevel"},
              std::pair{"mnuOptionsAtisType", "frmAtisType"},
              std::pair{"mnuOptionsGenerator", "frmGenerator"}}) {
            h.press(menu);
            texts << textsOf(w.findChild<QDialog*>(dialog));
        }
        QCOMPARE(h.dialogs.shown.size(), 5);
        for (const ScriptedDialogs::Shown& box : h.dialogs.shown)
            texts << box.title << box.text;
        QCOMPARE(h.dialogs.asked.size(), 1);
        texts << h.dialogs.asked.first().title << h.dialogs.asked.first().prompt;
        texts.removeIf([](const QString& text) { return !untranslated(text); });
        QVERIFY2(texts.isEmpty(), qPrintable(texts.join('\n')));
    }
};

QTEST_MAIN(TestTranslation)
#include "test_translation.moc"
