#include "settings/settings_window.h"

#include "display/element_view.h"
#include "services/app_context.h"
#include "platform/clock.h"
#include "platform/notifier.h"
#include "platform/registry_store.h"
#include "settings/colour_swatch.h"
#include "settings/look_page.h"
#include "settings/named_list.h"
#include "settings/reminder_page.h"
#include "settings/system_page.h"
#include "settings/timing_page.h"
#include "stores/registry_values.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QTabBar>
#include <QTimer>
#include <QVBoxLayout>

namespace orvalen {

namespace {

// Moves a window that has grown past the edge of its screen's available
// area back inside it (its top left corner first, when it is larger).
void keepOnScreen(QWidget& window)
{
    const QScreen* screen = window.screen();
    if (!screen || !window.isVisible())
        return;
    const QRect area = screen->availableGeometry();
    const QRect frame = window.frameGeometry();
    const int x = qMax(area.left(), qMin(frame.left(), area.right() + 1 - frame.width()));
    const int y = qMax(area.top(), qMin(frame.top(), area.bottom() + 1 - frame.height()));
    if (x != frame.left() || y != frame.top())
        window.move(x, y);
}

} // namespace

SettingsWindow::SettingsWindow(AppContext& ctx, CurrentPlan& currentPlan, RunCommands& commands, LayoutView& display,
                               SettingsLinks links, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_currentPlan(currentPlan), m_commands(commands), m_display(display),
      m_links(std::move(links))
{
    NamedList::installAccessibility();
    setWindowTitle(QStringLiteral("设置"));
    setAccessibleName(QStringLiteral("设置"));
    setObjectName(QStringLiteral("settingsWindow"));
    setWindowIcon(QIcon());
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                   | Qt::MSWindowsFixedSizeDialogHint);
    setModal(true);

    // The editor (tabs, pages and the bottom row) on the left; the plan area
    // that "阶段设置" shows on its right, so that the window grows in width
    // rather than height and stays whole on a 1280x720 screen.
    auto* outer = new QHBoxLayout(this);
    outer->setSizeConstraint(QLayout::SetFixedSize);
    auto* editor = new QVBoxLayout;
    outer->addLayout(editor);
    m_tabs = new QTabBar(this);
    m_tabs->setAccessibleName(QStringLiteral("设置页"));
    m_pages = new QStackedWidget(this);
    const SettingsNotice pageNotice = [this](const QString& text, int ms, const QString& title) { notice(text, ms, title); };
    auto today = [this] {
        return m_ctx.clock.now().date();
    };
    m_timing = new TimingPage(m_stored, pageNotice, today, m_pages);
    m_reminders = new ReminderPage(m_stored, pageNotice, m_pages);
    m_look = new LookPage(m_stored, m_pages);
    m_system = new SystemPage(m_stored, pageNotice, m_pages);
    m_precise = new PrecisePage(m_pages);
    const std::pair<QWidget*, QString> pages[] = {{m_timing, QStringLiteral("计时")},
                                                  {m_reminders, QStringLiteral("提醒")},
                                                  {m_look, QStringLiteral("界面")},
                                                  {m_system, QStringLiteral("系统")},
                                                  {m_precise, QStringLiteral("精准设置")}};
    for (const auto& [page, name] : pages) {
        m_tabs->addTab(name);
        page->setAccessibleName(name);
        m_pages->addWidget(page);
    }
    m_tabs->setStyleSheet(QStringLiteral(
        "QTabBar::tab { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #f4f4f4, stop:1 #d0d0d0);"
        " border: 1px solid #9a9a9a; padding: 4px 14px; margin-right: 2px; }"
        "QTabBar::tab:hover { background: #cfe6ff; }"
        "QTabBar::tab:selected { background: #ffb347; }"));
    editor->addWidget(m_tabs);
    editor->addWidget(m_pages);
    buildBottom(editor, outer);
    connect(m_tabs, &QTabBar::currentChanged, m_pages, &QStackedWidget::setCurrentIndex);

    m_fontTimer = new QTimer(this);
    m_fontTimer->setSingleShot(true);
    m_fontTimer->setInterval(100);
    connect(m_fontTimer, &QTimer::timeout, this, &SettingsWindow::fillFontLists);

    wirePages();
    fillFromCurrentPlan();
    showPage(0);
    if (registry_values::simple(m_ctx.registry))
        m_simpleBox->setChecked(true); // runs simple mode
    m_fontTimer->start();
    if (m_links.holdHotkeys)
        m_links.holdHotkeys(true);
}

SettingsWindow::~SettingsWindow()
{
    unloadTidy();
}

void SettingsWindow::buildBottom(QVBoxLayout* editor, QHBoxLayout* outer)
{
    auto* row = new QHBoxLayout;
    m_simpleBox = makeBox(QStringLiteral("精简模式"), this);
    m_planPanelBox = makeBox(QStringLiteral("阶段设置"), this);
    m_applyButton = new QPushButton(QStringLiteral("应用"), this);
    m_applyButton->setAccessibleName(QStringLiteral("应用"));
    m_applyButton->setFocusPolicy(Qt::StrongFocus);
    m_applyButton->setAutoDefault(false);
    m_closeButton = new QPushButton(QStringLiteral("关闭"), this);
    m_closeButton->setAccessibleName(QStringLiteral("关闭"));
    m_closeButton->setAutoDefault(false);
    row->addWidget(m_simpleBox);
    row->addWidget(m_planPanelBox);
    row->addStretch();
    row->addWidget(m_applyButton);
    row->addWidget(m_closeButton);
    editor->addLayout(row);

    // The plan area: the auto-cycle switch, the name fields of a saved plan
    // and the saved-plan panel, shown by "阶段设置".
    m_planArea = new QGroupBox(QStringLiteral("阶段设置"), this);
    m_planArea->setAccessibleName(QStringLiteral("阶段设置"));
    m_planAreaLayout = new QVBoxLayout(m_planArea);
    m_cycleBox = makeBox(QStringLiteral("自动循环"), m_planArea);
    m_planAreaLayout->addWidget(m_cycleBox);
    auto* names = new QGridLayout;
    names->addWidget(makeLabel(QStringLiteral("阶段名称"), m_planArea), 1, 0);
    m_planNameField = new QLineEdit(m_planArea);
    m_planNameField->setAccessibleName(QStringLiteral("阶段名称"));
    names->addWidget(m_planNameField, 1, 1);
    names->addWidget(makeLabel(QStringLiteral("动态文本"), m_planArea), 2, 0);
    m_movingTextField = new QLineEdit(m_planArea);
    m_movingTextField->setAccessibleName(QStringLiteral("动态文本"));
    names->addWidget(m_movingTextField, 2, 1);
    // The name fields serve the saved-plan panel and show with it.
    m_nameFields = new QWidget(m_planArea);
    m_nameFields->setLayout(names);
    m_planAreaLayout->addWidget(m_nameFields);
    m_nameFields->hide();
    m_planArea->hide();
    outer->addWidget(m_planArea);
    connect(m_planPanelBox, &QCheckBox::toggled, m_planArea, &QWidget::setVisible);
}

void SettingsWindow::wirePages()
{
    connect(m_timing, &TimingPage::longTermToggled, this, &SettingsWindow::longTermSwitched);
    connect(m_system, &SystemPage::overtimeActionShown, this, &SettingsWindow::overtimeActionShown);
    connect(m_simpleBox, &QCheckBox::toggled, this, [this] { simpleModeChanged(); });
    connect(m_cycleBox, &QCheckBox::toggled, this, [this](bool on) { cycleChanged(on); });
    connect(m_applyButton, &QPushButton::clicked, this, [this] { apply(); });
    connect(m_closeButton, &QPushButton::clicked, this, [this] { reject(); });

    connect(m_reminders, &ReminderPage::soundFileWanted, this, [this](Stage stage) {
        const QString name = importFile(FileKind::Sound);
        if (!name.isEmpty())
            m_reminders->setSoundFile(stage, name);
    });
    connect(m_reminders, &ReminderPage::soundPreviewWanted, this, &SettingsWindow::playPreview);
    auto takePicture = [this](ColourSwatch* swatch) {
        const QString name = importFile(FileKind::Picture);
        if (name.isEmpty())
            return;
        swatch->setText(name);
        swatch->setColour(kWindowColour);
    };
    connect(m_look, &LookPage::colourWanted, this, &SettingsWindow::chooseColour);
    connect(m_look, &LookPage::pictureWanted, this, takePicture);
    connect(m_precise, &PrecisePage::colourWanted, this, &SettingsWindow::chooseColour);
    connect(m_precise, &PrecisePage::pictureWanted, this, takePicture);
    connect(m_system, &SystemPage::logoWanted, this, [this] {
        const QString name = importFile(FileKind::Logo);
        if (!name.isEmpty())
            m_system->setLogo(name);
    });
    connect(m_precise, &PrecisePage::layoutTargetChosen, this, &SettingsWindow::layoutTargetChosen);
    connect(m_precise, &PrecisePage::layoutStepWanted, this, &SettingsWindow::layoutStep);
    connect(m_precise, &PrecisePage::resizingChanged, this, &SettingsWindow::resizingChanged);
}

void SettingsWindow::setPlanPanel(QWidget* panel)
{
    if (m_planPanel == panel)
        return;
    if (m_planPanel)
        m_planPanel->deleteLater();
    m_planPanel = panel;
    m_nameFields->setVisible(panel != nullptr);
    if (panel)
        m_planAreaLayout->addWidget(panel);
}

QString SettingsWindow::planName() const { return m_planNameField->text(); }
QString SettingsWindow::movingText() const { return m_movingTextField->text(); }

void SettingsWindow::clearNameFields()
{
    m_planNameField->clear();
    m_movingTextField->clear();
    focusNameField();
}

void SettingsWindow::focusNameField() { m_planNameField->setFocus(Qt::OtherFocusReason); }

void SettingsWindow::showPage(int page)
{
    if (page < 0 || page >= m_pages->count() || !m_tabs->isTabVisible(page))
        return;
    m_tabs->setCurrentIndex(page);
    m_pages->setCurrentIndex(page);
}

int SettingsWindow::currentPage() const { return m_pages->currentIndex(); }

void SettingsWindow::notice(const QString& text, int timeoutMs, const QString& title)
{
    m_ctx.notifier.notice(text, Notifier::Icon::None, timeoutMs, title);
}

void SettingsWindow::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    // The window grows when the plan area shows; the frame is placed anew
    // once the resize is through.
    QMetaObject::invokeMethod(this, [this] { keepOnScreen(*this); }, Qt::QueuedConnection);
}

void SettingsWindow::closeEvent(QCloseEvent* event)
{
    m_precise->stopRepeat();
    QDialog::closeEvent(event);
}

void SettingsWindow::done(int result)
{
    m_precise->stopRepeat();
    unloadTidy();
    QDialog::done(result);
}

} // namespace orvalen
