#pragma once
#include <QList>
#include <QString>

namespace orvalen::profile {

// Reads and writes INI files such as TimeData.db: section and key names match without regard to case;
// values are trimmed and one pair of enclosing quotes is removed; a replace
// keeps every other line, comment and the order; a missing key is appended to
// its section, a missing section to the file; CRLF or LF; a UTF-8 BOM is
// skipped; the file is written as UTF-8. A file whose non-ASCII bytes are
// mostly not UTF-8 is read as GB18030; a UTF-8 file with a few damaged bytes
// reads with U+FFFD in their place and is never written back. Every write is
// atomic (temporary file, then rename). Each file is read once and kept in
// memory with its sections and keys hashed; it is read again only when it
// changed on disk.

// The value of a key, or fallback when the key is absent.
// Results longer than bufferChars - 1 are cut.
QString getString(const QString& file, const QString& section, const QString& key,
                  const QString& fallback, int bufferChars = 10000);
// A whole section as "k=v\0k2=v2\0" (each entry NUL-terminated), cut
// to the buffer; returns the number of characters copied (the final
// terminator not counted).
int getSection(const QString& file, const QString& section, QString* buffer, int bufferChars = 10000);
// Sets the value of a key. A null value deletes the key (a missing file is
// then not created). Returns false when the file cannot be written.
bool writeString(const QString& file, const QString& section, const QString& key, const QString& value);
// One key to set; a null value deletes it.
struct Change {
    QString section;
    QString key;
    QString value;
};
// Several changes saved together in one write of the file: all of them or,
// when anything fails, none (the file and what reads from it stay as they
// were). `error` then says why; the failure is only logged, the caller tells
// the operator. `undo` (optional) gets the changes that put back what was
// there before.
bool writeStrings(const QString& file, const QList<Change>& changes, QString* error = nullptr,
                  QList<Change>* undo = nullptr);
// Deletes a whole section.
bool deleteSection(const QString& file, const QString& section);

} // namespace orvalen::profile
