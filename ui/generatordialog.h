#pragma once

#include <QDialog>
#include <QTimer>

class AtisGenerator;
class Session;
class Desktop;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTreeWidget;

// Options > Local ATIS Generator: whether and where the generator serves,
// the two URLs to paste into the radar client and the ATIS client, and the
// last requests it answered with what the check found in each ATIS. A change
// takes effect at once and is stored with the other settings when the
// program ends.
class GeneratorDialog : public QDialog
{
    Q_OBJECT
public:
    // The desktop takes the copied addresses.
    GeneratorDialog(Session& session, Desktop& desktop, QWidget* parent);

private:
    void apply();
    void showState();
    void showServed();
    void copy(const QLineEdit* url);

    Session& m_session;
    AtisGenerator& m_generator;
    Desktop& m_desktop;
    QCheckBox* chkGeneratorEnabled = nullptr;
    QSpinBox* txtGeneratorPort = nullptr;
    QLabel* lblGeneratorState = nullptr;
    QLineEdit* txtAtisMakerUrl = nullptr;
    QLineEdit* txtExternalGeneratorUrl = nullptr;
    QTreeWidget* lstRequests = nullptr;
    QTimer m_listRefresh;
};
