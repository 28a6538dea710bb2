#pragma once
#include <QString>

// Sections and keys of TimeData.db and the default each reader passes. The
// same key has different defaults in different readers (the display takes a
// scroll width of 1000 where the settings window shows 5000); that is how the
// program has always behaved, so each reader's default is named here.
namespace orvalen::time_data {

inline const QString kFile = QStringLiteral("TimeData.db");

inline const QString kMarquee = QStringLiteral("Marquee");
inline const QString kMode = QStringLiteral("Mode");
inline const QString kWidth = QStringLiteral("Width");
inline const QString kMarqueeSpeed = QStringLiteral("MarQueespeed");
inline const QString kColckBigText = QStringLiteral("colckbigtext");
// The plan-sequence position: the plan item (counted from 1) whose run the
// sequence is at; the clear after its run goes on to the next item (after
// the last, back to the first). A position more than one past the last item
// stands outside the sequence: no clear goes on to another plan.
inline const QString kCurrentRow = QStringLiteral("currentrow");
// currentrow for a chosen plan whose end neither resets nor goes on to the
// next plan: this far past the last plan item.
inline constexpr int kCurrentRowPastLastWhenChosen = 10;
// currentrow once a stop has ended a run that would have gone on to the next
// plan: this far past the last plan, so the sequence ends there.
inline constexpr int kCurrentRowPastLastWhenStopped = 11;
inline const QString kCheckCycle = QStringLiteral("checkcycle");
inline const QString kBackgroundColor = QStringLiteral("backgroundColor");
inline const QString kBackgroundText = QStringLiteral("backgroundText");

inline const QString kPictureSet = QStringLiteral("pictureset");
inline const QString kOption = QStringLiteral("Option");
inline const QString kHeight = QStringLiteral("Height");
inline const QString kDelayTime = QStringLiteral("Delaytime");

inline const QString kHotkey = QStringLiteral("Hotkey");
inline const QString kStart = QStringLiteral("start");
inline const QString kStop = QStringLiteral("stop");
inline const QString kPause = QStringLiteral("pause");
inline const QString kOpenTogetherStop = QStringLiteral("opentogetherstop");
inline const QString kOften = QStringLiteral("often");

inline const QString kAbout = QStringLiteral("About");
inline const QString kUrl = QStringLiteral("url");
// The address a desktop menu item opens with Ctrl held: link6, link16.
inline QString linkKey(int menuItem) { return QStringLiteral("link") + QString::number(menuItem); }

inline const QString kClockSite = QStringLiteral("clocksite");
inline QString pictureLeftKey(int element) { return QStringLiteral("pictureleft") + QString::number(element); }
inline QString pictureTopKey(int element) { return QStringLiteral("picturetop") + QString::number(element); }
// The screen the places were made for: its full width and height in twips.
inline const QString kPlacesScreenWidth = QStringLiteral("screenwidth");
inline const QString kPlacesScreenHeight = QStringLiteral("screenheight");

// Defaults, by reader.
inline const QString kModeDefault = QStringLiteral("2");
inline const QString kWidthDisplayDefault = QStringLiteral("1000");   // display load, set-ups
inline const QString kWidthSettingsDefault = QStringLiteral("5000");  // settings window
inline const QString kSpeedDisplayDefault = QStringLiteral("1");      // display load, set-ups
inline const QString kSpeedSettingsDefault = QStringLiteral("3");     // settings window
inline const QString kColckBigTextDefault = QStringLiteral("0");
inline const QString kCurrentRowDefault = QStringLiteral("-10");      // start command
inline const QString kCheckCycleDefault = QStringLiteral("0");
inline const QString kBackgroundColorDefault = QStringLiteral("0");
inline const QString kOptionDefault = QStringLiteral("0");
inline const QString kLogoWidthDefault = QStringLiteral("800");
inline const QString kLogoHeightDefault = QStringLiteral("600");
inline const QString kDelayTickDefault = QStringLiteral("0");         // count-down tick
inline const QString kDelaySetupDefault = QStringLiteral("2");        // set-up, settings window
inline const QString kHotkeyNone = QStringLiteral("无");              // settings window
inline const QString kOpenTogetherStopDefault = QStringLiteral("0");
inline const QString kOftenDefault = QStringLiteral("00");
inline const QString kPositionUnsaved = QStringLiteral("-100");       // layout
inline const QString kButtonsShownDefault = QStringLiteral("0");      // pictureleft9, display load

} // namespace orvalen::time_data
