#pragma once
#include <QObject>
#include <memory>

class QWidget;

namespace orvalen {

class DisplayHost;
class TrayIcon;

// The program's icon in the notification area, with the display's icon and
// title as its picture and tip. A single right click pops the desktop menu
// up at the pointer; other clicks do nothing. The icon goes when the
// display closes (or with this object).
class ProgramTray final : public QObject {
    Q_OBJECT
public:
    ProgramTray(QWidget& display, DisplayHost& host);
    ~ProgramTray() override;

    // None once the display has closed.
    TrayIcon* icon() const { return m_icon.get(); }
    // A click on the icon (button 1 left, 2 right, 4 middle).
    void clicked(int button, bool isDouble);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void remove();

    QWidget& m_display;
    DisplayHost& m_host;
    std::unique_ptr<TrayIcon> m_icon;
};

} // namespace orvalen
