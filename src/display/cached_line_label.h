#pragma once
#include <QColor>
#include <QFont>
#include <QLabel>
#include <QPixmap>
#include <QSize>

namespace orvalen {

// A label for one line of plain text that moves every step (the scrolling
// text): it draws its text once into a picture and copies the part a paint
// asks for. Large glyphs are not kept by the font cache and would be turned
// into outlines and filled again at every step. The picture is drawn anew
// when the text, font, colour, size or pixel ratio change; a line too long
// for one picture is drawn as a plain label draws it.
class CachedLineLabel final : public QLabel {
public:
    explicit CachedLineLabel(const QString& text, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The picture for what the label shows now; false when none can hold it.
    bool preparePicture();

    QPixmap m_picture;
    QString m_text;
    QFont m_font;
    QColor m_colour;
    QSize m_size;
};

} // namespace orvalen
