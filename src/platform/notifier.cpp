#include "platform/notifier.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>
#include <QTimer>

namespace orvalen {

namespace {

QMessageBox::Icon boxIcon(Notifier::Icon icon)
{
    switch (icon) {
    case Notifier::Icon::Information:
        return QMessageBox::Information;
    case Notifier::Icon::Question:
        return QMessageBox::Question;
    case Notifier::Icon::Warning:
        return QMessageBox::Warning;
    case Notifier::Icon::Critical:
        return QMessageBox::Critical;
    case Notifier::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QString boxTitle(const QString& title)
{
    return title.isEmpty() ? kAppTitle : title;
}

// A message box shows its text as it is: a plan name, a file name or a label
// holding markup is never rendered. The box is at least as wide as its title
// together with the window's icon and buttons, which the window manager puts
// beside it in the title bar (a short text would otherwise cut the title).
void setUpBox(QMessageBox& box)
{
    box.setTextFormat(Qt::PlainText);
    const QFontMetrics metrics = box.fontMetrics();
    const int titleBarControls = 8 * metrics.height();
    const int width = metrics.horizontalAdvance(box.windowTitle()) + titleBarControls;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                      grid->columnCount());
}

} // namespace

void MessageBoxNotifier::notice(const QString& text, Icon icon, int timeoutMs, const QString& title)
{
    QMessageBox box(boxIcon(icon), boxTitle(title), text, QMessageBox::Ok, m_parent);
    setUpBox(box);
    // The timer belongs to the box, so it can never fire after the box is gone.
    QTimer* closer = nullptr;
    if (timeoutMs > 0) {
        closer = new QTimer(&box);
        closer->setSingleShot(true);
        closer->setInterval(timeoutMs);
        QObject::connect(closer, &QTimer::timeout, &box, [&box] { box.done(QMessageBox::Ok); });
        closer->start();
    }
    box.exec();
}

bool MessageBoxNotifier::ask(const QString& text, const QString& title)
{
    QMessageBox box(QMessageBox::Question, boxTitle(title), text, QMessageBox::Yes | QMessageBox::No, m_parent);
    setUpBox(box);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

} // namespace orvalen
