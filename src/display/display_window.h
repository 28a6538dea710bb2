#pragma once
#include "display/count_view.h"
#include "platform/engine_timer.h"
#include "display/display_element.h"
#include "services/app_context.h"
#include "stores/current_plan.h"
#include "stores/run_state.h"

#include <QDateTime>
#include <QFont>
#include <QHash>
#include <QIcon>
#include <QLabel>
#include <QRectF>
#include <QPixmap>
#include <QPointF>
#include <QWidget>
#include <array>
#include <memory>
#include <optional>

class QScreen;

namespace orvalen {

class DisplayHost;
class Panel;
class BackgroundBox;
class TrayIcon;
class LogoVideo;
class LogoVideoFactory;

// The full-screen display window: what the audience sees. It owns the
// display elements, the scrolling-text and prompt ticks and the tray icon.
// The menus and the windows reach the elements through the view below, by
// DisplayElement; the count engine sees the display as a CountView.
class DisplayWindow : public QWidget, public CountView {
    Q_OBJECT
public:
    DisplayWindow(AppContext& ctx, HostState& host, CurrentPlan& currentPlan, DisplayHost& displayHost,
                  QWidget* parent = nullptr);
    ~DisplayWindow() override;

    AppContext& context() { return m_ctx; }
    HostState& hostState() { return m_host; }
    CurrentPlan& currentPlan() { return m_currentPlan; }
    DisplayHost& displayHost() { return m_displayHost; }

    // Window-level values the view does not report otherwise.
    int marqueeMode() const { return marquee_mode; }
    int marqueeWidth() const { return marquee_width; }   // twips
    int marqueeSpeed() const { return marquee_speed; }
    int stageSeconds(int stage) const { return stage_seconds.at(std::size_t(stage)); } // stage 1..5
    int promptTicks() const { return prompt_ticks; }
    bool hasLogoVideo() const { return logo_media_control != nullptr; }

    // --- public procedures --------------------------------------------------
    // The start-up: loads the current plan, styles the elements, reads the
    // background, logo and menu state, lays the display out and shows it
    // full screen. Called once after construction.
    void load();
    // Lays every element out again (after a resize, a plan or a style change).
    void relayout() override;
    void paintClock();                           // paint the clock panel with clockText's text and size
    void paintClock(const QString& text, int size);
    void paintOvertimeClock();                       // paint the overtime clock panel with overtimeText's
    void paintOvertimeClock(const QString& text, int size);
    void paintTextPanels();                       // paint the visible text panels 1..4
    void paintTextPanels(int index);              // paint text panel textPanels(index)
    void applyStageBackground(int stage);            // per-stage background

    // Gives empty text elements a placeholder caption and shows them (layout
    // editing on), or removes the placeholders again.
    void showElementPlaceholders(bool shown);
    // The close-down: releases the hotkeys, the logo video and the tray icon.
    // Runs once (also from closeEvent and the destructor).
    void unload();
    // A click on the tray icon (button 1 left, 2 right, 4 middle).
    void trayIconClicked(int button, bool isDouble);

    // The scrolling-text and prompt-text ticks (scrollTick, promptTick).
    void scrollOneStep();
    void advancePrompt();

    // Where logo videos come from: Qt Multimedia unless a test installs a
    // recording factory.
    void setLogoVideoFactory(LogoVideoFactory* factory) { m_videoFactory = factory ? factory : m_qtVideos.get(); }
    LogoVideoFactory* logoVideoFactory() const { return m_videoFactory; }
    // The time of day the display shows (the context's clock, which the
    // context must have from construction, as its timer factory).
    QDateTime now() const;
    // True while a count runs (not paused, not finished).
    bool isRunning() const;

    // The window's maximised state: the full-screen state, without
    // decorations, also coming back from minimised. With a screen given the
    // window is first put over that screen. Does not show a hidden window.
    void fillScreen(QScreen* screen);

    // Twips per pixel of the screen (15 at 96 dpi).
    double twipsPerPixelX() const;
    double twipsPerPixelY() const;
    const ScreenMetrics& screenMetrics() const override { return m_screen; }
    // Fixes the screen figures (tests); the layout uses them from then on.
    void setScreenMetrics(const ScreenMetrics& metrics);

    // --- geometry in twips ----------------------------------------------------
    // Every element keeps its Left/Top/Width/Height in twips, relative to its
    // container; the widget's pixel geometry follows from them. Self-sizing
    // labels (textLabels, clockText, overtimeText, endTextMeasure) report the extent of their text.
    double twipsLeft(const QWidget* w) const;
    double twipsTop(const QWidget* w) const;
    double twipsWidth(const QWidget* w) const;
    double twipsHeight(const QWidget* w) const;
    void setTwipsLeft(QWidget* w, double left);
    void setTwipsTop(QWidget* w, double top);
    void setTwipsWidth(QWidget* w, double width);
    void setTwipsHeight(QWidget* w, double height);
    void setTwipsGeometry(QWidget* w, double left, double top, double width, double height);

