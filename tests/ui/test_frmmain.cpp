#include "core/informationcodes.h"
#include "tests/support/ordinaryuser.h"
#include "tests/ui/uiharness.h"
#include "ui/optionscommands.h"
#include "ui/qtdesktop.h"

using Answer = Dialogs::Answer;
Q_DECLARE_METATYPE(Answer)

namespace {
const QStringList None;
const QString SaveQuestion = "Would you like to save the current settings as a profile?";
const QString KseaMetar = "KSEA 121653Z 17011KT 10SM FEW015 BKN035 12/09 A2992 RMK AO2";
// The dialogs of the Options menu: the menu item and the dialog's name.
const QList<std::pair<const char*, const char*>> OptionDialogs = {
    {"mnuOptionsTransitionLevel", "frmTransitionLevel"},
    {"mnuOptionsAtisType", "frmAtisType"},
    {"mnuOptionsGenerator", "frmGenerator"}};

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

// What only the window does: its controls bound to its form, the commands
// wired to them, focus order, geometry, closing and the real message box.
// Controls are found by their object names, as the design names them.
class TestFrmMain : public QObject
{
    Q_OBJECT
    std::unique_ptr<UiHarness> h;

    void typeInto(const char* name, const QString& text) { QTest::keyClicks(h->get(name), text); }
    void press(const char* name) { h->press(name); }
    QString textOf(const char* name) { return UiHarness::textOf(h->get<QObject>(name)); }
    QListView* list(const char* name) { return h->get<QListView>(name); }
    void addRunways(const QStringList& ids)
    {
        Profile profile = h->form().profile();
        for (const QString& id : ids)
            profile.runways.append({id});
        h->form().setProfile(profile);
    }
    // Clicks a row of a runway list on its tick box, or beside it.
    void clickRow(const char* name, int row, bool onTickBox)
    {
        QListView* view = list(name);
        const QRect r = view->visualRect(view->model()->index(row, view->modelColumn()));
        const QPoint tickBox(r.left() + r.height() / 2, r.center().y());
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, onTickBox ? tickBox : r.center());
    }
    // The runways of a list, all or only the ticked ones.
    QStringList runways(const char* name, bool tickedOnly = false)
    {
        const QListView* view = list(name);
        QStringList ids;
        for (int row = 0; row < view->model()->rowCount(); ++row)
            if (const QModelIndex i = view->model()->index(row, view->modelColumn());
                !tickedOnly || i.data(Qt::CheckStateRole) == Qt::Checked)
                ids << i.data().toString();
        return ids;
    }
    bool changed() const { return h->window->isWindowModified(); }
    // The profile saved, as the controller would: the window shows no
    // changes, and the save's boxes are forgotten.
    void forgetChanges()
    {
        h->dialogs.inputs = {"Saved"}; // written over when it exists
        press("cmdSave");
        QVERIFY(!changed());
        h->dialogs.shown.clear();
        h->dialogs.asked.clear();
    }

private Q_SLOTS:
    void init() { h = std::make_unique<UiHarness>(); }
    void cleanup() { h.reset(); }

    // Every control inside what holds it, none over another, no caption cut
    // short: in the window and in each dialog of its Options menu.
    void everyWindowIsArranged()
    {
        frmMain& w = h->start();
        // The design's 604 by 337 pixels at 96 dpi, scaled as the display is.
        const double scale = w.centralWidget()->width() / 604.0;
        QVERIFY(scale >= 1.0);
        QVERIFY(qAbs(w.centralWidget()->height() - 337 * scale) <= 1);
        QStringList problems = UiHarness::arrangementProblems(w.centralWidget());
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
        QVERIFY(h->get("cmdLoad")->y() > QFontMetrics(h->get("Frame1")->font()).height());
        for (const auto& [menu, name] : OptionDialogs) {
            press(menu);
            auto* dialog = w.findChild<QDialog*>(name);
            QVERIFY(QTest::qWaitForWindowExposed(dialog));
            problems = UiHarness::arrangementProblems(dialog);
            QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
            dialog->reject();
        }
    }

