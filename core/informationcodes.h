#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

// The 26 information codes in their order, ALPHA to ZULU: the window's code
// list shows them and %id% writes them. Words of the ATIS, the same in every
// language: not marked for translation.
const QStringList& InformationCodes();

// The code's word for one letter A to Z or for one of the words, in any
// letter case and with blanks around it ignored: "d", "D" and "delta" all
// give DELTA, and so do the ICAO spellings ALFA, JULIETT and XRAY of
// ALPHA, JULIET and X-RAY. No value for anything else.
std::optional<QString> InformationCodeWord(QStringView text);
