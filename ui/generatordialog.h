#pragma once

#include "store/config.h"

#include <QDialog>

class AtisGenerator;
class Desktop;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTreeWidget;

// Whether the local ATIS generator serves, and on which port of 127.0.0.1.
struct GeneratorSettings
{
    bool enabled = true;
    quint16 port = Config::DefaultGeneratorPort;
};

// Options > Local ATIS Generator: whether and where the generator serves,
// the two URLs to paste into the radar client and the ATIS client, and the
// last requests it answered. A change takes effect at once and is stored
// with the other settings when the program ends.
class GeneratorDialog : public QDialog
{
    Q_OBJECT
public:
    GeneratorDialog(AtisGenerator& generator, GeneratorSettings& settings, Desktop& desktop,
                    QWidget* parent);

private:
    void apply();
    void showState();
    void showServed();
    void copy(const QLineEdit* url);

    AtisGenerator& m_generator;
    GeneratorSettings& m_settings;
    Desktop& m_desktop;
    QCheckBox* chkGeneratorEnabled = nullptr;
    QSpinBox* txtGeneratorPort = nullptr;
    QLabel* lblGeneratorState = nullptr;
    QLineEdit* txtAtisMakerUrl = nullptr;
    QLineEdit* txtExternalGeneratorUrl = nullptr;
    QTreeWidget* lstRequests = nullptr;
};