    // The window, its dialogs and its messages, run in the pseudo-language,
    // show no text untranslated.
    void everyTextIsTranslated()
    {
        PseudoTranslator pseudo;
        QVERIFY(pseudo.load(BRIEFCAST_PSEUDO_QM));
        QCoreApplication::installTranslator(&pseudo);
        frmMain& w = h->start();
        press("cmdRefresh"); // no airport yet: refused
        typeInto("txtICAO", "KSEA");
        h->get<QPlainTextEdit>("txtTemplate")->setPlainText("Information %id% wind %wnd%");
        press("cmdStartStop"); // auto-update on, an ATIS with a finding
        addRunways({"16L"});
        h->dialogs.inputs = {"16l"};
        press("cmdAddRunway"); // asked, and refused: the runway is there
        h->dialogs.answers = {Dialogs::Answer::No};
        press("cmdLoad"); // the changes not saved, and no profile chosen: refused
        press("mnuHelpAbout");
        QStringList texts = textsOf(&w);
        for (const auto& [menu, dialog] : OptionDialogs) {
            press(menu);
            texts << textsOf(w.findChild<QDialog*>(dialog));
        }
        QCOMPARE(h->dialogs.shown.size(), 6);
        for (const ScriptedDialogs::Shown& box : h->dialogs.shown)
            texts << box.title << box.text;
        QCOMPARE(h->dialogs.asked.size(), 1);
        texts << h->dialogs.asked.first().title << h->dialogs.asked.first().prompt;
        texts.removeIf([](const QString& text) { return !untranslated(text); });
        QVERIFY2(texts.isEmpty(), qPrintable(texts.join('\n')));
    }

