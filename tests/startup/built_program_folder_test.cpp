// The program folder the build produces: every file the start-up gate asks
// for, a DeskData.db the program can open, and usable default sounds.
#include "platform/program_folder.h"
#include "stores/database.h"
#include "stores/desk_data_schema.h"
#include "stores/ini_store.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <cstdlib>
#include <gtest/gtest.h>

using namespace orvalen;

namespace {

class BuiltProgramFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString dir = qEnvironmentVariable("ORVALEN_PROGRAM_TEMPLATE");
        if (dir.isEmpty() || !QFileInfo(dir).isDir())
            GTEST_SKIP() << "ORVALEN_PROGRAM_TEMPLATE does not name the built program folder";
        folder = ProgramFolder(dir);
    }

    QByteArray read(const QString& name) const
    {
        QFile f(folder.file(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    ProgramFolder folder;
};

struct WavInfo {
    quint16 format = 0, channels = 0, bits = 0;
    quint32 rate = 0, dataBytes = 0;
    QByteArray data;
};

WavInfo parseWav(const QByteArray& bytes)
{
    WavInfo info;
    if (bytes.size() < 44 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return info;
    QDataStream in(bytes);
    in.setByteOrder(QDataStream::LittleEndian);
    in.skipRawData(12);
    while (!in.atEnd()) {
        char id[4];
        quint32 size = 0;
        if (in.readRawData(id, 4) != 4)
            break;
        in >> size;
        if (QByteArray(id, 4) == "fmt ") {
            in >> info.format >> info.channels >> info.rate;
            in.skipRawData(6);
            in >> info.bits;
            in.skipRawData(int(size) - 16);
        } else if (QByteArray(id, 4) == "data") {
            info.dataBytes = size;
            info.data = bytes.mid(int(in.device()->pos()), int(size));
            break;
        } else {
            in.skipRawData(int(size));
        }
    }
    return info;
}

} // namespace

TEST_F(BuiltProgramFolder, holdsEveryFileTheGateAndTheWindowsNeed)
{
    for (const char* name : {"TimeData.db", "DeskData.db", "help.chm", "sounds/alarm.wav",
                             "sounds/Timeout.wav", "sounds/Stop.wav"})
        EXPECT_TRUE(QFileInfo(folder.file(QString::fromLatin1(name))).isFile()) << name;
    EXPECT_TRUE(QFileInfo(folder.file(QStringLiteral("picture"))).isDir());
    // A compiled help file, not a copied page.
    EXPECT_TRUE(read(QStringLiteral("help.chm")).startsWith("ITSF"));
}

TEST_F(BuiltProgramFolder, deskData_opensWithThePasswordAndHasBothTablesInColumnOrder)
{
    QByteArray header = read(QStringLiteral("DeskData.db")).left(16);
    EXPECT_NE(header, QByteArray("SQLite format 3\0", 16)); // encrypted
    // A copy: the test must not touch the build's folder.
    QTemporaryDir dir;
    ASSERT_TRUE(QFile::copy(folder.file(QStringLiteral("DeskData.db")), dir.filePath(QStringLiteral("DeskData.db"))));
    QString error;
    Database db = openDeskData(ProgramFolder(dir.path()), &error);
    ASSERT_TRUE(db.isOpen()) << error.toStdString();

    for (const auto& [table, expected] :
         {std::pair{QStringLiteral("deskclock"), deskclockColumns()}, std::pair{QStringLiteral("timesum"), timesumColumns()}}) {
        QStringList columns;
        Statement info(db, QStringLiteral("PRAGMA table_info(%1)").arg(table));
        while (info.next())
            columns << info.text(QStringLiteral("name"));
        EXPECT_EQ(columns, expected) << table.toStdString();
    }
    Statement mode(db, QStringLiteral("PRAGMA journal_mode"));
    ASSERT_TRUE(mode.next());
    EXPECT_EQ(mode.text(QStringLiteral("journal_mode")), QStringLiteral("wal"));
    Statement rows(db, QStringLiteral("SELECT count(*) AS n FROM deskclock"));
    ASSERT_TRUE(rows.next());
    EXPECT_EQ(rows.integer(QStringLiteral("n"), -1), 0);
}

TEST_F(BuiltProgramFolder, freshSettings_showTheDefaultDisplayWithoutButtons)
{
    IniStore ini(folder.file(QStringLiteral("TimeData.db")));
    EXPECT_EQ(ini.read(QStringLiteral("clocksite"), QStringLiteral("pictureleft9"), QStringLiteral("?")), QStringLiteral("0"));
    EXPECT_EQ(ini.read(QStringLiteral("Marquee"), QStringLiteral("currentrow"), QStringLiteral("-10")), QStringLiteral("-10"));
    EXPECT_EQ(ini.read(QStringLiteral("Hotkey"), QStringLiteral("often"), QStringLiteral("?")), QStringLiteral("00"));
    EXPECT_EQ(ini.read(QStringLiteral("Hotkey"), QStringLiteral("start"), QStringLiteral("?")), QStringLiteral("无"));
    // Keys whose readers disagree on the default stay absent.
    EXPECT_EQ(ini.read(QStringLiteral("Marquee"), QStringLiteral("Width"), QStringLiteral("absent")), QStringLiteral("absent"));
}

TEST_F(BuiltProgramFolder, defaultSounds_areShortDistinct16BitPcm)
{
    QSet<QByteArray> seen;
    for (const char* name : {"alarm.wav", "Timeout.wav", "Stop.wav"}) {
        const WavInfo wav = parseWav(read(QStringLiteral("sounds/") + QString::fromLatin1(name)));
        EXPECT_EQ(wav.format, 1) << name; // PCM
        EXPECT_EQ(wav.bits, 16) << name;
        ASSERT_GT(wav.rate, 0u) << name;
        ASSERT_GT(wav.channels, 0) << name;
        const double seconds = double(wav.dataBytes) / (wav.rate * wav.channels * 2);
        EXPECT_GT(seconds, 0.3) << name;
        EXPECT_LT(seconds, 2.0) << name;
        EXPECT_EQ(wav.data.size(), int(wav.dataBytes)) << name;
        // Audible but not clipped.
        qint16 peak = 0;
        for (int i = 0; i + 1 < wav.data.size(); i += 2) {
            const qint16 s = qint16(quint8(wav.data[i]) | (quint8(wav.data[i + 1]) << 8));
            peak = std::max<qint16>(peak, qint16(std::abs(int(s))));
        }
        EXPECT_GT(peak, 8000) << name;
        EXPECT_LT(peak, 32767) << name;
        seen.insert(wav.data);
    }
    EXPECT_EQ(seen.size(), 3);
}
