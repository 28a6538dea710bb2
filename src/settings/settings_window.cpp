#include "settings/settings_window.h"

#include "display/display_window.h"
#include "platform/notifier.h"
#include "platform/registry_store.h"
#include "settings/colour_swatch.h"
#include "settings/hotkey_field.h"
#include "settings/named_list.h"
#include "settings/number_field.h"
#include "settings/settings_rules.h"
#include "stores/registry_values.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QStackedWidget>
#include <QTabBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <climits>

namespace orvalen {

namespace {

const QStringList kStageNames{"开始", "报警1", "报警2", "报警3", "读秒", "超时", "结束"};

QLabel* label(const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    return l;
}

QCheckBox* box(const QString& text, QWidget* parent, const QString& name = QString())
{
    auto* b = new QCheckBox(text, parent);
    b->setAccessibleName(name.isEmpty() ? text.simplified() : name);
    return b;
}

QToolButton* dots(const QString& name, QWidget* parent)
{
    auto* b = new QToolButton(parent);
    b->setText(QStringLiteral(".."));
    b->setAccessibleName(name);
    b->setFocusPolicy(Qt::StrongFocus);
    return b;
}

NumberField* timeField(int max, const QString& name, QWidget* parent)
{
    auto* f = new NumberField(0, max, 1, parent);
    f->setAccessibleName(name);
    NumberField::Rule r;
    r.typingMax = r.leaveMax = max;
    r.typingNotice = r.leaveNotice = QStringLiteral("取值范围0-%1之间").arg(max);
    f->setRule(r);
    return f;
}

// Moves a window that has grown past the edge of its screen's available
// area back inside it (its top left corner first, when it is larger).
void keepOnScreen(QWidget& window)
{
    const QScreen* screen = window.screen();
    if (!screen || !window.isVisible())
        return;
    const QRect area = screen->availableGeometry();
    const QRect frame = window.frameGeometry();
    const int x = qMax(area.left(), qMin(frame.left(), area.right() + 1 - frame.width()));
    const int y = qMax(area.top(), qMin(frame.top(), area.bottom() + 1 - frame.height()));
    if (x != frame.left() || y != frame.top())
        window.move(x, y);
}

} // namespace

SettingsWindow::SettingsWindow(DisplayWindow& display, SettingsLinks links, QWidget* parent)
    : QDialog(parent), m_display(display), m_links(std::move(links))
{
    NamedList::installAccessibility();
    setWindowTitle(QStringLiteral("设置"));
    setAccessibleName(QStringLiteral("设置"));
    setObjectName(QStringLiteral("settingsWindow"));
    setWindowIcon(QIcon());
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                   | Qt::MSWindowsFixedSizeDialogHint);
    setModal(true);

    // The editor (tabs, pages and the bottom row) on the left; the plan area
    // that "阶段设置" shows on its right, so that the window grows in width
    // rather than height and stays whole on a 1280x720 screen.
    auto* outer = new QHBoxLayout(this);
    outer->setSizeConstraint(QLayout::SetFixedSize);
    auto* editor = new QVBoxLayout;
    outer->addLayout(editor);
    m_tabs = new QTabBar(this);
    m_tabs->setAccessibleName(QStringLiteral("设置页"));
    m_pages = new QStackedWidget(this);
    const QStringList pageNames{"计时", "提醒", "界面", "系统", "精准设置"};
    for (const QString& name : pageNames) {
        m_tabs->addTab(name);
        auto* page = new QWidget(m_pages);
        page->setAccessibleName(name);
        m_pages->addWidget(page);
    }
    m_tabs->setStyleSheet(QStringLiteral(
        "QTabBar::tab { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #f4f4f4, stop:1 #d0d0d0);"
        " border: 1px solid #9a9a9a; padding: 4px 14px; margin-right: 2px; }"
        "QTabBar::tab:hover { background: #cfe6ff; }"
        "QTabBar::tab:selected { background: #ffb347; }"));
    editor->addWidget(m_tabs);
    editor->addWidget(m_pages);
    buildTimingPage(m_pages->widget(0));
    buildReminderPage(m_pages->widget(1));
    buildLookPage(m_pages->widget(2));
    buildSystemPage(m_pages->widget(3));
    buildPrecisePage(m_pages->widget(4));
    buildBottom(editor, outer);
    connect(m_tabs, &QTabBar::currentChanged, m_pages, &QStackedWidget::setCurrentIndex);

