#include "settings/settings_window.h"

#include "display/display_window.h"
#include "platform/clock.h"
#include "platform/registry_store.h"
#include "settings/colour_swatch.h"
#include "settings/hotkey_field.h"
#include "settings/number_field.h"
#include "settings/settings_controls.h"
#include "settings/settings_rules.h"
#include "stores/ini_store.h"
#include "stores/plan_store.h"
#include "stores/time_data_keys.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>

namespace orvalen {

namespace {

QStringList split_keep(const QString& text, QChar sep) { return text.split(sep); }

QString piece(const QStringList& parts, int i) { return i < parts.size() ? parts[i] : QString(); }

// "whole number": trimmed text as a 16-bit number; nullopt when it is not one.
std::optional<int> whole_number(const QString& text)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (!ok || v < -32768 || v > 32767)
        return std::nullopt;
    return v;
}

QDate today_of(const AppContext& ctx)
{
    return ctx.clock.now().date();
}

} // namespace

void SettingsWindow::fillFormatList(const QStringList& list) { refill_list(formatList, list); }

void SettingsWindow::showTimes(const ClockPlan& p)
{
    timeFields[1]->setText(QString::number(p.Time_all.hour()));
    timeFields[2]->setText(QString::number(p.Time_all.minute()));
    timeFields[3]->setText(QString::number(p.Time_all.second()));
    const QTime times[6] = {p.Time_all, p.Time_one, p.Time_two, p.Time_three, p.Time_four, p.Time_five};
    for (int k = 1; k <= 5; ++k) {
        timeFields[2 * k + 2]->setText(QString::number(times[k].minute()));
        timeFields[2 * k + 3]->setText(QString::number(times[k].second()));
    }
    if (p.time_date.isValid()) {
        dateFields[0]->setText(QString::number(p.time_date.year()));
        dateFields[1]->setText(QString::number(p.time_date.month()));
        dateFields[2]->setText(QString::number(p.time_date.day()));
    }
}

void SettingsWindow::showReminders(const ClockPlan& p)
{
    for (int i = 0; i < 21; ++i)
        reminderBoxes[i]->setChecked(flag_on(p.checktwo, i + 1));
    for (int k = 0; k < 7; ++k) {
        reminderTexts[k]->setText(p.stageText[k]);
        reminderTexts[7 + k]->setText(p.stageMusic[k]);
    }
}

void SettingsWindow::showColoursAndTitles(const ClockPlan& p)
{
    const QString* colours[6] = {&p.firstcolour, &p.secondcolour, &p.clockcolour, &p.stagecolour, &p.textcolour, &p.rollcolour};
    for (int i = 0; i < 6; ++i)
        styleColours[i]->setValueText(*colours[i]);
    titleTexts[0]->setText(p.firsttext);
    titleTexts[1]->setText(p.secondtext);
}

void SettingsWindow::setSwatchWithPicture(ColourSwatch* swatch, const QString& colour, const QString& picture,
                                          bool emptyText)
{
    if (picture.size() > 3) {
        swatch->setValue(kWindowColour);
        swatch->setText(picture);
    } else {
        swatch->setValueText(colour);
        if (emptyText)
            swatch->clear();
    }
}

