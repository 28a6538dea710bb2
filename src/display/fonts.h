#pragma once
#include <QFont>
#include <QString>

namespace orvalen {

// The family every display element falls back to when its own is missing.
inline const QString kFallbackFamily = QStringLiteral("宋体");

// True when the font database knows the family (letter case ignored).
bool fontInstalled(const QString& family);
// The family an element gets for a stored font name: the name itself when
// installed, else "宋体".
QString displayFamily(const QString& family);
// Lets the font family names stored plans use ("宋体", "新宋体", ...) render
// in an installed CJK font, so Chinese text never shows as boxes. Runs once.
void installCjkSubstitutions();

// The plans' text sizes are made for a 1920 x 1080 screen. Another screen
// draws every text smaller or larger by the ratio of its narrower side, so a
// text takes the same share of any screen. The sizes are logical pixels (the
// ones Qt's high-DPI scaling gives). Unknown sizes draw at their own size.
double screenTextScale(int widthPx, int heightPx);
// The largest size up to `points` (whole quarter points once it shrinks,
// never below 1 pt) at which `text` in `font` is at most `maxWidthPx` wide.
double pointSizeToFit(QFont font, const QString& text, double points, double maxWidthPx);

} // namespace orvalen
