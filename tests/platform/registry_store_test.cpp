#include "platform/registry_store.h"

#include "support/file_size_limit.h"
#include "support/read_only_folder.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace orvalen;
using Type = RegistryStore::Type;

namespace {

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath("Vantoria/registry.reg");
    }
    void put(const QByteArray& bytes)
    {
        QDir().mkpath(dir.filePath("Vantoria"));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    QByteArray bytes(const QString& file) const
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    QTemporaryDir dir;
    QString path;
};

const QByteArray kHead = "REGEDIT4\n\n[HKEY_CURRENT_USER\\Vantoria]\n";

} // namespace

TEST_F(RegistryTest, texts_comeBackWholeThroughTheFile)
{
    const QList<QString> texts{
        "",
        "plain",
        "中层干部年终述职考评会",
        "-2147483643\\1.jpg",
        "say \"hi\" \\\" \\\\",
        "two\nlines\r\nand\ttab",
        QString("nul") + QChar(0) + "after",
        QString("ctl") + QChar(1) + QChar(0x1F) + QChar(0x7F),
        QString("lone") + QChar(0xD800) + "half",
        "emoji 😀 and ''",
        "\\x0041 is not an escape here",
        QString(100000, QChar(u'长')),
    };
    {
        RegistryStore writer(path);
        for (int i = 0; i < texts.size(); ++i)
            ASSERT_TRUE(writer.writeText(QString("t%1").arg(i), texts[i])) << i;
    }
    RegistryStore reader(path); // a fresh store parses the file
    for (int i = 0; i < texts.size(); ++i) {
        const auto v = reader.readText(QString("t%1").arg(i));
        ASSERT_TRUE(v.has_value()) << i;
        EXPECT_EQ(*v, texts[i]) << i;
    }
    EXPECT_TRUE(reader.readText("t0")->isEmpty());
    EXPECT_FALSE(reader.read("absent").has_value()); // absent is not empty
}

TEST_F(RegistryTest, file_isRegedit4TextWithEscapesAndDwords)
{
    RegistryStore store(path);
    ASSERT_TRUE(store.writeText("vision", "4"));
    ASSERT_TRUE(store.writeDword("tixingtime", 10));
    ASSERT_TRUE(store.writeDword("pictureleft3", -240));
    ASSERT_TRUE(store.writeText("a\"b", "x\\y\nz"));
    EXPECT_EQ(bytes(path), kHead + "\"vision\"=\"4\"\n"
                                   "\"tixingtime\"=dword:0000000a\n"
                                   "\"pictureleft3\"=dword:ffffff10\n"
                                   "\"a\\\"b\"=\"x\\\\y\\nz\"\n");
}

TEST_F(RegistryTest, names_matchWithoutCaseAndKeepTheirStoredSpelling)
{
    RegistryStore store(path);
    ASSERT_TRUE(store.writeText("clockFont", "新宋体"));
    EXPECT_EQ(store.readText("CLOCKFONT").value_or("?"), "新宋体");
    ASSERT_TRUE(store.writeText("clockfont", "宋体"));
    EXPECT_EQ(store.names(), QStringList{"clockFont"});
    EXPECT_EQ(store.readText("clockFont").value_or("?"), "宋体");
}

TEST_F(RegistryTest, dwords_roundTripAndTypesDoNotMix)
{
    RegistryStore store(path);
    for (qint32 v : {0, 1, -240, INT32_MIN, INT32_MAX}) {
        ASSERT_TRUE(store.writeDword("d", v));
        EXPECT_EQ(RegistryStore(path).readDword("d").value_or(12345), v);
    }
    ASSERT_TRUE(store.writeText("s", "5"));
    EXPECT_FALSE(store.readDword("s").has_value());
    EXPECT_FALSE(store.readText("d").has_value());
    EXPECT_EQ(store.read("d")->type, Type::Dword);
}

TEST_F(RegistryTest, unsupportedType_failsAndWritesNothing)
{
    RegistryStore store(path);
    EXPECT_FALSE(store.write("x", 3, "01 02"));
    EXPECT_FALSE(store.write("x", 0, "text"));
    EXPECT_FALSE(store.write("x", 4, "not a number"));
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(store.write("x", 4, "-7"));
    EXPECT_EQ(store.readDword("x").value_or(0), -7);
    EXPECT_TRUE(store.write("y", 1, "text"));
    EXPECT_EQ(store.readText("y").value_or(""), "text");
    EXPECT_FALSE(store.writeValues({{"z", RegistryStore::Value::ofText("1")},
                                    {"w", RegistryStore::Value{Type::Other, "", 0}}}));
    EXPECT_FALSE(store.read("z").has_value()); // all or nothing
}

