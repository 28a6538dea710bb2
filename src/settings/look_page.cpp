#include "settings/look_page.h"

#include "display/made_text_sizes.h"
#include "settings/colour_swatch.h"
#include "settings/named_list.h"
#include "settings/settings_rules.h"

#include <QCheckBox>
#include <QFontInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <cmath>

namespace orvalen {


LookPage::LookPage(const ClockPlan& stored, QWidget* parent) : QWidget(parent), m_stored(stored)
{
    auto* grid = new QGridLayout(this);
    const QStringList heads{"字体", "颜色", "大小", "居中", "文本"};
    for (int c = 0; c < heads.size(); ++c)
        grid->addWidget(makeLabel(heads[c], this), 0, c + 1);
    const QStringList rows{"主标题", "副标题", "时间", "天数", "提示文字", "动态文本"};
    for (StyleSlot slot : kStyleSlots) {
        const size_t i = slotIndex(slot);
        StyleRow& r = m_styleRows[slot];
        const int row = int(i) + 1;
        r.name = makeLabel(rows[i], this);
        grid->addWidget(r.name, row, 0);
        r.font = new NamedList(this);
        r.font->setAccessibleName(rows[i] + QStringLiteral(" 字体"));
        r.font->setMinimumContentsLength(8);
        r.font->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        grid->addWidget(r.font, row, 1);
        r.colour = new ColourSwatch(this);
        r.colour->setAccessibleName(rows[i] + QStringLiteral(" 颜色"));
        r.colour->setMaximumWidth(60);
        grid->addWidget(r.colour, row, 2);
        r.size = new NamedList(this);
        r.size->setEditable(true);
        r.size->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), r.size));
        r.size->setAccessibleName(rows[i] + QStringLiteral(" 大小"));
        r.size->lineEdit()->setAccessibleName(rows[i] + QStringLiteral(" 大小"));
        grid->addWidget(r.size, row, 3);
        if (slot == StyleSlot::MainTitle || slot == StyleSlot::Subtitle) {
            TitleRow& t = slot == StyleSlot::MainTitle ? m_mainTitle : m_subtitle;
            t.centred = makeBox(QString(), this, rows[i] + QStringLiteral(" 居中"));
            grid->addWidget(t.centred, row, 4);
            t.text = new QLineEdit(this);
            t.text->setAccessibleName(rows[i] + QStringLiteral(" 文本"));
            grid->addWidget(t.text, row, 5);
        }
        connect(r.colour, &ColourSwatch::clicked, this, [this, &r] { emit colourWanted(r.colour, false); });
    }
    m_spareCentreBox = makeBox(QStringLiteral("居中"), this);
    m_spareCentreBox->hide();
    m_stageLooksBox = makeBox(QStringLiteral("时间颜色、背景按精准设置"), this);
    m_weekdayBox = makeBox(QStringLiteral("提示文字显示星期"), this);
    m_scrollingTextBox = makeBox(QStringLiteral("显示动态文本"), this);
    grid->addWidget(m_stageLooksBox, 7, 0, 1, 3);
    grid->addWidget(m_weekdayBox, 7, 3, 1, 3);
    grid->addWidget(m_scrollingTextBox, 8, 0, 1, 3);
    auto* bg = new QHBoxLayout;
    m_backgroundCaption = makeLabel(QStringLiteral("背景色/图"), this);
    m_backgroundCaption->setObjectName(QStringLiteral("backgroundCaption"));
    bg->addWidget(m_backgroundCaption);
    m_background = new ColourSwatch(this);
    m_background->setAccessibleName(QStringLiteral("背景色/图"));
    bg->addWidget(m_background);
    m_backgroundPicture = makeDots(QStringLiteral("背景色/图 选择图片"), this);
    bg->addWidget(m_backgroundPicture);
    grid->addLayout(bg, 8, 3, 1, 3);
    grid->setRowStretch(9, 1);
    grid->setColumnStretch(5, 1);

    connect(m_stageLooksBox, &QCheckBox::stateChanged, this, [this] { showStageLooks(); });
    connect(m_background, &ColourSwatch::clicked, this, [this] { emit colourWanted(m_background, true); });
    connect(m_backgroundPicture, &QToolButton::clicked, this, [this] { emit pictureWanted(m_background); });
}

void LookPage::showPlan(const ClockPlan& p)
{
    for (StyleSlot slot : kStyleSlots) {
        refillList(m_styleRows[slot].size, sizeList(slot));
        showSize(slot, p, 10);
    }
    showSwitches(p);
    showColoursAndTitles(p);
    showColourOrPicture(m_background, p.backgroundColour, p.backgroundPicture, false);
}