    m_fontTimer = new QTimer(this);
    m_fontTimer->setSingleShot(true);
    m_fontTimer->setInterval(100);
    connect(m_fontTimer, &QTimer::timeout, this, &SettingsWindow::fillFontLists);
    m_layoutRepeat = new QTimer(this);
    m_layoutRepeat->setInterval(100);
    connect(m_layoutRepeat, &QTimer::timeout, this, [this] {
        if (m_heldButton < 0)
            m_layoutRepeat->stop();
        else
            layoutStep(m_heldButton);
    });

    wireHandlers();
    fillFromCurrentPlan();
    showPage(0);
    if (registry_values::simple(m_display.context().registry))
        simpleBox->setChecked(true); // runs simple mode
    m_fontTimer->start();
    if (m_links.holdHotkeys)
        m_links.holdHotkeys(true);
}

SettingsWindow::~SettingsWindow()
{
    unloadTidy();
}

void SettingsWindow::buildTimingPage(QWidget* page)
{
    auto* grid = new QGridLayout(page);
    durationCaption = label(QStringLiteral("启用    总时长"), page);
    grid->addWidget(durationCaption, 0, 0);
    const QStringList hms{"时", "分", "秒"};
    for (int i = 1; i <= 3; ++i) {
        timeFields[i] = timeField(i == 1 ? 23 : 59, QStringLiteral("总时长 ") + hms[i - 1], page);
        timeUnits[i] = label(hms[i - 1], page);
        grid->addWidget(timeFields[i], 0, 2 * i - 1);
        grid->addWidget(timeUnits[i], 0, 2 * i);
    }
    stageBoxes[0] = box(QStringLiteral("持续提醒"), page);
    grid->addWidget(stageBoxes[0], 1, 0);
    const QStringList captions{"报警1 剩余", "报警2 剩余", "报警3 剩余", "读秒  剩余", "超时  超过"};
    const QStringList names{"报警1", "报警2", "报警3", "读秒", "超时"};
    for (int s = 1; s <= 5; ++s) {
        const int row = s + 1;
        stageBoxes[s] = box(captions[s - 1], page);
        grid->addWidget(stageBoxes[s], row, 0);
        const int m = 2 * s + 2, sec = m + 1;
        timeFields[m] = timeField(59, names[s - 1] + QStringLiteral(" 分"), page);
        timeFields[sec] = timeField(59, names[s - 1] + QStringLiteral(" 秒"), page);
        timeUnits[m] = label(QStringLiteral("分"), page);
        const int secUnit = s == 5 ? 17 : sec;
        timeUnits[secUnit] = label(s == 5 ? QStringLiteral("秒结束") : QStringLiteral("秒"), page);
        grid->addWidget(timeFields[m], row, 3);
        grid->addWidget(timeUnits[m], row, 4);
        grid->addWidget(timeFields[sec], row, 5);
        grid->addWidget(timeUnits[secUnit], row, 6);
    }
    stageBoxes[6] = box(QStringLiteral("长期计时"), page);
    stageBoxes[6]->setEnabled(false); // the fill enables it once the boxes are set
    grid->addWidget(stageBoxes[6], 7, 0);
    datePanel = new QWidget(page);
    auto* dateRow = new QHBoxLayout(datePanel);
    dateRow->setContentsMargins(0, 0, 0, 0);
    dateCaption = label(QStringLiteral("到期日期"), datePanel);
    dateRow->addWidget(dateCaption);
    const QStringList ymd{"年", "月", "日"};
    for (int i = 0; i < 3; ++i) {
        dateFields[i] = new NumberField(0, 0, 1, datePanel);
        dateFields[i]->setAccessibleName(QStringLiteral("到期日期 ") + ymd[i]);
        dateRow->addWidget(dateFields[i]);
        dateRow->addWidget(label(ymd[i], datePanel));
    }
    dateFields[0]->setText(QStringLiteral("2019"));
    dateFields[1]->setText(QStringLiteral("1"));
    dateFields[2]->setText(QStringLiteral("1"));
    datePanel->hide();
    grid->addWidget(datePanel, 7, 1, 1, 6);
    grid->setRowStretch(8, 1);
    grid->setColumnStretch(7, 1);
}

