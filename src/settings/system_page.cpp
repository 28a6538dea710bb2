#include "settings/system_page.h"

#include "settings/hotkey_field.h"
#include "settings/named_list.h"
#include "settings/number_field.h"
#include "settings/settings_rules.h"
#include "stores/ini_store.h"
#include "stores/time_data_keys.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <climits>

namespace orvalen {

namespace {

// A time-format digit as an entry of the list it meets: beyond a three-entry
// list it is entry 1, beyond the day list entry 1 as well.
int formatEntry(int digit, int listSize)
{
    if (digit < 0)
        return 0;
    return digit < listSize ? digit : 1;
}

// "whole number": trimmed text as a 16-bit number; nullopt when it is not one.
std::optional<int> wholeNumber(const QString& text)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (!ok || v < -32768 || v > 32767)
        return std::nullopt;
    return v;
}

constexpr int kSystemTime = listIndex(TimingMode::TimeOfDay);
constexpr int kReset = listIndex(OvertimeAction::Reset);

} // namespace

SystemPage::SystemPage(const ClockPlan& stored, SettingsNotice notice, QWidget* parent)
    : QWidget(parent), m_stored(stored), m_notice(std::move(notice))
{
    auto* grid = new QGridLayout(this);
    buildCountGroup(grid);
    buildHotkeyGroup(grid);
    buildLogoRow(grid);
    buildScrollRow(grid);
    grid->setRowStretch(8, 1);
    connectControls();
}

// Time format, timing mode, overtime action and what follows from them.
void SystemPage::buildCountGroup(QGridLayout* grid)
{
    auto addList = [&](const QString& caption, int row, int col) {
        QLabel* l = makeLabel(caption, this);
        grid->addWidget(l, row, col);
        auto* c = new NamedList(this);
        c->setAccessibleName(caption);
        l->setBuddy(c); // lists are read by their value; the label names them
        grid->addWidget(c, row, col + 1);
        return c;
    };
    m_formatList = addList(QStringLiteral("时间格式"), 0, 0);
    m_modeList = addList(QStringLiteral("计时方式"), 1, 0);
    m_overtimeList = addList(QStringLiteral("超时动作"), 2, 0);
    // Wide enough for the longest day format, so the window keeps its size.
    m_formatList->setMinimumContentsLength(int(QStringLiteral("d天 hh时mm分ss秒").size()) + 2);
    m_formatList->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    auto* delayRow = new QHBoxLayout;
    m_delayBox = makeBox(QStringLiteral("延时(秒)"), this);
    delayRow->addWidget(m_delayBox);
    m_delayField = new NumberField(1, 30, 1, this);
    m_delayField->setAccessibleName(QStringLiteral("延时 秒"));
    NumberField::Rule d;
    d.typingMin = d.leaveMin = 1;
    d.typingMax = d.leaveMax = 30;
    d.typingNotice = d.leaveNotice = QStringLiteral("取值范围1-30之间");
    d.reset = QStringLiteral("1");
    m_delayField->setRule(d);
    delayRow->addWidget(m_delayField);
    m_delayCaption = makeLabel(QStringLiteral("进入下一阶段"), this);
    m_delayCaption->setObjectName(QStringLiteral("delayCaption"));
    delayRow->addWidget(m_delayCaption);
    delayRow->addStretch();
    grid->addLayout(delayRow, 3, 0, 1, 2);
    m_overtimeClockBox = makeBox(QStringLiteral("显示超时时钟"), this);
    m_endTextBox = makeBox(QStringLiteral("时间到，时钟显示提示文字"), this);
    grid->addWidget(m_overtimeClockBox, 4, 0, 1, 2);
    grid->addWidget(m_endTextBox, 5, 0, 1, 2);
}

// The three run hotkeys and the modifiers of the plan hotkeys.
void SystemPage::buildHotkeyGroup(QGridLayout* grid)
{
    grid->addWidget(makeLabel(QStringLiteral("系统热键"), this), 0, 2, 1, 2);
    auto addKey = [&](const QString& caption, int row) {
        grid->addWidget(makeLabel(caption, this), row, 2);
        auto* f = new HotkeyField(this);
        f->setAccessibleName(caption + QStringLiteral(" 热键"));
        grid->addWidget(f, row, 3);
        return f;
    };
    m_startKey = addKey(QStringLiteral("开始"), 1);
    m_stopKey = addKey(QStringLiteral("停止"), 2);
    m_pauseKey = addKey(QStringLiteral("暂停/继续"), 3);
    auto* often = new QHBoxLayout;
    often->addWidget(makeLabel(QStringLiteral("阶段热键"), this));
    m_planKeyCtrl = makeBox(QStringLiteral("Ctrl"), this, QStringLiteral("阶段热键 Ctrl"));
    m_planKeyAlt = makeBox(QStringLiteral("Alt"), this, QStringLiteral("阶段热键 Alt"));
    often->addWidget(m_planKeyCtrl);
    often->addWidget(m_planKeyAlt);
    often->addStretch();
    grid->addLayout(often, 4, 2, 1, 2);
}

