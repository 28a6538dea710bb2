#include "background/background_window.h"
#include "background/picture_import.h"

#include "display/display_window.h"
#include "display/panel.h"
#include "menus/style_dialogs.h"
#include "services/file_dialog.h"
#include "platform/save_file.h"
#include "support/file_size_limit.h"
#include "support/quiet_display_host.h"
#include "support/read_only_folder.h"
#include "support/temp_program.h"

#include <QBuffer>
#include <QCheckBox>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace orvalen;
using namespace orvalen::test;

namespace {

struct PickedColour final : StyleDialogs {
    std::optional<QFont> chooseFont(const QFont&, const QString&) override { return std::nullopt; }
    std::optional<QColor> chooseColour() override { return colour; }
    std::optional<QColor> colour;
};

struct PickedFile final : FileChooser {
    QString choose(const FileDialogRequest&) override { return path; }
    QString path;
};

QByteArray png(QColor colour)
{
    QImage image(8, 6, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

struct BackgroundWindowTest : ::testing::Test {
    TempProgram program;
    HostState host;
    ModuleState module;
    QuietDisplayHost displayHost;
    DisplayWindow display{program.context, host, module, displayHost};
    PickedColour colours;
    PickedFile files;
    QTemporaryDir elsewhere;

    void SetUp() override { display.load(); }
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
    BackgroundWindow window(program.context, display, colours, files);
    EXPECT_TRUE(window.colourMode());
    EXPECT_EQ(window.colourValue(), 0);
    colours.colour = QColor(0, 0, 255);
    window.chooseColour();
    window.colourSwitch()->setChecked(false);
    window.colourSwitch()->setChecked(true);
    EXPECT_EQ(window.colourValue(), 0);

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
    EXPECT_EQ(import_picture(program.context.folder, outside("stage.png", red), nullptr), "stage.png");
    EXPECT_EQ(import_picture(program.context.folder, outside("stage.png", blue), nullptr), "stage(2).png");
    EXPECT_EQ(import_picture(program.context.folder, outside("stage.png", blue), nullptr), "stage(2).png");
    EXPECT_EQ(program.readFile("picture/stage.png"), red);
    EXPECT_EQ(program.readFile("picture/stage(2).png"), blue);

    QString why;
    EXPECT_TRUE(import_picture(program.context.folder, outside("bad.jpg", "not a picture"), &why).isEmpty());
    EXPECT_FALSE(why.isEmpty());
    EXPECT_FALSE(QFile::exists(program.file("picture/bad.jpg")));
}

TEST_F(BackgroundWindowTest, importedPictureApplied_showsOnTheDisplay_bareNameFoundInPictureNotTheWorkingFolder)
{
    // A file of the same name in the working folder must not be the one used.
    const QString oldWorking = QDir::currentPath();
    QDir::setCurrent(elsewhere.path());
    files.path = outside("back.png", png(Qt::green));
    ASSERT_TRUE(program.writeFile("picture/back.png", png(Qt::yellow)));
    BackgroundWindow window(program.context, display, colours, files);
    window.colourSwitch()->setChecked(false);
    window.importPicture();
    QDir::setCurrent(oldWorking);
    EXPECT_EQ(window.pictureName(), "back(2).png");
    window.apply();
    EXPECT_TRUE(display.backgroundIsPicture());
    EXPECT_EQ(display.backgroundPicture().toImage().pixelColor(0, 0), QColor(Qt::green));
    EXPECT_EQ(stored("backgroundText"), "back(2).png");
}

TEST_F(BackgroundWindowTest, badPictureOrUnwritableFolder_messageAndNothingChanged)
{
    BackgroundWindow window(program.context, display, colours, files);
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
    EXPECT_FALSE(display.backgroundIsPicture());
    EXPECT_EQ(stored("backgroundText"), "<absent>");
}

TEST_F(BackgroundWindowTest, importOnAFullDisk_oneMessageWithItsCauseInChinese)
{
    BackgroundWindow window(program.context, display, colours, files);
    window.colourSwitch()->setChecked(false);
    files.path = outside("fine.png", png(Qt::red));
    QStringList told;
    set_save_failure_handler([&told](const QString& path, const QString&) { told << path; });
    {
        FileSizeLimit fullDisk(16);
        ASSERT_TRUE(fullDisk.active());
        window.importPicture();
    }
    set_save_failure_handler({});
    EXPECT_TRUE(told.isEmpty());
    ASSERT_EQ(program.notifier.shown.size(), 1u);
    EXPECT_TRUE(program.notifier.texts()[0].contains("磁盘已满")) << program.notifier.texts()[0].toStdString();
    EXPECT_TRUE(window.pictureName().isEmpty());
    EXPECT_FALSE(QFile::exists(program.file("picture/fine.png")));
}
