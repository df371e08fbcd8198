#include "ui/frmmain.h"

#include "core/atisengine.h"
#include "core/atisspeech.h"
#include "core/informationcodes.h"
#include "core/oneboxatatime.h"
#include "serve/atisgenerator.h"
#include "serve/storeprofiles.h"
#include "store/appsettings.h"
#include "store/profilecommands.h"
#include "ui/atistypedialog.h"
#include "ui/generatordialog.h"
#include "ui/metaragelabel.h"
#include "ui/optionscommands.h"
#include "ui/qtdesktop.h"
#include "ui/qtdialogs.h"
#include "ui/qtspeaker.h"
#include "ui/runwaylists.h"
#include "ui/speechmenus.h"
#include "ui/transitionleveldialog.h"
#include "ui/twiplayout.h"
#include "ui/uitexts.h"
#include "ui/waitcursorfetcher.h"
#include "ui/windowcurrentatis.h"
#include "ui/windowform.h"

#include <QAction>
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
    return UiTexts::AppTitle + QStringLiteral("[*]");
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

frmMain::frmMain(const Services& services, QWidget* parent)
    : QMainWindow(parent), m_store(services.store),
      m_fetcher(std::make_unique<WaitCursorFetcher>(services.fetcher)),
      m_abortFetch(services.abortFetch),
      m_draw(services.draw ? services.draw : RandomDraw(SystemRandomDraw)),
      m_onUnloaded(services.unloaded),
      m_clock(services.clock ? services.clock
                             : std::function<QDateTime()>(&QDateTime::currentDateTimeUtc)),
      m_ownDialogs(services.dialogs ? nullptr : std::make_unique<QtDialogs>(this)),
      m_ownDesktop(services.desktop ? nullptr : std::make_unique<QtDesktop>(this)),
      m_boxes(
          std::make_unique<OneBoxAtATime>(services.dialogs ? *services.dialogs : *m_ownDialogs)),
      m_dialogs(*m_boxes), m_desktop(services.desktop ? *services.desktop : *m_ownDesktop)
{
    setObjectName(QStringLiteral("frmMain"));
    createControls();
    createMenus();
    arrange();
    setFocusOrder();
    m_form = std::make_unique<WindowForm>(
        WindowForm::Controls{.txtICAO = txtICAO,
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
                             .mnuOptionsUpdateATISFile = mnuOptionsUpdateATISFile,
                             .cboProfiles = cboProfiles});
    // The settings the form and the session state show.
    m_settings.bind(
        Config::ICAO, [this](const QVariant& v) { txtICAO->setText(v.toString()); },
        [this] { return txtICAO->text(); });
    m_settings.bind(Config::Template, {}, [this] { return m_form->profile().templateText; });
    m_settings.bind(Config::LastProfile, {}, [this] { return m_state.CurrentProfile; });
    m_settings.bind(Config::ATISFilePath, m_state.ATISFilePath);
    m_settings.bind(Config::ATISFileEncoding, m_state.ATISFileEncoding);
    m_engine = std::make_unique<AtisEngine>(*m_form, m_dialogs, m_desktop, *m_fetcher, m_state);
    m_engine->setOnlineCodeLookup(services.lookup);
    m_engine->setClock(m_clock);
    m_profiles = std::make_unique<ProfileCommands>(m_store, *m_form, *m_form, m_dialogs, m_state);
    createSpeech(services.speaker);
    m_generatorProfiles = std::make_unique<StoreProfiles>(m_store);
    m_currentAtis = std::make_unique<WindowCurrentAtis>(*m_engine, m_state);
    m_generator = std::make_unique<AtisGenerator>(*m_generatorProfiles,
                                                  [this] { return m_state.MetarServerURL; });
    m_generator->setCurrentAtisSource(m_currentAtis.get());
    m_generator->setClock(m_clock);
    m_settings.bind(
        Config::GeneratorEnabled,
        [this](const QVariant& v) { m_generatorSettings.enabled = v.toBool(); },
        [this] { return m_generatorSettings.enabled; });
    m_settings.bind(
        Config::GeneratorPort,
        [this](const QVariant& v) { m_generatorSettings.port = quint16(v.toDouble()); },
        [this] { return double(m_generatorSettings.port); });
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
    cmdStartStop = named(new QPushButton(Texts::Start, Frame2), "cmdStartStop");
    cmdCopy = named(new QPushButton(tr("Copy to Clipboard"), Frame2), "cmdCopy");
    cmdRefresh = named(new QPushButton(tr("Refresh ATIS Now"), Frame2), "cmdRefresh");
    lblATISCode = named(new QLabel(Texts::StartingCode, Frame2), "lblATISCode");
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
    lblMetarAge = new MetarAgeLabel(m_clock, client);

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
    mnuFileStartStop = file->addAction(Texts::StartAutoupdate);
    mnuFileCopy = file->addAction(tr("&Copy ATIS to Clipboard"));
    mnuFileRefresh = file->addAction(tr("&Refresh ATIS Now"));
    file->addSeparator()->setObjectName(QStringLiteral("mnuFileSep1"));
    mnuFileExit = file->addAction(tr("E&xit"));

    QMenu* options = menuBar()->addMenu(tr("&Options"));
    options->setObjectName(QStringLiteral("mnuOptions"));
    mnuOptionsUpdateATISFile = options->addAction(tr("&Update ATIS.txt Automatically"));
    mnuOptionsUpdateATISFile->setCheckable(true);
    bindChecked(Config::UpdateATISFile, mnuOptionsUpdateATISFile);
    mnuOptionsATISLoc = options->addAction(tr("ATIS.txt &Location"));
    mnuOptionsTakeOverCode = options->addAction(tr("&Take Over the Letter on the Air"));
    mnuOptionsTakeOverCode->setCheckable(true);
    mnuOptionsTakeOverCode->setChecked(true);
    bindChecked(Config::TakeOverOnlineCode, mnuOptionsTakeOverCode);
    mnuOptionsGenerator = options->addAction(UiTexts::GeneratorMenu());
    mnuOptionsTransitionLevel = options->addAction(UiTexts::TransitionLevelMenu());
    mnuOptionsAtisType = options->addAction(UiTexts::AtisTypeMenu());

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

void frmMain::createSpeech(Speaker* speaker)
{
    if (!speaker)
        m_ownSpeaker = std::make_unique<QtSpeaker>();
    m_speaker = speaker ? speaker : m_ownSpeaker.get();
    m_speech = std::make_unique<AtisSpeech>(*m_speaker, m_dialogs);
    m_engine->setSpeech(m_speech.get());
    m_speechMenus = new SpeechMenus(findChild<QMenu*>(QStringLiteral("mnuFile")),
                                    findChild<QMenu*>(QStringLiteral("mnuOptions")), *m_speech,
                                    *m_speaker, this);
    // Each speech setting shown through the speech options and their menus.
    const auto bindSpeech = [this](const QString& key, auto field) {
        m_settings.bind(
            key,
            [this, field](const QVariant& v) {
                SpeechSettings settings = m_speech->settings();
                settings.*field = v.value<std::remove_reference_t<decltype(settings.*field)>>();
                m_speech->setSettings(settings);
                m_speechMenus->showSettings();
            },
            [this, field] { return QVariant::fromValue(m_speech->settings().*field); });
    };
    bindSpeech(Config::SpeakNewATIS, &SpeechSettings::speakNewATIS);
    bindSpeech(Config::SpeechVoice, &SpeechSettings::voice);
    bindSpeech(Config::SpeechRate, &SpeechSettings::rate);
}

void frmMain::bindChecked(const QString& key, QAction* action)
{
    m_settings.bind(
        key, [action](const QVariant& v) { action->setChecked(v.toBool()); },
        [action] { return action->isChecked(); });
}

void frmMain::showGeneratorDialog()
{
    if (!m_generatorDialog)
        m_generatorDialog = new GeneratorDialog(*m_generator, m_generatorSettings, m_desktop, this);
    m_generatorDialog->show();
    m_generatorDialog->raise();
    m_generatorDialog->activateWindow();
}

void frmMain::editTransitionLevels()
{
    auto* dialog = new TransitionLevelDialog(m_form->profile().transitionLevels, m_dialogs, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        Profile profile = m_form->profile();
        if (dialog->table() == profile.transitionLevels)
            return;
        profile.transitionLevels = dialog->table();
        m_form->setProfile(profile);
        markDirty();
    });
    dialog->open();
}