// The logo picture and its own size.
void SystemPage::buildLogoRow(QGridLayout* grid)
{
    auto* logo = new QHBoxLayout;
    m_logoCaption = makeLabel(QStringLiteral("LOGO图片"), this);
    logo->addWidget(m_logoCaption);
    m_logoField = new QLineEdit(this);
    m_logoField->setAccessibleName(QStringLiteral("LOGO图片"));
    logo->addWidget(m_logoField);
    m_logoButton = new QPushButton(QStringLiteral("选择"), this);
    m_logoButton->setAccessibleName(QStringLiteral("选择LOGO图片"));
    logo->addWidget(m_logoButton);
    m_logoSizeBox = makeBox(QStringLiteral("自定义"), this, QStringLiteral("LOGO自定义大小"));
    logo->addWidget(m_logoSizeBox);
    NumberField::Rule s;
    s.typingMin = s.leaveMin = 1;
    s.typingMax = s.leaveMax = 990;
    s.typingNotice = s.leaveNotice = QStringLiteral("取值范围1-990之间");
    s.reset = QStringLiteral("100");
    m_logoWidthCaption = makeLabel(QStringLiteral("宽"), this);
    m_logoWidth = new NumberField(1, 990, 5, this);
    m_logoWidth->setAccessibleName(QStringLiteral("LOGO 宽"));
    m_logoWidth->setRule(s);
    m_logoHeightCaption = makeLabel(QStringLiteral("高"), this);
    m_logoHeight = new NumberField(1, 990, 5, this);
    m_logoHeight->setAccessibleName(QStringLiteral("LOGO 高"));
    m_logoHeight->setRule(s);
    logo->addWidget(m_logoWidthCaption);
    logo->addWidget(m_logoWidth);
    logo->addWidget(m_logoHeightCaption);
    logo->addWidget(m_logoHeight);
    grid->addLayout(logo, 6, 0, 1, 4);
}

// The scrolling text's mode, width and speed.
void SystemPage::buildScrollRow(QGridLayout* grid)
{
    auto* scroll = new QHBoxLayout;
    m_scrollCaption = makeLabel(QStringLiteral("动态文本"), this);
    m_scrollModeCaption = makeLabel(QStringLiteral("滚动方式"), this);
    m_scrollModeList = new NamedList(this);
    m_scrollModeCaption->setBuddy(m_scrollModeList);
    m_scrollModeList->setAccessibleName(QStringLiteral("滚动方式"));
    m_scrollWidthCaption = makeLabel(QStringLiteral("宽"), this);
    m_scrollWidth = new NumberField(0, 0, 1, this);
    m_scrollWidth->setAccessibleName(QStringLiteral("动态文本 宽"));
    m_scrollSpeedCaption = makeLabel(QStringLiteral("滚动速度"), this);
    m_scrollSpeed = new NumberField(0, 0, 1, this);
    m_scrollSpeed->setAccessibleName(QStringLiteral("滚动速度"));
    // Width and speed have no range of their own (the display repairs them),
    // but a pasted text that is not a number becomes 0.
    NumberField::Rule any;
    any.typingMax = any.leaveMax = INT_MAX;
    m_scrollWidth->setRule(any);
    m_scrollSpeed->setRule(any);
    for (QWidget* w : std::initializer_list<QWidget*>{m_scrollCaption, m_scrollModeCaption, m_scrollModeList,
                                                     m_scrollWidthCaption, m_scrollWidth, m_scrollSpeedCaption,
                                                     m_scrollSpeed})
        scroll->addWidget(w);
    scroll->addStretch();
    grid->addLayout(scroll, 7, 0, 1, 4);
}

