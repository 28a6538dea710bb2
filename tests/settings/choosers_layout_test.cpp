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
    SettingsWindow& w = open(defaultPlan());
    QTemporaryDir outside;
    auto file = [&](const QString& name, const QByteArray& bytes) {
        QFile f(outside.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    };
    const QStringList before = QDir(program.file("sounds")).entryList(QDir::Files);
    w.reminderTexts[8]->setText("Timeout.wav");
    for (const QString& bad : {file("empty.wav", {}), file("words.mp3", "not a sound at all"),
                               file("huge.wav", QByteArray("RIFF\xf0\xff\xff\xffWAVEfmt ", 16))}) {
        program.notifier.shown.clear();
        files.answer = bad;
        w.soundButtons[8]->click();
        EXPECT_EQ(w.reminderTexts[8]->text(), "Timeout.wav");
        EXPECT_EQ(program.notifier.texts(),
                  QStringList{"无法导入：" + QFileInfo(bad).fileName() + " 不是能播放的声音文件（WAV 或 MP3）"});
    }
    EXPECT_EQ(QDir(program.file("sounds")).entryList(QDir::Files), before);
    EXPECT_EQ(QDir::cleanPath(files.last.initialFolder), QDir::cleanPath(program.file("sounds")));
    expectFilter(files.last.filter, {"*.wav", "*.mp3", "*.WAV", "*.MP3"});

    const QString stagePicture = w.stageSwatches[9]->text();
    for (const QString& bad : {file("empty.png", {}), file("text.png", "plain text"), file("cut.png", png(Qt::red).left(40))}) {
        program.notifier.shown.clear();
        files.answer = bad;
        w.pictureButtons[9]->click();
        w.logoField->setText("logo.png");
        w.logoButton->click();
        EXPECT_EQ(w.stageSwatches[9]->text(), stagePicture);
        EXPECT_EQ(program.notifier.texts(),
                  QStringList(2, "无法导入：" + QFileInfo(bad).fileName() + " 不是能显示的图片文件"));
        EXPECT_FALSE(QFile::exists(program.file("picture/") + QFileInfo(bad).fileName()));
    }
    EXPECT_EQ(QDir::cleanPath(files.last.initialFolder), QDir::cleanPath(program.file("picture")));
    expectFilter(files.last.filter, {"*.png", "*.jpg", "*.bmp", "*.gif", "*.ico", "*.PNG"});

    files.answer = file("good.png", png(Qt::green));
    w.logoButton->click();
    EXPECT_EQ(w.logoField->text(), "good.png");
}

TEST_F(ChooserTest, importedPicture_neverOverwritesAnotherOfTheSameName)
{
    SettingsWindow& w = open(defaultPlan());
    QTemporaryDir outside;
    const QString chosen = outside.filePath("bg.jpg");
    QFile f(chosen);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(png(Qt::blue));
    f.close();
    program.writeFile("picture/bg.jpg", png(Qt::red));
    files.answer = chosen;

    w.pictureButtons[9]->click();
    EXPECT_EQ(w.stageSwatches[9]->text(), "bg(2).jpg");
    EXPECT_EQ(w.stageSwatches[9]->value(), kWindowColour);
    EXPECT_EQ(program.readFile("picture/bg.jpg"), png(Qt::red));
    EXPECT_EQ(program.readFile("picture/bg(2).jpg"), png(Qt::blue));
    w.pictureButtons[10]->click(); // the same file again reuses its copy
    EXPECT_EQ(w.stageSwatches[10]->text(), "bg(2).jpg");

    colour = QColor(255, 0, 0);
    w.stageSwatches[9]->clicked();
    EXPECT_EQ(w.stageSwatches[9]->value(), 255);
    EXPECT_EQ(w.stageSwatches[9]->text(), "");

    files.answer = outside.filePath("missing.wav");
    w.reminderTexts[8]->setText("Timeout.wav");
    w.soundButtons[8]->click();
    EXPECT_EQ(w.reminderTexts[8]->text(), "Timeout.wav"); // filled only after a copy
    EXPECT_EQ(program.notifier.texts().last(), "没有进行选择");
    files.answer.clear();
    w.logoButton->click();
    EXPECT_EQ(w.logoField->text(), "");
    EXPECT_EQ(program.notifier.texts().last(), "没有加载图片");
}

TEST_F(LayoutTest, heldButtonSteps_moveAndStoreAtOnce)
{
    SettingsWindow& w = open(defaultPlan());
    w.layoutTarget->setCurrentIndex(1); // 副标题
    EXPECT_EQ(view().elementText(DisplayElement::Subtitle), "副标题");
    const double left = view().elementRect(DisplayElement::Subtitle).left();
    for (int i = 0; i < 10; ++i)
        w.layoutStep(3);
    EXPECT_EQ(view().elementRect(DisplayElement::Subtitle).left(), left + 500);
    EXPECT_EQ(program.ini.read("clocksite", "pictureleft1", ""), QString::number(int(left + 500)));
    EXPECT_EQ(registry_values::position_left(program.registry, 1, -1), int(left + 500));

    display->layout().setTwipsGeometry(display->findChild<Panel*>("logoBox"), qQNaN(), qQNaN(), 6000, qQNaN());
    w.layoutTarget->setCurrentIndex(5);
    w.layoutStep(0);
    EXPECT_EQ(view().elementRect(DisplayElement::Logo).left(), (1280 * 15 - 6000) / 2);

    w.resizeBox->setChecked(true);
    w.layoutTarget->setCurrentIndex(0);
    w.styleSizes[0]->setEditText("230");
    w.layoutStep(1);
    EXPECT_EQ(w.styleSizes[0]->currentText(), "230");
    w.styleSizes[0]->setEditText("7"); // not an entry: counts as the first
    w.layoutStep(4);
    EXPECT_EQ(w.styleSizes[0]->currentText(), "50");

    w.close();
    settings.reset();
    EXPECT_TRUE(!view().isElementShown(DisplayElement::Subtitle)); // the placeholder goes with the window
}

TEST_F(LayoutTest, noElementChosen_oneMessageAndNoMove)
{
    SettingsWindow& w = open(defaultPlan());
    const QString savedLeft = program.ini.read("clocksite", "pictureleft1", "none");
    w.layoutStep(3);
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
        p.combolist = combolist;
        EXPECT_EQ(time_preview(p, now), text) << combolist.toStdString();
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
    w.planPanelBox->setChecked(true);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_TRUE(w.planNameField->isVisible());
    EXPECT_TRUE(w.isAncestorOf(panel));
}

} // namespace
} // namespace orvalen::test
