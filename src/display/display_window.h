#pragma once
#include "platform/engine_timer.h"
#include "services/app_context.h"
#include "stores/run_state.h"

#include <QFont>
#include <QLabel>
#include <QPixmap>
#include <QPointF>
#include <QWidget>
#include <array>
#include <memory>

namespace orvalen {

class DisplayHost;
class Panel;

// The full-screen display window: what the audience sees. It owns the
// display elements, the hidden run labels, the window timers that the engine
// and the display share, and the tray icon. Other parts of the program read
// and write these members by name, as they did the original window's
// controls; the control names and indices below are that contract.
//
// Element numbers: display_element 0 main title, 1 subtitle, 2 date line,
// 3 prompt text, 4 scrolling text, 5 clock, 6 logo, 7 overtime clock,
// 10..14 the on-screen buttons. The element menu numbers the overtime clock
// 6 and the logo 7.
class DisplayWindow : public QWidget {
    Q_OBJECT
public:
    DisplayWindow(AppContext& ctx, HostState& host, ModuleState& module, DisplayHost& displayHost,
                  QWidget* parent = nullptr);
    ~DisplayWindow() override;

    AppContext& context() { return m_ctx; }
    HostState& hostState() { return m_host; }
    ModuleState& module() { return m_module; }
    DisplayHost& displayHost() { return m_displayHost; }

    // --- display elements --------------------------------------------------
    QWidget* Picture2 = nullptr;                 // background box, parent of all elements
    std::array<QLabel*, 5> Label2{};             // 0 title, 1 subtitle, 2 date line, 3 prompt, 4 scrolling text
    std::array<Panel*, 5> Picture6{};            // panels 1..4 holding Label2(1..4); [0] unused
    Panel* Picture1 = nullptr;                   // clock panel (paints Label3's caption)
    QLabel* Label3 = nullptr;                    // clock text, measured, never shown
    Panel* Picture4 = nullptr;                   // overtime clock panel
    QLabel* Label4 = nullptr;                    // overtime clock text, never shown
    Panel* Picture5 = nullptr;                   // logo
    std::array<QLabel*, 5> Label9{};             // on-screen buttons: start, stop, pause, settings, exit
    QPixmap Picture3;                            // the background picture at its own size

    // --- hidden labels (text semantics kept) -------------------------------
    QString Label1_1 = "0";                      // current count value "hh:mm:ss"
    QString Label1_2 = "0";                      // time of day of the last tick
    QString Label5 = "-1";                       // current stage code
    QString Label6 = "6";                        // overtime action code of the run
    QLabel* Label7 = nullptr;                    // measuring label for the end text, never shown
    QString Label8 = "0";                        // seconds left before a delayed restart
    QString start_time_of_day_text = "0";        // Label16 of the display: time of day at count start

    // --- window timers ------------------------------------------------------
    std::unique_ptr<EngineTimer> Timer1;         // count-down tick (500)
    std::unique_ptr<EngineTimer> Timer2;         // scrolling-text tick (1000)
    std::unique_ptr<EngineTimer> Timer3;         // blink tick (1000)
    std::unique_ptr<EngineTimer> Timer4;         // count-up / overtime tick (500)
    std::unique_ptr<EngineTimer> Timer5;         // one-shot count set-up (100)
    std::unique_ptr<EngineTimer> Timer7;         // prompt-text tick (100 after start-up)
    std::unique_ptr<EngineTimer> Timer9;         // one-shot clock/date set-up (100)
    std::unique_ptr<EngineTimer> Timer10;        // long-term tick (300)
    std::unique_ptr<EngineTimer> Timer11;        // delayed restart (1000)
    std::unique_ptr<EngineTimer> Timer12;        // network-time tick (60000)

    // --- window-level fields ----------------------------------------------
    std::array<int, 6> stage_seconds{};          // [1..5] whole seconds of Time_one..Time_five
    int marquee_mode = 2;
    int marquee_width = 1000;                    // twips
    int marquee_speed = 1;
    bool background_is_picture = false;
    int run_overtime_action = 0;
    int blink_count = 0;
    int prompt_ticks = 0;
    QPointF grab_point;                          // twips

    // --- public procedures --------------------------------------------------
    void Frm_Resize();                           // re-run the layout
    void fromRefresh();
    void ShowStatue();                           // paint the clock panel
    void ShowStatuechao();                       // paint the overtime clock panel
    void dongtaiRefresh();                       // paint the text panels
    void backgroundupdate(int stage);            // per-stage background

    // Twips per pixel of the screen (15 at 96 dpi).
    double twipsPerPixelX() const;
    double twipsPerPixelY() const;

private:
    AppContext& m_ctx;
    HostState& m_host;
    ModuleState& m_module;
    DisplayHost& m_displayHost;
};

} // namespace orvalen
