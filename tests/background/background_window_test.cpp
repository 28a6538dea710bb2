#include "stores/plan_store.h"
#include "background/background_window.h"
#include "background/picture_import.h"

#include "display/display_window.h"
#include "display/panel.h"
#include "menus/style_dialogs.h"
#include "services/file_dialog.h"
#include "platform/save_file.h"
#include "support/file_size_limit.h"
#include "support/pipe_watchdog.h"
#include "support/png_bytes.h"
#include "support/quiet_display_host.h"
#include "support/read_only_folder.h"
#include "support/temp_program.h"

#include <QBuffer>
#include <QCheckBox>
#include <QDir>
#include <QImage>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace orvalen;
using namespace orvalen::test;

namespace {

struct PickedColour final : StyleDialogs {
    std::optional<QFont> chooseFont(const QFont&, const QString&) override { return std::nullopt; }
    std::optional<QColor> chooseColour() override { return colour; }
    std::optional<QColor> colour;
};

struct PickedFile final : FileChooser {
    QString choose(const FileDialogRequest& request) override
    {
        filter = request.filter;
        return path;
    }
    QString path;
    QString filter; // of the last request
};

struct BackgroundWindowTest : ::testing::Test {
    TempProgram program;
    HostState host;
    CurrentPlan currentPlan;
    QuietDisplayHost displayHost;
    DisplayWindow display{program.context, host, currentPlan, displayHost};
    BackgroundView& shown = display.backgroundView(); // the background as the window sees it
    PickedColour colours;
    PickedFile files;
    QTemporaryDir elsewhere;

    void SetUp() override
    {
        loadCurrentPlan(program.registry, currentPlan, program.clock.now().date());
        display.load();
    }
    QString outside(const QString& name, const QByteArray& data)
    {
        const QString path = elsewhere.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.write(data) == data.size());
        return path;
    }
    QString stored(const QString& key) { return program.ini.read("Marquee", key, "<absent>"); }
};

} // namespace

TEST_F(BackgroundWindowTest, colourMode_dropsAnUnsavedColourOnSwitch_applyKeepsTheStoredPictureName)
{
    BackgroundWindow window(program.context, currentPlan, display.backgroundView(), colours, files);
    EXPECT_TRUE(window.colourMode());
    const PlanColour shown = window.colour();
    colours.colour = QColor(0, 0, 255);
    window.chooseColour();
    window.colourSwitch()->setChecked(false);
    window.colourSwitch()->setChecked(true);
    EXPECT_EQ(window.colour(), shown);

    program.ini.write("Marquee", "backgroundText", "gone.png");
    window.chooseColour();
    window.apply();
    EXPECT_EQ(display.findChild<Panel*>("clockPanel")->backColor(), QColor(0, 0, 255));
    EXPECT_EQ(stored("backgroundColor"), QString::number(0xFF0000));
    EXPECT_EQ(stored("backgroundText"), "gone.png");
}

TEST_F(BackgroundWindowTest, import_reusesIdenticalFile_storesOtherContentsUnderAFreeName_neverOverwrites)
{
    const QByteArray red = png(Qt::red), blue = png(Qt::blue);
    ASSERT_TRUE(program.writeFile("picture/stage.png", red));
    EXPECT_EQ(copyPictureIn(program.context.folder, outside("stage.png", red), nullptr), "stage.png");
    EXPECT_EQ(copyPictureIn(program.context.folder, outside("stage.png", blue), nullptr), "stage(2).png");
    EXPECT_EQ(copyPictureIn(program.context.folder, outside("stage.png", blue), nullptr), "stage(2).png");
    EXPECT_EQ(program.readFile("picture/stage.png"), red);
    EXPECT_EQ(program.readFile("picture/stage(2).png"), blue);

    QString why;
    EXPECT_TRUE(copyPictureIn(program.context.folder, outside("bad.jpg", "not a picture"), &why).isEmpty());
    EXPECT_FALSE(why.isEmpty());
    EXPECT_FALSE(QFile::exists(program.file("picture/bad.jpg")));
}

TEST_F(BackgroundWindowTest, importOfAPipe_refusedAtOnceWithTheImportRefusal)
{
    const QString fifo = elsewhere.filePath("pipe.png");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QString why;
    bool hung = false;
    const QString stored = runBesidePipe(fifo, [&] { return copyPictureIn(program.context.folder, fifo, &why); }, &hung);
    EXPECT_FALSE(hung) << "the import waited for a writer on the pipe";
    EXPECT_TRUE(stored.isEmpty());
    EXPECT_EQ(why, "无法导入：pipe.png 不是能显示的图片文件");
    EXPECT_FALSE(QFile::exists(program.file("picture/pipe.png")));
}

