#pragma once
#include <QCheckBox>
#include <QComboBox>
#include <QSignalBlocker>
#include <QStringList>

namespace orvalen {

// Small helpers the settings window's parts share.

// Empties a list and fills it without running its handler; no entry chosen.
inline void refill_list(QComboBox* list, const QStringList& entries)
{
    const QSignalBlocker block(list);
    list->clear();
    list->addItems(entries);
    list->setCurrentIndex(-1);
}

// A box value as a flag digit: 0 clear, 1 ticked, 2 greyed.
inline int box_value(const QCheckBox* b)
{
    switch (b->checkState()) {
    case Qt::Checked: return 1;
    case Qt::PartiallyChecked: return 2;
    default: return 0;
    }
}

// Sets a box from a digit's value (2 greys it; other values clear it).
inline void set_box_value(QCheckBox* b, int value)
{
    b->setCheckState(value == 1 ? Qt::Checked : value == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
}

} // namespace orvalen