    // Caption and font changes of the labels: they re-size self-sizing labels.
    void setCaption(QLabel* label, const QString& text);
    // Font size in points; a size <= 0 or not finite is refused (false) and
    // the old size stays.
    bool setFontSize(QWidget* w, double points);
    // Font family by name; a family that is not installed becomes "宋体".
    void setFontName(QWidget* w, const QString& family);
    // Text colour of a label, or fore colour of a panel; invalid is ignored.
    void setForeColour(QWidget* w, const QColor& colour);
    // Re-measures a self-sizing label after its text or font changed.
    void autoSize(QLabel* label);
    bool isAutoSize(const QWidget* w) const;

    // Sizes the logo box by the stored logo size option: to the picture
    // (when it is one), or to the stored width and height in tens of twips.
    void sizeLogoBox(const QImage& image);
    // Plays the file `path` as the logo video, fitted inside the logo box's
    // border. The video comes from `factory`, else from the display's own
    // factory.
    void playLogoVideo(const QString& path, LogoVideoFactory* factory = nullptr);

    // --- the view: elements by name --------------------------------------------
    // An element's text is the caption it shows (the clocks' texts are what
    // their panels paint); its box is the control that is placed and shown:
    // the title label itself, a panel, or the logo box. The logo has no text.
    QString elementText(DisplayElement e) const;
    void setElementText(DisplayElement e, const QString& text);
    QFont elementFont(DisplayElement e) const;
    QColor elementColour(DisplayElement e) const;
    // The family, italic, weight and point size of `font` and `colour` go to
    // the element's text and its box.
    void setElementStyle(DisplayElement e, const QFont& font, const QColor& colour);
    void setElementColour(DisplayElement e, const QColor& colour);
    // The point size of the element's text; refused (false) as setFontSize.
    bool setElementFontSize(DisplayElement e, double points);
    // The box's place and size in twips, relative to the background.
    QRectF elementRect(DisplayElement e) const;
    void setElementLeft(DisplayElement e, double left);
    void setElementTop(DisplayElement e, double top);
    bool isElementShown(DisplayElement e) const;
    void setElementShown(DisplayElement e, bool shown);
    // Paints a text panel or a clock again after its text, style or place
    // changed (the title and the logo need nothing).
    void repaintElement(DisplayElement e);
    // Keeps the box's place as the element's saved place.
    void saveElementPosition(DisplayElement e);
    // Centres the scrolling text inside its panel.
    void centreScrollingText();
    // True when the logo box shows neither a picture nor a video.
    bool logoIsEmpty() const;

    // The on-screen buttons, left to right as kButtonCommands.
    bool buttonsShown() const;
    void setButtonsShown(bool shown);
    void setButtonsEnabled(const std::array<bool, 5>& enabled);

    // The background: a colour (no picture), or a picture with the clocks in
    // `clockColour`. Either lays the display out again.
    void showBackgroundColour(const QColor& colour);
    void showBackgroundPicture(const QPixmap& picture, const QColor& clockColour, const QString& name);
    const QPixmap& backgroundPicture() const;    // at its own size
    bool backgroundIsPicture() const;
    // What the background shows now: its plain colour, and the name in
    // picture/ of the picture over it ("" when there is none).
    QColor backgroundColour() const;
    QString backgroundPictureName() const { return m_backgroundPictureName; }

    // The notification-area icon (none before the load or after the close-down).
    TrayIcon* trayIcon() const { return m_trayIcon.get(); }

    // A TimeData.db value, or fallback when absent or empty.
    QString iniRead(const QString& section, const QString& key, const QString& fallback) const;
    // Reads the scrolling-text mode, panel width and speed of [Marquee];
    // a value that does not convert leaves its field as it was.
    void readMarqueeSettings();

    // --- the count engine's view (display_count_view.cpp) -------------------
    void setClockCaption(const QString& text) override;
    void showClockText(const QString& text) override;
    void showOvertimeText(const QString& text) override;
    void showEndText(const QString& text, bool fitted) override;
    bool isClockShown(bool overtimeClock) const override;
    void setClockShown(bool overtimeClock, bool shown) override;
    void showDateLineText(const QString& text) override;
    void showPromptText(const QString& text) override;
    void clearPromptText() override;
    void setDateLineCaption(const QString& text) override;
    void setDateLineShown(bool shown) override;
    void setPromptLineShown(bool shown) override;
    void rewindPrompt() override;
    void setPromptTicking(bool on) override;
    bool isPromptTicking() const override;
    void setScrolling(bool on) override;
    void applyStageLook(int stage) override;
    void styleForCount(const QString& clockText, const QString& overtimeText) override;
    void styleForLongTerm(const QString& clockText, const QString& prompt) override;
    bool isShown() const override;
    void fillScreen() override;
    void setButton(int index, const QString& caption, bool enabled) override;
    void setButtonEnabled(int index, bool enabled) override;
    void showRunningButtons() override;
    void removePlaceholders() override;

private:
    enum class LogoLoad { StartUp, SetUp };
    void showLineText(std::size_t line, const QString& text);
    // The one element styler: font (also of `fontPanel`), colour (also of
    // `colourPanel`) and, when the plan gives one, size.
    void styleElement(QLabel* label, const QString& font, const QColor& colour, std::optional<double> size,
                      QWidget* fontPanel = nullptr, QWidget* colourPanel = nullptr);
    void styleTitles();
    void styleClocks(const QString& clockCaption, const QString& overtimeCaption);
    void placeScrollText();
    // Centres the prompt by its text's width, unless the operator placed it.
    void centrePromptLine();
    void fitEndText();
    // The logo of the plan: a picture, or a video playing in the logo box.
    void loadLogo(LogoLoad when);
    // --- end of the count engine's view --------------------------------------

private:
    // --- display elements --------------------------------------------------
    // The text lines, indexed by their element number.
    static constexpr std::size_t kTitleLine = 0, kSubtitleLine = 1, kDateLine = 2, kPromptLine = 3, kScrollLine = 4;
    std::array<QLabel*, 5> textLabels{};           // every text line's caption
    std::array<Panel*, 5> textPanels{};            // the panels of lines 1..4; the title has none
    Panel* clockPanel = nullptr;                   // clock panel (paints clockText's caption)
    QLabel* clockText = nullptr;                    // clock text, measured, never shown
    Panel* overtimePanel = nullptr;                   // overtime clock panel
    QLabel* overtimeText = nullptr;                    // overtime clock text, never shown
    Panel* logoBox = nullptr;                   // logo
    std::array<QLabel*, 5> screenButtons{};             // on-screen buttons: start, stop, pause, settings, exit