void SystemPage::connectControls()
{
    connect(m_formatList, &QComboBox::currentIndexChanged, this, [this](int i) { if (i >= 0) formatChosen(); });
    connect(m_modeList, &QComboBox::currentIndexChanged, this, [this](int i) { if (i >= 0) modeChosen(); });
    connect(m_overtimeList, &QComboBox::currentIndexChanged, this, [this](int i) { if (i >= 0) overtimeChosen(); });
    for (HotkeyField* f : {m_startKey, m_stopKey, m_pauseKey})
        connect(f, &QLineEdit::textChanged, this, [this, f] { hotkeyClash(f); });
    auto notify = [this](const QString& text, int ms) { m_notice(text, ms, QString()); };
    for (NumberField* f : {m_delayField, m_logoWidth, m_logoHeight})
        f->setNotify(notify);
    connect(m_logoButton, &QPushButton::clicked, this, [this] {
        m_logoField->clear();
        emit logoWanted();
    });
}

void SystemPage::fillFormatList(const QStringList& list) { refillList(m_formatList, list); }

void SystemPage::showPlan(const ClockPlan& p)
{
    const int format = listIndex(p.timeFormat), mode = listIndex(p.timingMode), overtime = listIndex(p.overtimeAction);
    const QStringList& formats = p.longTerm ? dayFormatList() : mode == kSystemTime ? systemTimeFormatList() : countFormatList();
    fillFormatList(formats);
    refillList(m_modeList, {"倒计时", "正计时", "系统时间"});
    refillList(m_overtimeList, {"超时计时", "停止计时", "复位", "下一阶段"});
    m_logoField->setText(p.logopicture);
    showSwitches(p);
    // A digit beyond its list takes entry 1 (never an index outside the list).
    m_formatList->setCurrentIndex(format < formats.size() ? format : 1);
    m_modeList->setCurrentIndex(mode <= 2 ? mode : 0);
    m_overtimeList->setCurrentIndex(overtime <= 3 ? overtime : 0);
}

void SystemPage::showSettings(const IniStore& ini)
{
    auto read = [&](const QString& section, const QString& key, const QString& fallback) {
        return ini.read(section, key, fallback);
    };
    using namespace time_data;
    setBoxValue(m_logoSizeBox, leadingDigits(read(kPictureSet, kOption, kOptionDefault)).value_or(0));
    if (auto v = wholeNumber(read(kPictureSet, kWidth, kLogoWidthDefault)))
        m_logoWidth->setText(QString::number(*v));
    if (auto v = wholeNumber(read(kPictureSet, kHeight, kLogoHeightDefault)))
        m_logoHeight->setText(QString::number(*v));
    if (auto v = wholeNumber(read(kPictureSet, kDelayTime, kDelaySetupDefault)))
        m_delayField->setText(QString::number(*v));
    m_startKey->setText(read(kHotkey, kStart, kHotkeyNone).trimmed());
    m_stopKey->setText(read(kHotkey, kStop, kHotkeyNone).trimmed());
    m_pauseKey->setText(read(kHotkey, kPause, kHotkeyNone).trimmed());
    refillList(m_scrollModeList, {"从左往右", "从右往左", "不滚动"});
    const int mode = leadingDigits(read(kMarquee, kMode, kModeDefault)).value_or(0);
    m_scrollModeList->setCurrentIndex(mode <= 2 ? mode : 2);
    m_scrollWidth->setText(read(kMarquee, kWidth, kWidthSettingsDefault).trimmed());
    m_scrollSpeed->setText(read(kMarquee, kMarqueeSpeed, kSpeedSettingsDefault).trimmed());
    // Two digits: Ctrl, Alt.
    const QString often = read(kHotkey, kOften, kOftenDefault).trimmed();
    m_planKeyCtrl->setChecked(often.size() > 0 && often[0] == QLatin1Char('1'));
    m_planKeyAlt->setChecked(often.size() > 1 && often[1] == QLatin1Char('1'));
}

void SystemPage::showSavedPlan(const ClockPlan& row)
{
    const int format = listIndex(row.timeFormat), mode = listIndex(row.timingMode), overtime = listIndex(row.overtimeAction);
    if (row.longTerm) {
        fillFormatList(dayFormatList());
        m_modeList->setCurrentIndex(0);
        m_modeList->setEnabled(false);
        m_overtimeList->setCurrentIndex(1);
        m_overtimeList->setEnabled(false);
        m_formatList->setCurrentIndex(format < 6 ? format : 1);
        m_modeList->setCurrentIndex(0);
        m_overtimeList->setCurrentIndex(1);
    } else {
        fillFormatList(mode == kSystemTime ? systemTimeFormatList() : countFormatList());
        m_modeList->setCurrentIndex(mode <= 2 ? mode : 0);
        m_modeList->setEnabled(true);
        m_formatList->setCurrentIndex(format > 2 ? 1 : format);
        m_overtimeList->setCurrentIndex(overtime <= 3 ? overtime : 0);
        m_overtimeList->setEnabled(true);
        m_endTextBox->setVisible(!m_simple);
        m_endTextBox->setEnabled(true);
        overtimeChosen();
    }
    m_logoField->setText(row.logopicture);
    showSwitches(row);
}

