#include "settings_fixture.h"
#include "support/png_bytes.h"

#include "display/panel.h"
#include "settings/colour_swatch.h"
#include "settings/settings_rules.h"
#include "stores/registry_values.h"

#include <QCheckBox>
#include <QDir>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QTemporaryDir>

#include <sys/stat.h>

namespace orvalen::test {
namespace {

using ChooserTest = SettingsTest;
using LayoutTest = SettingsTest;

// Filter texts with balanced brackets that name these patterns.
void expectFilter(const QString& filter, const QStringList& patterns)
{
    EXPECT_EQ(filter.count(QLatin1Char('(')), filter.count(QLatin1Char(')'))) << filter.toStdString();
    for (const QString& p : patterns)
        EXPECT_TRUE(QString(filter).replace(QLatin1Char('('), QLatin1Char(' ')).replace(QLatin1Char(')'), QLatin1Char(' '))
                        .split(QLatin1Char(' ')).contains(p))
            << p.toStdString() << " in " << filter.toStdString();
}

TEST_F(ChooserTest, choosersOpenInTheirFolders_andRefuseFilesThatCannotBePlayedOrShown)
{
    open(defaultPlan());
    QTemporaryDir outside;
    auto file = [&](const QString& name, const QByteArray& bytes) {
        QFile f(outside.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    };
    const QStringList before = QDir(program.file("sounds")).entryList(QDir::Files);
    edit("报警1 声音文件")->setText("Timeout.wav");
    for (const QString& bad : {file("empty.wav", {}), file("words.mp3", "not a sound at all"),
                               file("huge.wav", QByteArray("RIFF\xf0\xff\xff\xffWAVEfmt ", 16))}) {
        program.notifier.shown.clear();
        files.answer = bad;
        dots("报警1 选择声音文件")->click();
        EXPECT_EQ(edit("报警1 声音文件")->text(), "Timeout.wav");
        EXPECT_EQ(program.notifier.texts(),
                  QStringList{"无法导入：" + QFileInfo(bad).fileName() + " 不是能播放的声音文件（WAV 或 MP3）"});
    }
    EXPECT_EQ(QDir(program.file("sounds")).entryList(QDir::Files), before);
    EXPECT_EQ(QDir::cleanPath(files.last.initialFolder), QDir::cleanPath(program.file("sounds")));
    expectFilter(files.last.filter, {"*.wav", "*.mp3", "*.WAV", "*.MP3"});

    const QString stagePicture = swatch("报警2 背景颜色")->text();
    for (const QString& bad : {file("empty.png", {}), file("text.png", "plain text"), file("cut.png", png(Qt::red).left(40))}) {
        program.notifier.shown.clear();
        files.answer = bad;
        dots("报警2 选择背景图片")->click();
        edit("LOGO图片")->setText("logo.png");
        button("选择LOGO图片")->click();
        EXPECT_EQ(swatch("报警2 背景颜色")->text(), stagePicture);
        EXPECT_EQ(program.notifier.texts(),
                  QStringList(2, "无法导入：" + QFileInfo(bad).fileName() + " 不是能显示的图片文件"));
        EXPECT_FALSE(QFile::exists(program.file("picture/") + QFileInfo(bad).fileName()));
    }
    EXPECT_EQ(QDir::cleanPath(files.last.initialFolder), QDir::cleanPath(program.file("picture")));
    expectFilter(files.last.filter, {"*.png", "*.jpg", "*.bmp", "*.gif", "*.ico", "*.PNG"});

    files.answer = file("good.png", png(Qt::green));
    button("选择LOGO图片")->click();
    EXPECT_EQ(edit("LOGO图片")->text(), "good.png");
}

TEST_F(ChooserTest, importedPicture_neverOverwritesAnotherOfTheSameName)
{
    open(defaultPlan());
    QTemporaryDir outside;
    const QString chosen = outside.filePath("bg.jpg");
    QFile f(chosen);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(png(Qt::blue));
    f.close();
    program.writeFile("picture/bg.jpg", png(Qt::red));
    files.answer = chosen;

    dots("报警2 选择背景图片")->click();
    EXPECT_EQ(swatch("报警2 背景颜色")->text(), "bg(2).jpg");
    EXPECT_EQ(swatch("报警2 背景颜色")->colour(), kWindowColour);
    EXPECT_EQ(program.readFile("picture/bg.jpg"), png(Qt::red));
    EXPECT_EQ(program.readFile("picture/bg(2).jpg"), png(Qt::blue));
    dots("报警3 选择背景图片")->click(); // the same file again reuses its copy
    EXPECT_EQ(swatch("报警3 背景颜色")->text(), "bg(2).jpg");

    colour = QColor(255, 0, 0);
    swatch("报警2 背景颜色")->clicked();
    EXPECT_EQ(swatch("报警2 背景颜色")->colour().text, "255");
    EXPECT_EQ(swatch("报警2 背景颜色")->text(), "");

    files.answer = outside.filePath("missing.wav");
    edit("报警1 声音文件")->setText("Timeout.wav");
    dots("报警1 选择声音文件")->click();
    EXPECT_EQ(edit("报警1 声音文件")->text(), "Timeout.wav"); // filled only after a copy
    EXPECT_EQ(program.notifier.texts().last(), "没有进行选择");
    files.answer.clear();
    button("选择LOGO图片")->click();
    EXPECT_EQ(edit("LOGO图片")->text(), "");
    EXPECT_EQ(program.notifier.texts().last(), "没有加载图片");
}

TEST_F(ChooserTest, onlyRegularFilesAreImported_linksResolved_copyGetsTheProgramsOwnMode)
{
    open(defaultPlan());
    QTemporaryDir outside;
    const QStringList soundsBefore = QDir(program.file("sounds")).entryList(QDir::Files);
    const QString zero = outside.filePath("zero.wav");
    ASSERT_TRUE(QFile::link("/dev/zero", zero));
    files.answer = zero;
    edit("报警1 声音文件")->setText("Timeout.wav");
    dots("报警1 选择声音文件")->click();
    EXPECT_EQ(edit("报警1 声音文件")->text(), "Timeout.wav");
    EXPECT_EQ(program.notifier.texts(), QStringList{"无法导入：zero.wav 不是能播放的声音文件（WAV 或 MP3）"});
    EXPECT_EQ(QDir(program.file("sounds")).entryList(QDir::Files), soundsBefore);

    program.notifier.shown.clear();
    ASSERT_TRUE(QDir(outside.path()).mkdir("folder.png"));
    files.answer = outside.filePath("folder.png");
    button("选择LOGO图片")->click();
    EXPECT_EQ(program.notifier.texts(), QStringList{"无法导入：folder.png 不是能显示的图片文件"});

    // A picture anyone may write, chosen through a link: the copy is a
    // plain file with the mode the program gives its own files.
    QFile real(outside.filePath("real.bin"));
    ASSERT_TRUE(real.open(QIODevice::WriteOnly));
    real.write(png(Qt::green));
    real.close();
    ASSERT_EQ(::chmod(QFile::encodeName(real.fileName()).constData(), 0777), 0);
    files.answer = outside.filePath("linked.png");
    ASSERT_TRUE(QFile::link(real.fileName(), files.answer));
    dots("报警2 选择背景图片")->click();
    EXPECT_EQ(swatch("报警2 背景颜色")->text(), "linked.png");
    const QFileInfo copy(program.file("picture/linked.png"));
    EXPECT_FALSE(copy.isSymLink());
    EXPECT_TRUE(copy.isFile());
    EXPECT_EQ(program.readFile("picture/linked.png"), png(Qt::green));
    const mode_t mask = ::umask(0);
    ::umask(mask);
    struct stat status {};
    ASSERT_EQ(::stat(QFile::encodeName(copy.filePath()).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0666 & ~mask);
}

TEST_F(LayoutTest, heldButtonSteps_moveAndStoreAtOnce)
{
    SettingsWindow& w = open(defaultPlan());
    list("调整对象")->setCurrentIndex(1); // 副标题
    EXPECT_EQ(view().elementText(DisplayElement::Subtitle), "副标题");
    const double left = view().elementRect(DisplayElement::Subtitle).left();
    for (int i = 0; i < 10; ++i)
        w.layoutStep(LayoutMove::Right);
    EXPECT_EQ(view().elementRect(DisplayElement::Subtitle).left(), left + 500);
    EXPECT_EQ(program.ini.read("clocksite", "pictureleft1", ""), QString::number(int(left + 500)));
    EXPECT_EQ(registry_values::positionLeft(program.registry, 1, -1), int(left + 500));

    display->layout().setTwipsGeometry(display->findChild<Panel*>("logoBox"), qQNaN(), qQNaN(), 6000, qQNaN());
    list("调整对象")->setCurrentIndex(5);
    w.layoutStep(LayoutMove::Centre);
    EXPECT_EQ(view().elementRect(DisplayElement::Logo).left(), (1280 * 15 - 6000) / 2);

    box("调整大小")->setChecked(true);
    list("调整对象")->setCurrentIndex(0);
    list("主标题 大小")->setEditText("230");
    w.layoutStep(LayoutMove::Up);
    EXPECT_EQ(list("主标题 大小")->currentText(), "230");
    list("主标题 大小")->setEditText("7"); // not an entry: counts as the first
    w.layoutStep(LayoutMove::Down);
    EXPECT_EQ(list("主标题 大小")->currentText(), "50");

    w.close();
    settings.reset();
    EXPECT_TRUE(!view().isElementShown(DisplayElement::Subtitle)); // the placeholder goes with the window
}

TEST_F(LayoutTest, noElementChosen_oneMessageAndNoMove)
{
    SettingsWindow& w = open(defaultPlan());
    const QString savedLeft = program.ini.read("clocksite", "pictureleft1", "none");
    w.layoutStep(LayoutMove::Right);
    EXPECT_EQ(program.notifier.texts(), QStringList{"请选择调整对象"});
    EXPECT_EQ(program.ini.read("clocksite", "pictureleft1", "none"), savedLeft);
}

TEST(TimePreview, followsFormatAndMode)
{
    ClockPlan p;
    p.Time_all = QTime(1, 2, 3);
    const QTime now(9, 8, 7);
    const std::pair<QString, QString> rows[] = {{"000", "3723"}, {"100", "62:03"}, {"200", "01:02:03"},
                                                {"010", "00"},   {"210", "00:00:00"}, {"120", "09:08"},
                                                {"020", "09:08:07"}, {"300", ""}};
    for (const auto& [combolist, text] : rows) {
        setStored(p, "combolist", combolist);
        EXPECT_EQ(timePreviewText(p, now), text) << combolist.toStdString();
    }
}

} // namespace
} // namespace orvalen::test

namespace orvalen::test {
namespace {

TEST_F(ChooserTest, planPanel_sitsInTheAreaThatItsBoxShows)
{
    SettingsWindow& w = open(defaultPlan());
    w.show();
    auto* panel = new QWidget;
    w.setPlanPanel(panel);
    EXPECT_FALSE(panel->isVisible());
    box("阶段设置")->setChecked(true);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_TRUE(edit("阶段名称")->isVisible());
    EXPECT_TRUE(w.isAncestorOf(panel));
}

} // namespace
} // namespace orvalen::test