void SettingsWindow::buildReminderPage(QWidget* page)
{
    auto* grid = new QGridLayout(page);
    grid->addWidget(label(QStringLiteral("时间闪烁"), page), 0, 1);
    grid->addWidget(label(QStringLiteral("提示文字"), page), 0, 2, 1, 2);
    grid->addWidget(label(QStringLiteral("声音文件   播放"), page), 0, 4, 1, 3);
    static const QStringList tips{"开始阶段提示文字", "报警1阶段提示文字", "报警2阶段提示文字", "报警3阶段提示文字",
                                  "读秒阶段提示文字", "超时阶段提示文字", "结束阶段提示文字"};
    for (int k = 0; k < 7; ++k) {
        const int row = k + 1;
        const QString n = kStageNames[k];
        stageNames[k] = label(n, page);
        grid->addWidget(stageNames[k], row, 0);
        reminderBoxes[14 + k] = box(QString(), page, n + QStringLiteral(" 时间闪烁"));
        grid->addWidget(reminderBoxes[14 + k], row, 1);
        reminderBoxes[k] = box(QString(), page, n + QStringLiteral(" 提示文字"));
        grid->addWidget(reminderBoxes[k], row, 2);
        reminderTexts[k] = new QLineEdit(page);
        reminderTexts[k]->setToolTip(tips[k]);
        reminderTexts[k]->setAccessibleName(n + QStringLiteral(" 提示文字内容"));
        grid->addWidget(reminderTexts[k], row, 3);
        reminderTexts[7 + k] = new QLineEdit(page);
        reminderTexts[7 + k]->setReadOnly(true);
        reminderTexts[7 + k]->setAccessibleName(n + QStringLiteral(" 声音文件"));
        reminderTexts[7 + k]->installEventFilter(this);
        grid->addWidget(reminderTexts[7 + k], row, 4);
        soundButtons[7 + k] = dots(n + QStringLiteral(" 选择声音文件"), page);
        grid->addWidget(soundButtons[7 + k], row, 5);
        reminderBoxes[7 + k] = box(QString(), page, n + QStringLiteral(" 播放"));
        grid->addWidget(reminderBoxes[7 + k], row, 6);
    }
    auto* last = new QHBoxLayout;
    m_durationCaption = label(QStringLiteral("提醒持续"), page);
    last->addWidget(m_durationCaption);
    reminderDuration = new NumberField(0, 0, 1, page);
    reminderDuration->setAccessibleName(QStringLiteral("提醒持续 秒"));
    NumberField::Rule r;
    r.typingMin = 0;
    r.typingMax = 30;
    r.typingNotice = QStringLiteral("取值范围0-30秒之间");
    r.leaveMin = 1;
    r.leaveMax = 30;
    r.leaveNotice = QStringLiteral("取值范围1-30之间");
    r.reset = QStringLiteral("3");
    reminderDuration->setRule(r);
    last->addWidget(reminderDuration);
    reminderDurationUnit = label(QStringLiteral("秒"), page);
    last->addWidget(reminderDurationUnit);
    last->addStretch();
    last->addWidget(label(QStringLiteral("试听"), page));
    previewList = new NamedList(page);
    previewList->setAccessibleName(QStringLiteral("试听"));
    last->addWidget(previewList);
    grid->addLayout(last, 8, 0, 1, 7);
    grid->setRowStretch(9, 1);
    grid->setColumnStretch(3, 1);
    grid->setColumnStretch(4, 1);
}

