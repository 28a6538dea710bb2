#pragma once
#include <QColor>
#include <QPixmap>
#include <QWidget>

namespace orvalen {

// A picture box used as a display panel: it keeps a persistent image that
// the painters draw into and that paintEvent only copies to the screen. The
// panel paints nothing else: where the image is clear, whatever lies under
// the panel shows, so a panel larger than its text hides no neighbour. It
// also carries the box's back colour, fore colour, font and border style.
class Panel : public QWidget {
    Q_OBJECT
public:
    explicit Panel(QWidget* parent = nullptr);

    // The persistent image (device pixels of the panel's size).
    QPixmap& image() { return m_image; }
    const QPixmap& image() const { return m_image; }
    void setImage(QPixmap image);
    void clearImage();

    // The picture the box holds (a logo); drawn stretched to the box when no
    // persistent image covers it.
    const QPixmap& picture() const { return m_picture; }
    void setPicture(QPixmap picture);

    QColor backColor() const { return m_backColor; }
    void setBackColor(const QColor& c);
    QColor foreColor() const { return m_foreColor; }
    void setForeColor(const QColor& c) { m_foreColor = c; }
    int borderStyle() const { return m_borderStyle; }   // 0 none, 1 single line
    void setBorderStyle(int style);

    // The width of the border in px on each side (0 or 1).
    int borderWidth() const { return m_borderStyle == 1 ? 1 : 0; }

    // A thin dashed outline round the whole box, over what it shows, so the
    // operator sees what he drags while arranging the display.
    bool isOutlined() const { return m_outlined; }
    void setOutlined(bool outlined);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QPixmap m_image;
    QPixmap m_picture;
    QColor m_backColor{Qt::white};
    QColor m_foreColor{Qt::black};
    int m_borderStyle = 0;
    bool m_outlined = false;
};

// The background box: the plain back colour, or the background picture
// stretched to the box. The stretched copy is made once per size change.
class BackgroundBox : public QWidget {
    Q_OBJECT
public:
    explicit BackgroundBox(QWidget* parent = nullptr);

    QColor backColor() const { return m_backColor; }
    void setBackColor(const QColor& c);
    // The picture shown (at its own size; drawn stretched to the box).
    const QPixmap& picture() const { return m_picture; }
    void setPicture(QPixmap picture);
    bool hasPicture() const { return !m_picture.isNull(); }
    // The picture as it appears on the box: stretched to the box's size.
    const QPixmap& stretched() const;

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;

private:
    QColor m_backColor{Qt::white};
    QPixmap m_picture;
    mutable QPixmap m_stretched;
};

} // namespace orvalen
