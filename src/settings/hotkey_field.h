#pragma once
#include <QLineEdit>

namespace orvalen {

// A field that takes a hotkey from the keyboard instead of typed text: a key
// press shows the held modifiers and the key's name ("Ctrl+Alt+S"); a
// release that leaves no complete hotkey shows "无". Shift alone adds no
// prefix, and Shift with a digit gives the digit, not its shifted symbol.
class HotkeyField : public QLineEdit {
    Q_OBJECT
public:
    explicit HotkeyField(QWidget* parent = nullptr);
    // The name of the key of a press: "A".."Z", "0".."9", "Num 0".."Num 9",
    // "F1".."F12", "Enter", "Space"; "" for any other key.
    static QString keyName(const QKeyEvent& event);

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
};

} // namespace orvalen
