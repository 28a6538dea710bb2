#pragma once
#include "display/count_view.h"
#include "support/test_screen.h"

#include <QStringList>
#include <array>

namespace orvalen::test {

// The screen as the engine sees it, without widgets: what is shown where,
// and which looks were asked for.
class FakeCountView final : public CountView {
public:
    void setClockCaption(const QString& text) override { clock = text; }
    void showClockText(const QString& text) override { clock = text; }
    void showOvertimeText(const QString& text) override { overtimeClock = text; }
    void showEndText(const QString& text, bool) override { clock = text; }
    bool isClockShown(bool overtime) const override { return overtime ? overtimeShown : clockShown; }
    void setClockShown(bool overtime, bool shown) override { (overtime ? overtimeShown : clockShown) = shown; }
    void showDateLineText(const QString& text) override { dateLine = text; }
    void showPromptText(const QString& text) override { prompt = text; }
    void clearPromptText() override { prompt.clear(); }
    void setDateLineCaption(const QString& text) override { dateLine = text; }
    void setDateLineShown(bool shown) override { dateLineShown = shown; }
    void setPromptLineShown(bool shown) override { promptShown = shown; }
    void rewindPrompt() override { ++promptRewinds; }
    void setPromptTicking(bool on) override { promptTicking = on; }
    bool isPromptTicking() const override { return promptTicking; }
    void setScrolling(bool on) override { scrolling = on; }
    void applyStageLook(Stage stage) override { looks << stage; }
    void styleForCount(const QString& text, const QString& overtime) override { clock = text, overtimeClock = overtime; }
    void styleForLongTerm(const QString& text, const QString& promptLine) override { clock = text, prompt = promptLine; }
    bool isShown() const override { return false; }
    const ScreenMetrics& screenMetrics() const override { return screen; }
    void fillScreen() override {}
    void relayout() override {}
    void showRunningButtons() override {}
    void removePlaceholders() override {}

    QString clock, overtimeClock, dateLine, prompt;
    bool clockShown = true, overtimeShown = false, dateLineShown = false, promptShown = false;
    bool promptTicking = false, scrolling = false;
    int promptRewinds = 0;
    QList<Stage> looks;
    ScreenMetrics screen = testScreenMetrics();
};

} // namespace orvalen::test
