#include "about/about_window.h"

#include "services/app_context.h"
#include "services/help_links.h"
#include "stores/time_data_keys.h"

#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvalen {

namespace {

// The picture is drawn here rather than shipped: the program's clock face on
// a light square, so the window needs no file of its own.
QPixmap about_picture(int side)
{
    QPixmap pixmap(side, side);
    pixmap.fill(QColor(245, 245, 240));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(side / 2.0, side / 2.0 - side * 0.06);
    const double r = side * 0.3;
    p.setPen(QPen(QColor(40, 40, 40), side * 0.025));
    p.setBrush(Qt::white);
    p.drawEllipse(centre, r, r);
    for (int h = 0; h < 12; ++h) {
        p.save();
        p.translate(centre);
        p.rotate(h * 30.0);
        p.drawLine(QPointF(0, -r * 0.82), QPointF(0, -r * 0.95));
        p.restore();
    }
    p.setPen(QPen(QColor(200, 30, 30), side * 0.02, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre, centre + QPointF(0, -r * 0.7));
    p.setPen(QPen(QColor(40, 40, 40), side * 0.03, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre, centre + QPointF(r * 0.45, r * 0.2));
    QFont font = p.font();
    font.setPixelSize(qMax(12, side / 14));
    p.setFont(font);
    p.setPen(QColor(40, 40, 40));
    p.drawText(QRectF(0, side * 0.8, side, side * 0.15), Qt::AlignCenter, QStringLiteral("Orvalen 帮助"));
    return pixmap;
}

} // namespace

AboutWindow::AboutWindow(AppContext& ctx, Launcher& launcher, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_launcher(launcher)
{
    setWindowTitle(QStringLiteral("公众号"));
    setModal(true);
    // 5160 twips square.
    const int side = qRound(5160.0 * logicalDpiX() / 1440.0);

    m_picture = new QPushButton(this);
    m_picture->setFlat(true);
    m_picture->setFixedSize(side, side);
    m_picture->setIcon(QIcon(about_picture(side)));
    m_picture->setIconSize(QSize(side, side));
    m_picture->setAccessibleName(QStringLiteral("查看教学视频"));
    m_picture->setCursor(Qt::PointingHandCursor);
    m_picture->setAutoDefault(false);

    m_caption = new QPushButton(QStringLiteral("关注公众号，点击查看教学视频"), this);
    m_caption->setFlat(true);
    m_caption->setAccessibleName(m_caption->text());
    m_caption->setCursor(Qt::PointingHandCursor);
    QFont font(QStringLiteral("宋体"));
    font.setPointSize(11);
    m_caption->setFont(font);
    m_caption->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 8);
    layout->addWidget(m_picture);
    layout->addWidget(m_caption);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_picture, &QPushButton::clicked, this, &AboutWindow::openPage);
    connect(m_caption, &QPushButton::clicked, this, &QDialog::accept);
}

void AboutWindow::openPage()
{
    const QString address = aboutAddress(m_ctx.ini, time_data::kUrl);
    if (!address.isEmpty())
        openAboutAddress(address, m_ctx.folder, m_launcher, m_ctx.notifier);
    else
        openHelpFile(m_ctx.folder, m_launcher, m_ctx.notifier);
    accept();
}

} // namespace orvalen