TEST_F(BackgroundWindowTest, importedPictureApplied_showsOnTheDisplay_bareNameFoundInPictureNotTheWorkingFolder)
{
    // A file of the same name in the working folder must not be the one used.
    const QString oldWorking = QDir::currentPath();
    QDir::setCurrent(elsewhere.path());
    files.path = outside("back.png", png(Qt::green));
    ASSERT_TRUE(program.writeFile("picture/back.png", png(Qt::yellow)));
    BackgroundWindow window(program.context, currentPlan, display.backgroundView(), colours, files);
    window.colourSwitch()->setChecked(false);
    window.importPicture();
    QDir::setCurrent(oldWorking);
    EXPECT_EQ(window.pictureName(), "back(2).png");
    // The dialog offers PNG among the readable kinds, in balanced brackets.
    EXPECT_TRUE(files.filter.split(QLatin1Char(' ')).contains("*.png")) << files.filter.toStdString();
    EXPECT_EQ(files.filter.count(QLatin1Char('(')), files.filter.count(QLatin1Char(')')));
    window.apply();
    EXPECT_TRUE(shown.backgroundIsPicture());
    EXPECT_EQ(shown.backgroundPicture().toImage().pixelColor(0, 0), QColor(Qt::green));
    EXPECT_EQ(stored("backgroundText"), "back(2).png");
}

TEST_F(BackgroundWindowTest, badPictureOrUnwritableFolder_messageAndNothingChanged)
{
    BackgroundWindow window(program.context, currentPlan, display.backgroundView(), colours, files);
    window.colourSwitch()->setChecked(false);
    files.path = outside("broken.jpg", "garbage");
    window.importPicture();
    ASSERT_EQ(program.notifier.shown.size(), 1u);
    EXPECT_TRUE(window.pictureName().isEmpty());

    files.path = outside("fine.png", png(Qt::red));
    ReadOnlyFolder locked(program.file("picture"));
    if (!locked.active())
        GTEST_SKIP() << "the folder cannot be made read-only here";
    window.importPicture();
    EXPECT_EQ(program.notifier.shown.size(), 2u);
    window.apply();
    EXPECT_FALSE(shown.backgroundIsPicture());
    EXPECT_EQ(stored("backgroundText"), "<absent>");
}

TEST_F(BackgroundWindowTest, opensWithTheWhiteOnTheDisplayNotAStoredChoice_applyUnchangedLeavesTheDisplay)
{
    // Stored: black and a red picture; on the display: the plan's white.
    program.ini.write("Marquee", "backgroundColor", "0");
    program.ini.write("Marquee", "backgroundText", "other.png");
    ASSERT_TRUE(program.writeFile("picture/other.png", png(Qt::red)));
    const auto* box = display.findChild<Panel*>("clockPanel");
    ASSERT_FALSE(shown.backgroundIsPicture());
    ASSERT_EQ(box->backColor(), QColor(Qt::white));

    BackgroundWindow window(program.context, currentPlan, display.backgroundView(), colours, files);
    EXPECT_TRUE(window.colourMode());
    const QImage colourBox = window.colourBox()->grab().toImage();
    EXPECT_EQ(colourBox.pixelColor(colourBox.rect().center()), QColor(Qt::white));

    window.apply();
    EXPECT_FALSE(shown.backgroundIsPicture());
    EXPECT_EQ(box->backColor(), QColor(Qt::white));
    EXPECT_EQ(display.findChild<BackgroundBox*>("backgroundBox")->backColor(), QColor(Qt::white));
}

TEST_F(BackgroundWindowTest, importOnAFullDisk_oneMessageWithItsCauseInChinese)
{
    BackgroundWindow window(program.context, currentPlan, display.backgroundView(), colours, files);
    window.colourSwitch()->setChecked(false);
    files.path = outside("fine.png", png(Qt::red));
    QStringList told;
    setSaveFailureHandler([&told](const QString& path, const QString&) { told << path; });
    {
        FileSizeLimit fullDisk(16);
        ASSERT_TRUE(fullDisk.active());
        window.importPicture();
    }
    setSaveFailureHandler({});
    EXPECT_TRUE(told.isEmpty());
    ASSERT_EQ(program.notifier.shown.size(), 1u);
    EXPECT_TRUE(program.notifier.texts()[0].contains("磁盘已满")) << program.notifier.texts()[0].toStdString();
    EXPECT_TRUE(window.pictureName().isEmpty());
    EXPECT_FALSE(QFile::exists(program.file("picture/fine.png")));
}
