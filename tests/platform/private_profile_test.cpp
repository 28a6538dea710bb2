#include "platform/private_profile.h"

#include "support/file_size_limit.h"
#include "support/read_only_folder.h"

#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace orvalen;
namespace pp = orvalen::profile;

namespace {

class ProfileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath("TimeData.db");
    }
    void put(const QByteArray& bytes)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    QByteArray bytes() const
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    QString get(const QString& section, const QString& key, int buffer = 10000) const
    {
        return pp::getString(path, section, key, "<default>", buffer);
    }
    QTemporaryDir dir;
    QString path;
};

} // namespace

TEST_F(ProfileTest, read_matchesNamesWithoutCaseTrimsAndUnquotes)
{
    put("top=outside any section\n"
        "[marquee]\n"
        "; Mode=9 is a comment\n"
        "  mode  =  2  \n"
        "Width=\"1000\"\n"
        "Speed='3'\n"
        "Inner=\"\"x\"\"\n"
        "Half=\"open\n"
        "Empty=\n"
        "mode=7\n"
        "[ Hotkey ]\n"
        "start=Ctrl+Alt+S\n"
        "[Marquee]\n"
        "late=in a second copy of the section\n");
    EXPECT_EQ(get("Marquee", "Mode"), "2");
    EXPECT_EQ(get("MARQUEE", "width"), "1000");
    EXPECT_EQ(get("Marquee", "Speed"), "3");
    EXPECT_EQ(get("Marquee", "Inner"), "\"x\"");   // one pair only
    EXPECT_EQ(get("Marquee", "Half"), "\"open");   // no closing quote: kept
    EXPECT_EQ(get("Marquee", "Empty"), "");        // present but empty
    EXPECT_EQ(get("Marquee", "top"), "<default>");
    EXPECT_EQ(get("Marquee", "late"), "<default>"); // only the first section counts
    EXPECT_EQ(get("Hotkey", "START"), "Ctrl+Alt+S");
    EXPECT_EQ(get("Nowhere", "x"), "<default>");
    EXPECT_EQ(pp::getString(dir.filePath("missing.db"), "a", "b", "fb"), "fb");
}

TEST_F(ProfileTest, write_replacesInPlaceKeepingEveryOtherByte)
{
    const QByteArray original = "\xEF\xBB\xBF; settings\r\n"
                                "[Marquee]\r\n"
                                "Mode = 1\r\n"
                                "Unknown=keep me\r\n"
                                "\r\n"
                                "[pictureset]\r\n"
                                "Width=800\r\n";
    put(original);
    ASSERT_TRUE(pp::writeString(path, "marquee", "MODE", "2"));
    QByteArray expected = original;
    expected.replace("Mode = 1", "Mode=2");
    EXPECT_EQ(bytes(), expected);
    EXPECT_EQ(get("Marquee", "Mode"), "2");
}

TEST_F(ProfileTest, write_appendsMissingKeyToItsSectionAndMissingSectionToFile)
{
    put("[Marquee]\nMode=1\n\n\n[Hotkey]\nstart=F1");
    ASSERT_TRUE(pp::writeString(path, "Marquee", "Width", "1000"));
    ASSERT_TRUE(pp::writeString(path, "clocksite", "pictureleft3", "-100"));
    EXPECT_EQ(bytes(), "[Marquee]\nMode=1\nWidth=1000\n\n\n[Hotkey]\nstart=F1\n"
                       "[clocksite]\npictureleft3=-100\n");
}

TEST_F(ProfileTest, write_createsMissingFileButDeletingNeverDoes)
{
    EXPECT_TRUE(pp::writeString(path, "Marquee", "currentrow", QString()));
    EXPECT_TRUE(pp::deleteSection(path, "Marquee"));
    EXPECT_FALSE(QFile::exists(path));
    ASSERT_TRUE(pp::writeString(path, "Marquee", "currentrow", "3"));
    EXPECT_EQ(bytes(), "[Marquee]\ncurrentrow=3\n");
}

TEST_F(ProfileTest, delete_removesOnlyTheKeyOrTheSection)
{
    put("[Marquee]\nMode=1\ncurrentrow=4\nWidth=5\n[Hotkey]\nstart=F1\n[pictureset]\nOption=1\n");
    ASSERT_TRUE(pp::writeString(path, "Marquee", "CurrentRow", QString()));
    EXPECT_EQ(bytes(), "[Marquee]\nMode=1\nWidth=5\n[Hotkey]\nstart=F1\n[pictureset]\nOption=1\n");
    ASSERT_TRUE(pp::deleteSection(path, "hotkey"));
    EXPECT_EQ(bytes(), "[Marquee]\nMode=1\nWidth=5\n[pictureset]\nOption=1\n");
    const QByteArray before = bytes();
    EXPECT_TRUE(pp::writeString(path, "Marquee", "absent", QString()));
    EXPECT_EQ(bytes(), before);
}

TEST_F(ProfileTest, section_listsEntriesNulTerminatedAndCutToTheBuffer)
{
    put("[Marquee]\n a = 1 \n;comment\nnot an entry\nb=\"2\"\n[Other]\nc=3\n");
    QString buffer;
    EXPECT_EQ(pp::getSection(path, "marquee", &buffer), 8);
    EXPECT_EQ(buffer, QString("a=1") + QChar(0) + "b=2" + QChar(0));
    EXPECT_EQ(pp::getSection(path, "Marquee", &buffer, 6), 4);
    EXPECT_EQ(pp::getSection(path, "None", &buffer), 0);
    EXPECT_TRUE(buffer.isEmpty());
}