    QLabel* endTextMeasure = nullptr;                    // measuring label for the end text, never shown

    // --- window timers ------------------------------------------------------
    std::unique_ptr<EngineTimer> scrollTick;         // scrolling-text tick (1000)
    std::unique_ptr<EngineTimer> promptTick;         // prompt-text tick (100 after start-up)

    // --- window-level fields ----------------------------------------------
    std::array<int, 6> stage_seconds{};          // [1..5] whole seconds of Time_one..Time_five
    int marquee_mode = 2;
    int marquee_width = 1000;                    // twips
    int marquee_speed = 1;
    int prompt_ticks = 0;
    std::unique_ptr<LogoVideo> logo_media_control; // the logo video player, when a video is the logo
    QWidget* logo_video_window = nullptr;        // its video widget inside logoBox

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* elementLabel(DisplayElement e) const;  // the element's text, or none
    QWidget* elementBox(DisplayElement e) const;   // the element's box, or none
    void setClockColour(const QColor& colour);
    void setBackgroundPicture(const QPixmap& picture);
    void loadPlanAndStyles();                    // first half of the start-up
    void loadLookAndState();                     // second half
    void applyBackground(const QString& clockColour, const QString& backColour, const QString& pictureName);
    void setBackgroundColour(const QColor& colour);
    void releaseLogoVideo();
    void applyIdleMenuState();
    // Puts an element at its saved place, or at the default where the saved
    // place is outside the limits.
    void placeElement(DisplayElement e, double leftLimit, double leftDefault, bool forceCentre, double topLimit,
                      double topDefault);
    // The on-screen buttons, sized by their longest caption, in a row.
    void placeScreenButtons(double W, double H);
    void fitBackgroundBox();
    void paintClockPanel(Panel* panel, QLabel* label, const QString& text, int size);
    // The element menu's items for an element under the pointer (the
    // weekday item belongs to long-term plans, whose weekday mark it
    // settles); the popup request carries them.
    ElementMenuItems prepareElementMenu();
    bool handleMouse(QWidget* w, QEvent* event);
    // Moves `moved` with the pointer; its place is saved when the drag ends.
    void dragStep(QWidget* moved, const QPointF& posTwips, DisplayElement element);
    void createControls();
    void createTimers();
    void syncPixelGeometry(QWidget* w);
    void fitToScreen(QLabel* label);             // the drawn size of a text the audience reads
    void showOutlines(bool shown);               // thin outlines round the elements (layout editing)
    QRectF& twipsRect(const QWidget* w) const;

    BackgroundBox* m_backgroundBox = nullptr;    // the background box, parent of all elements
    QString m_backgroundPictureName;             // the name of the picture it shows, if any
    QIcon m_trayImage;                           // the tray-icon image
    std::unique_ptr<TrayIcon> m_trayIcon;        // notification-area icon (may have no tray host)
    QPointF m_grabPoint;                         // where the pointer took an element, twips
    std::optional<DisplayElement> m_draggedElement; // moved by the drag under way, not saved yet
    std::unique_ptr<LogoVideoFactory> m_qtVideos;
    LogoVideoFactory* m_videoFactory = nullptr;
    bool m_inLayout = false;
    bool m_unloaded = false;
    int m_pressedButton = -1;                    // screenButtons index under a left press (Click)
    ScreenMetrics m_screen;
    bool m_fixedScreen = false;
    mutable QHash<const QWidget*, QRectF> m_twips;
    QHash<const QWidget*, double> m_plannedPoints;  // the plan's point size of each fitted text

    AppContext& m_ctx;
    HostState& m_host;
    CurrentPlan& m_currentPlan;
    DisplayHost& m_displayHost;
};

} // namespace orvalen
