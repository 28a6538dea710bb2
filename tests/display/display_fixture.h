#pragma once
#include "display/clock_panel.h"
#include "display/display_host.h"
#include "display/display_window.h"
#include "display/marquee_ticker.h"
#include "display/prompt_ticker.h"
#include "display/logo_video.h"
#include "display/panel.h"
#include "display/screen_buttons.h"
#include "stores/plan_store.h"
#include "stores/position_store.h"
#include "state/run_state.h"
#include "state/run_controller.h"
#include "support/temp_program.h"
#include "support/test_screen.h"

#include <QBuffer>
#include <cmath>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace orvalen::test {

// The display's widgets found by their object names, for what the view does
// not report: pixels, geometry, visibility and fonts of single widgets.
inline QLabel* textLabel(const QWidget& w, int i)
{
    return w.findChild<QLabel*>(QStringLiteral("textLabel%1").arg(i));
}
inline Panel* textPanel(const QWidget& w, int i)
{
    return w.findChild<Panel*>(QStringLiteral("textPanel%1").arg(i));
}
// The on-screen buttons are named by their first captions.
inline QPushButton* screenButton(const QWidget& w, ScreenButton b)
{
    return w.findChild<QPushButton*>(screenButtonName(b));
}
// Left to right.
inline std::array<QPushButton*, kScreenButtonCount> screenButtons(const QWidget& w)
{
    std::array<QPushButton*, kScreenButtonCount> all{};
    for (std::size_t i = 0; i < all.size(); ++i)
        all[i] = screenButton(w, kScreenButtons[i].button);
    return all;
}
inline Panel* panel(const QWidget& w, const char* name)
{
    return w.findChild<Panel*>(QLatin1String(name));
}
inline QLabel* label(const QWidget& w, const char* name)
{
    return w.findChild<QLabel*>(QLatin1String(name));
}
// The clock ("clockPanel") or the overtime clock ("overtimePanel").
inline ClockPanel* clockPanel(const QWidget& w, const char* name = "clockPanel")
{
    return w.findChild<ClockPanel*>(QLatin1String(name));
}

// The display as the engine, the menus, the settings window and the
// background window see it.
inline CountView& countView(DisplayWindow& w) { return w.countView(); }
inline ElementView& view(DisplayWindow& w) { return w.elementView(); }
inline LayoutView& layoutView(DisplayWindow& w) { return w.elementView(); }
inline BackgroundView& backgroundView(DisplayWindow& w) { return w.backgroundView(); }

// A control's place in twips, as places are stored.
inline double twipsLeft(DisplayWindow& w, const QWidget* c) { return w.layout().twipsRect(c).left(); }
inline double twipsTop(DisplayWindow& w, const QWidget* c) { return w.layout().twipsRect(c).top(); }
inline double twipsWidth(DisplayWindow& w, const QWidget* c) { return w.layout().twipsRect(c).width(); }
inline double twipsHeight(DisplayWindow& w, const QWidget* c) { return w.layout().twipsRect(c).height(); }
inline void setTwipsLeft(DisplayWindow& w, QWidget* c, double v) { w.layout().setTwipsLeft(c, v); }
inline void setTwipsWidth(DisplayWindow& w, QWidget* c, double v) { w.layout().setWidth(c, w.layout().pxX(v)); }
// The extent of a clock's text in twips.
inline QSizeF clockTextTwips(DisplayWindow& w, const char* name = "clockPanel")
{
    const QSizeF px = clockPanel(w, name)->textSize();
    return QSizeF(px.width() * w.layout().tppX(), px.height() * w.layout().tppY());
}
// A text line's caption (textLabelN is element N).
inline void setCaption(DisplayWindow& w, QLabel* line, const QString& text)
{
    const int n = line->objectName().mid(9).toInt();
    view(w).setElementText(DisplayElement(n), text);
}
// Paints text panel N (1..4) again.
inline void paintTextPanel(DisplayWindow& w, int n) { view(w).repaintElement(DisplayElement(n)); }
inline void paintTextPanels(DisplayWindow& w)
{
    for (int n = 1; n <= 4; ++n)
        if (!textPanel(w, n)->isHidden())
            paintTextPanel(w, n);
}

