#include "platform/notifier.h"

#include <QMessageBox>
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

} // namespace

void MessageBoxNotifier::notice(const QString& text, Icon icon, int timeoutMs, const QString& title)
{
    QMessageBox box(boxIcon(icon), boxTitle(title), text, QMessageBox::Ok, m_parent);
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
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

} // namespace orvalen
