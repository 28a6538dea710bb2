#include "settings/reminder_page.h"

#include "settings/named_list.h"
#include "settings/number_field.h"
#include "settings/settings_rules.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QToolButton>

namespace orvalen {

namespace {
const QStringList kSimpleStageNames{"开始", "报警1", "超时", "结束"};
// The stages the simple list names, in its order.
constexpr Stage kSimpleStages[] = {Stage::Start, Stage::Alarm3, Stage::Overtime, Stage::End};

QStringList stageNames()
{
    QStringList names;
    for (Stage stage : kStages)
        names << stageName(stage);
    return names;
}
} // namespace

ReminderPage::ReminderPage(const ClockPlan& stored, SettingsNotice notice, QWidget* parent)
    : QWidget(parent), m_stored(stored)
{
    auto* grid = new QGridLayout(this);
    grid->addWidget(makeLabel(QStringLiteral("时间闪烁"), this), 0, 1);
    grid->addWidget(makeLabel(QStringLiteral("提示文字"), this), 0, 2, 1, 2);
    grid->addWidget(makeLabel(QStringLiteral("声音文件   播放"), this), 0, 4, 1, 3);
    for (Stage stage : kStages) {
        StageRow& r = m_stageRows[stage];
        const int row = int(stageIndex(stage)) + 1;
        const QString n = stageName(stage);
        r.name = makeLabel(n, this);
        grid->addWidget(r.name, row, 0);
        r.blink = makeBox(QString(), this, n + QStringLiteral(" 时间闪烁"));
        grid->addWidget(r.blink, row, 1);
        r.prompt = makeBox(QString(), this, n + QStringLiteral(" 提示文字"));
        grid->addWidget(r.prompt, row, 2);
        r.promptText = new QLineEdit(this);
        r.promptText->setToolTip(n + QStringLiteral("阶段提示文字"));
        r.promptText->setAccessibleName(n + QStringLiteral(" 提示文字内容"));
        grid->addWidget(r.promptText, row, 3);
        r.soundFile = new QLineEdit(this);
        r.soundFile->setReadOnly(true);
        r.soundFile->setAccessibleName(n + QStringLiteral(" 声音文件"));
        r.soundFile->installEventFilter(this);
        grid->addWidget(r.soundFile, row, 4);
        r.chooseSound = makeDots(n + QStringLiteral(" 选择声音文件"), this);
        grid->addWidget(r.chooseSound, row, 5);
        r.sound = makeBox(QString(), this, n + QStringLiteral(" 播放"));
        grid->addWidget(r.sound, row, 6);
        connect(r.chooseSound, &QToolButton::clicked, this, [this, stage] { emit soundFileWanted(stage); });
    }
    auto* last = new QHBoxLayout;
    m_durationCaption = makeLabel(QStringLiteral("提醒持续"), this);
    last->addWidget(m_durationCaption);
    m_duration = new NumberField(0, 0, 1, this);
    m_duration->setAccessibleName(QStringLiteral("提醒持续 秒"));
    NumberField::Rule r;
    r.typingMin = 0;
    r.typingMax = 30;
    r.typingNotice = QStringLiteral("取值范围0-30秒之间");
    r.leaveMin = 1;
    r.leaveMax = 30;
    r.leaveNotice = QStringLiteral("取值范围1-30之间");
    r.reset = QStringLiteral("3");
    m_duration->setRule(r);
    m_duration->setNotify([notice](const QString& text, int ms) { notice(text, ms, QString()); });
    last->addWidget(m_duration);
    m_durationUnit = makeLabel(QStringLiteral("秒"), this);
    last->addWidget(m_durationUnit);
    last->addStretch();
    last->addWidget(makeLabel(QStringLiteral("试听"), this));
    m_previewList = new NamedList(this);
    m_previewList->setAccessibleName(QStringLiteral("试听"));
    last->addWidget(m_previewList);
    grid->addLayout(last, 8, 0, 1, 7);
    grid->setRowStretch(9, 1);
    grid->setColumnStretch(3, 1);
    grid->setColumnStretch(4, 1);
    connect(m_previewList, &QComboBox::currentIndexChanged, this, [this](int i) { if (i >= 0) previewChosen(i); });
}

void ReminderPage::showReminders(const ClockPlan& p)
{
    for (Stage s : kStages) {
        const PlanStage& stage = p.stages[s];
        StageRow& r = m_stageRows[s];
        r.prompt->setChecked(stage.showsPrompt);
        r.sound->setChecked(stage.playsSound);
        r.blink->setChecked(stage.blinks);
        r.promptText->setText(stage.prompt);
        r.soundFile->setText(stage.sound);
    }
}

void ReminderPage::showDuration(int seconds) { m_duration->setText(QString::number(seconds)); }

bool ReminderPage::writeInto(ClockPlan& plan, QString* error) const
{
    for (Stage s : kStages) {
        const StageRow& r = m_stageRows[s];
        PlanStage& stage = plan.stages[s];
        stage.showsPrompt = r.prompt->isChecked();
        stage.playsSound = r.sound->isChecked();
        stage.blinks = r.blink->isChecked();
        stage.prompt = r.promptText->text();
        stage.sound = r.soundFile->text();
    }
    const auto n = leadingDigits(m_duration->text());
    if (!n) {
        if (error)
            *error = m_duration->edit()->accessibleName() + QStringLiteral(" 不是数字");
        return false;
    }
    plan.setTixingtime(*n);
    return true;
}

int ReminderPage::duration() const { return leadingDigits(m_duration->text()).value_or(0); }

QString ReminderPage::endText() const { return m_stageRows[Stage::End].promptText->text(); }

void ReminderPage::setSoundFile(Stage stage, const QString& file) { m_stageRows[stage].soundFile->setText(file); }

void ReminderPage::showStageList() { refillList(m_previewList, m_simple ? kSimpleStageNames : stageNames()); }

void ReminderPage::showSimple(bool simple)
{
    m_simple = simple;
    const bool full = !simple;
    showStageList();
    m_duration->setVisible(full);
    m_duration->setText(simple ? QStringLiteral("5") : QString::number(m_stored.tixingtime));
    m_durationUnit->setVisible(full);
    m_durationCaption->setVisible(full);
    // Simple mode keeps the start, the one alarm (the third row), the
    // overtime and the end.
    for (Stage hidden : {Stage::Alarm1, Stage::Alarm2, Stage::SecondsCountDown, Stage::Overtime}) {
        StageRow& r = m_stageRows[hidden];
        const PlanStage& stored = m_stored.stages[hidden];
        r.name->setVisible(full);
        r.blink->setChecked(full && stored.blinks);
        r.blink->setVisible(full);
        r.prompt->setChecked(full && stored.showsPrompt);
        r.prompt->setVisible(full);
        r.sound->setChecked(full && stored.playsSound);
        r.sound->setVisible(full);
        r.promptText->setVisible(full);
        r.soundFile->setVisible(full);
        r.chooseSound->setVisible(full);
    }
    m_stageRows[Stage::Alarm3].name->setText(simple ? QStringLiteral("报警1") : QStringLiteral("报警3"));
}

void ReminderPage::previewChosen(int index)
{
    const int count = m_simple ? int(std::size(kSimpleStages)) : kStageCount;
    if (index < 0 || index >= count)
        return;
    const Stage stage = m_simple ? kSimpleStages[index] : stageAt(size_t(index));
    emit soundPreviewWanted(m_stageRows[stage].soundFile->text());
}

bool ReminderPage::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        for (Stage stage : kStages) {
            if (watched == m_stageRows[stage].soundFile) {
                emit soundFileWanted(stage);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace orvalen
