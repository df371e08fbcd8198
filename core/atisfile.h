#pragma once

#include "core/failure.h"

#include <QByteArray>
#include <QString>
#include <optional>

// The code page atis.txt is written in where the system has no 8-bit code
// page of its own to offer: the radar client is a Windows program (under
// Wine elsewhere) and reads the file as Windows' Western European code page.
inline const QString DefaultATISFileEncoding = QStringLiteral("windows-1252");

// Replaces the radar client's ATIS file with the text, in the code page the
// radar client reads (see EncodeForATISFile), without a byte-order mark. A
// failed write leaves the previous ATIS byte for byte and the radar client
// never reads a partial file; where the folder refuses a new file beside the
// target or the replacing (or the disk has no inode left for one), the
// existing file is written in place, as checked, once the disk has room for
// all of it (see WhenFolderRefuses). A failure's description names the file. A path that is not
// absolute is refused: the file would otherwise land wherever the program
// happened to be started.
std::optional<Failure> WriteATISFile(const QString& path, const QString& atisText,
                                     const QString& encoding);

// The text in the radar client's code page: on Windows the system's ANSI
// code page, elsewhere the one named by encoding (a name iconv knows, such
// as "windows-1252" or "CP1251"). A character the code page cannot hold
// becomes "?". Nothing when the code page is unknown.
std::optional<QByteArray> EncodeForATISFile(const QString& text, const QString& encoding);

// Whether the folder the file would be written in exists; false for a path
// that is not absolute, which is never written.
bool ATISFileFolderExists(const QString& path);
