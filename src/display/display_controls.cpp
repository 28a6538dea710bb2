// The display's controls as made, and found by element.
#include "display/display_controls.h"

#include "display/cached_line_label.h"
#include "display/clock_panel.h"
#include "display/element_layout.h"
#include "display/fonts.h"
#include "display/made_text_sizes.h"
#include "display/panel.h"
#include "display/screen_button_row.h"
#include "stores/plan_colour.h"

#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <algorithm>

namespace orvalen {
namespace {

const QColor kRed(255, 0, 0);

// A text line as made: plain text, no margins, in the top left corner.
QLabel* makeLabel(QLabel* l, const QString& name, const QString& family, double pt)
{
    l->setObjectName(name);
    l->setAutoFillBackground(false);
    l->setMargin(0);
    l->setIndent(0);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->setTextFormat(Qt::PlainText);
    l->setFont(madeFont(family, pt));
    return l;
}

// A panel in its made colours and size (twips), at the top left corner.
template <typename P>
P* namedPanel(P* p, const QString& name, const QColor& back, const QColor& fore, ElementLayout& layout, QSizeF size)
{
    p->setObjectName(name);
    p->setBackColor(back);
    p->setForeColor(fore);
    layout.setTwipsGeometry(p, 0, 0, size.width(), size.height());
    return p;
}

} // namespace

QFont madeFont(const QString& family, double points)
{
    QFont f(displayFamily(family));
    f.setPointSizeF(points);
    return f;
}

void setForeColour(QWidget* w, const QColor& colour)
{
    if (!w || !colour.isValid())
        return;
    if (auto* clock = qobject_cast<ClockPanel*>(w)) {
        clock->setTextColour(colour);
        return;
    }
    if (auto* p = qobject_cast<Panel*>(w)) {
        p->setForeColor(colour);
        return;
    }
    // Disabled controls keep the greyed text of the palette.
    QPalette pal = w->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        pal.setColor(group, QPalette::WindowText, colour);
        pal.setColor(group, QPalette::Text, colour);
        pal.setColor(group, QPalette::ButtonText, colour);
    }
    w->setPalette(pal);
}

DisplayControls::DisplayControls() = default;

DisplayControls::~DisplayControls() = default;

void DisplayControls::create(QWidget* window, ElementLayout& layout, const RunController& run, const MenuState& menus)
{
    const QColor windowColour = colourFromValue(0x80000005LL, Qt::white);
    const QColor text = colourFromValue(0x80000008LL, Qt::black);

    auto* box = new BackgroundBox(window);
    box->setObjectName("backgroundBox");
    box->setFont(madeFont("Arial", 9));
    box->setBackColor(windowColour);
    box->setMouseTracking(true);
    backgroundBox = box;
    layout.setTwipsGeometry(backgroundBox, 0, 0, 14400, 10800);

    auto setUpPanel = [&](Panel* p, const QString& name, double w, double h) {
        return namedPanel(p, name, windowColour, text, layout, QSizeF(w, h));
    };

    // Title: a label straight on the background.
    textLabels[kTitleLine] = makeLabel(new QLabel(QStringLiteral("主标题"), backgroundBox), "textLabel0", "宋体",
                                       kMadeTextSizes[StyleSlot::MainTitle]);
    setForeColour(textLabels[kTitleLine], text);

    static const char* captions[5] = {"", "副标题", "阶段", "提示文本", "动态"};
    static const double panelW[5] = {0, 3255, 3255, 3495, 4695};
    static const double panelH[5] = {0, 1455, 1455, 1455, 1215};
    // Panels 1..4 hold the subtitle, date line, prompt and scrolling text.
    static const StyleSlot sizeSlot[5] = {StyleSlot::MainTitle, StyleSlot::Subtitle, StyleSlot::DateLine,
                                         StyleSlot::Prompt, StyleSlot::ScrollingText};
    for (std::size_t i = 1; i <= 4; ++i) {
        textPanels[i] = setUpPanel(new Panel(backgroundBox), QStringLiteral("textPanel%1").arg(i), panelW[i],
                                   panelH[i]);
        // The scrolling text moves every step: its line is drawn once and copied.
        const QString caption = QString::fromUtf8(captions[i]);
        QLabel* label = i == kScrollLine ? new CachedLineLabel(caption, textPanels[i]) : new QLabel(caption, textPanels[i]);
        textLabels[i] = makeLabel(label, QStringLiteral("textLabel%1").arg(i), i == 4 ? "新宋体" : "宋体",
                                  kMadeTextSizes[sizeSlot[i]]);
        textPanels[i]->setAccessibleName(textLabels[i]->text());
        setForeColour(textLabels[i], text);
    }
    layout.setTwipsLeft(textLabels[kScrollLine], 640);

    auto makeClock = [&](const QString& name, const QString& caption) {
        auto* c = new ClockPanel(backgroundBox);
        setUpPanel(c, name, 2175, 900);
        c->setFont(madeFont("新宋体", kMadeTextSizes[StyleSlot::Clock]));
        c->setForeColor(kRed);
        c->setText(caption);
        c->setTextFont(madeFont("新宋体", kMadeTextSizes[StyleSlot::Clock]));
        return c;
    };
    clock = makeClock("clockPanel", QStringLiteral("时钟"));
    overtimeClock = makeClock("overtimePanel", QStringLiteral("超时时钟"));
    overtimeClock->hide();

    logoBox = setUpPanel(new Panel(backgroundBox), "logoBox", 3090, 3225);
    logoBox->hide();

    // The on-screen buttons in the display's look.
    buttonRow = std::make_unique<ScreenButtonRow>(backgroundBox, run, menus);
    for (QPushButton* b : buttonRow->buttons()) {
        b->setFont(madeFont("宋体", 21.75));
        b->setToolTip(QStringLiteral("右键更多选项…"));
        b->setMouseTracking(true);
        setForeColour(b, text);
        layout.setTwipsGeometry(b, 0, 0, 1350, 465);
        // Drawn beneath the panels, as the text lines are.
        b->lower();
    }

    // Windowless labels lie beneath the picture boxes of their container.
    textLabels[kTitleLine]->lower();
}

bool DisplayControls::isTextLine(const QWidget* w) const
{
    return w && std::find(textLabels.begin(), textLabels.end(), w) != textLabels.end();
}

QLabel* DisplayControls::elementLabel(DisplayElement e) const
{
    switch (e) {
    case DisplayElement::MainTitle:
    case DisplayElement::Subtitle:
    case DisplayElement::DateLine:
    case DisplayElement::Prompt:
    case DisplayElement::ScrollingText:
        return textLabels[std::size_t(e)];
    default: return nullptr;
    }
}

ClockPanel* DisplayControls::elementClock(DisplayElement e) const
{
    switch (e) {
    case DisplayElement::Clock: return clock;
    case DisplayElement::OvertimeClock: return overtimeClock;
    default: return nullptr;
    }
}

QWidget* DisplayControls::elementBox(DisplayElement e) const
{
    switch (e) {
    case DisplayElement::MainTitle: return textLabels[kTitleLine];
    case DisplayElement::Subtitle:
    case DisplayElement::DateLine:
    case DisplayElement::Prompt:
    case DisplayElement::ScrollingText:
        return textPanels[std::size_t(e)];
    case DisplayElement::Clock: return clock;
    case DisplayElement::OvertimeClock: return overtimeClock;
    case DisplayElement::Logo: return logoBox;
    default: {
        const ScreenButtonEntry* button = screenButtonAt(e);
        return button ? buttonRow->button(button->button) : nullptr;
    }
    }
}

} // namespace orvalen
