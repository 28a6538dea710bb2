#pragma once
#include <QColor>
#include <QFont>
#include <optional>

class QWidget;

namespace orvalen {

// The font and colour dialogs of the element menu. The program shows Qt's
// dialogs; tests answer them.
class StyleDialogs {
public:
    virtual ~StyleDialogs() = default;
    // A font dialog seeded with `initial`, offering fixed-pitch fonts only.
    // nullopt when the operator cancels.
    virtual std::optional<QFont> chooseFont(const QFont& initial) = 0;
    // A colour dialog starting at black with sixteen black custom colours.
    // nullopt when the operator cancels.
    virtual std::optional<QColor> chooseColour() = 0;
};

class QtStyleDialogs final : public StyleDialogs {
public:
    // The dialogs are owned by `parent` (the display window).
    explicit QtStyleDialogs(QWidget* parent) : m_parent(parent) {}
    std::optional<QFont> chooseFont(const QFont& initial) override;
    std::optional<QColor> chooseColour() override;

private:
    QWidget* m_parent;
};

} // namespace orvalen
