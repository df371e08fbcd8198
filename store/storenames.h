#pragma once

#include <QString>

// How the stores write section and key names, so that every section is one
// group of the backend and every key one key of it, whatever their text:
// QSettings never sees its group separators "/" and "\" and never loses
// blanks at the edges. Letters and digits, inner blanks and "_.-" stay as
// they are, so that a hand-written file reads naturally; everything else is
// percent-encoded (UTF-8). Where the backend ignores letter case (the
// registry), a capital letter is written as "^" and the small letter, so
// that names differing only in case stay distinct.
QString EncodeStoreName(const QString& name, bool caseInsensitiveBackend = false);
// The name again; a hand-written name that is not in that form reads as it
// stands.
QString DecodeStoreName(const QString& encoded, bool caseInsensitiveBackend = false);
