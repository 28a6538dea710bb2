#include "background/background_window.h"

#include "background/picture_import.h"
#include "display/display_values.h"
#include "display/background_view.h"
#include "stores/current_plan.h"
#include "menus/style_dialogs.h"
#include "platform/notifier.h"
#include "platform/text_path.h"
#include "services/app_context.h"
#include "services/file_dialog.h"
#include "services/import_check.h"
#include "stores/background_colour.h"
#include "stores/ini_store.h"
#include "stores/time_data_keys.h"

#include <QCheckBox>
#include <QDebug>
#include <QHBoxLayout>
#include <QImageReader>
#include <QPushButton>
#include <QStackedLayout>
#include <QVBoxLayout>

namespace orvalen {

namespace {

// The preview area: 4095 x 2415 twips.
QSize previewSize(const QWidget& w)
{
    return {qRound(4095.0 * w.logicalDpiX() / 1440.0), qRound(2415.0 * w.logicalDpiY() / 1440.0)};
}

QPixmap readPicture(const QString& path)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    return QPixmap::fromImage(reader.read());
}

} // namespace

BackgroundWindow::BackgroundWindow(AppContext& ctx, const CurrentPlan& currentPlan, BackgroundView& display,
                                   StyleDialogs& colours, FileChooser& files, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_currentPlan(currentPlan), m_display(display), m_colours(colours), m_files(files)
{
    setWindowTitle(QStringLiteral("背景设置"));
    setModal(true);

    m_colourBox = new QPushButton(this);
    m_colourBox->setAccessibleName(QStringLiteral("背景颜色"));
    m_colourBox->setToolTip(QStringLiteral("单击选择颜色"));
    m_pictureBox = new QPushButton(this);
    m_pictureBox->setAccessibleName(QStringLiteral("背景图片"));
    m_pictureBox->setToolTip(QStringLiteral("单击导入图片"));
    for (QPushButton* box : {m_colourBox, m_pictureBox}) {
        box->setFixedSize(previewSize(*this));
        box->setAutoDefault(false);
    }
    m_pictureBox->setIconSize(previewSize(*this) - QSize(8, 8));
    m_colourMode = new QCheckBox(QStringLiteral("颜色"), this);
    m_colourMode->setAccessibleName(m_colourMode->text());
    m_apply = new QPushButton(QStringLiteral("确定"), this);
    m_close = new QPushButton(QStringLiteral("关闭"), this);
    for (QPushButton* b : {m_apply, m_close}) {
        b->setAccessibleName(b->text());
        b->setAutoDefault(false);
    }

    auto* boxes = new QStackedLayout;
    boxes->addWidget(m_colourBox);
    boxes->addWidget(m_pictureBox);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_colourMode);
    buttons->addStretch(1);
    buttons->addWidget(m_apply);
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(boxes);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_colourBox, &QPushButton::clicked, this, &BackgroundWindow::chooseColour);
    connect(m_pictureBox, &QPushButton::clicked, this, &BackgroundWindow::importPicture);
    connect(m_apply, &QPushButton::clicked, this, &BackgroundWindow::apply);
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_colourMode, &QCheckBox::toggled, this, [this, boxes](bool colour) {
        boxes->setCurrentWidget(colour ? static_cast<QWidget*>(m_colourBox) : m_pictureBox);
        modeChanged();
    });

    // The window opens with the background on the display now.
    const bool colour = !m_display.backgroundIsPicture();
    if (m_colourMode->isChecked() != colour)
        m_colourMode->setChecked(colour); // runs the mode change
    else
        modeChanged();
    boxes->setCurrentWidget(colour ? static_cast<QWidget*>(m_colourBox) : m_pictureBox);
}

bool BackgroundWindow::colourMode() const
{
    return m_colourMode->isChecked();
}

void BackgroundWindow::readStored()
{
    const auto read = [this](const QString& key, const QString& fallback) {
        return m_ctx.ini.read(time_data::kMarquee, key, fallback).trimmed();
    };
    m_colour = readBackgroundColour(m_ctx.ini);
    m_pictureName = read(time_data::kBackgroundText, QString());
}

