#include "settings/settings_window.h"

#include "platform/registry_store.h"
#include "display/display_window.h"
#include "settings/colour_swatch.h"
#include "settings/hotkey_field.h"
#include "settings/number_field.h"
#include "settings/settings_controls.h"
#include "settings/settings_rules.h"
#include "stores/ini_store.h"
#include "stores/registry_values.h"
#include "stores/time_data_keys.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QToolButton>

namespace orvalen {

namespace {
// A time-format digit as an entry of the list it meets: beyond a three-entry
// list it is entry 1, beyond the day list entry 1 as well.
int format_entry(int digit, int listSize)
{
    if (digit < 0)
        return 0;
    return digit < listSize ? digit : 1;
}
} // namespace

void SettingsWindow::wireHandlers()
{
    for (int i = 0; i < 7; ++i)
        connect(stageBoxes[i], &QCheckBox::toggled, this, [this, i] { stageBoxChanged(i); });
    for (int i = 0; i < 6; ++i)
        connect(displayBoxes[i], &QCheckBox::stateChanged, this, [this, i] { displayBoxChanged(i); });
    connect(formatList, &QComboBox::currentIndexChanged, this, [this](int i) { if (i >= 0) formatChosen(); });
    connect(modeList, &QComboBox::currentIndexChanged, this, [this](int i) { if (i >= 0) modeChosen(); });
    connect(overtimeList, &QComboBox::currentIndexChanged, this, [this](int i) { if (i >= 0) overtimeChosen(); });
    connect(simpleBox, &QCheckBox::toggled, this, [this] { simpleModeChanged(); });
    connect(cycleBox, &QCheckBox::toggled, this, [this](bool on) { cycleChanged(on); });
    connect(applyButton, &QPushButton::clicked, this, [this] { apply(); });
    connect(closeButton, &QPushButton::clicked, this, [this] { reject(); });
    connect(layoutTarget, &QComboBox::currentIndexChanged, this, [this](int i) { if (i >= 0) layoutTargetChosen(i); });
    connect(previewList, &QComboBox::currentIndexChanged, this, [this](int i) { if (i >= 0) playPreview(i); });
    connect(resizeBox, &QCheckBox::toggled, this, [this](bool on) {
        layoutButtons[1]->setText(on ? QStringLiteral("增大") : QStringLiteral("上移"));
        layoutButtons[4]->setText(on ? QStringLiteral("缩小") : QStringLiteral("下移"));
        layoutButtons[1]->setAccessibleName(layoutButtons[1]->text());
        layoutButtons[4]->setAccessibleName(layoutButtons[4]->text());
        const QString end = reminderTexts[6]->text().isEmpty() ? QStringLiteral("时间到") : reminderTexts[6]->text();
        m_display.setElementText(DisplayElement::Clock, on ? end : m_timePreview);
    });
    for (int i = 0; i < 3; ++i)
        connect(hotkeyFields[i], &QLineEdit::textChanged, this, [this, i] { hotkeyClash(i); });
    for (int i = 0; i < 3; ++i) {
        connect(dateFields[i]->edit(), &QLineEdit::textChanged, this, [this, i] { dateChanged(i, false); });
        connect(dateFields[i], &NumberField::left, this, [this, i] { dateChanged(i, true); });
    }
    auto notify = [this](const QString& text, int ms) { notice(text, ms); };
    for (int i = 1; i <= 13; ++i)
        timeFields[i]->setNotify(notify);
    for (NumberField* f : {reminderDuration, delayField, logoWidth, logoHeight})
        f->setNotify(notify);
    for (int i = 0; i < 6; ++i)
        connect(styleColours[i], &ColourSwatch::clicked, this, [this, i] { chooseColour(styleColours[i], false); });
    for (int k = 0; k < 15; ++k)
        connect(stageSwatches[k], &ColourSwatch::clicked, this, [this, k] { chooseColour(stageSwatches[k], k >= 7); });
    for (int k = 7; k < 14; ++k)
        connect(soundButtons[k], &QToolButton::clicked, this, [this, k] { importFile(0, reminderTexts[k], nullptr); });
    for (int k = 7; k < 15; ++k)
        connect(pictureButtons[k], &QToolButton::clicked, this, [this, k] { importFile(1, stageSwatches[k], stageSwatches[k]); });
    connect(logoButton, &QPushButton::clicked, this, [this] {
        logoField->clear();
        importFile(2, logoField, nullptr);
    });
}

void SettingsWindow::stageBoxChanged(int index)
{
    if (index == 5) {
        // The overtime-limit row follows whether its box is enabled.
        const bool enabled = stageBoxes[5]->isEnabled();
        for (QWidget* w : {static_cast<QWidget*>(timeFields[12]), static_cast<QWidget*>(timeFields[13]),
                           static_cast<QWidget*>(timeUnits[17])})
            w->setEnabled(enabled);
        for (QWidget* w : {static_cast<QWidget*>(stageBoxes[5]), static_cast<QWidget*>(timeFields[12]),
                           static_cast<QWidget*>(timeFields[13]), static_cast<QWidget*>(timeUnits[12]),
                           static_cast<QWidget*>(timeUnits[17])})
            w->setVisible(enabled && !simpleBox->isChecked());
        return;
    }
    if (index != 6 || !stageBoxes[6]->isEnabled())
        return;
    const bool on = stageBoxes[6]->isChecked();
    const int d1 = m_stored.timeFormat();
    durationCaption->setText(on ? QStringLiteral("启用  到期时间") : QStringLiteral("启用    总时长"));
    datePanel->setVisible(on);
    for (int i = 0; i < 6; ++i) {
        stageBoxes[i]->setChecked(!on && flag_on(m_stored.checkone, i + 1));
        stageBoxes[i]->setEnabled(!on);
    }
    refill_list(formatList, {});
    if (on) {
        refill_list(formatList, day_format_list());
        modeList->setCurrentIndex(0);
        modeList->setEnabled(false);
        overtimeList->setCurrentIndex(1);
        overtimeList->setEnabled(false);
        // Only the editor's copy of the stored digits changes; the current
        // plan changes on "应用".
        m_stored.combolist = QString::number(d1) + QStringLiteral("01");
        formatList->setCurrentIndex(format_entry(d1, int(day_format_list().size())));
        systemBoxes[1]->hide();
        systemBoxes[1]->setChecked(true);
        systemBoxes[1]->setEnabled(false);
    } else {
        const int d2 = m_stored.timingMode();
        refill_list(formatList, d2 == 2 ? system_time_format_list() : count_format_list());
        formatList->setCurrentIndex(d1 > 2 ? 1 : d1);
        modeList->setCurrentIndex(d2);
        modeList->setEnabled(true);
        overtimeList->setCurrentIndex(m_stored.overtimeAction());
        overtimeList->setEnabled(true);
        systemBoxes[1]->setVisible(!simpleBox->isChecked());
        set_box_value(systemBoxes[1], flag_value(m_stored.checkfour, 2));
        systemBoxes[1]->setEnabled(true);
        overtimeChosen();
    }
    set_box_value(displayBoxes[1], on ? flag_value(m_stored.checkthree, 2) : 0);
    displayBoxes[1]->setEnabled(on);
    displayBoxes[1]->setVisible(!simpleBox->isChecked());
    styleFonts[3]->setEnabled(on);
    styleSizes[3]->setEnabled(on);
    styleColours[3]->setEnabled(on);
}

void SettingsWindow::displayBoxChanged(int index)
{
    if (index != 0)
        return;
    const bool shown = displayBoxes[0]->checkState() != Qt::Checked;
    for (QWidget* w : {static_cast<QWidget*>(styleColours[2]), static_cast<QWidget*>(backgroundCaption),
                       static_cast<QWidget*>(stageSwatches[14]), static_cast<QWidget*>(pictureButtons[14])})
        w->setVisible(shown);
}

void SettingsWindow::formatChosen()
{
    if (modeList->currentIndex() != 2)
        return;
    if (formatList->currentIndex() == 0)
        formatList->setCurrentIndex(2);
    if (overtimeList->currentIndex() == 2)
        overtimeList->setCurrentIndex(0);
    systemBoxes[0]->hide();
    systemBoxes[0]->setChecked(false);
    systemBoxes[1]->hide();
}

void SettingsWindow::modeChosen()
{
    const int d1 = m_stored.timeFormat();
    if (modeList->currentIndex() == 2) {
        refill_list(formatList, system_time_format_list());
        formatList->setCurrentIndex(d1 > 2 ? 0 : d1);
        formatChosen(); // entry 0 becomes 2, "复位" becomes "超时计时"
        return;
    }
    const QStringList& list = stageBoxes[6]->isChecked() ? day_format_list() : count_format_list();
    refill_list(formatList, list);
    formatList->setCurrentIndex(format_entry(d1, int(list.size())));
    formatChosen();
    overtimeChosen();
}

void SettingsWindow::overtimeChosen()
{
    if (modeList->currentIndex() == 2) {
        if (formatList->currentIndex() == 0)
            formatList->setCurrentIndex(2);
        if (overtimeList->currentIndex() == 2)
            overtimeList->setCurrentIndex(0);
    }
    QList<QWidget*> delayRow{delayField, delayCaption};
    if (simpleBox->isChecked()) {
        systemBoxes[0]->hide();
        systemBoxes[0]->setChecked(false);
        systemBoxes[1]->hide();
        systemBoxes[1]->setChecked(true);
        systemBoxes[2]->hide();
        systemBoxes[2]->setChecked(true);
        delayField->hide();
        delayField->setText(QStringLiteral("2"));
        delayCaption->hide();
        return;
    }
    const int action = overtimeList->currentIndex();
    if (action < 0 || action > 3)
        return;
    systemBoxes[0]->hide();
    systemBoxes[0]->setChecked(false);
    systemBoxes[1]->hide();
    systemBoxes[1]->setChecked(action != 0);
    systemBoxes[2]->setVisible(action >= 2);
    if (action >= 2)
        set_box_value(systemBoxes[2], flag_value(m_stored.checkfour, 3));
    else
        systemBoxes[2]->setChecked(false);
    for (QWidget* w : delayRow)
        w->setVisible(action >= 2);
    if (action == 2)
        delayCaption->setText(QStringLiteral("复位"));
    else if (action == 3)
        delayCaption->setText(QStringLiteral("进入下一阶段"));
    if (action >= 1) {
        timeFields[12]->setText(QStringLiteral("0"));
        timeFields[13]->setText(QStringLiteral("0"));
    }
    stageBoxes[5]->setEnabled(action == 0 && !stageBoxes[6]->isChecked());
    stageBoxChanged(5);
}

void SettingsWindow::simpleModeChanged()
{
    const bool simple = simpleBox->isChecked();
    const bool full = !simple;
    const ClockPlan& p = m_stored;
    const bool longTerm = stageBoxes[6]->isChecked();
    // A stage box keeps 0 while the plan is long-term, in both modes.
    auto stageValue = [&](int i) { return full && !longTerm && flag_on(p.checkone, i + 1); };

    showPage(0);
    m_tabs->setTabVisible(4, full);
    showPage(0);

    auto showRow = [&](int box, int minutes) {
        stageBoxes[box]->setChecked(stageValue(box));
        stageBoxes[box]->setVisible(full);
        for (QWidget* w : {static_cast<QWidget*>(timeFields[minutes]), static_cast<QWidget*>(timeFields[minutes + 1]),
                           static_cast<QWidget*>(timeUnits[minutes]), static_cast<QWidget*>(timeUnits[minutes + 1])})
            w->setVisible(full);
    };
    showRow(1, 4);
    showRow(2, 6);
    stageBoxes[3]->setText(simple ? QStringLiteral("报警1 剩余") : QStringLiteral("报警3 剩余"));
    stageBoxes[3]->setAccessibleName(stageBoxes[3]->text().simplified());
    showRow(4, 10);
    stageBoxes[0]->setChecked(stageValue(0));
    stageBoxes[0]->setVisible(full);
    stageBoxes[5]->setChecked(stageValue(5));
    for (QWidget* w : {static_cast<QWidget*>(stageBoxes[5]), static_cast<QWidget*>(timeFields[12]),
                       static_cast<QWidget*>(timeUnits[12]), static_cast<QWidget*>(timeFields[13]),
                       static_cast<QWidget*>(dateCaption), static_cast<QWidget*>(timeUnits[17])})
        w->setVisible(full);

    refill_list(previewList, simple ? QStringList{"开始", "报警1", "超时", "结束"}
                                    : QStringList{"开始", "报警1", "报警2", "报警3", "读秒", "超时", "结束"});

    reminderDuration->setVisible(full);
    reminderDuration->setText(simple ? QStringLiteral("5") : QString::number(p.tixingtime));
    reminderDurationUnit->setVisible(full);
    m_durationCaption->setVisible(full);
    for (int k : {1, 2, 4, 5}) {
        stageNames[k]->setVisible(full);
        for (int b : {14 + k, k, 7 + k}) {
            reminderBoxes[b]->setChecked(full && flag_on(p.checktwo, b + 1));
            reminderBoxes[b]->setVisible(full);
        }
        reminderTexts[k]->setVisible(full);
        reminderTexts[7 + k]->setVisible(full);
        soundButtons[7 + k]->setVisible(full);
    }
    stageNames[3]->setText(simple ? QStringLiteral("报警1") : QStringLiteral("报警3"));

    set_box_value(displayBoxes[0], simple ? 0 : flag_value(p.checkthree, 1));
    displayBoxes[0]->setVisible(full);
    set_box_value(displayBoxes[3], simple ? 1 : flag_value(p.checkthree, 4));
    displayBoxes[3]->setVisible(full);
    set_box_value(displayBoxes[4], simple ? 1 : flag_value(p.checkthree, 5));
    displayBoxes[4]->setVisible(full);
    for (int row : {4, 5}) {
        for (QWidget* w : {static_cast<QWidget*>(styleNames[row]), static_cast<QWidget*>(styleFonts[row]),
                           static_cast<QWidget*>(styleSizes[row]), static_cast<QWidget*>(styleColours[row])})
            w->setVisible(full);
    }
    set_box_value(displayBoxes[2], simple ? 0 : flag_value(p.checkthree, 3));
    displayBoxes[2]->setVisible(full);
    set_box_value(displayBoxes[1], simple && longTerm ? 1 : flag_value(p.checkthree, 2));
    if (!longTerm)
        displayBoxes[1]->setChecked(false); // the weekday belongs to long-term plans only
    displayBoxes[1]->setVisible(full && longTerm);

    for (QWidget* w : m_logoRow)
        w->setVisible(full);
    logoField->setText(simple ? QString() : p.logopicture);
    m_logoSizeCaption[0]->setVisible(full);
    m_logoSizeCaption[1]->setVisible(full);
    systemBoxes[3]->setVisible(full);
    delayField->setVisible(full);
    delayField->setText(QStringLiteral("2"));
    delayCaption->setVisible(full);

    overtimeChosen();

    for (QWidget* w : {static_cast<QWidget*>(logoWidth), static_cast<QWidget*>(logoHeight),
                       static_cast<QWidget*>(scrollModeList), static_cast<QWidget*>(scrollWidth),
                       static_cast<QWidget*>(scrollSpeed)})
        w->setVisible(full);
    for (QLabel* l : m_scrollCaption)
        l->setVisible(full);
    systemBoxes[0]->hide();
    systemBoxes[0]->setChecked(false);
    systemBoxes[1]->hide();
    systemBoxes[1]->setChecked(true);
    systemBoxes[2]->setVisible(full);
    set_box_value(systemBoxes[2], simple ? 1 : flag_value(p.checkfour, 3));
    QString delay = QStringLiteral("2");
    if (simple) {
        delayField->setText(delay);
    } else {
        const AppContext& ctx = m_display.context();
        bool ok = false;
        const int stored = ctx.ini.read(time_data::kPictureSet, time_data::kDelayTime, time_data::kDelaySetupDefault)
                               .trimmed().toInt(&ok);
        if (ok)
            delay = QString::number(stored);
        delayField->setText(delay);
    }

    registry_values::set_simple(m_display.context().registry, simple);
}

} // namespace orvalen
