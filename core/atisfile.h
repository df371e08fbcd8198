#pragma once

#include "core/failure.h"

#include <QByteArray>
#include <QString>
#include <optional>

// Replaces the radar client's ATIS file with the text, in the system's 8-bit
// code page without a byte-order mark. The text goes to a temporary file
// beside the target first, synced to the disk, which then replaces it: a
// failed write leaves the previous ATIS byte for byte and the radar client
// never reads a partial file. Where the folder refuses the temporary file or
// the replacing, the existing file is written in place, as checked. A
// failure's description names the file. A path that is not absolute is
// refused: the file would otherwise land wherever the program happened to
// be started.
std::optional<Failure> WriteATISFile(const QString& path, const QString& atisText);

// The text in the system's 8-bit code page; a character the code page cannot
// represent becomes "?".
QByteArray EncodeForATISFile(const QString& text);

// Whether the folder the file would be written in exists; false for a path
// that is not absolute, which is never written.
bool ATISFileFolderExists(const QString& path);
