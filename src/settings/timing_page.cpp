#include "settings/timing_page.h"

#include "settings/number_field.h"
#include "settings/settings_rules.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

namespace orvalen {

namespace {

// The numbers the fields start with, in order; false (and *error names the
// first field that does not start with one) when one does not.
bool fieldNumbers(std::initializer_list<const NumberField*> fields, int* out, QString* error)
{
    for (const NumberField* field : fields) {
        const auto v = leadingDigits(field->text());
        if (!v) {
            if (error)
                *error = field->edit()->accessibleName() + QStringLiteral(" 不是数字");
            return false;
        }
        *out++ = *v;
    }
    return true;
}

} // namespace

TimingPage::TimingPage(const ClockPlan& stored, SettingsNotice notice, std::function<QDate()> today, QWidget* parent)
    : QWidget(parent), m_stored(stored), m_notice(std::move(notice)), m_today(std::move(today))
{
    auto* grid = new QGridLayout(this);
    m_lengthCaption = makeLabel(QStringLiteral("启用    总时长"), this);
    m_lengthCaption->setObjectName(QStringLiteral("lengthCaption"));
    grid->addWidget(m_lengthCaption, 0, 0);
    m_lengthHours = makeTimeField(23, QStringLiteral("总时长 时"), this);
    m_lengthMinutes = makeTimeField(59, QStringLiteral("总时长 分"), this);
    m_lengthSeconds = makeTimeField(59, QStringLiteral("总时长 秒"), this);
    grid->addWidget(m_lengthHours, 0, 1);
    grid->addWidget(makeLabel(QStringLiteral("时"), this), 0, 2);
    grid->addWidget(m_lengthMinutes, 0, 3);
    grid->addWidget(makeLabel(QStringLiteral("分"), this), 0, 4);
    grid->addWidget(m_lengthSeconds, 0, 5);
    grid->addWidget(makeLabel(QStringLiteral("秒"), this), 0, 6);

    m_continuousBox = makeBox(QStringLiteral("持续提醒"), this);
    grid->addWidget(m_continuousBox, 1, 0);
    const QStringList captions{"报警1 剩余", "报警2 剩余", "报警3 剩余", "读秒  剩余", "超时  超过"};
    for (Stage stage : kTimedStages) {
        StageRow& r = m_stageRows[stage];
        const int row = int(stageIndex(stage)) + 1;
        const QString name = stageName(stage);
        r.on = makeBox(captions[row - 2], this);
        r.minutes = makeTimeField(59, name + QStringLiteral(" 分"), this);
        r.seconds = makeTimeField(59, name + QStringLiteral(" 秒"), this);
        r.minutesUnit = makeLabel(QStringLiteral("分"), this);
        r.secondsUnit = makeLabel(stage == Stage::Overtime ? QStringLiteral("秒结束") : QStringLiteral("秒"), this);
        grid->addWidget(r.on, row, 0);
        grid->addWidget(r.minutes, row, 3);
        grid->addWidget(r.minutesUnit, row, 4);
        grid->addWidget(r.seconds, row, 5);
        grid->addWidget(r.secondsUnit, row, 6);
    }
    m_longTermBox = makeBox(QStringLiteral("长期计时"), this);
    m_longTermBox->setEnabled(false); // the fill enables it once the switches are set
    grid->addWidget(m_longTermBox, 7, 0);

    m_datePanel = new QWidget(this);
    m_datePanel->setObjectName(QStringLiteral("datePanel"));
    auto* dateRow = new QHBoxLayout(m_datePanel);
    dateRow->setContentsMargins(0, 0, 0, 0);
    m_dateCaption = makeLabel(QStringLiteral("到期日期"), m_datePanel);
    dateRow->addWidget(m_dateCaption);
    auto dateField = [&](const QString& unit, const QString& initial) {
        auto* f = new NumberField(0, 0, 1, m_datePanel);
        f->setAccessibleName(QStringLiteral("到期日期 ") + unit);
        f->setText(initial);
        dateRow->addWidget(f);
        dateRow->addWidget(makeLabel(unit, m_datePanel));
        return f;
    };
    m_dateYear = dateField(QStringLiteral("年"), QStringLiteral("2019"));
    m_dateMonth = dateField(QStringLiteral("月"), QStringLiteral("1"));
    m_dateDay = dateField(QStringLiteral("日"), QStringLiteral("1"));
    m_datePanel->hide();
    grid->addWidget(m_datePanel, 7, 1, 1, 6);
    grid->setRowStretch(8, 1);
    grid->setColumnStretch(7, 1);

    auto notify = [this](const QString& text, int ms) { m_notice(text, ms, QString()); };
    for (NumberField* f : {m_lengthHours, m_lengthMinutes, m_lengthSeconds})
        f->setNotify(notify);
    for (Stage stage : kTimedStages) {
        StageRow& r = m_stageRows[stage];
        r.minutes->setNotify(notify);
        r.seconds->setNotify(notify);
    }
    for (NumberField* f : {m_dateYear, m_dateMonth, m_dateDay}) {
        connect(f->edit(), &QLineEdit::textChanged, this, [this, f] { dateChanged(f, false); });
        connect(f, &NumberField::left, this, [this, f] { dateChanged(f, true); });
    }
    connect(overtimeRow().on, &QCheckBox::toggled, this, [this] { showOvertimeRow(); });
    connect(m_longTermBox, &QCheckBox::toggled, this, &TimingPage::longTermToggled);
}

void TimingPage::showTimes(const ClockPlan& p)
{
    m_lengthHours->setText(QString::number(p.Time_all.hour()));
    m_lengthMinutes->setText(QString::number(p.Time_all.minute()));
    m_lengthSeconds->setText(QString::number(p.Time_all.second()));
    for (Stage stage : kTimedStages) {
        m_stageRows[stage].minutes->setText(QString::number(p.timeOf(stage).minute()));
        m_stageRows[stage].seconds->setText(QString::number(p.timeOf(stage).second()));
    }
    if (p.time_date.isValid()) {
        m_dateYear->setText(QString::number(p.time_date.year()));
        m_dateMonth->setText(QString::number(p.time_date.month()));
        m_dateDay->setText(QString::number(p.time_date.day()));
    }
}

void TimingPage::showSwitches(const ClockPlan& p)
{
    m_continuousBox->setChecked(p.continuousReminder);
    for (Stage stage : kTimedStages)
        m_stageRows[stage].on->setChecked(p.stageOn(stage));
    showOvertimeRow();
    m_longTermBox->setChecked(p.longTerm);
}

bool TimingPage::writeInto(ClockPlan& plan, QString* error) const
{
    int hms[3] = {};
    if (!fieldNumbers({m_lengthHours, m_lengthMinutes, m_lengthSeconds}, hms, error))
        return false;
    const QTime all(hms[0], hms[1], hms[2]);
    if (!all.isValid()) {
        if (error)
            *error = QStringLiteral("总时长不是有效的时间");
        return false;
    }
    plan.Time_all = all;
    for (Stage stage : kTimedStages) {
        const StageRow& r = m_stageRows[stage];
        int ms[2] = {};
        if (!fieldNumbers({r.minutes, r.seconds}, ms, error))
            return false;
        const QTime t(0, ms[0], ms[1]);
        if (!t.isValid()) {
            if (error)
                *error = r.minutes->edit()->accessibleName() + QStringLiteral(" 不是有效的时间");
            return false;
        }
        plan.timeOf(stage) = t;
    }
    if (m_longTermBox->isChecked()) {
        int ymd[3] = {};
        if (!fieldNumbers({m_dateYear, m_dateMonth, m_dateDay}, ymd, error))
            return false;
        const QDate date(ymd[0], ymd[1], ymd[2]);
        if (!date.isValid()) {
            if (error)
                *error = QStringLiteral("到期日期不是有效的日期");
            return false;
        }
        plan.time_date = date;
    } else {
        plan.time_date = QDate(2000, 1, 1);
    }
    plan.continuousReminder = m_continuousBox->isChecked();
    for (Stage stage : kTimedStages)
        plan.stages[stage].on = m_stageRows[stage].on->isChecked();
    plan.longTerm = m_longTermBox->isChecked();
    return true;
}

bool TimingPage::longTerm() const { return m_longTermBox->isChecked(); }
bool TimingPage::longTermEnabled() const { return m_longTermBox->isEnabled(); }
void TimingPage::setLongTermEnabled(bool enabled) { m_longTermBox->setEnabled(enabled); }

void TimingPage::showLongTerm(bool on)
{
    m_lengthCaption->setText(on ? QStringLiteral("启用  到期时间") : QStringLiteral("启用    总时长"));
    m_datePanel->setVisible(on);
    m_continuousBox->setChecked(!on && m_stored.continuousReminder);
    m_continuousBox->setEnabled(!on);
    for (Stage stage : kTimedStages) {
        m_stageRows[stage].on->setChecked(!on && m_stored.stageOn(stage));
        m_stageRows[stage].on->setEnabled(!on);
    }
}

void TimingPage::allowOvertimeLimit(bool allowed)
{
    overtimeRow().on->setEnabled(allowed);
    showOvertimeRow();
}

void TimingPage::clearOvertimeLimit()
{
    overtimeRow().minutes->setText(QStringLiteral("0"));
    overtimeRow().seconds->setText(QStringLiteral("0"));
}

void TimingPage::showOvertimeRow()
{
    // The overtime-limit row follows whether its switch is enabled.
    StageRow& r = overtimeRow();
    const bool enabled = r.on->isEnabled();
    for (QWidget* w : std::initializer_list<QWidget*>{r.minutes, r.seconds, r.secondsUnit})
        w->setEnabled(enabled);
    for (QWidget* w : std::initializer_list<QWidget*>{r.on, r.minutes, r.seconds, r.minutesUnit, r.secondsUnit})
        w->setVisible(enabled && !m_simple);
}

std::array<bool, 4> TimingPage::alarmsUsed() const
{
    std::array<bool, 4> used{};
    for (size_t k = 0; k < kAlarmStages.size(); ++k)
        used[k] = m_stageRows[kAlarmStages[k]].on->isChecked();
    return used;
}

void TimingPage::showSimple(bool simple)
{
    m_simple = simple;
    const bool full = !simple;
    const bool longTerm = m_longTermBox->isChecked();
    // A stage switch keeps 0 while the plan is long-term, in both modes.
    auto storedOn = [&](Stage stage) { return full && !longTerm && m_stored.stageOn(stage); };
    auto showRow = [&](Stage stage) {
        StageRow& r = m_stageRows[stage];
        r.on->setChecked(storedOn(stage));
        for (QWidget* w : std::initializer_list<QWidget*>{r.on, r.minutes, r.seconds, r.minutesUnit, r.secondsUnit})
            w->setVisible(full);
    };
    showRow(Stage::Alarm1);
    showRow(Stage::Alarm2);
    // In simple mode the third alarm is the one alarm there is.
    QCheckBox* third = m_stageRows[Stage::Alarm3].on;
    third->setText(simple ? QStringLiteral("报警1 剩余") : QStringLiteral("报警3 剩余"));
    third->setAccessibleName(third->text().simplified());
    showRow(Stage::SecondsCountDown);
    m_continuousBox->setChecked(full && !longTerm && m_stored.continuousReminder);
    m_continuousBox->setVisible(full);
    StageRow& overtime = overtimeRow();
    overtime.on->setChecked(storedOn(Stage::Overtime));
    for (QWidget* w : std::initializer_list<QWidget*>{overtime.on, overtime.minutes, overtime.minutesUnit,
                                                      overtime.seconds, m_dateCaption, overtime.secondsUnit})
        w->setVisible(full);
}

void TimingPage::dateChanged(NumberField* f, bool leaving)
{
    const QString text = f->text();
    if (text.isEmpty() && !leaving)
        return;
    const auto parsed = leaving ? leadingDigits(text) : wholeDigits(text);
    if (!parsed) {
        f->setText(QStringLiteral("0"));
        if (!leaving)
            return; // the nested run checks "0"
    }
    const int v = parsed.value_or(0);
    auto put = [&](const QString& t) {
        if (f->text() != t) {
            f->setText(t);
            f->edit()->setCursorPosition(int(t.size()));
        }
    };
    if (f == m_dateYear) {
        if (v > 2999 || (leaving && v < 2000)) {
            const QString exeTitle = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
            m_notice(leaving ? QStringLiteral("年份取值范围2000-2999之间") : QStringLiteral("取值范围2000-2999之间"), 1000,
                     exeTitle);
            put(QString::number(m_today().year()));
        } else {
            put(QString::number(v));
        }
        recheckDay(); // a year change can end February sooner
    } else if (f == m_dateMonth) {
        put(QString::number(std::clamp(v, 1, 12)));
        recheckDay();
    } else {
        const int year = leadingDigits(m_dateYear->text()).value_or(2000);
        const int month = std::clamp(leadingDigits(m_dateMonth->text()).value_or(1), 1, 12);
        const QDate first(std::clamp(year, 1, 9999), month, 1);
        const int last = monthLastDay(first, MonthOf::Now).day();
        put(QString::number(std::clamp(v, 1, last)));
    }
}

void TimingPage::recheckDay()
{
    if (m_dateDay->text().isEmpty())
        return;
    dateChanged(m_dateDay, false);
}

} // namespace orvalen
