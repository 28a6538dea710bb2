#pragma once
#include <QString>
#include <QtGlobal>

namespace orvalen {

// What tells whether a file changed on disk since it was last read: one
// stat() call, far cheaper than reading the file again. A replaced file (the
// save helper renames a new file over the old) has a new inode.
struct FileStamp {
    bool exists = false;
    qint64 size = 0;
    qint64 modifiedNs = 0;
    qint64 changedNs = 0;
    quint64 inode = 0;
    quint64 device = 0;

    static FileStamp of(const QString& path);
    bool operator==(const FileStamp&) const = default;
};

} // namespace orvalen
