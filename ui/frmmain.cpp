#include "ui/frmmain.h"

#include "app/session.h"
#include "core/informationcodes.h"
#include "core/templatepresets.h"
#include "ui/atistypedialog.h"
#include "ui/generatordialog.h"
#include "ui/generatornotice.h"
#include "ui/metaragelabel.h"
#include "ui/optionscommands.h"
#include "ui/runwaylists.h"
#include "ui/speechmenus.h"
#include "ui/transitionleveldialog.h"
#include "ui/twiplayout.h"
#include "ui/uitexts.h"
#include "ui/windowform.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <algorithm>

namespace {

// The design size of the client area, in twips.
constexpr int ClientWidth = 9060;
constexpr int ClientHeight = 5055;
// The highest control in a frame starts this far below the frame's top:
// the frame's caption must fit above it.
constexpr int FrameCaptionRoom = 210;

// "[*]" shows as "*" while the profile has unsaved changes.
QString windowTitleWithMark()
{
    return Texts::AppTitle + QStringLiteral("[*]");
}

template <class W> W* named(W* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// Labels name the control beside them for screen readers.
void describe(QLabel* label, QWidget* control)
{
    label->setBuddy(control);
    QString name = label->text();
    if (name.endsWith(QLatin1Char(':')))
        name.chop(1);
    control->setAccessibleName(name);
}
} // namespace

frmMain::frmMain(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    createControls();
    createMenus();
    arrange();
    setFocusOrder();
    m_form = std::make_unique<WindowForm>(WindowForm::Controls{.txtICAO = txtICAO,
                                                               .txtTemplate = txtTemplate,
                                                               .runways = m_runways,
                                                               .chkVisual = chkVisual,
                                                               .chkLAHSO = chkLAHSO,
                                                               .cboATISCode = cboATISCode,
                                                               .lblATISCode = lblATISCode,
                                                               .lblLookUp = lblLookUp,
                                                               .lblCheck = lblCheck,
                                                               .tmrMain = tmrMain,
                                                               .cmdStartStop = cmdStartStop,
                                                               .mnuFileStartStop = mnuFileStartStop,
                                                               .txtATIS = txtATIS,
                                                               .txtLastMETAR = txtLastMETAR,
                                                               .lblMetarAge = lblMetarAge,
                                                               .cboProfiles = cboProfiles});
}

void frmMain::attach(Session& session, Desktop& desktop)
{
    m_session = &session;
    m_desktop = &desktop;
    lblMetarAge->setClock(session.clock());
    m_speechMenus = new SpeechMenus(findChild<QMenu*>(QStringLiteral("mnuFile")),
                                    findChild<QMenu*>(QStringLiteral("mnuOptions")), session, this);
    // Apart from lblCheck, which is the window's own ATIS's: the generator
    // answers up to four airports at once, each with its own findings.
    statusBar()->addWidget(new GeneratorNotice(session.generator(), this), 1);
    connectEvents();
}

frmMain::~frmMain() = default;

void frmMain::createControls()
{
    auto* client = new QWidget(this);
    setCentralWidget(client);

    Frame1 = named(new QGroupBox(tr("Profiles"), client), "Frame1");
    Frame2 = named(new QGroupBox(tr("ATIS"), client), "Frame2");
    Frame3 = named(new QGroupBox(tr("Runways"), client), "Frame3");

    Label3 = named(new QLabel(tr("Airport Code:"), Frame1), "Label3");
    txtICAO = named(new QLineEdit(Frame1), "txtICAO");
    Label6 = named(new QLabel(tr("Saved Profiles:"), Frame1), "Label6");
    cboProfiles = named(new QComboBox(Frame1), "cboProfiles");
    cmdLoad = named(new QPushButton(tr("Load"), Frame1), "cmdLoad");
    cmdSave = named(new QPushButton(tr("Save"), Frame1), "cmdSave");
    cmdDelete = named(new QPushButton(tr("Delete"), Frame1), "cmdDelete");

    Label1 = named(new QLabel(tr("Template:"), Frame2), "Label1");
    txtTemplate = named(new QPlainTextEdit(Frame2), "txtTemplate");
    lblStartFrom = named(new QLabel(UiTexts::StartFromTemplatePreset(), Frame2), "lblStartFrom");
    lblStartFrom->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    cboTemplatePresets = named(new QComboBox(Frame2), "cboTemplatePresets");
    for (const TemplatePreset& preset : TemplatePresets())
        cboTemplatePresets->addItem(preset.name);
    cboTemplatePresets->setAccessibleName(UiTexts::TemplatePresetsName());
    lblStartFrom->setBuddy(cboTemplatePresets);
    cmdUseTemplatePreset =
        named(new QPushButton(UiTexts::UseTemplatePreset(), Frame2), "cmdUseTemplatePreset");
    Label2 = named(new QLabel(tr("Last Generated ATIS:"), Frame2), "Label2");
    // Above the ATIS box: says while the first ATIS waits for the letter on the air.
    lblLookUp = named(new QLabel(Frame2), "lblLookUp");
    lblLookUp->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // In the same place: what the check of the ATIS below found.
    lblCheck = named(new QLabel(Frame2), "lblCheck");
    lblCheck->setStyleSheet(QStringLiteral("color: #b00000;"));
    lblCheck->setAccessibleName(UiTexts::CheckLineName());
    txtATIS = named(new QPlainTextEdit(Frame2), "txtATIS");
    txtATIS->setReadOnly(true);
    cmdStartStop = named(new QPushButton(UiTexts::Start(), Frame2), "cmdStartStop");
    cmdCopy = named(new QPushButton(tr("Copy to Clipboard"), Frame2), "cmdCopy");
    cmdRefresh = named(new QPushButton(tr("Refresh ATIS Now"), Frame2), "cmdRefresh");
    lblATISCode = named(new QLabel(UiTexts::StartingCode(), Frame2), "lblATISCode");
    cboATISCode = named(new QComboBox(Frame2), "cboATISCode");
    cboATISCode->addItems(InformationCodes());
    cboATISCode->setMaxVisibleItems(InformationCodes().size());
    // Tab moves on from the text boxes, so the window works from the keyboard.
    txtTemplate->setTabChangesFocus(true);
    txtATIS->setTabChangesFocus(true);
    txtTemplate->setLineWrapMode(QPlainTextEdit::WidgetWidth);

    Label4 = named(new QLabel(tr("Landing:"), Frame3), "Label4");
    Label5 = named(new QLabel(tr("Departing:"), Frame3), "Label5");
    m_runways = new RunwayLists(Frame3, Frame3, this);
    cmdAddRunway = named(new QPushButton(tr("Add Runway"), Frame3), "cmdAddRunway");
    cmdDelRunway = named(new QPushButton(tr("Del Runway"), Frame3), "cmdDelRunway");
    chkVisual = named(new QCheckBox(tr("Visual approaches in use"), Frame3), "chkVisual");
    chkLAHSO = named(new QCheckBox(tr("LAHSOs in effect"), Frame3), "chkLAHSO");

    cmdExit = named(new QPushButton(tr("Exit"), client), "cmdExit");
    Label7 = named(new QLabel(tr("Last METAR:"), client), "Label7");
    txtLastMETAR = named(new QLineEdit(client), "txtLastMETAR");
    txtLastMETAR->setReadOnly(true);
    lblMetarAge = new MetarAgeLabel(client);

    describe(Label3, txtICAO);
    describe(Label6, cboProfiles);
    describe(Label1, txtTemplate);
    describe(Label2, txtATIS);
    describe(lblATISCode, cboATISCode);
    describe(Label4, m_runways->arriving());
    describe(Label5, m_runways->departing());
    describe(Label7, txtLastMETAR);
    // The code label's caption changes with auto-update; the list keeps one name.
    cboATISCode->setAccessibleName(tr("Information code"));

    tmrMain = named(new QTimer(this), "tmrMain");
    tmrMain->setInterval(1000);
}

void frmMain::createMenus()
{
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    mnuFileStartStop = file->addAction(UiTexts::StartAutoupdate());
    mnuFileCopy = file->addAction(tr("&Copy ATIS to Clipboard"));
    mnuFileRefresh = file->addAction(tr("&Refresh ATIS Now"));
    file->addSeparator()->setObjectName(QStringLiteral("mnuFileSep1"));
    mnuFileExit = file->addAction(tr("E&xit"));

    QMenu* options = menuBar()->addMenu(tr("&Options"));
    options->setObjectName(QStringLiteral("mnuOptions"));
    mnuOptionsUpdateATISFile = options->addAction(tr("&Update ATIS.txt Automatically"));
    mnuOptionsUpdateATISFile->setCheckable(true);
    mnuOptionsATISLoc = options->addAction(tr("ATIS.txt &Location"));
    mnuOptionsTakeOverCode = options->addAction(tr("&Take Over the Letter on the Air"));
    mnuOptionsTakeOverCode->setCheckable(true);
    mnuOptionsGenerator = options->addAction(UiTexts::GeneratorMenu());
    mnuOptionsTransitionLevel = options->addAction(UiTexts::TransitionLevelMenu());
    mnuOptionsAtisType = options->addAction(UiTexts::AtisTypeMenu());
    // The window's profile's phrasing; shown ticked as it is in use, the
    // airport code's until one is chosen.
    mnuOptionsPhrasing = options->addMenu(UiTexts::PhrasingMenu());
    mnuOptionsPhrasing->setObjectName(QStringLiteral("mnuOptionsPhrasing"));
    auto* phrasings = new QActionGroup(mnuOptionsPhrasing);
    for (const Phrasing p : {Phrasing::Icao, Phrasing::Faa}) {
        QAction* action = mnuOptionsPhrasing->addAction(UiTexts::Phrasings().at(int(p)));
        action->setObjectName(QStringLiteral("mnuOptionsPhrasing") + StoredPhrasing(p));
        action->setCheckable(true);
        action->setData(int(p));
        phrasings->addAction(action);
    }
    connect(mnuOptionsPhrasing, &QMenu::aboutToShow, this, [this] {
        const Phrasing inUse = m_form->profile().phrasingInUse();
        for (QAction* action : mnuOptionsPhrasing->actions())
            action->setChecked(action->data().toInt() == int(inUse));
    });
    connect(phrasings, &QActionGroup::triggered, this,
            [this](QAction* action) { setPhrasing(Phrasing(action->data().toInt())); });
    // Beside it, the form the profile's text gives the report in.
    mnuOptionsTextForm = options->addMenu(UiTexts::TextFormMenu());
    mnuOptionsTextForm->setObjectName(QStringLiteral("mnuOptionsTextForm"));
    auto* forms = new QActionGroup(mnuOptionsTextForm);
    for (const TextForm f : {TextForm::Groups, TextForm::Words}) {
        QAction* action = mnuOptionsTextForm->addAction(UiTexts::TextForms().at(int(f)));
        action->setObjectName(QStringLiteral("mnuOptionsTextForm") + StoredTextForm(f));
        action->setCheckable(true);
        action->setData(int(f));
        forms->addAction(action);
    }
    connect(mnuOptionsTextForm, &QMenu::aboutToShow, this, [this] {
        const TextForm inUse = m_form->profile().textForm;
        for (QAction* action : mnuOptionsTextForm->actions())
            action->setChecked(action->data().toInt() == int(inUse));
    });
    connect(forms, &QActionGroup::triggered, this,
            [this](QAction* action) { setTextForm(TextForm(action->data().toInt())); });

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    mnuHelpDocumentation = help->addAction(tr("&Documentation"));
    mnuHelpAbout = help->addAction(tr("&About"));

    named(mnuFileStartStop, "mnuFileStartStop");
    named(mnuFileCopy, "mnuFileCopy");
    named(mnuFileRefresh, "mnuFileRefresh");
    named(mnuFileExit, "mnuFileExit");
    named(mnuOptionsUpdateATISFile, "mnuOptionsUpdateATISFile");
    named(mnuOptionsATISLoc, "mnuOptionsATISLoc");
    named(mnuOptionsTakeOverCode, "mnuOptionsTakeOverCode");
    named(mnuOptionsGenerator, "mnuOptionsGenerator");
    named(mnuOptionsTransitionLevel, "mnuOptionsTransitionLevel");
    named(mnuOptionsAtisType, "mnuOptionsAtisType");
    named(mnuHelpDocumentation, "mnuHelpDocumentation");
    named(mnuHelpAbout, "mnuHelpAbout");
}

void frmMain::showGeneratorDialog()
{
    if (!m_generatorDialog)
        m_generatorDialog = new GeneratorDialog(*m_session, *m_desktop, this);
    m_generatorDialog->show();
    m_generatorDialog->raise();
    m_generatorDialog->activateWindow();
}

void frmMain::editTransitionLevels()
{
    auto* dialog =
        new TransitionLevelDialog(m_form->profile().transitionLevels, m_session->dialogs(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        Profile profile = m_form->profile();
        if (dialog->table() == profile.transitionLevels)
            return;
        profile.transitionLevels = dialog->table();
        m_form->setProfile(profile);
        markProfileChanged();
    });
    dialog->open();
}

void frmMain::setPhrasing(Phrasing phrasing)
{
    Profile profile = m_form->profile();
    if (profile.phrasingInUse() == phrasing)
        return;
    profile.phrasing = phrasing;
    m_form->setProfile(profile);
    markProfileChanged();
}

void frmMain::setTextForm(TextForm form)
{
    Profile profile = m_form->profile();
    if (profile.textForm == form)
        return;
    profile.textForm = form;
    m_form->setProfile(profile);
    markProfileChanged();
}

void frmMain::startFromPreset()
{
    const TemplatePreset& preset = TemplatePresets().at(cboTemplatePresets->currentIndex());
    Profile profile = m_form->profile();
    if (!IsStartingTemplate(profile.templateText) &&
        m_session->dialogs().message(UiTexts::ReplaceTemplate(preset.name), Texts::AppTitle,
                                     Dialogs::Icon::Question,
                                     Dialogs::Buttons::YesNo) != Dialogs::Answer::Yes)
        return;
    const Profile started = StartedFrom(profile, preset);
    if (started == profile)
        return;
    m_form->setProfile(started);
    markProfileChanged();
}

void frmMain::editAtisType()
{
    const Profile shown = m_form->profile();
    auto* dialog = new AtisTypeDialog(shown.atisType, shown.letters, m_session->dialogs(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        Profile profile = m_form->profile();
        if (dialog->type() == profile.atisType && dialog->letters() == profile.letters)
            return;
        if (!m_session->mayChangeLetters(dialog->letters()))
            return;
        profile.atisType = dialog->type();
        profile.letters = dialog->letters();
        m_form->setProfile(profile);
        markProfileChanged();
    });
    dialog->open();
}

void frmMain::arrange()
{
    TwipLayout twips;
    twips.add(Frame1, 75, 75, 7695, 705, false);
    twips.add(Frame2, 75, 855, 6255, 3735, false);
    twips.add(Frame3, 6435, 855, 2535, 3735, false);

    twips.add(Label3, 75, 300, 975, 255);
    twips.add(txtICAO, 1080, 255, 615, 285, false);
    twips.add(Label6, 1740, 300, 1095, 255);
    twips.add(cboProfiles, 2865, 240, 2115, 315, false);
    twips.add(cmdLoad, 5055, 210, 795, 375);
    twips.add(cmdSave, 5925, 210, 795, 375);
    twips.add(cmdDelete, 6795, 210, 795, 375);

    twips.add(Label1, 120, 255, 900, 255);
    twips.add(lblStartFrom, 1080, 255, 1200, 255);
    twips.add(cboTemplatePresets, 2340, 210, 3000, 315, false);
    twips.add(cmdUseTemplatePreset, 5400, 210, 735, 315);
    twips.add(txtTemplate, 120, 540, 6015, 1020, false);
    twips.add(Label2, 120, 1665, 2000, 255);
    twips.add(lblLookUp, 2160, 1665, 3975, 255);
    // Its text is cut to fit: the whole of it shows on hover.
    twips.add(lblCheck, 2160, 1665, 3975, 255, false);
    twips.add(txtATIS, 120, 1920, 6015, 1230, false);
    twips.add(cmdStartStop, 120, 3240, 585, 375);
    twips.add(cmdCopy, 780, 3240, 1500, 375);
    twips.add(cmdRefresh, 2355, 3240, 1590, 375);
    twips.add(lblATISCode, 3945, 3330, 1065, 255);
    twips.add(cboATISCode, 5040, 3270, 1110, 315);

    twips.add(Label4, 120, 210, 1095, 255);
    twips.add(Label5, 1320, 210, 1095, 255);
    twips.add(m_runways->arriving(), 120, 450, 1095, 2310, false);
    twips.add(m_runways->departing(), 1320, 450, 1095, 2310, false);
    twips.add(cmdAddRunway, 135, 2805, 1095, 300);
    twips.add(cmdDelRunway, 1335, 2805, 1095, 300);
    twips.add(chkVisual, 240, 3150, 2175, 255);
    twips.add(chkLAHSO, 240, 3405, 2175, 255);

    twips.add(cmdExit, 7875, 285, 1095, 375);
    twips.add(Label7, 120, 4725, 975, 255);
    twips.add(txtLastMETAR, 1155, 4680, 6000, 285, false);
    twips.add(lblMetarAge, 7215, 4725, 1755, 255, false);

    // The longest caption of the code label and the widest code must fit too.
    const QFontMetrics labelFont(lblATISCode->font());
    twips.needWidth(lblATISCode, std::max(labelFont.horizontalAdvance(UiTexts::StartingCode()),
                                          labelFont.horizontalAdvance(UiTexts::CurrentCode())));
    twips.needWidth(cboATISCode, cboATISCode->sizeHint().width());
    twips.needWidth(lblLookUp, labelFont.horizontalAdvance(UiTexts::LookingUpCode()));
    // The age beside the last METAR, at its longest.
    QFont staleFont = lblMetarAge->font();
    staleFont.setBold(true);
    twips.needWidth(lblMetarAge,
                    QFontMetrics(staleFont).horizontalAdvance(MetarAgeLabel::widestCaption()));
    // One line of text with the boxes' frames, a four-letter code, and the
    // frames' captions above their highest controls.
    const QFontMetrics textFont(txtICAO->font());
    twips.needHeight(txtICAO, textFont.height() + 6);
    twips.needWidth(txtICAO, textFont.horizontalAdvance(QStringLiteral("WWWW")) + 8);
    twips.need(textFont.height() + 2, FrameCaptionRoom);
    const double scale = twips.fittingScale();
    twips.apply(scale);
    centralWidget()->setFixedSize(TwipLayout::toPixels(ClientWidth, scale),
                                  TwipLayout::toPixels(ClientHeight, scale));
    QMainWindow::layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void frmMain::setFocusOrder()
{
    const QList<QWidget*> order{txtICAO,
                                cboProfiles,
                                cmdLoad,
                                cmdSave,
                                cmdDelete,
                                cmdExit,
                                cboTemplatePresets,
                                cmdUseTemplatePreset,
                                txtTemplate,
                                txtATIS,
                                cmdStartStop,
                                cmdCopy,
                                cmdRefresh,
                                cboATISCode,
                                m_runways->arriving(),
                                m_runways->departing(),
                                cmdAddRunway,
                                cmdDelRunway,
                                chkVisual,
                                txtLastMETAR,
                                chkLAHSO};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order.at(i - 1), order.at(i));
    for (QWidget* w : {static_cast<QWidget*>(Frame1), static_cast<QWidget*>(Frame2),
                       static_cast<QWidget*>(Frame3)})
        w->setFocusPolicy(Qt::NoFocus);
}

void frmMain::connectEvents()
{
    Session& session = *m_session;

    // A button and its menu twin run the one command of their action.
    for (const auto& [button, action] :
         {std::pair{cmdStartStop, mnuFileStartStop}, std::pair{cmdCopy, mnuFileCopy},
          std::pair{cmdRefresh, mnuFileRefresh}, std::pair{cmdExit, mnuFileExit}})
        connect(button, &QPushButton::clicked, action, &QAction::trigger);
    connect(mnuFileStartStop, &QAction::triggered, this,
            [&session] { session.ToggleAutoUpdate(); });
    connect(mnuFileRefresh, &QAction::triggered, this, [&session] { session.RefreshATIS(); });
    connect(mnuFileCopy, &QAction::triggered, this, [&session] { session.copy(); });
    connect(mnuFileExit, &QAction::triggered, this, &QWidget::close);
    connect(tmrMain, &QTimer::timeout, this, &frmMain::tmrMain_Timer);
    connect(cboATISCode, &QComboBox::activated, this, &frmMain::cboATISCode_Click);
    connect(cboATISCode, &QComboBox::currentIndexChanged, this, &frmMain::cboATISCode_Click);

    connect(cmdLoad, &QPushButton::clicked, this, &frmMain::cmdLoad_Click);
    connect(cmdSave, &QPushButton::clicked, this, &frmMain::cmdSave_Click);
    connect(cmdDelete, &QPushButton::clicked, this, &frmMain::cmdDelete_Click);
    connect(cmdAddRunway, &QPushButton::clicked, this, &frmMain::cmdAddRunway_Click);
    connect(cmdDelRunway, &QPushButton::clicked, this, &frmMain::cmdDelRunway_Click);
    // Every change of a profile setting, by the controller or by a profile
    // being shown, marks the profile changed.
    connect(txtICAO, &QLineEdit::textChanged, this, &frmMain::markProfileChanged);
    connect(txtICAO, &QLineEdit::textChanged, this, [&session] { session.airportEdited(); });
    // The list offers the preset of the airport's region.
    connect(txtICAO, &QLineEdit::textChanged, this, [this](const QString& icao) {
        if (const int preset = TemplatePresetFor(icao); preset >= 0)
            cboTemplatePresets->setCurrentIndex(preset);
    });
    connect(cmdUseTemplatePreset, &QPushButton::clicked, this, &frmMain::startFromPreset);
    connect(txtTemplate, &QPlainTextEdit::textChanged, this, &frmMain::markProfileChanged);
    connect(chkVisual, &QCheckBox::toggled, this, &frmMain::markProfileChanged);
    connect(chkLAHSO, &QCheckBox::toggled, this, &frmMain::markProfileChanged);
    connect(m_runways, &RunwayLists::tickChanged, this, &frmMain::markProfileChanged);

    connect(mnuOptionsTakeOverCode, &QAction::toggled, this,
            [&session](bool on) { session.setTakeOverOnlineCode(on); });
    connect(mnuOptionsUpdateATISFile, &QAction::triggered, this, [this, &session](bool on) {
        session.setUpdateATISFile(on);
        mnuOptionsUpdateATISFile->setChecked(session.settings().UpdateATISFile);
    });
    connect(mnuOptionsATISLoc, &QAction::triggered, this,
            [&session] { session.chooseATISFileLocation(); });
    connect(mnuOptionsGenerator, &QAction::triggered, this, &frmMain::showGeneratorDialog);
    connect(mnuOptionsTransitionLevel, &QAction::triggered, this, &frmMain::editTransitionLevels);
    connect(mnuOptionsAtisType, &QAction::triggered, this, &frmMain::editAtisType);
    connect(mnuHelpDocumentation, &QAction::triggered, this,
            [this] { OpenDocumentation(*m_desktop, m_session->dialogs(), ManualUrl()); });
    connect(mnuHelpAbout, &QAction::triggered, this,
            [this] { ShowAbout(m_session->dialogs(), ManualUrl()); });

    txtICAO->installEventFilter(this);
}

void frmMain::tmrMain_Timer()
{
    m_session->tick();
}

void frmMain::cboATISCode_Click()
{
    m_session->chooseCode();
}

void frmMain::cmdLoad_Click()
{
    m_session->loadChosenProfile();
    showProfileDirty();
}

void frmMain::cmdSave_Click()
{
    m_session->SaveProfile();
    showProfileDirty();
}

void frmMain::cmdDelete_Click()
{
    m_session->deleteChosenProfile();
    showProfileDirty();
}

void frmMain::cmdAddRunway_Click()
{
    if (m_runways->addRunway(m_session->dialogs()))
        markProfileChanged();
}

void frmMain::cmdDelRunway_Click()
{
    if (m_runways->deleteCurrentRunway())
        markProfileChanged();
}

void frmMain::showSettings()
{
    const ProgramSettings& settings = m_session->settings();
    mnuOptionsUpdateATISFile->setChecked(settings.UpdateATISFile);
    mnuOptionsTakeOverCode->setChecked(settings.TakeOverOnlineCode);
    m_speechMenus->showSettings();
}

void frmMain::markProfileChanged()
{
    m_session->markProfileChanged();
    showProfileDirty();
}

void frmMain::showProfileDirty()
{
    setWindowModified(m_session->state().ProfileDirty);
}

void frmMain::beginLoad()
{
    // The window may already show, but takes no input until start-up is done.
    m_loading = true;
    centralWidget()->setEnabled(false);
    menuBar()->setEnabled(false);
    setWindowTitle(windowTitleWithMark());
    m_session->begin();
    showSettings();
}

bool frmMain::finishLoad()
{
    const bool found = m_session->DiscoverMetarServer();
    centralWidget()->setEnabled(true);
    menuBar()->setEnabled(true);
    m_loading = false;
    setWindowTitle(windowTitleWithMark());
    showProfileDirty();
    if (!found)
        return false;
    txtICAO->setFocus();
    // The program may only end from the event loop, which runs after this.
    if (m_pendingClose == PendingClose::SessionEnd)
        QTimer::singleShot(0, this, [this] { sessionEnding(false); });
    else if (m_pendingClose == PendingClose::Close)
        QTimer::singleShot(0, this, [this] { close(); });
    return true;
}

void frmMain::closeAfterStartUp(PendingClose kind)
{
    m_pendingClose = std::max(m_pendingClose, kind);
    setWindowTitle(UiTexts::ClosingAfterStartUp());
}

bool frmMain::sessionEnding(bool mayAsk)
{
    if (m_unloaded)
        return true;
    if (m_loading) {
        closeAfterStartUp(mayAsk ? PendingClose::Close : PendingClose::SessionEnd);
        return true;
    }
    if (mayAsk)
        return close();
    unload(false);
    return true;
}

void frmMain::closeEvent(QCloseEvent* event)
{
    // While the question about unsaved changes is already open, another
    // close request changes nothing; during start-up it waits for its end.
    if (m_unloaded || m_loading || m_closing) {
        if (m_loading)
            closeAfterStartUp(PendingClose::Close);
        m_unloaded ? event->accept() : event->ignore();
        return;
    }
    m_closing = true;
    const bool mayClose = m_session->ConfirmExit();
    m_closing = false;
    showProfileDirty();
    if (!mayClose || m_unloaded) {
        m_unloaded ? event->accept() : event->ignore();
        return;
    }
    unload(true);
    event->accept();
}

void frmMain::unload(bool mayAsk)
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    tmrMain->stop();
    Q_EMIT closed(m_session->close(mayAsk));
}

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txtICAO && event->type() == QEvent::FocusOut) {
        const QString upper = txtICAO->text().toUpper();
        if (upper != txtICAO->text())
            txtICAO->setText(upper);
    }
    return QMainWindow::eventFilter(watched, event);
}
