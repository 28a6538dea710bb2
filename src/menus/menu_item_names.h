#pragma once
#include "display/display_element.h"

namespace orvalen {

// The object name of each menu item, saying what the item does; tools and
// tests find an item by it. Separators and unknown items have none.
constexpr const char* desktopItemName(DesktopItem item)
{
    switch (item) {
    case DesktopItem::Start: return "startItem";
    case DesktopItem::Stop: return "stopItem";
    case DesktopItem::Pause: return "pauseItem";
    case DesktopItem::Reset: return "resetItem";
    case DesktopItem::Plans: return "plansItem";
    case DesktopItem::Settings: return "settingsItem";
    case DesktopItem::AdjustMode: return "adjustModeItem";
    case DesktopItem::Background: return "backgroundItem";
    case DesktopItem::Buttons: return "buttonsItem";
    case DesktopItem::ExtendedScreen: return "extendedScreenItem";
    case DesktopItem::Minimise: return "minimiseItem";
    case DesktopItem::Statistics: return "statisticsItem";
    case DesktopItem::Help: return "helpItem";
    case DesktopItem::About: return "aboutItem";
    case DesktopItem::Exit: return "exitItem";
    default: return "";
    }
}

constexpr const char* elementItemName(ElementAction item)
{
    switch (item) {
    case ElementAction::Font: return "fontItem";
    case ElementAction::Colour: return "colourItem";
    case ElementAction::Centre: return "centreItem";
    case ElementAction::Hide: return "hideItem";
    case ElementAction::Weekday: return "weekdayItem";
    default: return "";
    }
}

} // namespace orvalen
