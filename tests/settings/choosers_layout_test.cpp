#include "settings_fixture.h"

#include "display/panel.h"
#include "settings/colour_swatch.h"
#include "settings/settings_rules.h"
#include "stores/registry_values.h"

#include <QCheckBox>
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

TEST_F(ChooserTest, importedPicture_neverOverwritesAnotherOfTheSameName)
{
    SettingsWindow& w = open(defaultPlan());
    QTemporaryDir outside;
    const QString chosen = outside.filePath("bg.jpg");
    QFile f(chosen);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("new picture");
    f.close();
    program.writeFile("picture/bg.jpg", "another plan's picture");
    files.answer = chosen;

    w.pictureButtons[9]->click();
    EXPECT_EQ(w.stageSwatches[9]->text(), "bg(2).jpg");
    EXPECT_EQ(w.stageSwatches[9]->value(), kWindowColour);
    EXPECT_EQ(program.readFile("picture/bg.jpg"), "another plan's picture");
    EXPECT_EQ(program.readFile("picture/bg(2).jpg"), "new picture");
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
    EXPECT_EQ(display->elementText(DisplayElement::Subtitle), "副标题");
    const double left = display->elementRect(DisplayElement::Subtitle).left();
    for (int i = 0; i < 10; ++i)
        w.layoutStep(3);
    EXPECT_EQ(display->elementRect(DisplayElement::Subtitle).left(), left + 500);
    EXPECT_EQ(program.ini.read("clocksite", "pictureleft1", ""), QString::number(int(left + 500)));
    EXPECT_EQ(registry_values::position_left(program.registry, 1, -1), int(left + 500));

    display->setTwipsWidth(display->findChild<Panel*>("logoBox"), 6000);
    w.layoutTarget->setCurrentIndex(5);
    w.layoutStep(0);
    EXPECT_EQ(display->elementRect(DisplayElement::Logo).left(), (1280 * 15 - 6000) / 2);

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
    EXPECT_TRUE(!display->isElementShown(DisplayElement::Subtitle)); // the placeholder goes with the window
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
