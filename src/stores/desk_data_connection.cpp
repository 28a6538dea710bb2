#include "stores/desk_data_connection.h"

#include "platform/runtime_library.h"
#include "stores/sqlcipher_library.h"

#include <QFile>
#include <sys/stat.h>

namespace orvalen {

namespace {

const QString kDeskData = QStringLiteral("DeskData.db");

// The file's identity, to notice a DeskData.db replaced under an open
// connection. Read from the path: no descriptor is opened on the file.
std::pair<quint64, quint64> fileIdentity(const QString& path)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return {0, 0};
    return {quint64(info.st_dev), quint64(info.st_ino)};
}

} // namespace

DeskDataConnection::DeskDataConnection(ProgramFolder folder) : m_folder(std::move(folder)) {}

bool DeskDataConnection::fileExists() const
{
    return m_folder.exists(kDeskData);
}

DeskDataConnection::State DeskDataConnection::open(QString* error)
{
    const QString path = m_folder.resolve(kDeskData);
    if (path.isEmpty()) {
        m_db.close();
        *error = QStringLiteral("找不到数据库文件：%1").arg(m_folder.file(kDeskData));
        return State::MissingFile;
    }
    QString unavailable;
    if (!sqlcipherLibrary(&unavailable)) {
        *error = missingLibraryText(unavailable);
        return State::NoLibrary;
    }
    // A connection that could only read (a read-only folder, a full disk) is
    // opened afresh, so that a folder or disk that can be written again is
    // written at once.
    if (m_db.isOpen() && (m_db.isReadOnly() || m_db.path() != path || fileIdentity(path) != m_fileIdentity))
        m_db.close();
    if (!m_db.isOpen()) {
        m_db = openDeskData(m_folder, error);
        if (!m_db.isOpen())
            return State::Failed;
        m_fileIdentity = fileIdentity(path);
    }
    return State::Ready;
}

} // namespace orvalen