void LookPage::showSavedPlan(const ClockPlan& p, const QString& daysFont, std::optional<int> daysSize)
{
    const PerSlot<QString> fonts{{p.firstfont, p.secondfont, p.clockFont, p.stagefont, p.textfont, p.rollfont}};
    for (StyleSlot slot : kStyleSlots)
        showFont(slot, fonts[slot]);
    // A damaged size list shows the sizes it falls back to.
    ClockPlan complete = p;
    complete.completeFontSizes();
    for (StyleSlot slot : kStyleSlots)
        showSize(slot, complete, 0);
    // The date line keeps the per-user store's font and size.
    showFont(StyleSlot::DateLine, daysFont);
    if (daysSize) {
        m_keptSizes[StyleSlot::DateLine] = {};
        m_styleRows[StyleSlot::DateLine].size->setEditText(QString::number(*daysSize));
    }
    showSwitches(p);
    showColoursAndTitles(p);
    showColourOrPicture(m_background, p.backgroundColour, p.backgroundPicture, true);
}

void LookPage::showSize(StyleSlot slot, const ClockPlan& p, int smallest)
{
    QComboBox* list = m_styleRows[slot].size;
    KeptSize& kept = m_keptSizes[slot];
    // A size the plan cannot read shows the size the display draws it at.
    const std::optional<double> size = p.fontSize(slot);
    kept.shown = size ? QString::number(std::max(int(*size), smallest))
                      : QString::number(std::lround(kMadeTextSizes[slot]));
    kept.text = p.fontSizeTexts[slot];
    list->setEditText(kept.shown);
}

QString LookPage::sizeEntry(StyleSlot slot) const
{
    const KeptSize& kept = m_keptSizes[slot];
    const QString typed = m_styleRows[slot].size->currentText().trimmed();
    if (kept.text) {
        // A size left as the list shows it keeps the plan's text, also one
        // shown as a whole number or raised to the list's smallest size.
        const std::optional<double> stored = fontSizeOfText(*kept.text);
        if (typed == kept.shown || (stored && fontSizeOfText(typed) == stored))
            return *kept.text;
    }
    QString digits = typed;
    while (digits.size() > 1 && digits.startsWith(u'0'))
        digits.remove(0, 1);
    return digits.isEmpty() ? QStringLiteral("0") : digits;
}

void LookPage::showFont(StyleSlot slot, const QString& name)
{
    QComboBox* list = m_styleRows[slot].font;
    int i = list->findText(name);
    if (i < 0 && !name.isEmpty()) {
        list->addItem(name);
        i = list->count() - 1;
    }
    list->setCurrentIndex(i);
}

void LookPage::showSwitches(const ClockPlan& p)
{
    showSwitch(m_stageLooksBox, p.stageLooks);
    showSwitch(m_weekdayBox, p.showsWeekday);
    showSwitch(m_scrollingTextBox, p.showsScrollingText);
    showSwitch(m_mainTitle.centred, p.centresTitle);
    showSwitch(m_subtitle.centred, p.centresSubtitle);
    showSwitch(m_spareCentreBox, p.centresThird);
}

void LookPage::showColoursAndTitles(const ClockPlan& p)
{
    const PerSlot<const PlanColour*> colours{{&p.firstcolour, &p.secondcolour, &p.clockcolour, &p.stagecolour,
                                              &p.textcolour, &p.rollcolour}};
    for (StyleSlot slot : kStyleSlots)
        m_styleRows[slot].colour->setColour(*colours[slot]);
    m_mainTitle.text->setText(p.firsttext);
    m_subtitle.text->setText(p.secondtext);
}

void LookPage::writeInto(ClockPlan& plan) const
{
    const PerSlot<QString*> fonts{{&plan.firstfont, &plan.secondfont, &plan.clockFont, &plan.stagefont,
                                   &plan.textfont, &plan.rollfont}};
    const PerSlot<PlanColour*> colours{{&plan.firstcolour, &plan.secondcolour, &plan.clockcolour,
                                        &plan.stagecolour, &plan.textcolour, &plan.rollcolour}};
    for (StyleSlot slot : kStyleSlots) {
        const StyleRow& r = m_styleRows[slot];
        if (r.font->count() > 0) // before the font lists are filled the plan's own names stay
            *fonts[slot] = r.font->currentText();
        *colours[slot] = r.colour->colour();
        plan.fontSizeTexts[slot] = sizeEntry(slot);
    }
    plan.fontSizesComplete = true;
    plan.firsttext = m_mainTitle.text->text();
    plan.secondtext = m_subtitle.text->text();
    plan.backgroundColour = m_background->colour();
    plan.backgroundPicture = m_background->text();
    plan.stageLooks = boxSwitch(m_stageLooksBox);
    plan.showsWeekday = boxSwitch(m_weekdayBox);
    plan.showsScrollingText = boxSwitch(m_scrollingTextBox);
    plan.centresTitle = boxSwitch(m_mainTitle.centred);
    plan.centresSubtitle = boxSwitch(m_subtitle.centred);
    plan.centresThird = boxSwitch(m_spareCentreBox);
}

