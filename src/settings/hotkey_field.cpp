#include "settings/hotkey_field.h"

#include "settings/settings_rules.h"

#include <QKeyEvent>

namespace orvalen {

HotkeyField::HotkeyField(QWidget* parent) : QLineEdit(parent)
{
    setText(QStringLiteral("无"));
    setToolTip(QStringLiteral("直接在键盘上输入快捷键"));
    setContextMenuPolicy(Qt::NoContextMenu);
}

QString HotkeyField::keyName(const QKeyEvent& event)
{
    const int key = event.key();
    // Shift with a digit arrives as the symbol above it (US layout).
    static const QString shiftedDigits = QStringLiteral(")!@#$%^&*(");
    int digit = -1;
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        digit = key - Qt::Key_0;
    else if (key < 0x80 && shiftedDigits.contains(QChar(key)))
        digit = int(shiftedDigits.indexOf(QChar(key)));
    if (digit >= 0) {
        if (event.modifiers() & Qt::KeypadModifier)
            return QStringLiteral("Num ") + QString::number(digit);
        return QString::number(digit);
    }
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return QString(QChar('A' + (key - Qt::Key_A)));
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12)
        return QStringLiteral("F") + QString::number(key - Qt::Key_F1 + 1);
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        return QStringLiteral("Enter");
    if (key == Qt::Key_Space)
        return QStringLiteral("Space");
    return QString();
}

bool HotkeyField::event(QEvent* e)
{
    // Ctrl+A, Ctrl+C and the like are hotkeys here, not editing shortcuts.
    if (e->type() == QEvent::ShortcutOverride) {
        e->accept();
        return true;
    }
    return QLineEdit::event(e);
}

void HotkeyField::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Tab || e->key() == Qt::Key_Backtab) {
        QLineEdit::keyPressEvent(e); // keep moving through the window
        return;
    }
    Qt::KeyboardModifiers m = e->modifiers();
    // A modifier key's own press may not carry its flag yet.
    if (e->key() == Qt::Key_Control)
        m |= Qt::ControlModifier;
    else if (e->key() == Qt::Key_Alt)
        m |= Qt::AltModifier;
    else if (e->key() == Qt::Key_Shift)
        m |= Qt::ShiftModifier;
    clear();
    setText(hotkeyCaptureText(m & Qt::ShiftModifier, m & Qt::ControlModifier, m & Qt::AltModifier, keyName(*e)));
    setCursorPosition(int(text().size()));
}

void HotkeyField::keyReleaseEvent(QKeyEvent* e)
{
    if (text().isEmpty() || text().endsWith(QLatin1Char('+')))
        setText(QStringLiteral("无"));
    setCursorPosition(int(text().size()));
    e->accept();
}

} // namespace orvalen
