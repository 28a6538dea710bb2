#pragma once
#include "settings/settings_controls.h"
#include "stores/clock_plan.h"

#include <QSet>
#include <QWidget>
#include <array>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QToolButton;

namespace orvalen {

class ColourSwatch;

// The 界面 page: font, colour and size of the six texts of the display
// (主标题, 副标题, 时间, 天数, 提示文字, 动态文本), the two titles and their
// centring, the display switches and the overall background.
class LookPage : public QWidget {
    Q_OBJECT
public:
    explicit LookPage(const ClockPlan& stored, QWidget* parent = nullptr);

    // The plan as the editor opens on it: the size lists filled, a size below
    // 10 shown as 10, a size the plan cannot read as the display's own size
    // for that text (and kept so until the entry is changed), the
    // background's picture text kept.
    void showPlan(const ClockPlan& plan);
    // A saved row loaded into the editor: its sizes as they stand (a list
    // that is not six sizes gives the shipped one), the date line's font and
    // size from the per-user store when read.
    void showSavedPlan(const ClockPlan& plan, const QString& daysFont, std::optional<int> daysSize);
    void writeInto(ClockPlan& plan) const;
    // Fills the font lists; `installed` for every text but the days, which
    // offers `preferred` only.
    void fillFontLists(const QStringList& installed, const QStringList& preferred, const QSet<QString>& families);
    // The next or previous entry of a slot's size list (a size that is not
    // an entry counts as the first); its font size.
    int stepSize(StyleSlot slot, int direction);
    void showLongTerm(bool on);
    void showSimple(bool simple, bool longTerm);

signals:
    // A swatch asks for a colour; the overall background also drops its picture.
    void colourWanted(ColourSwatch* swatch, bool clearsPicture);
    void pictureWanted(ColourSwatch* swatch);

private:
    struct StyleRow {
        QLabel* name = nullptr;
        QComboBox* font = nullptr;
        ColourSwatch* colour = nullptr;
        QComboBox* size = nullptr;
    };
    struct TitleRow {
        QCheckBox* centred = nullptr;
        QLineEdit* text = nullptr;
    };
    // A size entry as the plan gave it, written back unchanged while the list
    // stands for it: a readable entry while the list reads as the same size,
    // one the plan cannot read while the list shows what it showed for it.
    struct KeptSize {
        QString shown;
        std::optional<QString> text;
    };
    void showSize(StyleSlot slot, const ClockPlan& plan, int smallest);
    // The entry written for a slot: the kept one, or what the list shows as
    // a plain whole number (an empty list gives "0").
    QString sizeEntry(StyleSlot slot) const;
    void showFont(StyleSlot slot, const QString& name);
    void showSwitches(const ClockPlan& plan);
    void showColoursAndTitles(const ClockPlan& plan);
    void showStageLooks();

    const ClockPlan& m_stored;
    bool m_simple = false;
    // The style rows, one per style slot, in the order of the plan's size list.
    PerSlot<StyleRow> m_styleRows{};
    PerSlot<KeptSize> m_keptSizes{};
    TitleRow m_mainTitle, m_subtitle;
    QCheckBox* m_spareCentreBox = nullptr; // keeps the sixth switch digit
    QCheckBox* m_stageLooksBox = nullptr;
    QCheckBox* m_weekdayBox = nullptr;
    QCheckBox* m_scrollingTextBox = nullptr;
    QLabel* m_backgroundCaption = nullptr;
    ColourSwatch* m_background = nullptr;
    QToolButton* m_backgroundPicture = nullptr;
};

} // namespace orvalen
