#pragma once
#include "stores/plan_colour.h"

#include <QDialog>
#include <QPixmap>

class QCheckBox;
class QPushButton;

namespace orvalen {

struct AppContext;
class BackgroundView;
class CurrentPlan;
class FileChooser;
class StyleDialogs;

// The background window "背景设置": a plain colour (颜色 on) or a picture
// for the running display. 确定 applies the choice to the display and keeps
// it in [Marquee] of TimeData.db (backgroundColor, backgroundText), so the
// window shows it again next time; the current plan is not changed.
class BackgroundWindow final : public QDialog {
    Q_OBJECT
public:
    BackgroundWindow(AppContext& ctx, const CurrentPlan& currentPlan, BackgroundView& display, StyleDialogs& colours,
                     FileChooser& files, QWidget* parent = nullptr);

    bool colourMode() const;
    const PlanColour& colour() const { return m_colour; }
    QString pictureName() const { return m_pictureName; }
    bool hasPreview() const { return !m_preview.isNull(); }

    QCheckBox* colourSwitch() const { return m_colourMode; }
    QPushButton* colourBox() const { return m_colourBox; }
    QPushButton* pictureBox() const { return m_pictureBox; }
    QPushButton* applyButton() const { return m_apply; }

    void chooseColour();  // a click on the colour box
    void importPicture(); // a click on the preview
    void apply();         // 确定

private:
    void modeChanged();
    void readStored();
    // The stored choice, with the background the display shows now in its place.
    void readShown();
    void showColour();
    void showPreview(const QString& path);
    void applyColour();
    bool applyPicture();

    AppContext& m_ctx;
    const CurrentPlan& m_currentPlan;
    BackgroundView& m_display;
    StyleDialogs& m_colours;
    FileChooser& m_files;
    PlanColour m_colour = PlanColour::fromColour(Qt::black);
    QString m_pictureName;    // bare name in picture/
    QPixmap m_preview;
    QCheckBox* m_colourMode = nullptr;
    QPushButton* m_colourBox = nullptr;
    QPushButton* m_pictureBox = nullptr;
    QPushButton* m_apply = nullptr;
    QPushButton* m_close = nullptr;
};

} // namespace orvalen
