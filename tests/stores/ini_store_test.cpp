#include "stores/ini_store.h"

#include "stores/time_data_keys.h"
#include "support/read_only_folder.h"
#include "support/temp_program.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace orvalen;

namespace {

class IniAccessTest : public ::testing::Test {
protected:
    QVariant access(const QString& verb, const QString& section, const QString& key, const QString& value)
    {
        return ini_access(verb, file, section, key, value);
    }
    test::TempProgram program;
    QString file = program.file("TimeData.db");
};

} // namespace

TEST_F(IniAccessTest, readpart_givesTheCallersDefaultForAbsentAndEmptyKeys)
{
    program.writeFile("TimeData.db", "[Marquee]\nWidth=\nMode=1\n");
    EXPECT_EQ(access("readpart", "Marquee", "Width", "1000").toString(), "1000");
    EXPECT_EQ(program.ini.read(time_data::kMarquee, time_data::kWidth, time_data::kWidthSettingsDefault), "5000");
    EXPECT_EQ(access("readpart", "Marquee", "Mode", "2").toString(), "1");
    EXPECT_EQ(access("readpart", "Nowhere", "Mode", "2").toString(), "2");
    EXPECT_EQ(program.ini.read("Marquee", "currentrow", time_data::kCurrentRowDefault), "-10");
}

TEST_F(IniAccessTest, write_createsSectionAndFileAndReturnsNonZero)
{
    QFile::remove(file);
    EXPECT_EQ(access("write", "Hotkey", "start", "无").toInt(), 1);
    EXPECT_EQ(access("readpart", "Hotkey", "start", "").toString(), "无");
    EXPECT_TRUE(program.ini.write("Marquee", "backgroundText", "春天 1.jpg"));
    EXPECT_EQ(program.ini.read("Marquee", "backgroundText", ""), "春天 1.jpg");
    EXPECT_EQ(program.readFile("TimeData.db"), QString("[Hotkey]\nstart=无\n[Marquee]\nbackgroundText=春天 1.jpg\n").toUtf8());
}

TEST_F(IniAccessTest, readall_joinsTheSectionWithCommas)
{
    program.writeFile("TimeData.db", "[a]\na=1\nb=2\n[empty]\n");
    EXPECT_EQ(access("readall", "a", "", "none").toString(), "a=1,b=2");
    EXPECT_EQ(access("readall", "empty", "", "none").toString(), "none");
    EXPECT_EQ(access("readall", "missing", "", "none").toString(), "none");
}

TEST_F(IniAccessTest, delpartAndDelall_removeAndNeverCreateTheFile)
{
    program.writeFile("TimeData.db", "[Marquee]\nMode=1\ncurrentrow=3\n[Hotkey]\nstart=F1\n");
    EXPECT_NE(access("delpart", "Marquee", "currentrow", "").toInt(), 0);
    EXPECT_EQ(program.readFile("TimeData.db"), "[Marquee]\nMode=1\n[Hotkey]\nstart=F1\n");
    EXPECT_TRUE(program.ini.removeSection("Hotkey"));
    EXPECT_EQ(program.readFile("TimeData.db"), "[Marquee]\nMode=1\n");

    QFile::remove(file);
    EXPECT_TRUE(program.ini.remove("Marquee", "currentrow"));
    EXPECT_NE(access("delall", "Marquee", "", "").toInt(), 0);
    EXPECT_FALSE(QFile::exists(file));
}

TEST_F(IniAccessTest, otherVerbs_returnNothingAndTouchNothing)
{
    program.writeFile("TimeData.db", "[Marquee]\nMode=1\n");
    for (const char* verb : {"Write", "READPART", "delete", ""}) {
        EXPECT_FALSE(access(verb, "Marquee", "Mode", "2").isValid()) << verb;
        EXPECT_EQ(program.readFile("TimeData.db"), "[Marquee]\nMode=1\n") << verb;
    }
}

TEST(SectionToList, joinsEntriesSkipsEmptyOnesAndDropsTheLastComma)
{
    const QChar nul(0);
    EXPECT_EQ(section_to_list(QString("a=1") + nul + "b=2" + nul), "a=1,b=2");
    EXPECT_EQ(section_to_list(QString("a=1") + nul + nul + "b=2" + nul), "a=1,b=2");
    EXPECT_EQ(section_to_list(QString(" a=1") + nul + " " + nul), "a=1");
    EXPECT_EQ(section_to_list(QString(nul)), "");
    EXPECT_EQ(section_to_list(""), "");
}

TEST_F(IniAccessTest, missingProgramFolder_readsDefaultsAndWritesFail)
{
    const IniStore ini(program.path() + "no such folder/TimeData.db");
    EXPECT_EQ(ini.read("Marquee", "Mode", "2"), "2");
    EXPECT_FALSE(ini.write("Marquee", "Mode", "1"));
    EXPECT_TRUE(ini.remove("Marquee", "currentrow"));
}

TEST_F(IniAccessTest, readOnlyProgramFolder_writesFailAndTheFileStaysWhole)
{
    program.writeFile("TimeData.db", "[Marquee]\nMode=1\ncurrentrow=3\n");
    test::ReadOnlyFolder readOnly(program.path());
    if (!readOnly.active())
        GTEST_SKIP() << "this system cannot make a folder read-only";
    EXPECT_FALSE(program.ini.write("Marquee", "Mode", "2"));
    EXPECT_EQ(access("delpart", "Marquee", "currentrow", "").toInt(), 0);
    EXPECT_EQ(program.ini.read("Marquee", "Mode", "2"), "1");
    EXPECT_EQ(program.readFile("TimeData.db"), "[Marquee]\nMode=1\ncurrentrow=3\n");
}
