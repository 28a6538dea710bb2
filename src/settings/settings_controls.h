#pragma once
#include "stores/clock_plan.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSignalBlocker>
#include <QStringList>

#include <functional>
#include <optional>

class QLabel;
class QToolButton;

namespace orvalen {

class ColourSwatch;
class NumberField;

// Small helpers the pages of the settings window share.

// Shows a message to the operator (text, timeout in ms, optional title).
using SettingsNotice = std::function<void(const QString& text, int timeoutMs, const QString& title)>;

// Empties a list and fills it without running its handler; no entry chosen.
inline void refillList(QComboBox* list, const QStringList& entries)
{
    const QSignalBlocker block(list);
    list->clear();
    list->addItems(entries);
    list->setCurrentIndex(-1);
}

// A box value as a flag digit: 0 clear, 1 ticked, 2 greyed.
inline int boxValue(const QCheckBox* b)
{
    switch (b->checkState()) {
    case Qt::Checked: return 1;
    case Qt::PartiallyChecked: return 2;
    default: return 0;
    }
}

// Sets a box from a digit's value (2 greys it; other values clear it).
inline void setBoxValue(QCheckBox* b, int value)
{
    b->setCheckState(value == 1 ? Qt::Checked : value == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
}

// Shows a switch of the plan: ticked, greyed or clear.
inline void showSwitch(QCheckBox* b, Switch value)
{
    switch (value) {
    case Switch::On: b->setCheckState(Qt::Checked); return;
    case Switch::Greyed: b->setCheckState(Qt::PartiallyChecked); return;
    case Switch::Off: b->setCheckState(Qt::Unchecked); return;
    }
}

// A box as a switch of the plan.
inline Switch boxSwitch(const QCheckBox* b)
{
    switch (b->checkState()) {
    case Qt::Checked: return Switch::On;
    case Qt::PartiallyChecked: return Switch::Greyed;
    default: return Switch::Off;
    }
}

// Control factories: every control is named for screen readers by its
// caption, or by `name` where it has none of its own.
QLabel* makeLabel(const QString& text, QWidget* parent);
QCheckBox* makeBox(const QString& text, QWidget* parent, const QString& name = QString());
// The ".." button that opens a file chooser.
QToolButton* makeDots(const QString& name, QWidget* parent);
// A field of 0..max that checks its range while typing and on leaving.
NumberField* makeTimeField(int max, const QString& name, QWidget* parent);

// A background swatch: the picture's name when there is one (the swatch
// then shows the window colour), otherwise the colour, its text emptied
// when `emptyText`.
void showColourOrPicture(ColourSwatch* swatch, const PlanColour& colour, const QString& picture, bool emptyText);

} // namespace orvalen
