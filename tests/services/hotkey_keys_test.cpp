#include "services/hotkey_keys.h"

#include "support/temp_program.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace orvalen;

TEST(HotkeyKeys, modifierPart_mustMatchTheTableExactly)
{
    EXPECT_EQ(hotkeyModifiers("Ctrl+Alt+F5"), 3);
    EXPECT_EQ(hotkeyModifiers("Shift+Ctrl+Alt+Space"), 7);
    EXPECT_EQ(hotkeyModifiers("Shift+Alt+A"), 5);
    EXPECT_EQ(hotkeyModifiers("Alt+Ctrl+F5"), 0);  // order matters
    EXPECT_EQ(hotkeyModifiers("ctrl+F5"), 0);
    EXPECT_EQ(hotkeyModifiers("A"), 0);
}

TEST(HotkeyKeys, keyNames_mapToCodesAndBack_forAllSixty)
{
    EXPECT_EQ(hotkeyKeyCode("Ctrl+Alt+F5"), 116);
    EXPECT_EQ(hotkeyKeyCode("A"), 65);
    EXPECT_EQ(hotkeyKeyCode("Shift+Num 3"), 99);
    EXPECT_EQ(hotkeyKeyCode("Ctrl+a"), 0);
    EXPECT_EQ(hotkeyKeyCode("F13"), 0);
    EXPECT_EQ(hotkeyKeyCode("F01"), 0);
    EXPECT_EQ(hotkeyKeyCode("Num 10"), 0);
    EXPECT_EQ(hotkeyKeyCode("无"), 0);
    EXPECT_EQ(hotkeyKeyCode(""), 0);
    EXPECT_EQ(hotkeyKeyName(99), "Num 3");
    EXPECT_EQ(hotkeyKeyName(121), "F10");
    EXPECT_EQ(hotkeyKeyName(7), "");

    int named = 0;
    for (int code = 0; code < 256; ++code) {
        const QString name = hotkeyKeyName(code);
        if (name.isEmpty())
            continue;
        ++named;
        EXPECT_EQ(hotkeyKeyCode("Ctrl+" + name), code) << name.toStdString();
    }
    EXPECT_EQ(named, 60);
}

TEST(HotkeyKeys, parse_acceptsOnlyKnownModifiersAndKeys)
{
    using Kind = HotkeyText::Kind;
    EXPECT_EQ(parseHotkeyText("无").kind, Kind::None);
    EXPECT_EQ(parseHotkeyText("  ").kind, Kind::None);
    const HotkeyText ok = parseHotkeyText(" Ctrl+Alt+S ");
    EXPECT_EQ(ok.kind, Kind::Valid);
    EXPECT_EQ(ok.modifiers, 3);
    EXPECT_EQ(ok.keyCode, 'S');
    EXPECT_EQ(parseHotkeyText("F9").kind, Kind::Valid);  // a bare key is allowed
    for (const char* bad : {"Win+F1", "Alt+Ctrl+F5", "ctrl+alt+s", "Ctrl+s", "Ctrl+", "+F1", "Foo", "Ctrl+Alt+F13"})
        EXPECT_EQ(parseHotkeyText(QString::fromUtf8(bad)).kind, Kind::Invalid) << bad;
}

TEST(HotkeyKeys, oftenSetting_givesSwitchAndPrefix)
{
    test::TempProgram program;
    struct Case {
        const char* often;
        bool enabled;
        const char* prefix;
    };
    for (const Case& c : {Case{"10", true, "Ctrl+"}, Case{"01", true, "Alt+"}, Case{"11", true, "Ctrl+Alt+"},
                          Case{"00", false, ""}, Case{"20", true, ""}, Case{"x1", true, "Alt+"}, Case{"1", true, "Ctrl+"}}) {
        program.ini.write("Hotkey", "often", c.often);
        EXPECT_EQ(planHotkeysEnabled(program.ini), c.enabled) << c.often;
        EXPECT_EQ(planHotkeyPrefix(program.ini), QString(c.prefix)) << c.often;
    }
}

TEST(HotkeyKeys, startAlsoStops_followsNumericValue_andMissingFileMeansOff)
{
    test::TempProgram program;
    EXPECT_EQ(startKeyAlsoStops(program.ini), 0);
    program.ini.write("Hotkey", "opentogetherstop", "5");
    EXPECT_EQ(startKeyAlsoStops(program.ini), 1);
    program.ini.write("Hotkey", "opentogetherstop", "0");
    EXPECT_EQ(startKeyAlsoStops(program.ini), 0);

    program.ini.write("Hotkey", "opentogetherstop", "1");
    program.ini.write("Hotkey", "often", "11");
    ASSERT_TRUE(QFile::remove(program.ini.file()));
    EXPECT_EQ(startKeyAlsoStops(program.ini), 0);
    EXPECT_FALSE(planHotkeysEnabled(program.ini));
    EXPECT_EQ(planHotkeyPrefix(program.ini), "");
}
