#include "platform/runtime_library.h"

#include <QFile>

#include <dlfcn.h>

namespace orvalen {

namespace {

QString lastDlError()
{
    const char* text = dlerror();
    return text ? QString::fromLocal8Bit(text) : QStringLiteral("unknown error");
}

} // namespace

QString missingLibraryText(const QString& why)
{
    return QStringLiteral("缺少所需的程序库，请安装后重新启动程序：%1").arg(why);
}

RuntimeLibrary::RuntimeLibrary(const QString& file) : m_file(file)
{
    m_handle = dlopen(QFile::encodeName(file).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!m_handle)
        m_error = QStringLiteral("%1 could not be loaded: %2").arg(file, lastDlError());
}

RuntimeLibrary::~RuntimeLibrary()
{
    if (m_handle && !m_kept)
        dlclose(m_handle);
}

void* RuntimeLibrary::symbol(const char* name)
{
    if (!m_handle)
        return nullptr;
    dlerror();
    void* found = dlsym(m_handle, name);
    if (!found)
        m_error = QStringLiteral("%1 lacks %2: %3").arg(m_file, QString::fromLatin1(name), lastDlError());
    return found;
}

} // namespace orvalen
