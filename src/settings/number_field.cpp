#include "settings/number_field.h"

#include "settings/settings_rules.h"

#include <QFocusEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QScrollBar>
#include <QSignalBlocker>

namespace orvalen {

NumberField::NumberField(int spinMin, int spinMax, int step, QWidget* parent)
    : QWidget(parent), m_edit(new QLineEdit(this))
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    m_edit->setMaximumWidth(m_edit->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
    m_edit->installEventFilter(this);
    row->addWidget(m_edit);
    if (spinMax > spinMin) {
        m_spin = new QScrollBar(Qt::Vertical, this);
        m_spin->setRange(spinMin, spinMax);
        m_spin->setSingleStep(step);
        m_spin->setPageStep(step);
        m_spin->setInvertedAppearance(true);
        m_spin->setInvertedControls(false);
        m_spin->setFixedSize(m_spin->sizeHint().width(), m_edit->sizeHint().height());
        m_spin->setFocusPolicy(Qt::NoFocus);
        row->addWidget(m_spin);
        connect(m_spin, &QScrollBar::valueChanged, this, [this](int v) { m_edit->setText(QString::number(v)); });
    }
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setFocusProxy(m_edit);
    connect(m_edit, &QLineEdit::textChanged, this, [this](const QString& t) {
        if (m_hasRule)
            typingCheck(t);
    });
}

void NumberField::setAccessibleName(const QString& name)
{
    m_edit->setAccessibleName(name);
    if (m_spin)
        m_spin->setAccessibleName(name + QStringLiteral(" 调节"));
}

void NumberField::setSpinValue(int value)
{
    if (!m_spin)
        return;
    const QSignalBlocker block(m_spin);
    m_spin->setValue(value);
}

void NumberField::notice(const QString& text)
{
    if (m_notify)
        m_notify(text, 1000);
}

void NumberField::typingCheck(const QString& text)
{
    if (text.isEmpty())
        return;
    const int v = wholeDigits(text).value_or(0);
    QString wanted = QString::number(v);
    if (v < m_rule.typingMin || v > m_rule.typingMax) {
        notice(m_rule.typingNotice);
        wanted = m_rule.reset;
    }
    if (wanted != m_edit->text()) {
        m_edit->setText(wanted); // the nested run moves the spin
        m_edit->setCursorPosition(int(wanted.size()));
        return;
    }
    setSpinValue(v);
}

void NumberField::leaveCheck()
{
    if (!m_hasRule) {
        emit left();
        return;
    }
    const int v = leadingDigits(m_edit->text()).value_or(0);
    if (v < m_rule.leaveMin || v > m_rule.leaveMax) {
        notice(m_rule.leaveNotice);
        m_edit->setText(m_rule.reset);
    }
    m_edit->setText(QString::number(leadingDigits(m_edit->text()).value_or(0)));
    emit left();
}

bool NumberField::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_edit && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const QString t = key->text();
        if (t.size() == 1 && t[0].isPrint() && !t[0].isDigit() && !(key->modifiers() & Qt::ControlModifier))
            return true; // only digits are typed
    }
    if (watched == m_edit && event->type() == QEvent::FocusOut) {
        // A message box taking the focus is not the operator leaving.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            leaveCheck();
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace orvalen