void SettingsWindow::buildLookPage(QWidget* page)
{
    auto* grid = new QGridLayout(page);
    const QStringList heads{"字体", "颜色", "大小", "居中", "文本"};
    for (int c = 0; c < heads.size(); ++c)
        grid->addWidget(label(heads[c], page), 0, c + 1);
    const QStringList rows{"主标题", "副标题", "时间", "天数", "提示文字", "动态文本"};
    for (int i = 0; i < 6; ++i) {
        const int row = i + 1;
        styleNames[i] = label(rows[i], page);
        grid->addWidget(styleNames[i], row, 0);
        styleFonts[i] = new NamedList(page);
        styleFonts[i]->setAccessibleName(rows[i] + QStringLiteral(" 字体"));
        styleFonts[i]->setMinimumContentsLength(8);
        styleFonts[i]->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        grid->addWidget(styleFonts[i], row, 1);
        styleColours[i] = new ColourSwatch(page);
        styleColours[i]->setAccessibleName(rows[i] + QStringLiteral(" 颜色"));
        styleColours[i]->setMaximumWidth(60);
        grid->addWidget(styleColours[i], row, 2);
        styleSizes[i] = new NamedList(page);
        styleSizes[i]->setEditable(true);
        styleSizes[i]->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), styleSizes[i]));
        styleSizes[i]->setAccessibleName(rows[i] + QStringLiteral(" 大小"));
        styleSizes[i]->lineEdit()->setAccessibleName(rows[i] + QStringLiteral(" 大小"));
        grid->addWidget(styleSizes[i], row, 3);
        if (i < 2) {
            displayBoxes[3 + i] = box(QString(), page, rows[i] + QStringLiteral(" 居中"));
            grid->addWidget(displayBoxes[3 + i], row, 4);
            titleTexts[i] = new QLineEdit(page);
            titleTexts[i]->setAccessibleName(rows[i] + QStringLiteral(" 文本"));
            grid->addWidget(titleTexts[i], row, 5);
        }
    }
    displayBoxes[5] = box(QStringLiteral("居中"), page);
    displayBoxes[5]->hide();
    displayBoxes[0] = box(QStringLiteral("时间颜色、背景按精准设置"), page);
    displayBoxes[1] = box(QStringLiteral("提示文字显示星期"), page);
    displayBoxes[2] = box(QStringLiteral("显示动态文本"), page);
    grid->addWidget(displayBoxes[0], 7, 0, 1, 3);
    grid->addWidget(displayBoxes[1], 7, 3, 1, 3);
    grid->addWidget(displayBoxes[2], 8, 0, 1, 3);
    auto* bg = new QHBoxLayout;
    backgroundCaption = label(QStringLiteral("背景色/图"), page);
    bg->addWidget(backgroundCaption);
    stageSwatches[14] = new ColourSwatch(page);
    stageSwatches[14]->setAccessibleName(QStringLiteral("背景色/图"));
    bg->addWidget(stageSwatches[14]);
    pictureButtons[14] = dots(QStringLiteral("背景色/图 选择图片"), page);
    bg->addWidget(pictureButtons[14]);
    grid->addLayout(bg, 8, 3, 1, 3);
    grid->setRowStretch(9, 1);
    grid->setColumnStretch(5, 1);
}

