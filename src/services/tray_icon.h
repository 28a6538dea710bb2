#pragma once
#include <QIcon>
#include <QObject>
#include <QString>
#include <QSystemTrayIcon>
#include <memory>

namespace orvalen {

// One icon in the notification area, with its tip text and an optional
// balloon message. Clicks come back as clicked(button, double) with
// button 1 left, 2 right, 4 middle. When the desktop has no tray host the
// object still works and shows nothing; the icon appears when a host starts
// and goes with it.
class TrayIcon : public QObject {
    Q_OBJECT
public:
    explicit TrayIcon(QObject* parent = nullptr);
    ~TrayIcon() override;

    // Removes the icon from the notification area.
    void remove();
    // Puts the icon into the notification area (shown with `picture` when it
    // is an icon). Must come first.
    void add(const QIcon& picture = QIcon());
    // The tip, cut to what the 128-byte tip field holds (127 bytes and the
    // end mark; a character of the Chinese code page counts two bytes). A
    // character is never cut in half.
    void setTip(const QString& text);
    // Takes the icon picture; a null icon is ignored.
    void setIcon(const QIcon& picture);
    // A balloon message; flags 1 information, 2 warning, 3 error; an empty
    // title shows no icon. It stays timeoutMs (10 s when 0 or less).
    void showBalloon(const QString& text, int iconFlags, const QString& title, int timeoutMs);

    QString tip() const { return m_tip; }
    QIcon icon() const { return m_icon; }
    // True when a tray host shows the icon.
    bool isShown() const;

    // The tip text cut to the tip field.
    static QString cutTip(const QString& text);

    // Turns a tray activation into the clicked event (public for tests).
    void handleActivation(QSystemTrayIcon::ActivationReason reason);

signals:
    void clicked(int button, bool isDouble);

private:
    void ensureTray();
    std::unique_ptr<QSystemTrayIcon> m_tray;
    QIcon m_icon;
    QString m_tip;
    bool m_added = false;
};

} // namespace orvalen