    // The keyboard reaches every control in the design's order, and a screen
    // reader names each box by the label beside it.
    void tabVisitsTheControlsInDesignOrder()
    {
        h->start();
        const QList<std::pair<const char*, QString>> names = {
            {"txtICAO", "Airport Code"},    {"cboProfiles", "Saved Profiles"},
            {"txtTemplate", "Template"},    {"txtATIS", "Last Generated ATIS"},
            {"lstArriving", "Landing"},     {"lstDeparting", "Departing"},
            {"txtLastMETAR", "Last METAR"}, {"cboATISCode", "Information code"}};
        for (const auto& [control, name] : names)
            QCOMPARE(h->get(control)->accessibleName(), name);
        h->get("txtICAO")->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), h->get("txtICAO"));
        QStringList visited{"txtICAO"};
        while (visited.size() < 21) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, (QStringList{"txtICAO",
                                       "cboProfiles",
                                       "cmdLoad",
                                       "cmdSave",
                                       "cmdDelete",
                                       "cmdExit",
                                       "cboTemplatePresets",
                                       "cmdUseTemplatePreset",
                                       "txtTemplate",
                                       "txtATIS",
                                       "cmdStartStop",
                                       "cmdCopy",
                                       "cmdRefresh",
                                       "cboATISCode",
                                       "lstArriving",
                                       "lstDeparting",
                                       "cmdAddRunway",
                                       "cmdDelRunway",
                                       "chkVisual",
                                       "txtLastMETAR",
                                       "chkLAHSO"}));
        // In an open menu, each item's key letter chooses it alone.
        QStringList keys;
        for (const char* menu : {"mnuFile", "mnuOptions", "mnuOptionsRate"}) {
            keys << "";
            for (const QAction* item : h->get<QMenu>(menu)->actions())
                keys.last() += QKeySequence::mnemonic(item->text()).toString().remove("Alt+");
        }
        QCOMPARE(keys, (QStringList{"SCRKX", "ULTGNAPFSVR", "SNF"}));
    }

    void airportCodeSelectedWhenInvalidAndUpperCasedOnLeaving()
    {
        h->start();
        typeInto("txtICAO", "ksea");
        press("mnuFileRefresh"); // the box keeps the focus: still in small letters
        QCOMPARE(h->dialogs.shownTexts(), QStringList{"Invalid ICAO code entered!"});
        QCOMPARE(QApplication::focusWidget(), h->get("txtICAO"));
        QCOMPARE(h->get<QLineEdit>("txtICAO")->selectedText(), "ksea");
        h->get("txtTemplate")->setFocus();
        QCOMPARE(textOf("txtICAO"), "KSEA");
    }

    // A button triggers its menu twin, which runs its command once: one METAR
    // request each, after the status file. Beside the last ATIS: what its check
    // found, every finding on hover, until the next clean ATIS; the age, bold when stale.
    void refreshAndStartRunOneCycleEach()
    {
        h->start();
        typeInto("txtICAO", "KSEA");
        h->get<QPlainTextEdit>("txtTemplate")->setPlainText("Information %id% wind %wnd%");
        press("cmdRefresh");
        QCOMPARE(h->server.requestCount(), 2);
        QCOMPARE(textOf("txtLastMETAR"), KseaMetar);
        QCOMPARE(textOf("lblMetarAge"), "Age 7 min");
        QVERIFY(!h->get("lblMetarAge")->font().bold()); // bold only when stale
        QCOMPARE(textOf("lblATISCode"), "Current Code:");
        QCOMPARE(textOf("lblCheck"), "Check: Not a variable: %wnd%");
        QCOMPARE(h->get("lblCheck")->toolTip(), "Not a variable: %wnd%");
        const QColor ink = h->get("lblCheck")->palette().color(QPalette::WindowText);
        QVERIFY(ink.red() > 2 * std::max(ink.green(), ink.blue())); // in red
        QVERIFY(!h->window->findChild<QTimer*>("tmrMain")->isActive());
        h->get<QPlainTextEdit>("txtTemplate")->setPlainText("Information %id% wind %wind%");
        press("cmdRefresh");
        QCOMPARE(textOf("lblCheck"), "");
        QCOMPARE(h->get("lblCheck")->toolTip(), "");
        press("cmdStartStop");
        QCOMPARE(h->server.requestCount(), 4);
        QVERIFY(h->window->findChild<QTimer*>("tmrMain")->isActive());
        QCOMPARE(textOf("cmdStartStop"), "Stop");
        QCOMPARE(textOf("mnuFileStartStop"), "&Stop Autoupdate");
        QVERIFY(!h->get("cboATISCode")->isEnabled());
        h->now = h->now.addSecs(2 * 3600); // the same report two hours on: stale
        press("cmdRefresh");
        QVERIFY(h->get("lblMetarAge")->font().bold());
    }

    void atisBoxReadOnlyAndCopied()
    {
        h->start();
        h->form().setAtisText("ALPHA");
        typeInto("txtATIS", "x");
        QCOMPARE(textOf("txtATIS"), "ALPHA");
        press("cmdCopy");
        QCOMPARE(h->desktop.clipboard, "ALPHA");
        QCOMPARE(h->server.requestCount(), 1); // the status file only
    }

    // The title's mark shows unsaved profile changes.
    void everyProfileSettingMarksTheProfileChanged()
    {
        frmMain& w = h->start();
        addRunways({"16L"});
        QCOMPARE(w.windowHandle()->title(), "Briefcast");
        typeInto("txtICAO", "K");
        QCOMPARE(w.windowHandle()->title(), "Briefcast*");
        auto marks = [this](std::function<void()> change) {
            forgetChanges();
            change();
            return changed();
        };
        QVERIFY(marks([this] { typeInto("txtTemplate", "x"); }));
        QVERIFY(marks([this] { press("chkVisual"); }));
        QVERIFY(marks([this] { press("chkLAHSO"); }));
        QVERIFY(marks([this] { clickRow("lstArriving", 0, true); }));
        QVERIFY(marks([this] { clickRow("lstDeparting", 0, true); }));
        // Options > Phrasing ticks the airport code's (K: FAA) until one is chosen.
        Q_EMIT h->get<QMenu>("mnuOptionsPhrasing")->aboutToShow();
        QVERIFY(h->get<QAction>("mnuOptionsPhrasingFAA")->isChecked());
        QVERIFY(marks([this] { press("mnuOptionsPhrasingICAO"); }));
        QCOMPARE(h->form().profile().phrasing, Phrasing::Icao);
        QVERIFY(marks([this] { press("mnuOptionsTextFormwords"); }));
        QCOMPARE(h->form().profile().textForm, TextForm::Words);
    }

    // The list offers the airport's region; Use replaces the default
    // template at once, one written by hand only when the controller agrees.
    void templateStartedFromThePresetOfTheRegion()
    {
        h->start();
        typeInto("txtICAO", "YSSY");
        QCOMPARE(textOf("cboTemplatePresets"), "Australia");
        forgetChanges();
        press("cmdUseTemplatePreset");
        QVERIFY(changed());
        QVERIFY(h->dialogs.shown.isEmpty());
        QVERIFY(textOf("txtTemplate").startsWith("%icao% INFORMATION %id% %time%.\n[RWY]"));
        QCOMPARE(h->form().profile().phrasing, Phrasing::Icao);
        QCOMPARE(h->form().profile().textForm, TextForm::Words);
        h->get<QPlainTextEdit>("txtTemplate")->setPlainText("Own template");
        h->get<QLineEdit>("txtICAO")->setText("KSEA");
        h->dialogs.answers = {Dialogs::Answer::No, Dialogs::Answer::Yes};
        press("cmdUseTemplatePreset");
        QCOMPARE(textOf("txtTemplate"), "Own template");
        press("cmdUseTemplatePreset");
        QCOMPARE(h->dialogs.shownTexts(),
                 QStringList(2, "Replace the template with the preset USA (D-ATIS)? Its phrasing "
                                "and text form come with it."));
        QCOMPARE(h->form().profile().phrasing, Phrasing::Faa);
    }

    // A profile saved from the window holds what it shows; loaded over
    // other settings, the window shows it again.
    void profileSavedAndLoadedThroughTheWindow()
    {
        h->start();
        typeInto("txtICAO", "KSEA");
        addRunways({"16L", "16R"});
        clickRow("lstArriving", 0, true);
        clickRow("lstDeparting", 1, true);
        press("chkVisual");
        h->dialogs.inputs = {"Seattle"};
        press("cmdSave");
        typeInto("txtICAO", "X");
        addRunways({"34"});
        press("chkVisual");
        h->dialogs.answers = {Dialogs::Answer::No}; // the changes are not saved
        press("cmdLoad");
        QCOMPARE(textOf("txtICAO"), "KSEA");
        QCOMPARE(runways("lstArriving"), QStringList({"16L", "16R"}));
        QCOMPARE(runways("lstArriving", true), QStringList{"16L"});
        QCOMPARE(runways("lstDeparting", true), QStringList{"16R"});
        QVERIFY(h->get<QCheckBox>("chkVisual")->isChecked());
        h->window->close();
        h->start(); // started again: the saved profiles are listed
        QCOMPARE(textOf("cboProfiles"), "Seattle");
    }

    // The transition level dialog names the hPa values a table leaves
    // uncovered and stays open; the type and letters dialog refuses letters
    // in reverse, and while auto-update runs, letters without the one on the
    // air. What they accept is the window's and marks the profile changed;
    // the code list then offers only the range.
    void profileDialogsRefuseThenApply()
    {
        h->start();
        forgetChanges();
        const auto ok = [](QDialog* dialog) {
            dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        };
        press("mnuOptionsTransitionLevel");
        auto* levels = h->window->findChild<QDialog*>("frmTransitionLevel");
        auto* bands = levels->findChild<QTableWidget*>("lstBands");
        QVERIFY(levels->isVisible() && bands->isVisible());
        levels->findChild<QComboBox*>("cboPresets")->setCurrentIndex(0); // Germany
        levels->findChild<QPushButton*>("cmdUsePreset")->click();
        auto* secondBandFrom = static_cast<QSpinBox*>(bands->cellWidget(1, 0));
        secondBandFrom->setValue(981);
        // A screen reader reads each cell by its column and value.
        QAccessibleTableInterface* cells =
            QAccessible::queryAccessibleInterface(bands)->tableInterface();
        QCOMPARE(cells->cellAt(1, 0)->text(QAccessible::Name), "From hPa 981");
        QCOMPARE(cells->cellAt(2, 2)->text(QAccessible::Name), "Level 60");
        ok(levels);
        QCOMPARE(h->dialogs.shownTexts(),
                 QStringList{"This table cannot be used:\r\n\r\nNo level for 978 to 980 hPa"});
        QVERIFY(levels->isVisible() && !changed());
        secondBandFrom->setValue(978);
        ok(levels);
        QCOMPARE(h->form().profile().transitionLevels,
                 (TransitionLevelTable{{943, 977, 80}, {978, 1013, 70}, {1014, 1050, 60}}));
        QVERIFY(changed());

        forgetChanges();
        press("mnuOptionsAtisType");
        auto* type = h->window->findChild<QDialog*>("frmAtisType");
        QVERIFY(type->isVisible());
        type->findChild<QComboBox*>("cboAtisType")->setCurrentIndex(1);     // Arrival
        type->findChild<QComboBox*>("cboFirstLetter")->setCurrentIndex(13); // NOVEMBER
        type->findChild<QComboBox*>("cboLastLetter")->setCurrentIndex(12);  // MIKE
        ok(type);
        QCOMPARE(h->dialogs.shownTexts().last(), "The last letter comes before the first.");
        QVERIFY(!changed());
        type->findChild<QComboBox*>("cboLastLetter")->setCurrentIndex(25); // ZULU
        ok(type);
        QCOMPARE(h->form().profile().atisType, AtisType::Arrival);
        QVERIFY(changed());
        auto* codes = h->get<QComboBox>("cboATISCode");
        QCOMPARE(codes->count(), 13);
        QCOMPARE(textOf("cboATISCode"), "NOVEMBER"); // ALPHA is outside: the first instead
        codes->setCurrentIndex(2);
        QCOMPARE(h->form().codeIndex(), 15); // PAPA
        typeInto("txtICAO", "KSEA");
        press("cmdStartStop"); // PAPA on the air
        press("mnuOptionsAtisType");
        type = h->window->findChild<QDialog*>("frmAtisType", Qt::FindDirectChildrenOnly);
        type->findChild<QComboBox*>("cboLastLetter")->setCurrentIndex(14); // OSCAR
        ok(type);
        QCOMPARE(h->dialogs.shownTexts().last(),
                 "PAPA is on the air, outside the letters N to O. Stop auto-update first: the new "
                 "letters begin at the next Start.");
        QCOMPARE(textOf("lblATISCode") + textOf("cboATISCode"), "Current Code:PAPA");
        QCOMPARE(codes->count(), 13);
    }

    // Upper-cased; a refused identifier brings the box back without a
    // message until it is valid or cancelled; a duplicate is refused.
    void addRunway_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QStringList>("typed"); // then the box is cancelled
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<int>("asked");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<int>("currentRow"); // of both lists; -1 none
        const QStringList exists{"That runway already exists in the lists."};
        QTest::newRow("4l") << QStringList{"16L"} << QStringList{"4l"} << QStringList{"16L", "4L"}
                            << 1 << None << 1;
        QTest::newRow("refused until valid")
            << None << QStringList{"0", "37", "4X", "4LL", "L", " 4L", "36"} << QStringList{"36"}
            << 7 << None << 0;
        QTest::newRow("cancelled when asked again")
            << None << QStringList{"37"} << None << 2 << None << -1;
        QTest::newRow("duplicate")
            << QStringList{"16L"} << QStringList{"16l"} << QStringList{"16L"} << 1 << exists << -1;
    }
    void addRunway()
    {
        QFETCH(QStringList, before);
        QFETCH(QStringList, typed);
        QFETCH(QStringList, after);
        QFETCH(int, asked);
        QFETCH(QStringList, shown);
        QFETCH(int, currentRow);
        h->start();
        addRunways(before);
        h->dialogs.inputs = typed;
        press("cmdAddRunway");
        QCOMPARE(runways("lstArriving"), after);
        QCOMPARE(runways("lstDeparting"), after);
        QCOMPARE(runways("lstArriving", true), None);
        QCOMPARE(h->dialogs.asked.size(), asked);
        QCOMPARE(h->dialogs.shownTexts(), shown);
        QCOMPARE(changed(), after != before);
        QCOMPARE(list("lstArriving")->currentIndex().row(), currentRow);
        QCOMPARE(list("lstDeparting")->currentIndex().row(), currentRow);
    }

    void deletedRunwayLeavesBothListsWithItsTicks()
    {
        h->start();
        addRunways({"9", "33R", "09"});
        clickRow("lstArriving", 2, true);
        clickRow("lstArriving", 0, false);
        forgetChanges();
        press("cmdDelRunway");
        QCOMPARE(runways("lstArriving"), (QStringList{"33R", "09"}));
        QCOMPARE(runways("lstDeparting"), (QStringList{"33R", "09"}));
        QCOMPARE(runways("lstArriving", true), QStringList{"09"});
        QVERIFY(changed());
        QCOMPARE(list("lstArriving")->currentIndex().row(), 0);
        QCOMPARE(list("lstDeparting")->currentIndex().row(), 0);
    }

    void listsShowTheSameRowAndTopRow()
    {
        h->start();
        for (int runway = 1; runway <= 17; ++runway)
            addRunways({QString::number(runway)});
        clickRow("lstDeparting", 1, false);
        QCOMPARE(list("lstArriving")->currentIndex().row(), 1);
        QCoreApplication::processEvents(); // the lists lay their rows out
        list("lstDeparting")->verticalScrollBar()->setValue(3);
        QCOMPARE(list("lstArriving")->verticalScrollBar()->value(), 3);
    }

    // Cancelled, a name not ending in atis.txt, a folder that does not
    // exist, then ATIS.TXT not written yet: accepted.
    void atisFileLocationMayNameAFileNotWrittenYet()
    {
        h->start();
        const QString missing = h->dir.filePath("gone/atis.txt");
        const QString chosen = h->dir.filePath("ATIS.TXT");
        h->dialogs.files = {"", h->dir.filePath("notes.txt"), missing, chosen};
        for (int i = 0; i < 3; ++i)
            press("mnuOptionsATISLoc");
        QCOMPARE(h->session->settings().ATISFilePath, h->atisPath());
        press("mnuOptionsATISLoc");
        QCOMPARE(h->session->settings().ATISFilePath, chosen);
        QCOMPARE(h->dialogs.fileRequests.at(0).mustExist, false);
        QCOMPARE(h->dialogs.fileRequests.at(0).initialFile, h->atisPath());
        QCOMPARE(h->dialogs.shownTexts(),
                 QStringList({"Please specify your atis.txt file",
                              "The folder of this file does not exist. Please choose a file in an "
                              "existing folder:\r\n\r\n" +
                                  missing,
                              "ATIS file path now set to:\r\n\r\n" + chosen}));
    }

    void aboutNamesVersionAndManual()
    {
        h->start();
        press("mnuHelpAbout");
        QCOMPARE(h->dialogs.shownTexts(),
                 QStringList{"Briefcast\r\n\r\nVersion 1.3.1\r\n\r\nBriefcast "
                             "contributors\r\n\r\n" +
                             ManualUrl().toString()});
    }

    // Exit triggers File > Exit, which closes as the title bar does: it asks
    // about unsaved changes, and Cancel keeps all. The session's end asks
    // nothing; once ended, a close asks and stores nothing again.
    void exitAsksAboutChangesButTheSessionEndDoesNot()
    {
        frmMain& w = h->start();
        typeInto("txtICAO", "KSEA");
        h->dialogs.answers << Answer::Cancel;
        press("cmdExit");
        QCOMPARE(h->dialogs.shownTexts(), QStringList{SaveQuestion});
        QVERIFY(w.isVisible());
        QCOMPARE(h->unloads, 0);
        QCOMPARE(h->setting("ICAO"), "");
        w.sessionEnding(false);
        QCOMPARE(h->unloads, 1);
        QCOMPARE(h->setting("ICAO"), "KSEA");
        w.close();
        QVERIFY(!w.isVisible());
        QCOMPARE(h->dialogs.shownTexts(), QStringList{SaveQuestion});
        QCOMPARE(h->unloads, 1);
    }

    // Without an engine it is told after the "New ATIS" box; Speak then rests.
    void f9SpeaksStopsAndTellsAMissingEngine()
    {
        h->start();
        typeInto("txtICAO", "KSEA");
        press("cmdRefresh");
        QTest::keyClick(h->window.get(), Qt::Key_F9);
        QTest::keyClick(h->window.get(), Qt::Key_F9);
        QCOMPARE(h->speaker.said,
                 QStringList{"John Doe, S-3. Information Alpha Winds one seven zero at one one "
                             "altimeter two niner niner two Sky few clouds at one thousand five "
                             "hundred, ceiling three thousand five hundred broken."});
        QCOMPARE(h->speaker.stops, 1);
        h->speaker.present = false;
        QTest::keyClick(h->window.get(), Qt::Key_F9);
        QTRY_COMPARE(h->dialogs.shown.size(), 2);
        QCOMPARE(h->dialogs.shown.at(1).text, "The ATIS cannot be spoken. Everything else works "
                                              "as before.\r\n\r\nNo engine installed.");
        QVERIFY(!h->get<QAction>("mnuFileSpeak")->isEnabled());
    }

    void speechFailureWaitsForTheNewAtisBox()
    {
        h->start();
        press("mnuOptionsSpeakNewATIS");
        typeInto("txtICAO", "KSEA");
        // The engine finds no audio output while the "New ATIS" box is open.
        h->dialogs.whileShown = [this](const ScriptedDialogs::Shown& box) {
            if (box.title == "New ATIS")
                h->speaker.fail();
        };
        press("cmdRefresh");
        QTRY_COMPARE(h->dialogs.shown.size(), 2);
        QCOMPARE(h->dialogs.mostOpen, 1);
        QCOMPARE(h->dialogs.shown.at(0).title, "New ATIS");
        QCOMPARE(h->dialogs.shown.at(1).text, "The ATIS cannot be spoken. Everything else works "
                                              "as before.\r\n\r\nNo audio device available.");
    }

    void speechOptionsKept()
    {
        frmMain& w = h->start();
        press("mnuOptionsSpeakNewATIS");
        press("mnuOptionsTakeOverCode");
        h->get<QMenu>("mnuOptionsRate")->actions().at(2)->trigger(); // Fast
        auto* voices = h->get<QMenu>("mnuOptionsVoice");
        Q_EMIT voices->aboutToShow();
        voices->actions().at(1)->trigger(); // kal16, in place of the default voice
        QVERIFY(!voices->actions().at(0)->isChecked());
        w.close();
        h->get<QMenu>("mnuOptionsRate")->actions().at(1)->trigger(); // too late: not stored
        QCOMPARE(h->setting("SpeakNewATIS"), "True");
        QCOMPARE(h->setting("TakeOverOnlineCode"), "False");
        QCOMPARE(h->setting("SpeechRate"), "0.4");
        QCOMPARE(h->setting("SpeechVoice"), "kal16");
        h->window.reset();
        h->start();
        QVERIFY(h->get<QAction>("mnuOptionsSpeakNewATIS")->isChecked());
        QVERIFY(!h->get<QAction>("mnuOptionsTakeOverCode")->isChecked());
        QCOMPARE(h->speaker.rate, 0.4);
        QCOMPARE(h->speaker.voice, "kal16");
        QVERIFY(h->get<QMenu>("mnuOptionsRate")->actions().at(2)->isChecked());
    }

    // The store is read-only (as an ordinary user) until the question comes;
    // the answer Yes tries again.
    void unwritableStoreOnCloseAsksToTryAgain()
    {
        frmMain& w = h->start();
        press("mnuOptionsUpdateATISFile");
        const QString conf = h->store.fileName();
        QVERIFY(setStoreReadOnly(h->dir.path(), conf, true));
        std::optional<OrdinaryUser> user(std::in_place);
        h->dialogs.whileShown = [&](const ScriptedDialogs::Shown&) {
            user.reset();
            setStoreReadOnly(h->dir.path(), conf, false);
        };
        h->dialogs.answers << Answer::Yes;
        w.close();
        QCOMPARE(
            h->dialogs.shownTexts(),
            QStringList{"The settings could not be saved: the settings store could not be "
                        "written.\r\n\r\nTry again? No closes Briefcast without saving them."});
        QVERIFY(h->saved);
        QCOMPARE(h->unloads, 1);
        QCOMPARE(h->setting("UpdateATISFile"), "False");
    }

    // Neither the slow reply nor the fetcher's time-out holds the close up.
    void closeWhileWaitingForAReplyEndsAtOnce()
    {
        h->start();
        typeInto("txtICAO", "KSEA");
        forgetChanges();
        h->server.faults.delayMs = 120'000;
        h->fetcher.setTimeoutMs(300'000);
        bool waitCursor = false;
        const auto closeWhileWaiting = [&] { // runs from the fetch's wait
            QTRY_COMPARE(h->server.requestCount(), 2);
            const QCursor* cursor = QApplication::overrideCursor();
            waitCursor = cursor && cursor->shape() == Qt::WaitCursor;
            h->window->close();
        };
        QMetaObject::invokeMethod(h->window.get(), closeWhileWaiting, Qt::QueuedConnection);
        QElapsedTimer took;
        took.start();
        press("mnuFileRefresh");
        QVERIFY(took.elapsed() < 60'000);
        QVERIFY(waitCursor);
        QVERIFY(!QApplication::overrideCursor());
        QCOMPARE(h->unloads, 1);
        QCOMPARE(h->dialogs.shownTexts(), None);
        QCOMPARE(h->setting("ICAO"), "KSEA");
        QVERIFY(!QFile::exists(h->atisPath()));
    }

    void closeDuringStartUpWaitsForIt()
    {
        h->server.faults.delayMs = 500; // the status file comes late
        frmMain& w = h->create();
        w.show();
        QString title;
        bool enabled = true, closed = true;
        const auto closeDuringStartUp = [&] { // runs while start-up waits for the status file
            enabled = w.centralWidget()->isEnabled() || w.menuBar()->isEnabled();
            closed = w.close();
            title = w.windowHandle()->title();
        };
        QMetaObject::invokeMethod(&w, closeDuringStartUp, Qt::QueuedConnection);
        w.beginLoad();
        QVERIFY(w.finishLoad());
        QVERIFY(!enabled && !closed);
        QCOMPARE(title, "Briefcast (closing as soon as start-up ends)");
        // Start-up done, the close remembered is carried out: settings stored.
        QTRY_COMPARE_WITH_TIMEOUT(h->unloads, 1, 60'000);
        QVERIFY(!w.isVisible());
        QVERIFY(h->setting("Template").startsWith("$mypvtrw\r\n"));
    }

    // Qt's own box, answered from the event loop it runs, and the real clipboard.
    void realMessageBoxAndClipboard()
    {
        h->start(true);
        QString text, title;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        bool titleCut = true;
        const auto answerTheBox = [&] { // runs from the box's own event loop
            QTRY_VERIFY(qobject_cast<QMessageBox*>(QApplication::activeModalWidget()));
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            text = box->text(), title = box->windowTitle(), icon = box->icon();
            titleCut = UiHarness::cutsTitleShort(box);
            QTest::keyClick(box, Qt::Key_Enter);
        };
        QMetaObject::invokeMethod(h->window.get(), answerTheBox, Qt::QueuedConnection);
        press("cmdStartStop");
        QCOMPARE(text, "Must enter airport ICAO code.");
        QCOMPARE(title, "Error");
        QCOMPARE(icon, QMessageBox::Warning);
        // A text shorter than its title leaves the title whole.
        QMetaObject::invokeMethod(h->window.get(), answerTheBox, Qt::QueuedConnection);
        QtDialogs(h->window.get())
            .message("Profile Saved!", "Briefcast", Dialogs::Icon::Information,
                     Dialogs::Buttons::OK);
        QVERIFY(!titleCut);
        QtDesktop desktop;
        QCOMPARE(desktop.setClipboardText("Information ALPHA"), std::nullopt);
        QCOMPARE(QGuiApplication::clipboard()->text(), "Information ALPHA");
    }

    // Ticked while the folder of atis.txt is missing: the location comes first.
    void fileWriteTickedAsksWhereWithoutItsFolder()
    {
        h->store.SaveSetting("Settings", "UpdateATISFile", "False");
        h->store.SaveSetting("Settings", "ATISFilePath", h->dir.filePath("Radar/atis.txt"));
        h->start();
        auto* write = h->get<QAction>("mnuOptionsUpdateATISFile");
        press("mnuOptionsUpdateATISFile"); // the location dialog cancelled: the tick goes
        QCOMPARE(write->isChecked(), false);
        h->dialogs.files = {h->atisPath()};
        press("mnuOptionsUpdateATISFile"); // a file in a folder that exists: the tick stays
        press("mnuOptionsUpdateATISFile");
        press("mnuOptionsUpdateATISFile"); // the folder is there now: nothing is asked
        QCOMPARE(write->isChecked(), true);
        QCOMPARE(h->session->settings().ATISFilePath, h->atisPath());
        QCOMPARE(h->dialogs.fileRequests.size(), 2);
    }
};

QTEST_MAIN(TestFrmMain)
#include "test_frmmain.moc"
