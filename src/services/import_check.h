#pragma once
#include <QByteArray>
#include <QString>

class QIODevice;

namespace orvalen {

// What the file choosers let into the program folder: only regular files
// this program can show or play.

enum class ImportKind { Sound, Picture };

// The largest file taken in: far above any sound or picture a timer shows,
// small enough to read at once.
inline constexpr qint64 kImportSizeLimit = 128 * 1024 * 1024;

enum class ImportRead {
    Taken,   // `data` holds the whole file
    Missing, // nothing of that name (or a link to nothing)
    Refused, // not a regular file, too large, unreadable, or not a sound/picture
};

struct ImportSource {
    ImportRead result = ImportRead::Refused;
    QByteArray data;
};

// Reads a file chosen for import. Links are resolved and only a regular file
// is opened: a pipe, a device or a folder is refused before a byte is read,
// so nothing waits for a writer. The content must be a sound the player
// plays (see soundFilePlayable) or a picture that decodes. Refusals are logged.
ImportSource readImportSource(const QString& path, ImportKind kind);

// The one message for a refused import, naming the chosen file.
QString importRefusal(const QString& path, ImportKind kind);

// True when the file at `path` is a regular file holding exactly `data`
// (a copy made earlier that can be reused).
bool fileHolds(const QString& path, const QByteArray& data);

// True when the device holds a picture that decodes (any format the image
// plugins read, within the image allocation limit).
bool pictureReadable(QIODevice& device);
// readImportSource(path, ImportKind::Picture) takes the file.
bool pictureFileReadable(const QString& path);

// True when the file is a sound the player plays: named .wav or .mp3, a
// regular file, and either a RIFF/WAVE file whose fmt and data chunks lie
// inside the file, or MPEG audio (an ID3 tag or a frame header, and where
// the file goes on, the next frame header where the first frame ends).
bool soundFilePlayable(const QString& path);

// The choosers' filters in the "description|patterns" form: every picture
// format the image plugins read, and the two sound kinds; each pattern in
// lower and upper case.
QString pictureFilter();
QString soundFilter();

} // namespace orvalen
