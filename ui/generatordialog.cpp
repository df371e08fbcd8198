#include "ui/generatordialog.h"

#include "app/session.h"
#include "core/desktop.h"
#include "serve/atisgenerator.h"
#include "serve/atisquery.h"
#include "ui/titlebar.h"
#include "ui/uitexts.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

template <class W> W* named(W* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

GeneratorDialog::GeneratorDialog(Session& session, Desktop& desktop, QWidget* parent)
    : QDialog(parent), m_session(session), m_generator(session.generator()), m_desktop(desktop)
{
    const ProgramSettings& settings = session.settings();
    setObjectName(QStringLiteral("frmGenerator"));
    setWindowTitle(UiTexts::GeneratorTitle());

    chkGeneratorEnabled =
        named(new QCheckBox(UiTexts::GeneratorEnabled(), this), "chkGeneratorEnabled");
    chkGeneratorEnabled->setChecked(settings.GeneratorEnabled);
    txtGeneratorPort = named(new QSpinBox(this), "txtGeneratorPort");
    txtGeneratorPort->setRange(1, 65535);
    txtGeneratorPort->setValue(settings.GeneratorPort);
    auto* portLabel = new QLabel(UiTexts::GeneratorPort(), this);
    portLabel->setBuddy(txtGeneratorPort);
    lblGeneratorState = named(new QLabel(this), "lblGeneratorState");
    lblGeneratorState->setWordWrap(true);

    auto* urls = new QFormLayout;
    urls->setRowWrapPolicy(QFormLayout::WrapAllRows);
    const auto urlRow = [&](const QString& label, QLineEdit* url, const char* copyName) {
        url->setReadOnly(true);
        url->setMinimumWidth(url->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 48);
        auto* copyButton = named(new QPushButton(UiTexts::CopyUrl(), this), copyName);
        connect(copyButton, &QPushButton::clicked, this, [this, url] { copy(url); });
        auto* row = new QHBoxLayout;
        row->addWidget(url);
        row->addWidget(copyButton);
        auto* caption = new QLabel(label, this);
        caption->setBuddy(url);
        urls->addRow(caption, row);
    };
    txtAtisMakerUrl = named(new QLineEdit(this), "txtAtisMakerUrl");
    txtExternalGeneratorUrl = named(new QLineEdit(this), "txtExternalGeneratorUrl");
    urlRow(UiTexts::AtisMakerUrlLabel(), txtAtisMakerUrl, "cmdCopyAtisMakerUrl");
    urlRow(UiTexts::ExternalGeneratorUrlLabel(), txtExternalGeneratorUrl,
           "cmdCopyExternalGeneratorUrl");

    lstRequests = named(new QTreeWidget(this), "lstRequests");
    lstRequests->setHeaderLabels(UiTexts::RequestColumns());
    lstRequests->setRootIsDecorated(false);
    auto* requestsLabel = new QLabel(UiTexts::RequestsServed(), this);
    requestsLabel->setBuddy(lstRequests);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* port = new QHBoxLayout;
    port->addWidget(portLabel);
    port->addWidget(txtGeneratorPort);
    port->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(chkGeneratorEnabled);
    layout->addLayout(port);
    layout->addWidget(lblGeneratorState);
    layout->addLayout(urls);
    layout->addWidget(requestsLabel);
    layout->addWidget(lstRequests);
    layout->addWidget(buttons);

    connect(chkGeneratorEnabled, &QCheckBox::toggled, this, &GeneratorDialog::apply);
    connect(txtGeneratorPort, &QSpinBox::editingFinished, this, &GeneratorDialog::apply);
    connect(&m_generator, &AtisGenerator::stateChanged, this, &GeneratorDialog::showState);
    // Redrawn at most every quarter second, not for each answer: radar
    // clients in a loop ask hundreds of times a second.
    m_listRefresh.setSingleShot(true);
    m_listRefresh.setInterval(250);
    connect(&m_listRefresh, &QTimer::timeout, this, &GeneratorDialog::showServed);
    connect(&m_generator, &AtisGenerator::served, this, [this] {
        if (!m_listRefresh.isActive())
            m_listRefresh.start();
    });
    showState();
    showServed();
    FitTitle(this);
}

void GeneratorDialog::apply()
{
    const bool enabled = chkGeneratorEnabled->isChecked();
    const auto port = quint16(txtGeneratorPort->value());
    // Serving again on the same port would drop the requests waiting.
    const ProgramSettings& settings = m_session.settings();
    if (enabled == settings.GeneratorEnabled && port == settings.GeneratorPort &&
        (m_generator.state() == AtisGenerator::State::Serving) == enabled)
        return;
    m_session.serveGenerator(enabled, port);
}

void GeneratorDialog::showState()
{
    const int port = m_session.settings().GeneratorPort;
    switch (m_generator.state()) {
    case AtisGenerator::State::Serving:
        lblGeneratorState->setText(UiTexts::GeneratorServing(port));
        break;
    case AtisGenerator::State::Off:
        lblGeneratorState->setText(UiTexts::GeneratorOff());
        break;
    case AtisGenerator::State::PortInUse:
        lblGeneratorState->setText(UiTexts::GeneratorPortInUse(port));
        break;
    case AtisGenerator::State::Failed:
        lblGeneratorState->setText(UiTexts::GeneratorFailed(port, m_generator.errorString()));
        break;
    }
    // Shown from their start: the address is what tells them apart.
    txtAtisMakerUrl->setText(AtisMakerUrl(port));
    txtAtisMakerUrl->setCursorPosition(0);
    txtExternalGeneratorUrl->setText(ExternalGeneratorUrl(port));
    txtExternalGeneratorUrl->setCursorPosition(0);
}

void GeneratorDialog::showServed()
{
    lstRequests->clear();
    for (const AtisGenerator::Served& served : m_generator.recent()) {
        QString status = QString::number(served.status);
        if (!served.reason.isEmpty())
            status += QLatin1Char(' ') + served.reason;
        lstRequests->addTopLevelItem(new QTreeWidgetItem(
            {served.at.toLocalTime().toString(QStringLiteral("HH:mm:ss")), served.icao,
             served.informationCode, status,
             served.findings.value_or(QStringList()).join(QStringLiteral("; "))}));
    }
}

void GeneratorDialog::copy(const QLineEdit* url)
{
    if (m_desktop.setClipboardText(url->text()))
        lblGeneratorState->setText(UiTexts::CopyFailed());
}
