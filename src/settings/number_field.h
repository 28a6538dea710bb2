#pragma once
#include <QLineEdit>
#include <QWidget>
#include <functional>

class QScrollBar;

namespace orvalen {

// A whole-number field with its spin arrows: a line edit that takes digits
// only (Backspace, Enter and the navigation keys pass; pasting is allowed
// and checked) and a vertical scroll bar whose top arrow raises the value.
//
// With a range rule the field checks itself: while the text changes (an
// empty text is left alone; a text that is not a number counts as 0) and
// when the focus moves to another control of the window (not when a message
// box takes it). Out of range shows the rule's notice and puts the reset
// value. Without a rule the owner connects left().
class NumberField : public QWidget {
    Q_OBJECT
public:
    struct Rule {
        int typingMin = 0, typingMax = 0;
        QString typingNotice;
        int leaveMin = 0, leaveMax = 0;
        QString leaveNotice;
        QString reset = QStringLiteral("0");
    };
    // The spin covers spinMin..spinMax in steps of `step`; spinMax 0 means no
    // spin arrows.
    NumberField(int spinMin, int spinMax, int step, QWidget* parent = nullptr);

    void setRule(const Rule& rule) { m_rule = rule; m_hasRule = true; }
    // Shows a notice (text, timeout ms); the window routes it to its notifier.
    void setNotify(std::function<void(const QString&, int)> notify) { m_notify = std::move(notify); }

    QLineEdit* edit() const { return m_edit; }
    QScrollBar* spin() const { return m_spin; }
    QString text() const { return m_edit->text(); }
    void setText(const QString& text) { m_edit->setText(text); }
    void setAccessibleName(const QString& name);
    // Runs the check of leaving the field (also used before apply).
    void leaveCheck();
    // Moves the spin to `value` without running anything.
    void setSpinValue(int value);

signals:
    void left(); // the focus went to another control

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void typingCheck(const QString& text);
    void notice(const QString& text);

    QLineEdit* m_edit;
    QScrollBar* m_spin = nullptr;
    Rule m_rule;
    bool m_hasRule = false;
    std::function<void(const QString&, int)> m_notify;
};

} // namespace orvalen