void LookPage::fillFontLists(const QStringList& installed, const QStringList& preferred, const QSet<QString>& families)
{
    const ClockPlan& p = m_stored;
    const PerSlot<QString> planFonts{{p.firstfont, p.secondfont, p.clockFont, p.stagefont, p.textfont, p.rollfont}};
    for (StyleSlot slot : kStyleSlots) {
        QComboBox* list = m_styleRows[slot].font;
        const QString& planFont = planFonts[slot];
        QStringList entries = slot == StyleSlot::DateLine ? preferred : installed;
        // The plan's own name stays an entry, so an apply that leaves the
        // font alone stores it unchanged, installed or not.
        if (!planFont.isEmpty() && !entries.contains(planFont))
            entries.prepend(planFont);
        refillList(list, entries);
        for (int e = 0; e < list->count(); ++e) {
            // A name this desktop lacks is drawn in the family fontconfig
            // matches for it (a CJK font for the Chinese names), and says so.
            const QString name = list->itemText(e);
            if (!families.contains(name))
                list->setItemData(e, QStringLiteral("显示为 ") + QFontInfo(QFont(name)).family(), Qt::ToolTipRole);
        }
        int chosen = list->findText(planFont);
        if (chosen < 0)
            chosen = list->findText(QStringLiteral("新宋体"));
        const QSignalBlocker block(list);
        list->setCurrentIndex(chosen);
    }
}

int LookPage::stepSize(StyleSlot slot, int direction)
{
    QComboBox* list = m_styleRows[slot].size;
    // A size that is not an entry counts as the first entry.
    int i = std::max(list->findText(list->currentText()), 0);
    if (direction > 0 && i < list->count() - 1)
        ++i;
    else if (direction < 0 && i > 0)
        --i;
    list->setCurrentIndex(i);
    return sizeAt(slot, i);
}

void LookPage::showLongTerm(bool on)
{
    // The weekday and the days' style belong to long-term plans.
    if (on)
        showSwitch(m_weekdayBox, m_stored.showsWeekday);
    else
        m_weekdayBox->setChecked(false);
    m_weekdayBox->setEnabled(on);
    m_weekdayBox->setVisible(!m_simple);
    const StyleRow& days = m_styleRows[StyleSlot::DateLine];
    days.font->setEnabled(on);
    days.size->setEnabled(on);
    days.colour->setEnabled(on);
}

void LookPage::showSimple(bool simple, bool longTerm)
{
    m_simple = simple;
    const bool full = !simple;
    const ClockPlan& p = m_stored;
    // Simple mode: no per-stage looks, both titles centred, no scrolling text.
    auto showStored = [&](QCheckBox* box, bool simpleValue, Switch stored) {
        if (simple)
            box->setChecked(simpleValue);
        else
            showSwitch(box, stored);
    };
    showStored(m_stageLooksBox, false, p.stageLooks);
    m_stageLooksBox->setVisible(full);
    showStored(m_mainTitle.centred, true, p.centresTitle);
    m_mainTitle.centred->setVisible(full);
    showStored(m_subtitle.centred, true, p.centresSubtitle);
    m_subtitle.centred->setVisible(full);
    for (StyleSlot slot : {StyleSlot::Prompt, StyleSlot::ScrollingText}) {
        const StyleRow& r = m_styleRows[slot];
        for (QWidget* w : std::initializer_list<QWidget*>{r.name, r.font, r.size, r.colour})
            w->setVisible(full);
    }
    showStored(m_scrollingTextBox, false, p.showsScrollingText);
    m_scrollingTextBox->setVisible(full);
    if (simple && longTerm)
        m_weekdayBox->setChecked(true);
    else
        showSwitch(m_weekdayBox, p.showsWeekday);
    if (!longTerm)
        m_weekdayBox->setChecked(false); // the weekday belongs to long-term plans only
    m_weekdayBox->setVisible(full && longTerm);
}

void LookPage::showStageLooks()
{
    const bool shown = m_stageLooksBox->checkState() != Qt::Checked;
    for (QWidget* w : std::initializer_list<QWidget*>{m_styleRows[StyleSlot::Clock].colour, m_backgroundCaption, m_background,
                                                      m_backgroundPicture})
        w->setVisible(shown);
}

} // namespace orvalen
