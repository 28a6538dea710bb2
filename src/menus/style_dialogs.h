#pragma once
#include <QColor>
#include <QFont>
#include <QStringList>
#include <optional>

class QWidget;

namespace orvalen {

// The font and colour dialogs of the element menu. The program shows Qt's
// dialogs; tests answer them.
class StyleDialogs {
public:
    virtual ~StyleDialogs() = default;
    // A font dialog seeded with `initial` for an element showing `text`.
    // nullopt when the operator cancels.
    virtual std::optional<QFont> chooseFont(const QFont& initial, const QString& text) = 0;
    // A colour dialog starting at black with sixteen black custom colours.
    // nullopt when the operator cancels.
    virtual std::optional<QColor> chooseColour() = 0;
};

// The families the font dialog offers for an element showing `text`: the
// fixed-pitch families and every family that draws each of its characters
// by itself (so a Chinese title finds the installed CJK fonts).
QStringList fontFamiliesFor(const QString& text);

class QtStyleDialogs final : public StyleDialogs {
public:
    // The dialogs are owned by `parent` (the display window).
    explicit QtStyleDialogs(QWidget* parent) : m_parent(parent) {}
    // Qt's font dialog listing fontFamiliesFor(text), with the family
    // that draws `initial` selected.
    std::optional<QFont> chooseFont(const QFont& initial, const QString& text) override;
    std::optional<QColor> chooseColour() override;

private:
    QWidget* m_parent;
};

} // namespace orvalen
