// The statistics, background and help items of the desktop menu on the real
// X server, in the whole program, with the desktop's launchers replaced by
// scripts that record what they are asked to open.
#include "about/about_window.h"
#include "background/background_window.h"
#include "display/display_window.h"
#include "display/panel.h"
#include "startup/desktop_windows.h"
#include "startup/program_windows.h"
#include "statistics/statistics_window.h"
#include "stores/registry_values.h"
#include "support/menu_items.h"
#include "support/temp_program.h"
#include "support/wait_until.h"
#include "support/when_shown.h"
#include "support/xdotool.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <gtest/gtest.h>

using namespace orvalen;
using namespace orvalen::test;

namespace {

QPushButton* button(QWidget* window, const QString& text)
{
    for (QPushButton* b : window->findChildren<QPushButton*>())
        if (b->text() == text)
            return b;
    return nullptr;
}

struct DesktopMenuWindowsTest : ::testing::Test {
    // One folder of launchers for all tests: Qt keeps the launcher it found first.
    static inline QTemporaryDir* bin = nullptr;
    TempProgram program;
    std::unique_ptr<ProgramWindows> windows;
    QMenu* menu = nullptr;

    static void SetUpTestSuite()
    {
        bin = new QTemporaryDir;
        // No program is registered for any file type; xdg-open writes down its arguments.
        writeScript("xdg-mime", "exit 0\n");
        writeScript("xdg-open", QStringLiteral("printf '%s\\n' \"$@\" >> '%1'\n").arg(opened()).toUtf8());
        qputenv("PATH", bin->path().toUtf8() + ':' + qgetenv("PATH"));
    }
    static void TearDownTestSuite()
    {
        delete bin;
        bin = nullptr;
    }
    void SetUp() override
    {
        QFile::remove(opened());
        registry_values::setTimeRecord(program.registry, true);
        start();
    }
    void TearDown() override { windows.reset(); }
    void start()
    {
        windows = buildProgramWindows(program.context, makeDesktopWindows);
        menu = programDesktopMenu();
        ASSERT_NE(menu, nullptr);
    }
    static void writeScript(const QString& name, const QByteArray& body)
    {
        QFile script(bin->filePath(name));
        script.open(QIODevice::WriteOnly);
        script.write("#!/bin/sh\n" + body);
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    static QString opened() { return bin->filePath("opened.txt"); }
    // xdg-open was given the file, as a path or as a file URL.
    bool wasOpened(const QString& path) const
    {
        return wait_until([&] {
            QFile log(opened());
            if (!log.open(QIODevice::ReadOnly))
                return false;
            const QStringList arguments = QString::fromUtf8(log.readAll()).split('\n');
            return arguments.contains(path) || arguments.contains(QUrl::fromLocalFile(path).toString());
        });
    }
    void choose(DesktopItem item) { menuItem(*menu, item)->trigger(); }
    DisplayWindow* display() const
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<DisplayWindow*>(w))
                return d;
        return nullptr;
    }
};

} // namespace

