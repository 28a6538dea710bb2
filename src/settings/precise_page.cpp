#include "settings/precise_page.h"

#include "settings/colour_swatch.h"
#include "settings/named_list.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

namespace orvalen {

PrecisePage::PrecisePage(QWidget* parent) : QWidget(parent)
{
    auto* grid = new QGridLayout(this);
    grid->addWidget(makeLabel(QStringLiteral("时间颜色"), this), 0, 1);
    grid->addWidget(makeLabel(QStringLiteral("背景颜色     图片"), this), 0, 2, 1, 2);
    for (Stage stage : kStages) {
        StageRow& r = m_stageRows[stage];
        const QString name = stageName(stage);
        const int row = int(stageIndex(stage)) + 1;
        grid->addWidget(makeLabel(name, this), row, 0);
        r.timeColour = new ColourSwatch(this);
        r.timeColour->setAccessibleName(name + QStringLiteral(" 时间颜色"));
        r.timeColour->setMaximumWidth(60);
        grid->addWidget(r.timeColour, row, 1);
        r.background = new ColourSwatch(this);
        r.background->setAccessibleName(name + QStringLiteral(" 背景颜色"));
        grid->addWidget(r.background, row, 2);
        r.choosePicture = makeDots(name + QStringLiteral(" 选择背景图片"), this);
        grid->addWidget(r.choosePicture, row, 3);
        connect(r.timeColour, &ColourSwatch::clicked, this, [this, &r] { emit colourWanted(r.timeColour, false); });
        connect(r.background, &ColourSwatch::clicked, this, [this, &r] { emit colourWanted(r.background, true); });
        connect(r.choosePicture, &QToolButton::clicked, this, [this, &r] { emit pictureWanted(r.background); });
    }
    auto* editor = new QGridLayout;
    editor->addWidget(makeLabel(QStringLiteral("调整对象"), this), 0, 0);
    m_layoutTarget = new NamedList(this);
    m_layoutTarget->setAccessibleName(QStringLiteral("调整对象"));
    editor->addWidget(m_layoutTarget, 0, 1, 1, 2);
    m_centreButton = moveButton(QStringLiteral("居中"));
    m_upButton = moveButton(QStringLiteral("上移"));
    m_leftButton = moveButton(QStringLiteral("左移"));
    m_rightButton = moveButton(QStringLiteral("右移"));
    m_downButton = moveButton(QStringLiteral("下移"));
    editor->addWidget(m_centreButton, 2, 1);
    editor->addWidget(m_upButton, 1, 1);
    editor->addWidget(m_leftButton, 2, 0);
    editor->addWidget(m_rightButton, 2, 2);
    editor->addWidget(m_downButton, 3, 1);
    m_resizeBox = makeBox(QStringLiteral("调整大小"), this);
    editor->addWidget(m_resizeBox, 4, 0, 1, 3);
    grid->addLayout(editor, 0, 5, 8, 1);
    grid->setColumnMinimumWidth(4, 12);
    grid->setRowStretch(8, 1);

    m_repeat = new QTimer(this);
    m_repeat->setInterval(100);
    connect(m_repeat, &QTimer::timeout, this, [this] { emit layoutStepWanted(m_heldMove); });
    connect(m_layoutTarget, &QComboBox::currentIndexChanged, this, [this](int i) { if (i >= 0) emit layoutTargetChosen(i); });
    connect(m_resizeBox, &QCheckBox::toggled, this, [this](bool on) {
        m_upButton->setText(on ? QStringLiteral("增大") : QStringLiteral("上移"));
        m_downButton->setText(on ? QStringLiteral("缩小") : QStringLiteral("下移"));
        m_upButton->setAccessibleName(m_upButton->text());
        m_downButton->setAccessibleName(m_downButton->text());
        emit resizingChanged(on);
    });
}

QPushButton* PrecisePage::moveButton(const QString& caption)
{
    auto* b = new QPushButton(caption, this);
    b->setAccessibleName(caption);
    b->setFocusPolicy(Qt::NoFocus); // worked by holding a mouse button
    b->installEventFilter(this);
    return b;
}

void PrecisePage::showStageLooks(const ClockPlan& p, bool emptyText)
{
    for (Stage stage : kStages) {
        const StageLook& look = p.stages[stage].look;
        m_stageRows[stage].timeColour->setColour(look.timeColour);
        showColourOrPicture(m_stageRows[stage].background, look.backgroundColour, look.backgroundPicture, emptyText);
    }
}

void PrecisePage::writeInto(ClockPlan& plan) const
{
    for (Stage stage : kStages) {
        const StageRow& r = m_stageRows[stage];
        StageLook& look = plan.stages[stage].look;
        look.timeColour = r.timeColour->colour();
        look.backgroundColour = r.background->colour();
        look.backgroundPicture = r.background->text();
    }
}

void PrecisePage::showLayoutTargets()
{
    refillList(m_layoutTarget, {"主标题", "副标题", "时间", "提示文字", "动态文本", "LOGO图片", "结束文本"});
}

int PrecisePage::layoutTarget() const { return m_layoutTarget->currentIndex(); }
bool PrecisePage::resizing() const { return m_resizeBox->isChecked(); }
void PrecisePage::stopRepeat() { m_repeat->stop(); }

bool PrecisePage::eventFilter(QObject* watched, QEvent* event)
{
    const std::pair<QObject*, LayoutMove> buttons[] = {{m_centreButton, LayoutMove::Centre},
                                                       {m_upButton, LayoutMove::Up},
                                                       {m_leftButton, LayoutMove::Left},
                                                       {m_rightButton, LayoutMove::Right},
                                                       {m_downButton, LayoutMove::Down}};
    for (const auto& [button, move] : buttons) {
        if (watched != button)
            continue;
        // Any mouse button holds a layout button; the first step comes one
        // interval after the press.
        if (event->type() == QEvent::MouseButtonPress) {
            m_heldMove = move;
            m_repeat->start();
        } else if (event->type() == QEvent::MouseButtonRelease) {
            m_repeat->stop();
        }
        break;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace orvalen
