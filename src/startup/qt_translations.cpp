#include "startup/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QtGlobal>
#include <memory>

namespace orvalen {

namespace {

// Qt 6 asks for the file dialog's "Folder" and "Drive" under the context
// QAbstractFileIconProvider, while Qt's Chinese catalogue (6.4) still files
// them under QFileDialog, where Qt 5 asked for them: without this the type
// column of every folder reads "Folder". Lives as a child of the catalogue it
// reads.
class IconProviderTexts final : public QTranslator {
public:
    explicit IconProviderTexts(QTranslator& catalogue) : QTranslator(&catalogue), m_catalogue(catalogue) {}

    QString translate(const char* context, const char* sourceText, const char* disambiguation,
                      int n) const override
    {
        if (qstrcmp(context, "QAbstractFileIconProvider") != 0)
            return QString();
        return m_catalogue.translate("QFileDialog", sourceText, disambiguation, n);
    }

    bool isEmpty() const override { return false; }

private:
    const QTranslator& m_catalogue;
};

} // namespace

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
    // The application keeps the translators until the program ends.
    translator->setParent(&app);
    QTranslator* catalogue = translator.release();
    return app.installTranslator(catalogue) && app.installTranslator(new IconProviderTexts(*catalogue));
}

} // namespace orvalen