void BackgroundWindow::readShown()
{
    readStored();
    if (m_display.backgroundIsPicture()) {
        if (!m_display.backgroundPictureName().isEmpty())
            m_pictureName = m_display.backgroundPictureName();
        return;
    }
    // The colour keeps its stored or planned text where that is the colour
    // shown, so a desktop colour stays one; otherwise its own value.
    const QColor shown = m_display.backgroundColour();
    if (m_colour.colour(Qt::black) == shown)
        return;
    const PlanColour& planned = m_currentPlan.plan().backgroundColour;
    m_colour = planned.colour() == shown ? planned.asLeadingWhole() : PlanColour::fromColour(shown);
}

void BackgroundWindow::showColour()
{
    const QColor colour = m_colour.colour(Qt::black);
    m_colourBox->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; border: 1px solid black; }")
                                   .arg(colour.name()));
}

void BackgroundWindow::showPreview(const QString& path)
{
    m_preview = path.isEmpty() ? QPixmap() : readPicture(path);
    m_pictureBox->setIcon(m_preview.isNull() ? QIcon() : QIcon(m_preview));
    m_pictureBox->setText(m_preview.isNull() ? QStringLiteral("单击导入图片") : QString());
}

void BackgroundWindow::modeChanged()
{
    // An unsaved choice is dropped: what the display shows comes back, and
    // for the other kind of background the stored choice.
    readShown();
    showColour();
    if (colourMode()) {
        m_pictureName.clear();
        return;
    }
    QString path = backgroundPicturePath(m_ctx.folder, m_pictureName);
    if (path.isEmpty()) {
        const QString planPicture = m_currentPlan.plan().backgroundPicture;
        const QString fallback = backgroundPicturePath(m_ctx.folder, planPicture);
        if (!fallback.isEmpty() && isBareFileName(planPicture)) {
            m_pictureName = planPicture;
            path = fallback;
        }
    }
    if (!path.isEmpty() || m_pictureName.isEmpty())
        showPreview(path);
}

void BackgroundWindow::chooseColour()
{
    if (const std::optional<QColor> chosen = m_colours.chooseColour()) {
        m_colour = PlanColour::fromColour(*chosen);
        showColour();
    }
}

void BackgroundWindow::importPicture()
{
    const QString chosen = fileDialog(m_files, m_ctx.notifier, false, QStringLiteral("导入文件名称"),
                                       pictureFilter(),
                                       QString(), QString(), m_ctx.folder.file(QStringLiteral("picture")));
    if (chosen.isEmpty()) {
        m_ctx.notifier.notice(QStringLiteral("没有加载图片"), Notifier::Icon::None, 0, kAppTitle);
        return;
    }
    QString why;
    const QString stored = copyPictureIn(m_ctx.folder, chosen, &why);
    if (stored.isEmpty()) {
        qWarning().noquote() << "background: the picture was not imported:" << why;
        m_ctx.notifier.notice(why, Notifier::Icon::Warning);
        return;
    }
    m_pictureName = stored;
    showPreview(backgroundPicturePath(m_ctx.folder, stored));
}

void BackgroundWindow::applyColour()
{
    m_display.showBackgroundColour(m_colour.colour(Qt::black));
}

bool BackgroundWindow::applyPicture()
{
    const QString path = backgroundPicturePath(m_ctx.folder, m_pictureName);
    const QPixmap picture = path.isEmpty() || m_preview.isNull() ? QPixmap() : readPicture(path);
    if (picture.isNull())
        return false;
    // The picture on the display now keeps the clocks' colour as they are.
    const bool shown = m_display.backgroundIsPicture() && m_display.backgroundPictureName() == m_pictureName;
    const QColor clocks = shown ? m_display.elementColour(DisplayElement::Clock)
                                : m_currentPlan.plan().clockcolour.colour();
    m_display.showBackgroundPicture(picture, clocks, m_pictureName);
    return true;
}

void BackgroundWindow::apply()
{
    bool pictureApplied = false;
    if (colourMode()) {
        applyColour();
    } else {
        pictureApplied = applyPicture();
        if (!pictureApplied)
            m_ctx.notifier.notice(m_pictureName.isEmpty() ? QStringLiteral("没有加载图片")
                                                          : QStringLiteral("无法读取图片：%1").arg(m_pictureName),
                                  Notifier::Icon::Warning);
    }
    IniEdit edit(m_ctx.ini);
    writeBackgroundColour(edit, m_colour);
    if (pictureApplied)
        edit.write(time_data::kMarquee, time_data::kBackgroundText, m_pictureName);
    QString error;
    if (!edit.save(&error))
        m_ctx.notifier.notice(QStringLiteral("无法保存背景设置：%1").arg(error), Notifier::Icon::Warning);
}

} // namespace orvalen