void frmMain::editAtisType()
{
    const Profile shown = m_form->profile();
    auto* dialog = new AtisTypeDialog(shown.atisType, shown.letters, m_dialogs, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        Profile profile = m_form->profile();
        if (dialog->type() == profile.atisType && dialog->letters() == profile.letters)
            return;
        if (!MayChangeLetters(dialog->letters(), *m_form, m_state, m_dialogs))
            return;
        profile.atisType = dialog->type();
        profile.letters = dialog->letters();
        m_form->setProfile(profile);
        markDirty();
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

    twips.add(Label1, 120, 225, 6015, 255);
    twips.add(txtTemplate, 120, 480, 6015, 1080, false);
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
    twips.needWidth(lblATISCode, std::max(labelFont.horizontalAdvance(Texts::StartingCode),
                                          labelFont.horizontalAdvance(Texts::CurrentCode)));
    twips.needWidth(cboATISCode, cboATISCode->sizeHint().width());
    twips.needWidth(lblLookUp, labelFont.horizontalAdvance(Texts::LookingUpCode));
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
    m_scale = twips.fittingScale();
    twips.apply(m_scale);
    centralWidget()->setFixedSize(TwipLayout::toPixels(ClientWidth, m_scale),
                                  TwipLayout::toPixels(ClientHeight, m_scale));
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
    AtisEngine& engine = *m_engine;
    ProfileCommands& profiles = *m_profiles;

    // A button and its menu twin run the one command of their action.
    for (const auto& [button, action] :
         {std::pair{cmdStartStop, mnuFileStartStop}, std::pair{cmdCopy, mnuFileCopy},
          std::pair{cmdRefresh, mnuFileRefresh}, std::pair{cmdExit, mnuFileExit}})
        connect(button, &QPushButton::clicked, action, &QAction::trigger);
    connect(mnuFileStartStop, &QAction::triggered, this, [&engine] { engine.ToggleAutoUpdate(); });
    connect(mnuFileRefresh, &QAction::triggered, this, [&engine] { engine.RefreshATIS(); });
    connect(mnuFileCopy, &QAction::triggered, this, [&engine] { engine.CopyCommand(); });
    connect(mnuFileExit, &QAction::triggered, this, &QWidget::close);
    connect(tmrMain, &QTimer::timeout, this, [&engine] { engine.tmrMain_Timer(); });
    connect(cboATISCode, &QComboBox::activated, this, [&engine] { engine.cboATISCode_Click(); });
    connect(cboATISCode, &QComboBox::currentIndexChanged, this,
            [&engine] { engine.cboATISCode_Click(); });

    // The profile commands and the changes of a profile setting are all that
    // set or clear the unsaved mark; the title shows it after each.
    auto marking = [this](auto handler) {
        return [this, handler] {
            handler();
            showProfileDirty();
        };
    };
    connect(cmdLoad, &QPushButton::clicked, this,
            marking([&profiles] { profiles.cmdLoad_Click(); }));
    connect(cmdSave, &QPushButton::clicked, this,
            marking([&profiles] { profiles.cmdSave_Click(); }));
    connect(cmdDelete, &QPushButton::clicked, this,
            marking([&profiles] { profiles.cmdDelete_Click(); }));
    connect(txtICAO, &QLineEdit::textChanged, this,
            marking([&profiles] { profiles.txtICAO_Change(); }));
    connect(txtICAO, &QLineEdit::textChanged, this, [&engine] { engine.airportEdited(); });
    connect(txtTemplate, &QPlainTextEdit::textChanged, this,
            marking([&profiles] { profiles.txtTemplate_Change(); }));
    connect(chkVisual, &QCheckBox::toggled, this,
            marking([&profiles] { profiles.chkVisual_Click(); }));
    connect(chkLAHSO, &QCheckBox::toggled, this,
            marking([&profiles] { profiles.chkLAHSO_Click(); }));
    connect(m_runways, &RunwayLists::tickChanged, this,
            marking([&profiles] { profiles.lstRunways_ItemCheck(); }));
    connect(cmdAddRunway, &QPushButton::clicked, this, [this] {
        if (m_runways->addRunway(m_dialogs))
            markDirty();
    });
    connect(cmdDelRunway, &QPushButton::clicked, this, [this] {
        if (m_runways->deleteCurrentRunway())
            markDirty();
    });

    connect(mnuOptionsTakeOverCode, &QAction::toggled, this,
            [&engine](bool on) { engine.setTakeOverOnlineCode(on); });
    connect(mnuOptionsUpdateATISFile, &QAction::triggered, this, [this](bool on) {
        if (on)
            UpdateATISFileTicked(m_dialogs, m_state, *m_form);
    });
    connect(mnuOptionsATISLoc, &QAction::triggered, this,
            [this] { ChooseATISFileLocation(m_dialogs, m_state); });
    connect(mnuOptionsGenerator, &QAction::triggered, this, &frmMain::showGeneratorDialog);
    connect(mnuOptionsTransitionLevel, &QAction::triggered, this, &frmMain::editTransitionLevels);
    connect(mnuOptionsAtisType, &QAction::triggered, this, &frmMain::editAtisType);
    connect(mnuHelpDocumentation, &QAction::triggered, this,
            [this] { OpenDocumentation(m_desktop, m_dialogs, ManualUrl()); });
    connect(mnuHelpAbout, &QAction::triggered, this, [this] { ShowAbout(m_dialogs, ManualUrl()); });

    txtICAO->installEventFilter(this);
}

void frmMain::markDirty()
{
    m_profiles->MarkProfileDirty();
    showProfileDirty();
}

void frmMain::showProfileDirty()
{
    setWindowModified(m_state.ProfileDirty);
}

bool frmMain::load()
{
    beginLoad();
    return finishLoad();
}

void frmMain::beginLoad()
{
    // The window may already show, but takes no input until start-up is done.
    m_loading = true;
    centralWidget()->setEnabled(false);
    menuBar()->setEnabled(false);
    setWindowTitle(windowTitleWithMark());
    LoadStartupSettings(m_store, *m_form, *m_profiles, m_state, m_settings);
    // A port in use (a second instance, another program) only shows in the
    // generator's dialog: start-up goes on.
    m_generator->serve(m_generatorSettings.enabled, m_generatorSettings.port);
}

bool frmMain::finishLoad()
{
    const bool found = DiscoverMetarServer(*m_fetcher, *m_form, m_dialogs, m_state, m_draw);
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

bool frmMain::ConfirmExit()
{
    return m_profiles->ConfirmExit();
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
    const bool mayClose = ConfirmExit();
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
    // A cycle still waiting for its reply or its message box ends silently:
    // nothing is shown once the settings are written.
    m_engine->shutDown();
    m_boxes->shutDown();
    tmrMain->stop();
    if (m_abortFetch)
        m_abortFetch();
    m_speaker->stop();
    m_generator->serve(false, m_generatorSettings.port);
    // The controller may try again (once the store is writable) or close
    // without the settings; when nobody may be asked, the session is ending.
    const auto save = [this] { return m_settings.save(m_store); };
    bool saved = save();
    while (!saved && mayAsk &&
           m_dialogs.message(UiTexts::SettingsNotSaved() + Texts::CrLf + Texts::CrLf +
                                 UiTexts::TrySavingAgain(),
                             UiTexts::ErrorTitle, Dialogs::Icon::Exclamation,
                             Dialogs::Buttons::YesNo) == Dialogs::Answer::Yes)
        saved = save();
    if (!saved && !mayAsk)
        qWarning("%s", qPrintable(UiTexts::SettingsNotSaved()));
    if (m_onUnloaded)
        m_onUnloaded(saved);
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
