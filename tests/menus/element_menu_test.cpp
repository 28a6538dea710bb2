#include "services/time_conversions.h"
#include "menus/element_menu.h"

#include "stores/plan_colour.h"
#include "display/display_window.h"
#include "display/panel.h"
#include "menus/style_dialogs.h"
#include "platform/registry_store.h"
#include "support/quiet_display_host.h"
#include "support/temp_program.h"
#include "support/test_screen.h"
#include "stores/plan_codec.h"
#include "timing/count_session.h"
#include "timing/run_commands.h"

#include <QLocale>
#include <gtest/gtest.h>

using namespace orvalen;

namespace {

// Answers the dialogs as the test says; nullopt = the operator cancels.
struct ScriptedDialogs final : StyleDialogs {
    std::function<std::optional<QFont>(const QFont&)> font = [](const QFont&) { return std::nullopt; };
    std::optional<QColor> colour;
    int fontOpened = 0;
    int colourOpened = 0;
    std::optional<QFont> chooseFont(const QFont& initial, const QString&) override
    {
        ++fontOpened;
        return font(initial);
    }
    std::optional<QColor> chooseColour() override
    {
        ++colourOpened;
        return colour;
    }
};

QFont font_of(const QString& family, double points, bool bold = false, bool italic = false)
{
    QFont f(family);
    f.setPointSizeF(points);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

struct ElementMenuTest : ::testing::Test {
    test::TempProgram program;
    HostState host;
    CurrentPlan currentPlan;
    test::QuietDisplayHost displayHost;
    DisplayWindow window{program.context, host, currentPlan, displayHost};
    CountSession session;
    EngineTimers timers{program.timers};
    RunCommands commands{EngineContext{program.context, host, currentPlan, session, window.countView(), timers}};
    ElementView& display = window.elementView();
    ScriptedDialogs dialogs;
    ElementMenu menu{program.context, host, currentPlan, commands, display, dialogs};

    void SetUp() override
    {
        currentPlan.replace(ClockPlan::defaults(QDate(2026, 12, 8)));
        display.setElementText(DisplayElement::Clock, "00:05:00");
        display.setElementFontSize(DisplayElement::Clock, 100);
        display.setElementText(DisplayElement::OvertimeClock, "00:00:10");
        display.setElementFontSize(DisplayElement::OvertimeClock, 50);
        display.setElementText(DisplayElement::DateLine, "2026年12月08日");
        display.setElementFontSize(DisplayElement::DateLine, 40);
    }
    void choose(DisplayElement element, ElementAction item) { menu.elementMenuChosen(item, element); }
    std::optional<QString> stored(const char* name) const { return program.registry.readText(name); }
};

} // namespace

TEST_F(ElementMenuTest, clockFont_appliesAndStoresFontColourAndSize)
{
    test::putOnTestScreen(window); // a screen on which the chosen size is drawn as it is
    currentPlan.edit([&](ClockPlan& p) { plan_codec::setFieldText(p, "sizethree", "90/80/150/100/30/30"); });  // malformed
    const QString family = display.elementFont(DisplayElement::Clock).family();
    dialogs.font = [&](const QFont&) { return font_of(family, 36, true, true); };
    choose(DisplayElement::Clock, ElementAction::Font);

    EXPECT_EQ(display.elementFont(DisplayElement::Clock).pointSizeF(), 36);
    EXPECT_TRUE(display.elementFont(DisplayElement::Clock).bold());
    EXPECT_TRUE(window.findChild<Panel*>("clockPanel")->font().italic());
    EXPECT_EQ(window.findChild<Panel*>("clockPanel")->font().pointSizeF(), 36);
    EXPECT_EQ(plan_codec::fieldText(currentPlan.plan(), "sizethree"), "80/50/36/50/30/30/");
    EXPECT_EQ(currentPlan.plan().clockFont, family);
    // The colour did not change, so the stored system colour stays as it was.
    EXPECT_EQ(currentPlan.plan().clockcolour.text, "-2147483640");
    EXPECT_EQ(stored("sizethree"), "80/50/36/50/30/30/");
    EXPECT_EQ(stored("clockFont"), family);
    EXPECT_EQ(stored("clockcolour"), "-2147483640");
}

TEST_F(ElementMenuTest, fontSize_isTakenAsChosen_soRepeatedUseNeverGrowsIt)
{
    dialogs.font = [](const QFont& initial) { return initial; };  // OK without changes
    display.setElementFontSize(DisplayElement::DateLine, 10.5);
    for (int i = 0; i < 3; ++i)
        choose(DisplayElement::DateLine, ElementAction::Font);
    EXPECT_EQ(display.elementFont(DisplayElement::DateLine).pointSizeF(), 10.5);
    EXPECT_EQ(plan_codec::fieldText(currentPlan.plan(), "sizethree"), "90/80/150/10.5/30/30/");
    EXPECT_EQ(stored("sizethree"), "90/80/150/10.5/30/30/");
    EXPECT_TRUE(stored("stagefont").has_value());
    EXPECT_EQ(stored("stagecolour"), "-2147483640");
}

TEST_F(ElementMenuTest, fontOfOneElement_keepsTheOtherSizesAsStoredEvenUnreadable)
{
    const QString sizes = "abc/-5/150/1e999/99999999999//";
    currentPlan.edit([&](ClockPlan& p) { plan_codec::setFieldText(p, "sizethree", sizes); });
    dialogs.font = [](const QFont& initial) { return font_of(initial.family(), 36); };
    choose(DisplayElement::Clock, ElementAction::Font);
    EXPECT_EQ(plan_codec::fieldText(currentPlan.plan(), "sizethree"), "abc/-5/36/1e999/99999999999//");
    EXPECT_EQ(stored("sizethree"), "abc/-5/36/1e999/99999999999//");
    choose(DisplayElement::DateLine, ElementAction::Font);
    EXPECT_EQ(stored("sizethree"), "abc/-5/36/36/99999999999//");
}

TEST_F(ElementMenuTest, cancelledOrNotForThisElement_changesNothing)
{
    const ClockPlan before = currentPlan.plan();
    choose(DisplayElement::Clock, ElementAction::Font); // font dialog cancelled
    choose(DisplayElement::Clock, ElementAction::Colour); // colour dialog cancelled
    EXPECT_EQ(display.elementFont(DisplayElement::Clock).pointSizeF(), 100);
    EXPECT_EQ(dialogs.fontOpened, 1);

    dialogs.font = [](const QFont&) { return font_of("Monospace", 20); };
    dialogs.colour = QColor(255, 0, 0);
    choose(DisplayElement::Logo, ElementAction::Font); // the logo has no font: no dialog
    EXPECT_EQ(dialogs.fontOpened, 1);
    choose(DisplayElement::Logo, ElementAction::Colour); // the colour dialog opens but nothing takes the colour
    EXPECT_EQ(dialogs.colourOpened, 2);
    menu.elementMenuChosen(ElementAction(5), DisplayElement::Clock);
    EXPECT_EQ(currentPlan.plan(), before);
    EXPECT_FALSE(stored("clockcolour").has_value());
}

TEST_F(ElementMenuTest, overtimeClockAndTitle_showChanges_butStoreNothing)
{
    const ClockPlan before = currentPlan.plan();
    dialogs.font = [](const QFont&) { return font_of("Monospace", 20); };
    dialogs.colour = QColor(0, 128, 0);
    choose(DisplayElement::OvertimeClock, ElementAction::Font);
    choose(DisplayElement::OvertimeClock, ElementAction::Colour);
    EXPECT_EQ(display.elementFont(DisplayElement::OvertimeClock).pointSizeF(), 20);
    EXPECT_EQ(display.elementColour(DisplayElement::OvertimeClock), QColor(0, 128, 0));
    EXPECT_EQ(window.findChild<Panel*>("overtimePanel")->foreColor(), QColor(0, 128, 0));
    choose(DisplayElement::MainTitle, ElementAction::Colour);
    EXPECT_EQ(display.elementColour(DisplayElement::MainTitle), QColor(0, 128, 0));
    EXPECT_EQ(currentPlan.plan(), before);
    EXPECT_FALSE(stored("clockFont").has_value());
    EXPECT_FALSE(stored("sizethree").has_value());
}

TEST_F(ElementMenuTest, colour_ofClockStoresOnlyClockcolour_ofDateLineItsFontAndColour)
{
    dialogs.colour = QColor(255, 0, 0);
    choose(DisplayElement::Clock, ElementAction::Colour);
    EXPECT_EQ(display.elementColour(DisplayElement::Clock), QColor(255, 0, 0));
    EXPECT_EQ(window.findChild<Panel*>("clockPanel")->foreColor(), QColor(255, 0, 0));
    EXPECT_EQ(currentPlan.plan().clockcolour.text, "255");
    EXPECT_EQ(stored("clockcolour"), "255");
    EXPECT_EQ(plan_codec::fieldText(currentPlan.plan(), "sizethree"), "90/80/100/100/30/30/");  // the clock's size, in memory
    EXPECT_FALSE(stored("sizethree").has_value());
    EXPECT_FALSE(stored("clockFont").has_value());

    dialogs.colour = QColor(0, 0, 255);
    choose(DisplayElement::DateLine, ElementAction::Colour);
    EXPECT_EQ(currentPlan.plan().stagecolour.text, colourToText(QColor(0, 0, 255)));
    EXPECT_EQ(stored("stagecolour"), colourToText(QColor(0, 0, 255)));
    EXPECT_EQ(stored("stagefont"), display.elementFont(DisplayElement::DateLine).family());
}

TEST_F(ElementMenuTest, centre_movesHorizontally_andStoresOnlyTheDateLine)
{
    ScreenMetrics screen;
    screen.fullWidthPx = 1920;
    screen.fullHeightPx = 1050;
    screen.screenWidthPx = 1920;
    window.setScreenMetrics(screen);
    window.layout().setTwipsGeometry(window.findChild<Panel*>("textPanel2"), 100, 700, 6000, 900);
    window.layout().setTwipsGeometry(window.findChild<Panel*>("textPanel1"), 100, 300, 4000, 900);

    const QString savedLeft = program.ini.read("clocksite", "pictureleft1", "none");
    choose(DisplayElement::Subtitle, ElementAction::Centre);
    EXPECT_DOUBLE_EQ(display.elementRect(DisplayElement::Subtitle).left(), (15.0 * 1920 - 4000) / 2);
    EXPECT_EQ(program.ini.read("clocksite", "pictureleft1", "none"), savedLeft);

    choose(DisplayElement::DateLine, ElementAction::Centre);
    EXPECT_DOUBLE_EQ(display.elementRect(DisplayElement::DateLine).left(), (15.0 * 1920 - 6000) / 2);
    EXPECT_DOUBLE_EQ(display.elementRect(DisplayElement::DateLine).top(), 700);
    EXPECT_EQ(program.ini.read("clocksite", "pictureleft2", "none"), "11400");
    EXPECT_EQ(program.ini.read("clocksite", "picturetop2", "none"), "700");
}

TEST_F(ElementMenuTest, weekday_togglesPromptAndSecondFlagDigit)
{
    host.menus.setWeekdayChecked(true);
    currentPlan.edit([&](ClockPlan& p) { plan_codec::setFieldText(p, "checkthree", "011111"); });
    display.setElementText(DisplayElement::Prompt, "周二");
    menu.elementMenuChosen(ElementAction::Weekday, DisplayElement::Prompt);
    EXPECT_FALSE(host.menus.weekdayChecked());
    EXPECT_EQ(display.elementText(DisplayElement::Prompt), "");
    EXPECT_TRUE(!display.isElementShown(DisplayElement::Prompt));
    EXPECT_EQ(plan_codec::fieldText(currentPlan.plan(), "checkthree"), "001111");

    menu.elementMenuChosen(ElementAction::Weekday, DisplayElement::Prompt);
    EXPECT_TRUE(host.menus.weekdayChecked());
    EXPECT_EQ(display.elementText(DisplayElement::Prompt), weekdayName(display.now().date()));
    EXPECT_FALSE(!display.isElementShown(DisplayElement::Prompt));
    EXPECT_EQ(plan_codec::fieldText(currentPlan.plan(), "checkthree"), "011111");
}

TEST_F(ElementMenuTest, replacedPlan_weekdayMarkFollowsIt)
{
    host.menus.setWeekdayChecked(true);
    currentPlan.edit([](ClockPlan& p) { p.showsWeekday = Switch::Off; });
    EXPECT_FALSE(host.menus.weekdayChecked());
    currentPlan.edit([](ClockPlan& p) { p.showsWeekday = Switch::On; });
    EXPECT_TRUE(host.menus.weekdayChecked());
}

TEST_F(ElementMenuTest, weekday_shortFlagText_isPaddedBeforeTheRewrite)
{
    host.menus.setWeekdayChecked(false);
    for (const char* flags : {"", "1"}) {
        currentPlan.edit([&](ClockPlan& p) { plan_codec::setFieldText(p, "checkthree", flags); });
        host.menus.setWeekdayChecked(false);
        menu.elementMenuChosen(ElementAction::Weekday, DisplayElement::Prompt);
        EXPECT_EQ(plan_codec::fieldText(currentPlan.plan(), "checkthree"), QString(flags).leftJustified(1, '0') + "1") << flags;
    }
}
