#include "startup/open_windows.h"

#include "services/app_context.h"

#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

namespace orvalen {

namespace {

// Stands in for the menu host and the display window until they exist.
class PlaceholderWindows final : public ProgramWindows {
public:
    PlaceholderWindows()
    {
        m_window.setWindowTitle(QStringLiteral("Orvalen"));
        auto* layout = new QVBoxLayout(&m_window);
        auto* label = new QLabel(QStringLiteral("Orvalen %1.%2\n\n显示窗口尚在开发中，这只是占位窗口。")
                                     .arg(ORVALEN_VERSION_MAJOR)
                                     .arg(ORVALEN_VERSION_MINOR));
        label->setAlignment(Qt::AlignCenter);
        layout->addWidget(label);
        m_window.resize(640, 360);
        m_window.show();
    }

private:
    QWidget m_window;
};

} // namespace

std::unique_ptr<ProgramWindows> open_windows(AppContext& context)
{
    Q_UNUSED(context);
    return std::make_unique<PlaceholderWindows>();
}

} // namespace orvalen
