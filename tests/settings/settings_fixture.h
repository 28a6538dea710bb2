#pragma once
#include "display/display_window.h"
#include "services/file_dialog.h"
#include "settings/colour_swatch.h"
#include "settings/hotkey_field.h"
#include "settings/number_field.h"
#include "settings/settings_window.h"
#include "stores/plan_codec.h"
#include "stores/plan_store.h"
#include "state/run_state.h"
#include "support/named_child.h"
#include "support/quiet_display_host.h"
#include "support/temp_program.h"
#include "support/test_screen.h"
#include "timing/count_session.h"
#include "timing/run_commands.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace orvalen::test {

// Run commands that count how often the ready state is shown.
class ReadyCountingCommands final : public RunCommands {
public:
    ReadyCountingCommands(const EngineContext& engine, int& shown) : RunCommands(engine), m_shown(shown) {}
    void showReady() override
    {
        ++m_shown;
        RunCommands::showReady();
    }

private:
    int& m_shown;
};

// Answers the file dialog with a fixed path (empty = cancelled) and keeps
// the last request.
class FixedFileChooser final : public FileChooser {
public:
    QString choose(const FileDialogRequest& request) override
    {
        last = request;
        return answer;
    }
    QString answer;
    FileDialogRequest last;
};

// A plan field set from, or read as, the text it is stored as.
inline void setStored(ClockPlan& plan, const char* field, const QString& text)
{
    EXPECT_TRUE(plan_codec::setFieldText(plan, QString::fromLatin1(field), text)) << field;
}
inline QString storedText(const ClockPlan& plan, const char* field)
{
    return plan_codec::fieldText(plan, QString::fromLatin1(field));
}

// A display window (not shown) and a settings window over it, opened on a
// stored plan.
class SettingsTest : public ::testing::Test {
protected:
    ClockPlan defaultPlan() const { return ClockPlan::defaults(program.clock.now().date()); }

    SettingsWindow& open(const ClockPlan& plan)
    {
        savePlan(program.registry, plan);
        return open();
    }
    SettingsWindow& open()
    {
        if (!display) {
            display = std::make_unique<DisplayWindow>(program.context, host, currentPlan, displayHost);
            putOnTestScreen(*display, QSize(1280, 720));
            commands = std::make_unique<ReadyCountingCommands>(
                EngineContext{program.context, host, currentPlan, session, display->countView(), timers}, readyShown);
        }
        settings.reset();
        SettingsLinks links;
        links.files = &files;
        links.chooseColour = [this] { return colour; };
        settings = std::make_unique<SettingsWindow>(program.context, currentPlan, *commands, display->elementView(), links);
        settings->fillFontLists();
        return *settings;
    }
    // The open window's controls, found by the names screen readers give them.
    template <typename T>
    T* control(const QString& name) const
    {
        T* c = settings ? namedChild<T>(*settings, name) : nullptr;
        if (!c)
            ADD_FAILURE() << "no control named " << name.toStdString();
        return c;
    }
    QCheckBox* box(const QString& name) const { return control<QCheckBox>(name); }
    QComboBox* list(const QString& name) const { return control<QComboBox>(name); }
    QLineEdit* edit(const QString& name) const { return control<QLineEdit>(name); }
    ColourSwatch* swatch(const QString& name) const { return control<ColourSwatch>(name); }
    HotkeyField* hotkey(const QString& name) const { return control<HotkeyField>(name); }
    QPushButton* button(const QString& name) const { return control<QPushButton>(name); }
    QToolButton* dots(const QString& name) const { return control<QToolButton>(name); }
    // A number field by the name of its text.
    NumberField* field(const QString& name) const
    {
        QLineEdit* e = edit(name);
        return e ? qobject_cast<NumberField*>(e->parentWidget()) : nullptr;
    }
    // A part with no name of its own (a caption, a panel), by its object name.
    template <typename T>
    T* part(const char* objectName) const
    {
        T* p = settings ? settings->findChild<T*>(QString::fromLatin1(objectName)) : nullptr;
        if (!p)
            ADD_FAILURE() << "no part " << objectName;
        return p;
    }
    // The switches of the continuous reminder and of stages 1..5, in order.
    std::vector<QCheckBox*> stageSwitches() const
    {
        std::vector<QCheckBox*> out;
        for (const char* name : {"持续提醒", "报警1 剩余", "报警2 剩余", "报警3 剩余", "读秒 剩余", "超时 超过"})
            out.push_back(box(QString::fromUtf8(name)));
        return out;
    }

    ClockPlan storedPlan()
    {
        ClockPlan p;
        loadPlan(program.registry, p, program.clock.now().date());
        return p;
    }

    TempProgram program;
    HostState host;
    CurrentPlan currentPlan;
    CountSession session;
    QuietDisplayHost displayHost;
    FixedFileChooser files;
    QColor colour;
    int readyShown = 0;
    EngineTimers timers{program.timers};
    std::unique_ptr<DisplayWindow> display;
    ElementView& view() { return display->elementView(); }
    std::unique_ptr<ReadyCountingCommands> commands;
    std::unique_ptr<SettingsWindow> settings;
};

} // namespace orvalen::test
