#include "stores/ini_store.h"

#include "stores/time_data_keys.h"
#include "support/file_size_limit.h"
#include "support/read_only_folder.h"
#include "support/temp_program.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace orvalen;

namespace {

class IniStoreTest : public ::testing::Test {
protected:
    test::TempProgram program;
    QString file = program.file("TimeData.db");
};

} // namespace

TEST_F(IniStoreTest, read_givesTheCallersDefaultForAbsentAndEmptyKeys)
{
    program.writeFile("TimeData.db", "[Marquee]\nWidth=\nMode=1\n");
    EXPECT_EQ(program.ini.read("Marquee", "Width", "1000"), "1000");
    EXPECT_EQ(program.ini.read(time_data::kMarquee, time_data::kWidth, time_data::kWidthSettingsDefault), "5000");
    EXPECT_EQ(program.ini.read("Marquee", "Mode", "2"), "1");
    EXPECT_EQ(program.ini.read("Nowhere", "Mode", "2"), "2");
    EXPECT_EQ(program.ini.read("Marquee", "currentrow", time_data::kCurrentRowDefault), "-10");
}

TEST_F(IniStoreTest, write_createsSectionAndFileAndReturnsNonZero)
{
    QFile::remove(file);
    EXPECT_TRUE(program.ini.write("Hotkey", "start", "无"));
    EXPECT_EQ(program.ini.read("Hotkey", "start", ""), "无");
    EXPECT_TRUE(program.ini.write("Marquee", "backgroundText", "春天 1.jpg"));
    EXPECT_EQ(program.ini.read("Marquee", "backgroundText", ""), "春天 1.jpg");
    EXPECT_EQ(program.readFile("TimeData.db"), QString("[Hotkey]\nstart=无\n[Marquee]\nbackgroundText=春天 1.jpg\n").toUtf8());
}

TEST_F(IniStoreTest, readAll_joinsTheSectionWithCommas)
{
    program.writeFile("TimeData.db", "[a]\na=1\nb=2\n[empty]\n");
    EXPECT_EQ(program.ini.readAll("a", "none"), "a=1,b=2");
    EXPECT_EQ(program.ini.readAll("empty", "none"), "none");
    EXPECT_EQ(program.ini.readAll("missing", "none"), "none");
}

TEST_F(IniStoreTest, removeAndRemoveSection_neverCreateTheFile)
{
    program.writeFile("TimeData.db", "[Marquee]\nMode=1\ncurrentrow=3\n[Hotkey]\nstart=F1\n");
    EXPECT_TRUE(program.ini.remove("Marquee", "currentrow"));
    EXPECT_EQ(program.readFile("TimeData.db"), "[Marquee]\nMode=1\n[Hotkey]\nstart=F1\n");
    EXPECT_TRUE(program.ini.removeSection("Hotkey"));
    EXPECT_EQ(program.readFile("TimeData.db"), "[Marquee]\nMode=1\n");

    QFile::remove(file);
    EXPECT_TRUE(program.ini.remove("Marquee", "currentrow"));
    EXPECT_TRUE(program.ini.removeSection("Marquee"));
    EXPECT_FALSE(QFile::exists(file));
}

TEST_F(IniStoreTest, edit_savesAllItsKeysInOneSaveOrOnAFailureNone)
{
    program.writeFile("TimeData.db", "[Hotkey]\nstart=F1\nstop=F2\n[Marquee]\ncurrentrow=3\n");
    const QByteArray before = program.readFile("TimeData.db");
    ASSERT_EQ(program.ini.read("Hotkey", "start", ""), "F1");
    const auto edit = [this] {
        return IniEdit(program.ini).write("Hotkey", "start", "F11").write("Hotkey", "stop", "F12").write("Hotkey", "pause", "F10");
    };
    QString error;
    {
        // Room for the first change alone, not for all three.
        test::FileSizeLimit fullDisk(before.size() + 2);
        ASSERT_TRUE(fullDisk.active());
        EXPECT_FALSE(edit().save(&error));
    }
    EXPECT_TRUE(error.contains("磁盘已满")) << error.toStdString();
    EXPECT_EQ(program.readFile("TimeData.db"), before);
    EXPECT_EQ(program.ini.read("Hotkey", "start", ""), "F1");
    EXPECT_EQ(program.ini.read("Hotkey", "pause", "absent"), "absent");

    IniEdit saved = edit();
    saved.remove("Marquee", "currentrow");
    ASSERT_TRUE(saved.save());
    EXPECT_EQ(program.readFile("TimeData.db"), "[Hotkey]\nstart=F11\nstop=F12\npause=F10\n[Marquee]\n");
    EXPECT_EQ(program.ini.read("Hotkey", "stop", ""), "F12");
    ASSERT_TRUE(saved.undo().save());
    EXPECT_EQ(program.readFile("TimeData.db"), before);
}

TEST(SectionToList, joinsEntriesSkipsEmptyOnesAndDropsTheLastComma)
{
    const QChar nul(0);
    EXPECT_EQ(sectionToList(QString("a=1") + nul + "b=2" + nul), "a=1,b=2");
    EXPECT_EQ(sectionToList(QString("a=1") + nul + nul + "b=2" + nul), "a=1,b=2");
    EXPECT_EQ(sectionToList(QString(" a=1") + nul + " " + nul), "a=1");
    EXPECT_EQ(sectionToList(QString(nul)), "");
    EXPECT_EQ(sectionToList(""), "");
}

TEST_F(IniStoreTest, missingProgramFolder_readsDefaultsAndWritesFail)
{
    IniStore ini(program.path() + "no such folder/TimeData.db");
    EXPECT_EQ(ini.read("Marquee", "Mode", "2"), "2");
    EXPECT_FALSE(ini.write("Marquee", "Mode", "1"));
    EXPECT_TRUE(ini.remove("Marquee", "currentrow"));
}

TEST_F(IniStoreTest, readOnlyProgramFolder_writesFailAndTheFileStaysWhole)
{
    program.writeFile("TimeData.db", "[Marquee]\nMode=1\ncurrentrow=3\n");
    test::ReadOnlyFolder readOnly(program.path());
    if (!readOnly.active())
        GTEST_SKIP() << "this system cannot make a folder read-only";
    EXPECT_FALSE(program.ini.write("Marquee", "Mode", "2"));
    EXPECT_FALSE(program.ini.remove("Marquee", "currentrow"));
    EXPECT_EQ(program.ini.read("Marquee", "Mode", "2"), "1");
    EXPECT_EQ(program.readFile("TimeData.db"), "[Marquee]\nMode=1\ncurrentrow=3\n");
}
