#include "startup/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QtGlobal>
#include <memory>

namespace orvalen {

bool installQtTranslations(QCoreApplication& app)
{
    // Qt's texts that come from the locale (file types, dates, day names)
    // are Chinese whatever the system's language.
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    auto translator = std::make_unique<QTranslator>();
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator->load(QStringLiteral("qtbase_zh_CN"), folder)) {
        qWarning("Orvalen: Qt's Chinese translations (qtbase_zh_CN) were not found in %s", qPrintable(folder));
        return false;
    }
    // The application keeps the translator until the program ends.
    translator->setParent(&app);
    return app.installTranslator(translator.release());
}

} // namespace orvalen