TEST_F(RegistryTest, valueOfAnotherType_readsAsErrorAndSurvivesRewrites)
{
    put(kHead + "\"raw\"=hex:01,02,03,\\\n  04,05\n\"multi\"=hex(7):41,00,00,00\n\"ok\"=\"yes\"\n");
    RegistryStore store(path);
    ASSERT_TRUE(store.read("raw").has_value());
    EXPECT_EQ(store.read("raw")->type, Type::Other);
    EXPECT_FALSE(store.readText("raw").has_value());
    EXPECT_FALSE(store.readDword("multi").has_value());
    EXPECT_EQ(store.readText("ok").value_or(""), "yes");
    ASSERT_TRUE(store.writeText("new", "v"));
    EXPECT_EQ(bytes(path), kHead + "\"raw\"=hex:01,02,03,\\\n  04,05\n\"multi\"=hex(7):41,00,00,00\n"
                                   "\"ok\"=\"yes\"\n\"new\"=\"v\"\n");
}

TEST_F(RegistryTest, handWrittenFile_isRead)
{
    put("\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n\r\n; a comment\r\n"
        "[hkey_current_user\\vantoria]\r\n\"Time_Record\" = dword:1\r\n@=\"default\"\r\n"
        "\"gone\"=\"x\"\r\n\"gone\"=-\r\n\"dup\"=\"1\"\r\n\"DUP\"=\"2\"\r\n");
    RegistryStore store(path);
    EXPECT_EQ(store.readDword("time_record").value_or(0), 1);
    EXPECT_EQ(store.readText("").value_or(""), "default");
    EXPECT_FALSE(store.read("gone").has_value());
    EXPECT_EQ(store.readText("dup").value_or(""), "2");
    EXPECT_TRUE(store.setAsideFile().isEmpty());
}

TEST_F(RegistryTest, gb18030File_isRead)
{
    QStringEncoder gb("GB18030");
    put(gb.encode(QString(kHead) + "\"firsttext\"=\"中层干部年终述职考评会\"\n"));
    EXPECT_EQ(RegistryStore(path).readText("firsttext").value_or(""), "中层干部年终述职考评会");
}

TEST_F(RegistryTest, unreadableLines_costOnlyThemselves_andTheOriginalIsKeptAsideOnce)
{
    QByteArray binary;
    for (int i = 0; i < 2048; ++i)
        binary.append(char((i * 73 + 11) % 256));
    const QByteArray good = "\"vision\"=\"4\"\n\"clockmode\"=dword:00000002\n";
    const QList<QByteArray> broken{
        "\"firsttext\"=\"cut off in the midd\n",
        "\"a\"=dword:123456789\n",
        "[HKEY_CURRENT_USER\\Other]\n\"x\"=\"1\"\n[HKEY_CURRENT_USER\\Vantoria]\n",
        "\"raw\"=hex:01,\\\n\n",
        QByteArray(100000, 'z') + "\n",
        "\"bad\"=\"\xff\xfe\x80\"\n",
        binary + "\n",
    };
    int n = 0;
    for (const QByteArray& damage : broken) {
        SCOPED_TRACE(n++);
        QFile::remove(path + ".bad");
        const QByteArray content = kHead + "\"current\"=\"中文\"\n" + damage + good;
        put(content);
        RegistryStore store(path);
        EXPECT_EQ(store.readText("current").value_or(""), "中文");
        EXPECT_EQ(store.readText("vision").value_or(""), "4");
        EXPECT_EQ(store.readDword("clockmode").value_or(-1), 2);
        EXPECT_TRUE(store.setAsideFile().isEmpty());

        ASSERT_TRUE(store.writeText("vision", "4.1"));
        EXPECT_EQ(bytes(path + ".bad"), content);
        ASSERT_TRUE(store.writeText("vision", "4.2"));
        EXPECT_FALSE(QFile::exists(path + ".bad.2")); // once
        RegistryStore again(path);
        EXPECT_EQ(again.readText("current").value_or(""), "中文");
        EXPECT_EQ(again.readDword("clockmode").value_or(-1), 2);
    }
}

TEST_F(RegistryTest, fullDisk_writeFailsAndTheFileStaysWhole)
{
    RegistryStore store(path);
    ASSERT_TRUE(store.writeValues({{"current", RegistryStore::Value::ofText(QString(600, u'计'))},
                                   {"Time_Record", RegistryStore::Value::ofDword(1)}}));
    const QByteArray before = bytes(path);
    {
        test::FileSizeLimit fullDisk(16);
        ASSERT_TRUE(fullDisk.active());
        EXPECT_FALSE(store.writeText("vision", "4"));
    }
    EXPECT_EQ(bytes(path), before);
    EXPECT_FALSE(store.read("vision").has_value());
    EXPECT_EQ(store.readDword("Time_Record").value_or(0), 1);
}

