#pragma once

#include "core/failure.h"

#include <QByteArray>
#include <QString>
#include <optional>

// What to do when the folder refuses the temporary file, or refuses letting
// it take the file's place (a folder whose file may be changed but not
// replaced, or a file another program holds open).
enum class WhenFolderRefuses
{
    Fail,
    // Write the existing file again where it stands, once the disk has room
    // for the whole new content: without room the file keeps its content.
    // Where the file system cannot reserve room, a failure part way leaves
    // part of the new content, and its description says so.
    RewriteInPlace
};

// Replaces the file's content with the bytes so that a full disk, a quota or
// a file size limit never leaves it empty or half written while reporting
// success. The bytes go to a temporary file beside it, which then takes its
// place: on any failure the file keeps its previous content byte for byte.
//
// Every byte goes through unbuffered and is checked (a buffered write only
// fills memory, and QSaveFile::commit ignores a failed flush of that
// buffer); a short write is continued, so that the next one tells why the
// disk took no more; the data is synced to the disk before it counts as
// written. A failure carries the file layer's number (a
// QFileDevice::FileError) and the system's description.
std::optional<Failure> ReplaceFileContent(const QString& path, const QByteArray& bytes,
                                          WhenFolderRefuses whenRefused = WhenFolderRefuses::Fail);
