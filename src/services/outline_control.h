#pragma once
#include <QRect>

class QWidget;

namespace orvalen {

// The frame drawn about a control, in twips: 15 left and above it, 25 wider
// and 30 taller.
QRect outlineRectTwips(const QRect& controlTwips);

// Places `shape` as that frame about `control` (both children of the same
// window), converting through the screen's logical resolution.
void outlineControl(QWidget& shape, const QWidget& control);

} // namespace orvalen