void SettingsWindow::buildSystemPage(QWidget* page)
{
    auto* grid = new QGridLayout(page);
    auto addList = [&](const QString& caption, int row, int col) {
        QLabel* l = label(caption, page);
        grid->addWidget(l, row, col);
        auto* c = new NamedList(page);
        c->setAccessibleName(caption);
        l->setBuddy(c); // lists are read by their value; the label names them
        grid->addWidget(c, row, col + 1);
        return c;
    };
    formatList = addList(QStringLiteral("时间格式"), 0, 0);
    modeList = addList(QStringLiteral("计时方式"), 1, 0);
    overtimeList = addList(QStringLiteral("超时动作"), 2, 0);
    // Wide enough for the longest day format, so the window keeps its size.
    formatList->setMinimumContentsLength(int(QStringLiteral("d天 hh时mm分ss秒").size()) + 2);
    formatList->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    auto* delayRow = new QHBoxLayout;
    systemBoxes[2] = box(QStringLiteral("延时(秒)"), page);
    delayRow->addWidget(systemBoxes[2]);
    delayField = new NumberField(1, 30, 1, page);
    delayField->setAccessibleName(QStringLiteral("延时 秒"));
    NumberField::Rule d;
    d.typingMin = d.leaveMin = 1;
    d.typingMax = d.leaveMax = 30;
    d.typingNotice = d.leaveNotice = QStringLiteral("取值范围1-30之间");
    d.reset = QStringLiteral("1");
    delayField->setRule(d);
    delayRow->addWidget(delayField);
    delayCaption = label(QStringLiteral("进入下一阶段"), page);
    delayRow->addWidget(delayCaption);
    delayRow->addStretch();
    grid->addLayout(delayRow, 3, 0, 1, 2);
    systemBoxes[0] = box(QStringLiteral("显示超时时钟"), page);
    systemBoxes[1] = box(QStringLiteral("时间到，时钟显示提示文字"), page);
    grid->addWidget(systemBoxes[0], 4, 0, 1, 2);
    grid->addWidget(systemBoxes[1], 5, 0, 1, 2);

    grid->addWidget(label(QStringLiteral("系统热键"), page), 0, 2, 1, 2);
    const QStringList keys{"开始", "停止", "暂停/继续"};
    for (int i = 0; i < 3; ++i) {
        grid->addWidget(label(keys[i], page), i + 1, 2);
        hotkeyFields[i] = new HotkeyField(page);
        hotkeyFields[i]->setAccessibleName(keys[i] + QStringLiteral(" 热键"));
        grid->addWidget(hotkeyFields[i], i + 1, 3);
    }
    auto* often = new QHBoxLayout;
    often->addWidget(label(QStringLiteral("阶段热键"), page));
    planHotkeyBoxes[0] = box(QStringLiteral("Ctrl"), page, QStringLiteral("阶段热键 Ctrl"));
    planHotkeyBoxes[1] = box(QStringLiteral("Alt"), page, QStringLiteral("阶段热键 Alt"));
    often->addWidget(planHotkeyBoxes[0]);
    often->addWidget(planHotkeyBoxes[1]);
    often->addStretch();
    grid->addLayout(often, 4, 2, 1, 2);

    auto* logo = new QHBoxLayout;
    auto* logoCaption = label(QStringLiteral("LOGO图片"), page);
    logo->addWidget(logoCaption);
    logoField = new QLineEdit(page);
    logoField->setAccessibleName(QStringLiteral("LOGO图片"));
    logo->addWidget(logoField);
    logoButton = new QPushButton(QStringLiteral("选择"), page);
    logoButton->setAccessibleName(QStringLiteral("选择LOGO图片"));
    logo->addWidget(logoButton);
    systemBoxes[3] = box(QStringLiteral("自定义"), page, QStringLiteral("LOGO自定义大小"));
    logo->addWidget(systemBoxes[3]);
    NumberField::Rule s;
    s.typingMin = s.leaveMin = 1;
    s.typingMax = s.leaveMax = 990;
    s.typingNotice = s.leaveNotice = QStringLiteral("取值范围1-990之间");
    s.reset = QStringLiteral("100");
    m_logoSizeCaption[0] = label(QStringLiteral("宽"), page);
    logoWidth = new NumberField(1, 990, 5, page);
    logoWidth->setAccessibleName(QStringLiteral("LOGO 宽"));
    logoWidth->setRule(s);
    m_logoSizeCaption[1] = label(QStringLiteral("高"), page);
    logoHeight = new NumberField(1, 990, 5, page);
    logoHeight->setAccessibleName(QStringLiteral("LOGO 高"));
    logoHeight->setRule(s);
    logo->addWidget(m_logoSizeCaption[0]);
    logo->addWidget(logoWidth);
    logo->addWidget(m_logoSizeCaption[1]);
    logo->addWidget(logoHeight);
    grid->addLayout(logo, 6, 0, 1, 4);
    m_logoRow = {logoCaption, logoField, logoButton};

    auto* scroll = new QHBoxLayout;
    m_scrollCaption[0] = label(QStringLiteral("动态文本"), page);
    m_scrollCaption[1] = label(QStringLiteral("滚动方式"), page);
    scrollModeList = new NamedList(page);
    m_scrollCaption[1]->setBuddy(scrollModeList);
    scrollModeList->setAccessibleName(QStringLiteral("滚动方式"));
    m_scrollCaption[2] = label(QStringLiteral("宽"), page);
    scrollWidth = new NumberField(0, 0, 1, page);
    scrollWidth->setAccessibleName(QStringLiteral("动态文本 宽"));
    m_scrollCaption[3] = label(QStringLiteral("滚动速度"), page);
    scrollSpeed = new NumberField(0, 0, 1, page);
    scrollSpeed->setAccessibleName(QStringLiteral("滚动速度"));
    // Width and speed have no range of their own (the display repairs them),
    // but a pasted text that is not a number becomes 0.
    NumberField::Rule any;
    any.typingMax = any.leaveMax = INT_MAX;
    scrollWidth->setRule(any);
    scrollSpeed->setRule(any);
    for (QWidget* w : std::initializer_list<QWidget*>{m_scrollCaption[0], m_scrollCaption[1], scrollModeList,
                                                     m_scrollCaption[2], scrollWidth, m_scrollCaption[3], scrollSpeed})
        scroll->addWidget(w);
    scroll->addStretch();
    grid->addLayout(scroll, 7, 0, 1, 4);
    grid->setRowStretch(8, 1);
}