void SystemPage::showSwitches(const ClockPlan& p)
{
    showSwitch(m_overtimeClockBox, p.wantsOvertimeClock);
    showSwitch(m_endTextBox, p.endTextOnClock);
    showSwitch(m_delayBox, p.restartsAfterDelay);
}

void SystemPage::writeInto(ClockPlan& plan) const
{
    plan.wantsOvertimeClock = boxSwitch(m_overtimeClockBox);
    plan.endTextOnClock = boxSwitch(m_endTextBox);
    plan.restartsAfterDelay = boxSwitch(m_delayBox);
    plan.customLogoSize = boxSwitch(m_logoSizeBox);
    plan.timeFormat = TimeFormat(std::max(0, m_formatList->currentIndex()));
    plan.timingMode = TimingMode(std::max(0, m_modeList->currentIndex()));
    plan.overtimeAction = OvertimeAction(std::max(0, m_overtimeList->currentIndex()));
    plan.logopicture = m_logoField->text();
}

void SystemPage::writeSettings(IniEdit& edit) const
{
    using namespace time_data;
    const QString start = m_startKey->text(), stop = m_stopKey->text();
    edit.write(kPictureSet, kOption, QString::number(boxValue(m_logoSizeBox)))
        .write(kPictureSet, kWidth, m_logoWidth->text())
        .write(kPictureSet, kHeight, m_logoHeight->text())
        .write(kPictureSet, kDelayTime, m_delayField->text())
        .write(kHotkey, kStart, start)
        .write(kHotkey, kStop, stop)
        .write(kHotkey, kPause, m_pauseKey->text())
        .write(kHotkey, kOpenTogetherStop, start == stop ? QStringLiteral("1") : QStringLiteral("0"))
        .write(kHotkey, kOften, QString::number(boxValue(m_planKeyCtrl)) + QString::number(boxValue(m_planKeyAlt)))
        .write(kMarquee, kMode, QString::number(m_scrollModeList->currentIndex()))
        .write(kMarquee, kWidth, m_scrollWidth->text())
        .write(kMarquee, kMarqueeSpeed, m_scrollSpeed->text());
}

void SystemPage::showLongTerm(bool on)
{
    const int format = listIndex(m_stored.timeFormat);
    refillList(m_formatList, {});
    if (on) {
        refillList(m_formatList, dayFormatList());
        m_modeList->setCurrentIndex(0);
        m_modeList->setEnabled(false);
        m_overtimeList->setCurrentIndex(1);
        m_overtimeList->setEnabled(false);
        m_formatList->setCurrentIndex(formatEntry(format, int(dayFormatList().size())));
        m_endTextBox->hide();
        m_endTextBox->setChecked(true);
        m_endTextBox->setEnabled(false);
    } else {
        const int mode = listIndex(m_stored.timingMode);
        refillList(m_formatList, mode == kSystemTime ? systemTimeFormatList() : countFormatList());
        m_formatList->setCurrentIndex(format > 2 ? 1 : format);
        m_modeList->setCurrentIndex(mode);
        m_modeList->setEnabled(true);
        m_overtimeList->setCurrentIndex(listIndex(m_stored.overtimeAction));
        m_overtimeList->setEnabled(true);
        m_endTextBox->setVisible(!m_simple);
        showSwitch(m_endTextBox, m_stored.endTextOnClock);
        m_endTextBox->setEnabled(true);
        overtimeChosen();
    }
}

void SystemPage::formatChosen()
{
    if (m_modeList->currentIndex() != kSystemTime)
        return;
    if (m_formatList->currentIndex() == 0)
        m_formatList->setCurrentIndex(2);
    if (m_overtimeList->currentIndex() == kReset)
        m_overtimeList->setCurrentIndex(0);
    m_overtimeClockBox->hide();
    m_overtimeClockBox->setChecked(false);
    m_endTextBox->hide();
}

