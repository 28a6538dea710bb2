#pragma once
#include "settings/settings_controls.h"
#include "stores/clock_plan.h"

#include <QWidget>
#include <array>

class QComboBox;
class QLabel;
class QPushButton;
class QTimer;
class QToolButton;

namespace orvalen {

class ColourSwatch;

// What a button of the layout editor does: centre the element, move it up
// (or make it larger), left, right, down (or smaller).
enum class LayoutMove { Centre, Up, Left, Right, Down };

// The 精准设置 page: per stage the time colour and the background colour or
// picture, and the layout editor of the display's elements, whose buttons
// repeat while a mouse button holds them.
class PrecisePage : public QWidget {
    Q_OBJECT
public:
    explicit PrecisePage(QWidget* parent = nullptr);

    // `emptyText`: a background without a picture shows no text.
    void showStageLooks(const ClockPlan& plan, bool emptyText);
    void writeInto(ClockPlan& plan) const;
    void showLayoutTargets();
    // The chosen element (0 主标题 .. 6 结束文本), -1 when none is.
    int layoutTarget() const;
    bool resizing() const;
    void stopRepeat();

signals:
    void colourWanted(ColourSwatch* swatch, bool clearsPicture);
    void pictureWanted(ColourSwatch* swatch);
    void layoutTargetChosen(int target);
    // One step of a held button: at one interval after the press, then at
    // every interval until it is released.
    void layoutStepWanted(LayoutMove move);
    void resizingChanged(bool on);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct StageRow {
        ColourSwatch* timeColour = nullptr;
        ColourSwatch* background = nullptr;
        QToolButton* choosePicture = nullptr;
    };
    QPushButton* moveButton(const QString& caption);

    PerStage<StageRow> m_stageRows{};
    QComboBox* m_layoutTarget = nullptr;
    QPushButton* m_centreButton = nullptr;
    QPushButton* m_upButton = nullptr;
    QPushButton* m_leftButton = nullptr;
    QPushButton* m_rightButton = nullptr;
    QPushButton* m_downButton = nullptr;
    QCheckBox* m_resizeBox = nullptr;
    QTimer* m_repeat = nullptr;
    LayoutMove m_heldMove = LayoutMove::Centre;
};

} // namespace orvalen
