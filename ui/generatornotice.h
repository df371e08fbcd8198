#pragma once

#include "serve/atisgenerator.h"

#include <QLabel>
#include <QMap>

// The window's status bar line for the local generator's answers: for each
// airport whose last ATIS answered had findings, its letter and what the
// check found, until a clean ATIS for that airport goes out. The radar
// client reads the plain text, and the controller sees the findings here
// without a click; every finding on hover, never a box of its own.
class GeneratorNotice : public QLabel
{
public:
    GeneratorNotice(const AtisGenerator& generator, QWidget* parent);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void note(const AtisGenerator::Served& served);
    void showLine();

    // By airport, in alphabetical order: the letter and the findings.
    QMap<QString, std::pair<QString, QStringList>> m_findings;
    QString m_line;
};