void SettingsWindow::fillFromCurrentPlan()
{
    AppContext& ctx = m_display.context();
    ModuleState& module = m_display.module();
    // Opening the editor takes the stored plan as the current plan.
    load_plan(ctx.registry, module.clock_plan, today_of(ctx));
    m_stored = module.clock_plan;
    const ClockPlan& p = m_stored;

    showTimes(p);
    for (int i = 0; i < 7; ++i)
        stageBoxes[i]->setChecked(flag_on(p.checkone, i + 1));
    refill_list(previewList, {"开始", "报警1", "报警2", "报警3", "读秒", "超时", "结束"});
    showReminders(p);
    const QStringList sizes = p.sizethree.split(QLatin1Char('/'));
    for (int i = 0; i < 6; ++i) {
        refill_list(styleSizes[i], size_list(i));
        const int v = leading_digits(piece(sizes, i)).value_or(0);
        styleSizes[i]->setEditText(QString::number(v > 10 ? v : 10));
    }
    for (int i = 0; i < 6; ++i)
        set_box_value(displayBoxes[i], flag_value(p.checkthree, i + 1));
    showColoursAndTitles(p);

    const bool longTerm = p.isLongTerm();
    const int d1 = p.timeFormat(), d2 = p.timingMode(), d3 = p.overtimeAction();
    const QStringList& formats = longTerm ? day_format_list() : d2 == 2 ? system_time_format_list() : count_format_list();
    fillFormatList(formats);
    refill_list(modeList, {"倒计时", "正计时", "系统时间"});
    refill_list(overtimeList, {"超时计时", "停止计时", "复位", "下一阶段"});
    logoField->setText(p.logopicture);
    reminderDuration->setText(QString::number(p.tixingtime));
    for (int i = 0; i < 3; ++i)
        set_box_value(systemBoxes[i], flag_value(p.checkfour, i + 1));
    // A digit beyond its list takes entry 1 (never an index outside the list).
    formatList->setCurrentIndex(d1 < formats.size() ? d1 : 1);
    modeList->setCurrentIndex(d2 <= 2 ? d2 : 0);
    overtimeList->setCurrentIndex(d3 <= 3 ? d3 : 0);

    const IniStore& ini = ctx.ini;
    auto read = [&](const QString& section, const QString& key, const QString& fallback) {
        return ini.read(section, key, fallback);
    };
    using namespace time_data;
    set_box_value(systemBoxes[3], leading_digits(read(kPictureSet, kOption, kOptionDefault)).value_or(0));
    if (auto v = whole_number(read(kPictureSet, kWidth, kLogoWidthDefault)))
        logoWidth->setText(QString::number(*v));
    if (auto v = whole_number(read(kPictureSet, kHeight, kLogoHeightDefault)))
        logoHeight->setText(QString::number(*v));
    if (auto v = whole_number(read(kPictureSet, kDelayTime, kDelaySetupDefault)))
        delayField->setText(QString::number(*v));
    cycleBox->setEnabled(false); // setting the value must not store it again
    cycleBox->setChecked(whole_number(read(kMarquee, kCheckCycle, kCheckCycleDefault)).value_or(0) == 1);
    cycleBox->setEnabled(true);
    hotkeyFields[0]->setText(read(kHotkey, kStart, kHotkeyNone).trimmed());
    hotkeyFields[1]->setText(read(kHotkey, kStop, kHotkeyNone).trimmed());
    hotkeyFields[2]->setText(read(kHotkey, kPause, kHotkeyNone).trimmed());
    refill_list(scrollModeList, {"从左往右", "从右往左", "不滚动"});
    const int mode = leading_digits(read(kMarquee, kMode, kModeDefault)).value_or(0);
    scrollModeList->setCurrentIndex(mode <= 2 ? mode : 2);
    scrollWidth->setText(read(kMarquee, kWidth, kWidthSettingsDefault).trimmed());
    scrollSpeed->setText(read(kMarquee, kMarqueeSpeed, kSpeedSettingsDefault).trimmed());
    const QString often = read(kHotkey, kOften, kOftenDefault).trimmed();
    planHotkeyBoxes[0]->setChecked(flag_value(often, 1) == 1);
    planHotkeyBoxes[1]->setChecked(flag_value(often, 2) == 1);

    for (int k = 0; k < 7; ++k) {
        const QStringList parts = split_keep(p.highset[k], QLatin1Char('\\'));
        stageSwatches[k]->setValueText(piece(parts, 0));
        setSwatchWithPicture(stageSwatches[7 + k], piece(parts, 1), piece(parts, 2), false);
    }
    const QStringList bg = split_keep(p.background, QLatin1Char('\\'));
    setSwatchWithPicture(stageSwatches[14], piece(bg, 0), piece(bg, 1), false);
    refill_list(layoutTarget, {"主标题", "副标题", "时间", "提示文字", "动态文本", "LOGO图片", "结束文本"});

    stageBoxes[6]->setEnabled(true);
    stageBoxChanged(6);
}