void SettingsWindow::buildPrecisePage(QWidget* page)
{
    auto* grid = new QGridLayout(page);
    grid->addWidget(label(QStringLiteral("时间颜色"), page), 0, 1);
    grid->addWidget(label(QStringLiteral("背景颜色     图片"), page), 0, 2, 1, 2);
    for (int k = 0; k < 7; ++k) {
        grid->addWidget(label(kStageNames[k], page), k + 1, 0);
        stageSwatches[k] = new ColourSwatch(page);
        stageSwatches[k]->setAccessibleName(kStageNames[k] + QStringLiteral(" 时间颜色"));
        stageSwatches[k]->setMaximumWidth(60);
        grid->addWidget(stageSwatches[k], k + 1, 1);
        stageSwatches[7 + k] = new ColourSwatch(page);
        stageSwatches[7 + k]->setAccessibleName(kStageNames[k] + QStringLiteral(" 背景颜色"));
        grid->addWidget(stageSwatches[7 + k], k + 1, 2);
        pictureButtons[7 + k] = dots(kStageNames[k] + QStringLiteral(" 选择背景图片"), page);
        grid->addWidget(pictureButtons[7 + k], k + 1, 3);
    }
    auto* editor = new QGridLayout;
    editor->addWidget(label(QStringLiteral("调整对象"), page), 0, 0);
    layoutTarget = new NamedList(page);
    layoutTarget->setAccessibleName(QStringLiteral("调整对象"));
    editor->addWidget(layoutTarget, 0, 1, 1, 2);
    const QStringList moves{"居中", "上移", "左移", "右移", "下移"};
    const int cells[5][2] = {{2, 1}, {1, 1}, {2, 0}, {2, 2}, {3, 1}};
    for (int b = 0; b < 5; ++b) {
        layoutButtons[b] = new QPushButton(moves[b], page);
        layoutButtons[b]->setAccessibleName(moves[b]);
        layoutButtons[b]->setFocusPolicy(Qt::NoFocus); // worked by holding a mouse button
        layoutButtons[b]->installEventFilter(this);
        editor->addWidget(layoutButtons[b], cells[b][0], cells[b][1]);
    }
    resizeBox = box(QStringLiteral("调整大小"), page);
    editor->addWidget(resizeBox, 4, 0, 1, 3);
    grid->addLayout(editor, 0, 5, 8, 1);
    grid->setColumnMinimumWidth(4, 12);
    grid->setRowStretch(8, 1);
}