// Records what the display asks of the rest of the program. Command 9 (the
// on-screen buttons) does what the menu host does with it, so the start-up
// can be watched showing or hiding the buttons.
class RecordingDisplayHost final : public DisplayHost {
public:
    struct Popup {
        bool elementMenu = false;
        std::optional<DisplayElement> element;
        ElementMenuItems items;
    };
    void runDesktopItem(DesktopItem command) override
    {
        runs.push_back(int(command));
        if (command == DesktopItem::Buttons && window && host && ctx) {
            const bool shown = !host->menus.buttonsShown();
            host->menus.setButtonsShown(shown);
            window->setButtonsShown(shown);
            saveElementPosition(ctx->ini, ctx->registry, 9, shown ? 1 : 0, 0);
        }
    }
    // The ready state, as the run commands show it; the buttons follow it.
    void showReady() override
    {
        ++readyShown;
        if (host)
            host->run.runStateWriter().reset();
    }
    void popupDesktopMenu(const QPoint&) override { popups.push_back({false, std::nullopt, {}}); }
    void popupElementMenu(const QPoint&, DisplayElement element, const ElementMenuItems& items) override
    {
        popups.push_back({true, element, items});
    }
    void stopRunOnClose() override { ++runStops; }
    void registerHotkeys() override { ++hotkeySets; }
    void releaseHotkeys() override { ++hotkeyDels; }

    DisplayWindow* window = nullptr;
    HostState* host = nullptr;
    AppContext* ctx = nullptr;
    std::vector<int> runs;
    std::vector<Popup> popups;
    int hotkeySets = 0;
    int hotkeyDels = 0;
    int runStops = 0;
    int readyShown = 0;
};

// A logo video that only records what is done with it.
class FakeLogoVideo final : public LogoVideo {
public:
    struct Log {
        QString file;
        int created = 0, played = 0, stopped = 0, released = 0;
        QSize size;
    };
    FakeLogoVideo(Log& log, QWidget* box) : m_log(log), m_widget(new QWidget(box)) {}
    ~FakeLogoVideo() override
    {
        ++m_log.released;
        delete m_widget;
    }
    QWidget* videoWidget() const override { return m_widget; }
    void setSize(int w, int h) override { m_log.size = QSize(w, h); }
    void play() override { ++m_log.played; m_playing = true; }
    void stop() override { ++m_log.stopped; m_playing = false; }
    bool isPlaying() const override { return m_playing; }

private:
    Log& m_log;
    QWidget* m_widget;
    bool m_playing = false;
};

class FakeLogoVideoFactory final : public LogoVideoFactory {
public:
    std::unique_ptr<LogoVideo> create(const QString& file, QWidget* box) override
    {
        log.file = file;
        ++log.created;
        return std::make_unique<FakeLogoVideo>(log, box);
    }
    FakeLogoVideo::Log log;
};

// A display window over a temporary program folder, laid out for the test
// screen (1920 x 1080 at 96 dpi, 15 twips per pixel).
class DisplayTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        displayHost.host = &host;
        displayHost.ctx = &program.context;
    }

    DisplayWindow& window()
    {
        if (!m_window) {
            m_window = std::make_unique<DisplayWindow>(program.context, host, currentPlan, displayHost);
            putOnTestScreen(*m_window);
            m_window->setLogoVideoFactory(&videos);
            displayHost.window = m_window.get();
        }
        return *m_window;
    }

    // Stores `plan` as the current plan and runs the start-up.
    DisplayWindow& loadWith(const ClockPlan& plan)
    {
        savePlan(program.registry, plan);
        window(); // made before the plan is loaded, as in the program
        loadCurrentPlan(program.registry, currentPlan, program.clock.now().date());
        window().load();
        // The program's first frame follows.
        window().recordPlacesForThisScreen();
        return window();
    }
    DisplayWindow& loadDefault() { return loadWith(ClockPlan::defaults(program.clock.now().date())); }
    ClockPlan defaultPlan() const { return ClockPlan::defaults(program.clock.now().date()); }

    void ini(const QString& section, const QString& key, const QString& value) { program.ini.write(section, key, value); }

    // Writes a picture of the given size into picture/ (a left-to-right,
    // top-to-bottom colour gradient, so any misplaced piece shows).
    void writePicture(const QString& name, int w, int h, const char* format = "PNG")
    {
        QImage image(w, h, QImage::Format_RGB32);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                image.setPixel(x, y, qRgb(x * 255 / std::max(1, w - 1), y * 255 / std::max(1, h - 1), 128));
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, format);
        program.writeFile(QStringLiteral("picture/") + name, bytes);
    }

    TempProgram program;
    HostState host;
    CurrentPlan currentPlan;
    RecordingDisplayHost displayHost;
    FakeLogoVideoFactory videos;

private:
    std::unique_ptr<DisplayWindow> m_window;
};

} // namespace orvalen::test