void SettingsWindow::loadSavedPlan(const SavedPlan& saved, const std::optional<QString>& registryStageFont,
                                   const std::optional<QString>& registrySizeList)
{
    ClockPlan row = saved.plan;
    ModuleState& module = m_display.module();
    planNameField->setText(saved.name);
    movingTextField->setText(saved.movingText);

    // The stage-box handler restores the boxes from the editor's copy of the
    // stored digits: that copy is the row's from here on, so the boxes, the
    // lists and 应用 follow the loaded plan, not the current one.
    m_stored.checkone = row.checkone;
    m_stored.checkthree = row.checkthree;
    m_stored.checkfour = row.checkfour;
    m_stored.combolist = row.combolist;

    showTimes(row);
    for (int i = 0; i < 7; ++i) {
        stageBoxes[i]->setChecked(flag_on(row.checkone, i + 1));
        stageBoxChanged(i);
    }
    showReminders(row);
    const QString fonts[6] = {row.firstfont, row.secondfont, row.clockFont, row.stagefont, row.textfont, row.rollfont};
    auto showFont = [this](int slot, const QString& name) {
        QComboBox* list = styleFonts[slot];
        int i = list->findText(name);
        if (i < 0 && !name.isEmpty()) {
            list->addItem(name);
            i = list->count() - 1;
        }
        list->setCurrentIndex(i);
    };
    for (int i = 0; i < 6; ++i)
        showFont(i, fonts[i]);

    QStringList sizes = row.sizethree.split(QLatin1Char('/'));
    if (sizes.size() != 7)
        sizes = QStringLiteral("80/50/100/50/30/30/").split(QLatin1Char('/'));
    for (int i = 0; i < 6; ++i)
        styleSizes[i]->setEditText(QString::number(leading_digits(sizes[i]).value_or(0)));

    // The date line keeps the per-user store's font and size.
    if (registryStageFont)
        module.clock_plan.stagefont = *registryStageFont;
    if (module.clock_plan.sizethree.split(QLatin1Char('/')).size() != 7)
        module.clock_plan.sizethree = QStringLiteral("80/50/100/50/30/30/");
    showFont(3, module.clock_plan.stagefont);
    if (registrySizeList) {
        const QStringList reg = registrySizeList->split(QLatin1Char('/'));
        if (reg.size() > 3)
            styleSizes[3]->setEditText(QString::number(leading_digits(reg[3]).value_or(0)));
    }

    for (int i = 0; i < 6; ++i)
        set_box_value(displayBoxes[i], flag_value(row.checkthree, i + 1));
    showColoursAndTitles(row);

    const int d1 = row.timeFormat(), d2 = row.timingMode(), d3 = row.overtimeAction();
    if (row.isLongTerm()) {
        fillFormatList(day_format_list());
        modeList->setCurrentIndex(0);
        modeList->setEnabled(false);
        overtimeList->setCurrentIndex(1);
        overtimeList->setEnabled(false);
        formatList->setCurrentIndex(d1 < 6 ? d1 : 1);
        modeList->setCurrentIndex(0);
        overtimeList->setCurrentIndex(1);
    } else {
        fillFormatList(d2 == 2 ? system_time_format_list() : count_format_list());
        modeList->setCurrentIndex(d2 <= 2 ? d2 : 0);
        modeList->setEnabled(true);
        formatList->setCurrentIndex(d1 > 2 ? 1 : d1);
        overtimeList->setCurrentIndex(d3 <= 3 ? d3 : 0);
        overtimeList->setEnabled(true);
        systemBoxes[1]->setVisible(!simpleBox->isChecked());
        systemBoxes[1]->setEnabled(true);
        overtimeChosen();
    }

    logoField->setText(row.logopicture);
    reminderDuration->setText(QString::number(row.tixingtime));
    for (int i = 0; i < 3; ++i)
        set_box_value(systemBoxes[i], flag_value(row.checkfour, i + 1));
    for (int k = 0; k < 7; ++k) {
        const QStringList parts = row.highset[k].split(QLatin1Char('\\'));
        stageSwatches[k]->setValueText(piece(parts, 0));
        setSwatchWithPicture(stageSwatches[7 + k], piece(parts, 1), piece(parts, 2), true);
    }
    const QStringList bg = row.background.split(QLatin1Char('\\'));
    setSwatchWithPicture(stageSwatches[14], piece(bg, 0), piece(bg, 1), true);
}

