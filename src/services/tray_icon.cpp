#include "services/tray_icon.h"

#include <QGuiApplication>

namespace orvalen {

TrayIcon::TrayIcon(QObject* parent) : QObject(parent) {}

TrayIcon::~TrayIcon() = default;

void TrayIcon::ensureTray()
{
    if (m_tray)
        return;
    m_tray = std::make_unique<QSystemTrayIcon>();
    connect(m_tray.get(), &QSystemTrayIcon::activated, this, &TrayIcon::handleActivation);
}

void TrayIcon::remove()
{
    m_added = false;
    if (m_tray)
        m_tray->hide();
}

void TrayIcon::add(const QIcon& picture)
{
    ensureTray();
    if (!picture.isNull())
        m_icon = picture;
    m_tray->setIcon(m_icon);
    m_added = true;
    // Shown also without a tray host: Qt docks the icon when a host starts
    // later, and again after a host was replaced. A platform without a
    // screen (offscreen) never gets one.
    if (QSystemTrayIcon::isSystemTrayAvailable() || QGuiApplication::platformName() != QLatin1String("offscreen"))
        m_tray->show();
}

QString TrayIcon::cutTip(const QString& text)
{
    constexpr int kBytes = 127;
    int used = 0;
    QString out;
    for (qsizetype i = 0; i < text.size();) {
        const bool pair = text.at(i).isHighSurrogate() && i + 1 < text.size();
        const int len = pair ? 2 : 1;
        const char16_t c = text.at(i).unicode();
        const int cost = (c < 0x80) ? 1 : (pair ? 4 : 2);
        if (c == 0)
            break;
        if (used + cost > kBytes)
            break;
        used += cost;
        out += text.mid(i, len);
        i += len;
    }
    return out;
}

void TrayIcon::setTip(const QString& text)
{
    m_tip = cutTip(text);
    if (m_tray)
        m_tray->setToolTip(m_tip);
}

void TrayIcon::setIcon(const QIcon& picture)
{
    if (picture.isNull())
        return;
    m_icon = picture;
    if (m_tray)
        m_tray->setIcon(m_icon);
}

void TrayIcon::showBalloon(const QString& text, int iconFlags, const QString& title, int timeoutMs)
{
    QSystemTrayIcon::MessageIcon icon = QSystemTrayIcon::NoIcon;
    if (!title.isEmpty()) {
        switch (iconFlags & 3) {
        case 1: icon = QSystemTrayIcon::Information; break;
        case 2: icon = QSystemTrayIcon::Warning; break;
        case 3: icon = QSystemTrayIcon::Critical; break;
        default: break;
        }
    }
    if (m_tray && m_added && m_tray->isVisible())
        m_tray->showMessage(title, text, icon, timeoutMs > 0 ? timeoutMs : 10000);
}

bool TrayIcon::isShown() const
{
    return m_tray && m_tray->isVisible() && QSystemTrayIcon::isSystemTrayAvailable();
}

void TrayIcon::handleActivation(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::Trigger: emit clicked(1, false); break;
    case QSystemTrayIcon::DoubleClick: emit clicked(1, true); break;
    case QSystemTrayIcon::Context: emit clicked(2, false); break;
    case QSystemTrayIcon::MiddleClick: emit clicked(4, false); break;
    default: break;
    }
}

} // namespace orvalen
