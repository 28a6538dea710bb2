#pragma once
#include "display/panel.h"

#include <QFont>
#include <QSizeF>
#include <QString>
#include <optional>

namespace orvalen {

// A clock of the display (the clock and the overtime clock): a panel that
// keeps its own text and the font the text is measured in, and paints the
// text centred into its image. The widget's font is the one it paints with
// (its size is given at each paint).
class ClockPanel final : public Panel {
    Q_OBJECT
public:
    explicit ClockPanel(QWidget* parent = nullptr);

    const QString& text() const { return m_text; }
    void setText(const QString& text) { m_text = text; }
    // The font the text is measured in (as it is drawn on this screen).
    const QFont& textFont() const { return m_textFont; }
    void setTextFont(const QFont& font) { m_textFont = font; }
    // The extent of the text in the text font, in pixels.
    QSizeF textSize() const;
    // The colour the clock reports for its text. It paints in the fore
    // colour; a colour given sets both (before any, the text reports the
    // palette's and paints red).
    const QColor& textColour() const { return m_textColour; }
    void setTextColour(const QColor& colour);

    // Paints the text at `size` points, centred in the panel, and names the
    // panel by it. A size larger than the panel was measured for is drawn
    // smaller, so the text stays whole; no usable size leaves it clear.
    // A hidden clock (the overtime clock before the overtime) is painted
    // when it is shown.
    void paintText(int size);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void drawText(int size);

    std::optional<int> m_sizeWhenShown;
    QString m_text;
    QFont m_textFont;
    QColor m_textColour;
};

} // namespace orvalen
