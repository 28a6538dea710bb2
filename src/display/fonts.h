#pragma once
#include <QString>

namespace orvalen {

// The family every display element falls back to when its own is missing.
inline const QString kFallbackFamily = QStringLiteral("宋体");

// True when the font database knows the family (letter case ignored).
bool font_installed(const QString& family);
// The family an element gets for a stored font name: the name itself when
// installed, else "宋体".
QString display_family(const QString& family);
// Lets the font family names stored plans use ("宋体", "新宋体", ...) render
// in an installed CJK font, so Chinese text never shows as boxes. Runs once.
void install_cjk_substitutions();

} // namespace orvalen