std::optional<ClockPlan> SettingsWindow::editedPlan(QString* error) const
{
    ClockPlan plan = m_display.module().clock_plan;
    auto number = [&](const NumberField* f, int& out) {
        const auto v = leading_digits(f->text());
        if (!v) {
            if (error)
                *error = f->edit()->accessibleName() + QStringLiteral(" 不是数字");
            return false;
        }
        out = *v;
        return true;
    };
    int h = 0, m = 0, s = 0;
    if (!number(timeFields[1], h) || !number(timeFields[2], m) || !number(timeFields[3], s))
        return std::nullopt;
    const QTime all(h, m, s);
    if (!all.isValid()) {
        if (error)
            *error = QStringLiteral("总时长不是有效的时间");
        return std::nullopt;
    }
    plan.Time_all = all;
    QTime* stages[5] = {&plan.Time_one, &plan.Time_two, &plan.Time_three, &plan.Time_four, &plan.Time_five};
    for (int k = 1; k <= 5; ++k) {
        if (!number(timeFields[2 * k + 2], m) || !number(timeFields[2 * k + 3], s))
            return std::nullopt;
        const QTime t(0, m, s);
        if (!t.isValid()) {
            if (error)
                *error = timeFields[2 * k + 2]->edit()->accessibleName() + QStringLiteral(" 不是有效的时间");
            return std::nullopt;
        }
        *stages[k - 1] = t;
    }
    if (stageBoxes[6]->isChecked()) {
        int y = 0, mo = 0, d = 0;
        if (!number(dateFields[0], y) || !number(dateFields[1], mo) || !number(dateFields[2], d))
            return std::nullopt;
        const QDate date(y, mo, d);
        if (!date.isValid()) {
            if (error)
                *error = QStringLiteral("到期日期不是有效的日期");
            return std::nullopt;
        }
        plan.time_date = date;
    } else {
        plan.time_date = QDate(2000, 1, 1);
    }
    auto digits = [](auto begin, auto end) {
        QString out;
        for (auto it = begin; it != end; ++it)
            out += QString::number(box_value(*it));
        return out;
    };
    plan.checkone = digits(stageBoxes.begin(), stageBoxes.end());
    plan.checktwo = digits(reminderBoxes.begin(), reminderBoxes.end());
    for (int k = 0; k < 7; ++k) {
        plan.stageText[k] = reminderTexts[k]->text();
        plan.stageMusic[k] = reminderTexts[7 + k]->text();
    }
    QString* fonts[6] = {&plan.firstfont, &plan.secondfont, &plan.clockFont, &plan.stagefont, &plan.textfont, &plan.rollfont};
    QString* colours[6] = {&plan.firstcolour, &plan.secondcolour, &plan.clockcolour, &plan.stagecolour, &plan.textcolour, &plan.rollcolour};
    plan.sizethree.clear();
    for (int i = 0; i < 6; ++i) {
        if (styleFonts[i]->count() > 0) // before the font lists are filled the plan's own names stay
            *fonts[i] = styleFonts[i]->currentText();
        *colours[i] = styleColours[i]->valueText();
        plan.sizethree += styleSizes[i]->currentText() + QLatin1Char('/');
    }
    plan.firsttext = titleTexts[0]->text();
    plan.secondtext = titleTexts[1]->text();
    plan.background = stageSwatches[14]->valueText() + QLatin1Char('\\') + stageSwatches[14]->text();
    plan.checkthree = digits(displayBoxes.begin(), displayBoxes.end());
    plan.checkfour = digits(systemBoxes.begin(), systemBoxes.end());
    plan.combolist = QString::number(std::max(0, formatList->currentIndex()))
                     + QString::number(std::max(0, modeList->currentIndex()))
                     + QString::number(std::max(0, overtimeList->currentIndex()));
    plan.logopicture = logoField->text();
    int n = 0;
    if (!number(reminderDuration, n))
        return std::nullopt;
    plan.setTixingtime(n);
    for (int k = 0; k < 7; ++k)
        plan.highset[k] = stageSwatches[k]->valueText() + QLatin1Char('\\') + stageSwatches[7 + k]->valueText()
                          + QLatin1Char('\\') + stageSwatches[7 + k]->text();
    return plan;
}

void SettingsWindow::dateChanged(int index, bool leaving)
{
    NumberField* f = dateFields[index];
    const QString text = f->text();
    if (text.isEmpty() && !leaving)
        return;
    const auto parsed = leaving ? leading_digits(text) : whole_digits(text);
    if (!parsed) {
        f->setText(QStringLiteral("0"));
        if (!leaving)
            return; // the nested run checks "0"
    }
    const int v = parsed.value_or(0);
    const QString exeTitle = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    const QString thisYear = QString::number(today_of(m_display.context()).year());
    auto put = [&](const QString& t) {
        if (f->text() != t) {
            f->setText(t);
            f->edit()->setCursorPosition(int(t.size()));
        }
    };
    if (index == 0) {
        if (v > 2999 || (leaving && v < 2000)) {
            notice(leaving ? QStringLiteral("年份取值范围2000-2999之间") : QStringLiteral("取值范围2000-2999之间"), 1000,
                   exeTitle);
            put(thisYear);
        } else {
            put(QString::number(v));
        }
        recheckDay(); // a year change can end February sooner
    } else if (index == 1) {
        put(QString::number(std::clamp(v, 1, 12)));
        recheckDay();
    } else {
        const int year = leading_digits(dateFields[0]->text()).value_or(2000);
        const int month = std::clamp(leading_digits(dateFields[1]->text()).value_or(1), 1, 12);
        const QDate first(std::clamp(year, 1, 9999), month, 1);
        const int last = month_last_day(first, MonthOf::Now).day();
        put(QString::number(std::clamp(v, 1, last)));
    }
}

void SettingsWindow::recheckDay()
{
    if (dateFields[2]->text().isEmpty())
        return;
    dateChanged(2, false);
}

void SettingsWindow::hotkeyClash(int index)
{
    const QString none = time_data::kHotkeyNone;
    QLineEdit* f = hotkeyFields[index];
    if (f->text() == none)
        return;
    const QString pause = hotkeyFields[2]->text();
    bool clash = false;
    if (index < 2)
        clash = f->text() == pause;
    else
        clash = f->text() == hotkeyFields[0]->text() || f->text() == hotkeyFields[1]->text();
    if (clash) {
        notice(QStringLiteral("热键设置不能相同"), 800);
        f->setText(none);
    }
}

} // namespace orvalen