TEST_F(RegistryTest, utf16File_isRead)
{
    const QString text = QString::fromUtf8("Windows Registry Editor Version 5.00\r\n\r\n"
                                           "[HKEY_CURRENT_USER\\Vantoria]\r\n\"firsttext\"=\"述职\"\r\n");
    QByteArray utf16("\xff\xfe", 2);
    utf16.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    put(utf16);
    EXPECT_EQ(RegistryStore(path).readText("firsttext").value_or(""), "述职");
}

TEST_F(RegistryTest, emptyFile_isAnEmptyStoreAndStaysInPlace)
{
    put("");
    RegistryStore store(path);
    EXPECT_TRUE(store.names().isEmpty());
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_FALSE(QFile::exists(path + ".bad"));
}

TEST_F(RegistryTest, twoStoresOnOneFile_seeEachOthersWrites)
{
    RegistryStore a(path);
    RegistryStore b(path);
    EXPECT_FALSE(b.read("clockmode").has_value());
    for (int i = 0; i < 20; ++i) { // same size each time: only the file identity changes
        ASSERT_TRUE(a.writeDword("clockmode", i % 3));
        EXPECT_EQ(b.readDword("clockmode").value_or(-1), i % 3);
    }
    for (int i = 0; i < 20; ++i) { // two quick writes between two reads
        ASSERT_TRUE(b.writeDword("clockmode", 1));
        ASSERT_TRUE(b.writeDword("clockmode", i % 2 ? 0 : 2));
        EXPECT_EQ(a.readDword("clockmode").value_or(-1), i % 2 ? 0 : 2);
    }
    ASSERT_TRUE(a.writeDword("clockmode", 19 % 3));
    ASSERT_TRUE(b.writeText("vision", "4"));
    EXPECT_EQ(a.readText("vision").value_or(""), "4");
    EXPECT_EQ(a.readDword("clockmode").value_or(-1), 19 % 3);
    ASSERT_TRUE(a.remove("VISION"));
    EXPECT_FALSE(b.read("vision").has_value());
}

TEST_F(RegistryTest, removingAbsentValues_changesNothing)
{
    RegistryStore store(path);
    EXPECT_TRUE(store.remove("nothing"));
    EXPECT_FALSE(QFile::exists(path));
    ASSERT_TRUE(store.writeText("keep", "1"));
    const QByteArray before = bytes(path);
    EXPECT_TRUE(store.removeValues({"a", "b"}));
    EXPECT_EQ(bytes(path), before);
}

TEST_F(RegistryTest, readOnlyFolder_writesFailAndNothingIsLost)
{
    put(kHead + "\"vision\"=\"4\"\n");
    {
        test::ReadOnlyFolder readOnly(dir.filePath("Vantoria"));
        if (!readOnly.active())
            GTEST_SKIP() << "this system cannot make a folder read-only";
        RegistryStore store(path);
        EXPECT_FALSE(store.writeText("vision", "5"));
        EXPECT_FALSE(store.remove("vision"));
        EXPECT_EQ(store.readText("vision").value_or(""), "4"); // not the failed value
    }
    EXPECT_EQ(bytes(path), kHead + "\"vision\"=\"4\"\n");
}

TEST_F(RegistryTest, unparsableFileThatCannotBeMoved_isNeverOverwritten)
{
    put("garbage\n");
    {
        test::ReadOnlyFolder readOnly(dir.filePath("Vantoria"));
        if (!readOnly.active())
            GTEST_SKIP() << "this system cannot make a folder read-only";
        RegistryStore store(path);
        EXPECT_TRUE(store.names().isEmpty());
        EXPECT_FALSE(store.writeText("vision", "4"));
    }
    EXPECT_EQ(bytes(path), "garbage\n");
}

TEST_F(RegistryTest, defaultPath_followsTheEnvironment)
{
    const QByteArray oldReg = qgetenv("ORVALEN_REGISTRY");
    const QByteArray oldXdg = qgetenv("XDG_CONFIG_HOME");
    qputenv("ORVALEN_REGISTRY", "/somewhere/test.reg");
    EXPECT_EQ(RegistryStore::defaultPath(), "/somewhere/test.reg");
    qunsetenv("ORVALEN_REGISTRY");
    qputenv("XDG_CONFIG_HOME", "/cfg");
    EXPECT_EQ(RegistryStore::defaultPath(), "/cfg/Vantoria/registry.reg");
    qunsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(RegistryStore::defaultPath(), QDir::homePath() + "/.config/Vantoria/registry.reg");
    if (oldReg.isNull())
        qunsetenv("ORVALEN_REGISTRY");
    else
        qputenv("ORVALEN_REGISTRY", oldReg);
    if (!oldXdg.isNull())
        qputenv("XDG_CONFIG_HOME", oldXdg);
}