void SystemPage::modeChosen()
{
    const int format = listIndex(m_stored.timeFormat);
    if (m_modeList->currentIndex() == kSystemTime) {
        refillList(m_formatList, systemTimeFormatList());
        m_formatList->setCurrentIndex(format > 2 ? 0 : format);
        formatChosen(); // entry 0 becomes 2, "复位" becomes "超时计时"
        return;
    }
    const QStringList& list = m_longTerm ? dayFormatList() : countFormatList();
    refillList(m_formatList, list);
    m_formatList->setCurrentIndex(formatEntry(format, int(list.size())));
    formatChosen();
    overtimeChosen();
}

void SystemPage::overtimeChosen()
{
    if (m_modeList->currentIndex() == kSystemTime) {
        if (m_formatList->currentIndex() == 0)
            m_formatList->setCurrentIndex(2);
        if (m_overtimeList->currentIndex() == kReset)
            m_overtimeList->setCurrentIndex(0);
    }
    if (m_simple) {
        m_overtimeClockBox->hide();
        m_overtimeClockBox->setChecked(false);
        m_endTextBox->hide();
        m_endTextBox->setChecked(true);
        m_delayBox->hide();
        m_delayBox->setChecked(true);
        m_delayField->hide();
        m_delayField->setText(QStringLiteral("2"));
        m_delayCaption->hide();
        return;
    }
    const int entry = m_overtimeList->currentIndex();
    if (entry < 0 || entry >= kOvertimeActionCount)
        return;
    const OvertimeAction action = OvertimeAction(entry);
    const bool restarts = action == OvertimeAction::Reset || action == OvertimeAction::NextPlan;
    m_overtimeClockBox->hide();
    m_overtimeClockBox->setChecked(false);
    m_endTextBox->hide();
    m_endTextBox->setChecked(action != OvertimeAction::CountOn);
    m_delayBox->setVisible(restarts);
    if (restarts)
        showSwitch(m_delayBox, m_stored.restartsAfterDelay);
    else
        m_delayBox->setChecked(false);
    m_delayField->setVisible(restarts);
    m_delayCaption->setVisible(restarts);
    if (action == OvertimeAction::Reset)
        m_delayCaption->setText(QStringLiteral("复位"));
    else if (action == OvertimeAction::NextPlan)
        m_delayCaption->setText(QStringLiteral("进入下一阶段"));
    emit overtimeActionShown(action);
}

void SystemPage::showSimple(bool simple, const QString& storedDelay)
{
    m_simple = simple;
    const bool full = !simple;
    for (QWidget* w : std::initializer_list<QWidget*>{m_logoCaption, m_logoField, m_logoButton})
        w->setVisible(full);
    m_logoField->setText(simple ? QString() : m_stored.logopicture);
    m_logoWidthCaption->setVisible(full);
    m_logoHeightCaption->setVisible(full);
    m_logoSizeBox->setVisible(full);
    m_delayField->setVisible(full);
    m_delayField->setText(QStringLiteral("2"));
    m_delayCaption->setVisible(full);

    overtimeChosen();

    for (QWidget* w : std::initializer_list<QWidget*>{m_logoWidth, m_logoHeight, m_scrollModeList, m_scrollWidth,
                                                     m_scrollSpeed, m_scrollCaption, m_scrollModeCaption,
                                                     m_scrollWidthCaption, m_scrollSpeedCaption})
        w->setVisible(full);
    m_overtimeClockBox->hide();
    m_overtimeClockBox->setChecked(false);
    m_endTextBox->hide();
    m_endTextBox->setChecked(true);
    m_delayBox->setVisible(full);
    if (simple)
        m_delayBox->setChecked(true);
    else
        showSwitch(m_delayBox, m_stored.restartsAfterDelay);
    m_delayField->setText(simple ? QStringLiteral("2") : storedDelay);
}

void SystemPage::setLogo(const QString& file) { m_logoField->setText(file); }

void SystemPage::hotkeyClash(HotkeyField* f)
{
    const QString none = time_data::kHotkeyNone;
    if (f->text() == none)
        return;
    const bool clash = f == m_pauseKey ? f->text() == m_startKey->text() || f->text() == m_stopKey->text()
                                       : f->text() == m_pauseKey->text();
    if (clash) {
        m_notice(QStringLiteral("热键设置不能相同"), 800, QString());
        f->setText(none);
    }
}

} // namespace orvalen
