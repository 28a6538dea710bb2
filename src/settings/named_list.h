#pragma once
#include <QComboBox>

namespace orvalen {

// A drop-down list that screen readers name by its label, like every other
// control of the settings window (Qt's own list reports its current entry
// as its name on Linux). The entry is reported as the value.
class NamedList : public QComboBox {
    Q_OBJECT
public:
    using QComboBox::QComboBox;
    // Makes the accessibility layer use the naming above for NamedList.
    static void installAccessibility();
};

} // namespace orvalen
