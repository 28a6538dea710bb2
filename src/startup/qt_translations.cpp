#include "startup/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <QtGlobal>

namespace orvalen {

bool install_qt_translations(QCoreApplication& app)
{
    auto* translator = new QTranslator(&app);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator->load(QStringLiteral("qtbase_zh_CN"), folder)) {
        qWarning("Orvalen: Qt's Chinese translations (qtbase_zh_CN) were not found in %s", qPrintable(folder));
        delete translator;
        return false;
    }
    return app.installTranslator(translator);
}

} // namespace orvalen