TEST_F(ProfileTest, encodings_gb18030FileIsReadAndWrittenBackAsUtf8)
{
    QStringEncoder gb("GB18030");
    ASSERT_TRUE(gb.isValid());
    put(QByteArray(gb.encode(QString("[Hotkey]\nstart=无\n[Marquee]\nbackgroundText=春天.jpg\n"))));
    EXPECT_EQ(get("Hotkey", "start"), "无");
    EXPECT_EQ(get("Marquee", "backgroundText"), "春天.jpg");
    ASSERT_TRUE(pp::writeString(path, "Marquee", "Mode", "1"));
    EXPECT_EQ(bytes(), QString("[Hotkey]\nstart=无\n[Marquee]\nbackgroundText=春天.jpg\nMode=1\n").toUtf8());
    EXPECT_FALSE(QFile::exists(path + ".bad")); // nothing was lost
}

TEST_F(ProfileTest, utf8WithOneDamagedByte_readsAsUtf8AndIsNeverWrittenBack)
{
    const QByteArray damaged = QString("[Hotkey]\nstart=无\n[Marquee]\nbackgroundText=春天.jpg\nnote=").toUtf8()
        + "\xff" + QString("述职\n").toUtf8();
    put(damaged);
    EXPECT_EQ(get("Hotkey", "start"), "无");
    EXPECT_EQ(get("Marquee", "backgroundText"), "春天.jpg");
    EXPECT_EQ(get("Marquee", "note"), QString(QChar(0xFFFD)) + "述职");
    EXPECT_FALSE(pp::writeString(path, "Marquee", "Mode", "1"));
    EXPECT_EQ(bytes(), damaged);
}

TEST_F(ProfileTest, fileChangedOnDisk_isReadAgainEvenAtTheSameSize)
{
    put("[Marquee]\nMode=1\n");
    EXPECT_EQ(get("Marquee", "Mode"), "1");
    put("[Marquee]\nMode=2\n");
    EXPECT_EQ(get("Marquee", "Mode"), "2");
    ASSERT_TRUE(pp::writeString(path, "Marquee", "Mode", "3"));
    put("[Marquee]\nMode=4\n");
    EXPECT_EQ(get("Marquee", "Mode"), "4");
    QFile::remove(path);
    EXPECT_EQ(get("Marquee", "Mode"), "<default>");
}

TEST_F(ProfileTest, fullDiskOrReadOnlyFile_writeFailsAndTheFileStaysWhole)
{
    const QByteArray original = "[Marquee]\nMode=1\n[clocksite]\npictureleft1=100\n";
    put(original);
    {
        test::FileSizeLimit fullDisk(8);
        ASSERT_TRUE(fullDisk.active());
        EXPECT_FALSE(pp::writeString(path, "Marquee", "Mode", "2"));
    }
    EXPECT_EQ(bytes(), original);
    EXPECT_EQ(get("Marquee", "Mode"), "1");

    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner));
    EXPECT_FALSE(pp::writeString(path, "Marquee", "Mode", "2"));
    EXPECT_EQ(bytes(), original);
    EXPECT_FALSE(QFile::permissions(path) & QFileDevice::WriteOwner);
}

TEST_F(ProfileTest, badInput_binaryEmptyAndHugeLinesReadSafely)
{
    QByteArray binary;
    for (int i = 0; i < 4096; ++i)
        binary.append(char((i * 151 + 7) % 256));
    put(binary);
    EXPECT_EQ(get("Marquee", "Mode"), "<default>");
    // What could not be decoded is never written back.
    EXPECT_FALSE(pp::writeString(path, "Marquee", "Mode", "1"));
    EXPECT_EQ(bytes(), binary);

    put("");
    EXPECT_EQ(get("Marquee", "Mode"), "<default>");

    const QString longValue(100000, QChar(u'长'));
    put(QString("[Marquee]\nlong=" + longValue + "\nMode=2\n").toUtf8());
    EXPECT_EQ(get("Marquee", "long"), longValue.left(9999)); // cut to the buffer
    EXPECT_EQ(get("Marquee", "long", 200000), longValue);
    ASSERT_TRUE(pp::writeString(path, "Marquee", "Mode", "3"));
    EXPECT_EQ(get("Marquee", "long", 200000), longValue);

    put("[Marq"); // cut off in the middle of a header
    EXPECT_EQ(get("Marquee", "Mode"), "<default>");
}

TEST_F(ProfileTest, write_refusesTextsThatWouldBreakTheFile)
{
    put("[Marquee]\nMode=1\n");
    EXPECT_FALSE(pp::writeString(path, "Marquee", "Mode", "1\n[Hotkey]\nstart=F1"));
    EXPECT_FALSE(pp::writeString(path, "Mar]quee", "Mode", "1"));
    EXPECT_FALSE(pp::writeString(path, "Marquee", "a=b", "1"));
    EXPECT_EQ(bytes(), "[Marquee]\nMode=1\n");
}

TEST_F(ProfileTest, readOnlyFolder_writeFailsAndFileStaysAsItWas)
{
    put("[Marquee]\nMode=1\n");
    test::ReadOnlyFolder readOnly(dir.path());
    if (!readOnly.active())
        GTEST_SKIP() << "this system cannot make a folder read-only";
    EXPECT_FALSE(pp::writeString(path, "Marquee", "Mode", "2"));
    EXPECT_FALSE(pp::writeString(path, "Marquee", "Mode", QString()));
    EXPECT_FALSE(pp::deleteSection(path, "Marquee"));
    EXPECT_EQ(bytes(), "[Marquee]\nMode=1\n");
    EXPECT_EQ(get("Marquee", "Mode"), "1");
}