void SettingsWindow::buildBottom(QVBoxLayout* editor, QHBoxLayout* outer)
{
    auto* row = new QHBoxLayout;
    simpleBox = box(QStringLiteral("精简模式"), this);
    planPanelBox = box(QStringLiteral("阶段设置"), this);
    applyButton = new QPushButton(QStringLiteral("应用"), this);
    applyButton->setAccessibleName(QStringLiteral("应用"));
    applyButton->setFocusPolicy(Qt::StrongFocus);
    applyButton->setAutoDefault(false);
    closeButton = new QPushButton(QStringLiteral("关闭"), this);
    closeButton->setAccessibleName(QStringLiteral("关闭"));
    closeButton->setAutoDefault(false);
    row->addWidget(simpleBox);
    row->addWidget(planPanelBox);
    row->addStretch();
    row->addWidget(applyButton);
    row->addWidget(closeButton);
    editor->addLayout(row);

    // The plan area: the auto-cycle switch, the name fields of a saved plan
    // and the saved-plan panel, shown by "阶段设置".
    m_planArea = new QGroupBox(QStringLiteral("阶段设置"), this);
    m_planArea->setAccessibleName(QStringLiteral("阶段设置"));
    m_planAreaLayout = new QVBoxLayout(m_planArea);
    cycleBox = box(QStringLiteral("自动循环"), m_planArea);
    m_planAreaLayout->addWidget(cycleBox);
    auto* names = new QGridLayout;
    names->addWidget(label(QStringLiteral("阶段名称"), m_planArea), 1, 0);
    planNameField = new QLineEdit(m_planArea);
    planNameField->setAccessibleName(QStringLiteral("阶段名称"));
    names->addWidget(planNameField, 1, 1);
    names->addWidget(label(QStringLiteral("动态文本"), m_planArea), 2, 0);
    movingTextField = new QLineEdit(m_planArea);
    movingTextField->setAccessibleName(QStringLiteral("动态文本"));
    names->addWidget(movingTextField, 2, 1);
    // The name fields serve the saved-plan panel and show with it.
    m_nameFields = new QWidget(m_planArea);
    m_nameFields->setLayout(names);
    m_planAreaLayout->addWidget(m_nameFields);
    m_nameFields->hide();
    m_planArea->hide();
    outer->addWidget(m_planArea);
    connect(planPanelBox, &QCheckBox::toggled, m_planArea, &QWidget::setVisible);
}

void SettingsWindow::setPlanPanel(QWidget* panel)
{
    if (m_planPanel == panel)
        return;
    if (m_planPanel)
        m_planPanel->deleteLater();
    m_planPanel = panel;
    m_nameFields->setVisible(panel != nullptr);
    if (panel)
        m_planAreaLayout->addWidget(panel);
}

QString SettingsWindow::planName() const { return planNameField->text(); }
QString SettingsWindow::movingText() const { return movingTextField->text(); }

void SettingsWindow::clearNameFields()
{
    planNameField->clear();
    movingTextField->clear();
    focusNameField();
}

void SettingsWindow::focusNameField() { planNameField->setFocus(Qt::OtherFocusReason); }

void SettingsWindow::showPage(int page)
{
    if (page < 0 || page >= m_pages->count() || !m_tabs->isTabVisible(page))
        return;
    m_tabs->setCurrentIndex(page);
    m_pages->setCurrentIndex(page);
}

int SettingsWindow::currentPage() const { return m_pages->currentIndex(); }

void SettingsWindow::notice(const QString& text, int timeoutMs, const QString& title)
{
    m_display.context().notifier.notice(text, Notifier::Icon::None, timeoutMs, title);
}

void SettingsWindow::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    // The window grows when the plan area shows; the frame is placed anew
    // once the resize is through.
    QMetaObject::invokeMethod(this, [this] { keepOnScreen(*this); }, Qt::QueuedConnection);
}

void SettingsWindow::closeEvent(QCloseEvent* event)
{
    m_layoutRepeat->stop();
    QDialog::closeEvent(event);
}

void SettingsWindow::done(int result)
{
    m_layoutRepeat->stop();
    unloadTidy();
    QDialog::done(result);
}

bool SettingsWindow::eventFilter(QObject* watched, QEvent* event)
{
    for (int b = 0; b < 5; ++b) {
        if (watched != layoutButtons[b])
            continue;
        // Any mouse button holds a layout button; the first step comes one
        // interval after the press.
        if (event->type() == QEvent::MouseButtonPress) {
            m_heldButton = b;
            m_layoutRepeat->start();
        } else if (event->type() == QEvent::MouseButtonRelease) {
            m_heldButton = -1;
            m_layoutRepeat->stop();
        }
        return QDialog::eventFilter(watched, event);
    }
    for (int k = 7; k < 14; ++k) {
        if (watched == reminderTexts[k] && event->type() == QEvent::MouseButtonPress
            && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            importFile(0, reminderTexts[k], nullptr);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace orvalen