TEST_F(DesktopMenuWindowsTest, statistics_threeRunsListed_deleteTheSecond_exportHoldsTheRest)
{
    for (int run = 0; run < 3; ++run) {
        choose(DesktopItem::Start);
        program.timers.advance(2'000);
        choose(DesktopItem::Stop);
        program.timers.advance(2'000);
        choose(DesktopItem::Start); // 清零
        program.timers.advance(2'000);
    }
    QStringList before, after;
    when_shown<StatisticsWindow>([&](StatisticsWindow* w) {
        const QAbstractItemModel* runs = w->table()->model();
        for (int i = 0; i < runs->rowCount(); ++i)
            before << runs->index(i, 0).data().toString();
        w->table()->selectRow(1);
        button(w, "删除")->click();
        for (int i = 0; i < runs->rowCount(); ++i)
            after << runs->index(i, 0).data().toString();
        button(w, "导出")->click();
        button(w, "关闭")->click();
    });
    choose(DesktopItem::Statistics);
    EXPECT_EQ(before, (QStringList{"001", "002", "003"}));
    EXPECT_EQ(after, (QStringList{"001", "003"}));

    const QString csv = program.file("sheet1.csv");
    ASSERT_TRUE(wasOpened(csv));
    const QByteArray content = program.readFile("sheet1.csv");
    EXPECT_TRUE(content.startsWith("\xEF\xBB\xBF"));
    const QStringList rows = QString::fromUtf8(content).split("\r\n");
    ASSERT_EQ(rows.size(), 5); // header, two rows, the closing empty line
    EXPECT_EQ(rows[0], QStringLiteral("序号,设置时间,实用时间,超时时间,暂停时间,阶段"));
    EXPECT_TRUE(rows[1].startsWith("1,"));
    EXPECT_TRUE(rows[2].startsWith("3,"));
}

TEST_F(DesktopMenuWindowsTest, background_colourThenImportedPicture_changeTheDisplayAndAreKeptOverARestart)
{
    QImage picture(16, 9, QImage::Format_RGB32);
    picture.fill(Qt::green);
    const QString source = bin->filePath("stage.png");
    ASSERT_TRUE(picture.save(source));

    QColor afterColour;
    when_shown<BackgroundWindow>([&](BackgroundWindow* w) {
        when_shown<QColorDialog>([](QColorDialog* d) {
            d->setCurrentColor(Qt::red);
            d->accept();
        });
        w->colourBox()->click();
        w->applyButton()->click();
        afterColour = display()->findChild<BackgroundBox*>("backgroundBox")->backColor();

        w->colourSwitch()->setChecked(false);
        when_shown<QFileDialog>([&](QFileDialog* d) {
            d->selectFile(source);
            QMetaObject::invokeMethod(d, "accept");
        });
        w->pictureBox()->click();
        w->applyButton()->click();
        button(w, "关闭")->click();
    });
    choose(DesktopItem::Background);
    EXPECT_EQ(afterColour, QColor(Qt::red));
    EXPECT_TRUE(display()->backgroundView().backgroundIsPicture());
    EXPECT_EQ(display()->backgroundView().backgroundPicture().toImage().pixelColor(0, 0), QColor(Qt::green));
    EXPECT_EQ(program.readFile("picture/stage.png").size(), QFile(source).size());

    windows.reset();
    start();
    // The restarted display shows the plan's colour, and the window opens
    // with it; the kept picture is one switch away.
    bool colourMode = false, preview = false;
    QString name;
    when_shown<BackgroundWindow>([&](BackgroundWindow* w) {
        colourMode = w->colourMode();
        w->colourSwitch()->setChecked(false);
        preview = w->hasPreview();
        name = w->pictureName();
        button(w, "关闭")->click();
    });
    choose(DesktopItem::Background);
    EXPECT_TRUE(colourMode);
    EXPECT_TRUE(preview);
    EXPECT_EQ(name, "stage.png");
    EXPECT_EQ(program.ini.read("Marquee", "backgroundColor", ""), "255");
}

TEST_F(DesktopMenuWindowsTest, help_withNoChmViewer_opensTheHtmlPages)
{
    const QString pages = program.context.folder.resolve("help/index.html");
    ASSERT_FALSE(pages.isEmpty());
    choose(DesktopItem::Help);
    EXPECT_TRUE(wasOpened(pages));
    EXPECT_TRUE(program.notifier.shown.empty());
}

TEST_F(DesktopMenuWindowsTest, aboutWithCtrlHeld_opensTheStoredLink_orTheAboutWindowWhenNoneIsSet)
{
    program.ini.write("About", "link16", "https://example.org/articles");
    ASSERT_TRUE(xdotool({"keydown", "ctrl"}));
    choose(DesktopItem::About); // 在线帮助 with Ctrl
    ASSERT_TRUE(xdotool({"keyup", "ctrl"}));
    EXPECT_TRUE(wasOpened("https://example.org/articles"));

    program.ini.write("About", "link16", "");
    bool shown = false;
    when_shown<AboutWindow>([&](AboutWindow* w) {
        shown = true;
        w->caption()->click();
    });
    ASSERT_TRUE(xdotool({"keydown", "ctrl"}));
    choose(DesktopItem::About);
    ASSERT_TRUE(xdotool({"keyup", "ctrl"}));
    EXPECT_TRUE(shown);
}
