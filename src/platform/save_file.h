#pragma once
#include <QByteArray>
#include <QString>
#include <functional>

class QIODevice;

namespace orvalen {

// The one way the program writes a file: the content goes to a temporary
// file in the same folder, is flushed to disk and only then renamed over the
// old file. Either the whole new content is there afterwards or the old file
// is untouched; a crash in between leaves the old file whole.

// Who tells the operator of a failed save: the failure handler (once per
// file, until a save of that file works again), or the caller, which shows
// its own message with `error`.
enum class SaveReport { Once, ByCaller };

// Writes `data` as the new content of `path`. False when anything failed;
// `error` (optional) then says what, in Chinese (a full disk, no write
// permission, ...). A file without any write permission is never replaced.
// A failure is always logged.
bool saveFile(const QString& path, const QByteArray& data, QString* error = nullptr,
               SaveReport report = SaveReport::Once);

// Same, with the content produced by `writer` on the temporary file. When the
// writer returns false or a write to the device fails, nothing is committed.
bool saveFile(const QString& path, const std::function<bool(QIODevice&)>& writer,
               QString* error = nullptr, SaveReport report = SaveReport::Once);

// The cause of a failed write of `path` in words, from the system's error
// number (a full disk, no permission, ...); `fallback` for other causes.
QString writeFailureCause(int errorNumber, const QString& path, const QString& fallback);

// Who hears of a failed save (the program shows the operator a notice); may
// be called from any thread. Empty: failures are only logged.
using SaveFailureHandler = std::function<void(const QString& path, const QString& error)>;
void setSaveFailureHandler(SaveFailureHandler handler);
// For a save refused before the helper was called: logged and reported once
// in the same way.
void reportSaveFailure(const QString& path, const QString& error);

// Empty when a file of some size can be written in `folder`; otherwise the
// cause in words, and `diskFull` (optional) says whether it is a full disk.
// Nothing written stays.
QString folderWriteProblem(const QString& folder, bool* diskFull = nullptr);

// True when the file exists and nobody may write it (its mode has no write bit).
bool isReadOnlyFile(const QString& path);

// Moves a file that cannot be used aside as "<path>.bad" (or "<path>.bad.2",
// ".bad.3", ... when that name is taken) so that it is never overwritten.
// Returns the new name, or an empty text when the move failed.
QString keepAsideAsBad(const QString& path);
// The same, keeping the file where it is and putting a copy aside.
QString copyAsideAsBad(const QString& path);

} // namespace orvalen
