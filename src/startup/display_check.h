#pragma once
#include <QString>

namespace orvalen {

// Whether Qt will be able to show windows, asked before the application
// object is made (it would abort without a display). Returns an empty text
// when it can, otherwise one line saying why not. An X display is used when
// one answers; else a Wayland compositor that answers (Qt is then set to
// Wayland).
QString displayProblem(int argc, char** argv);

} // namespace orvalen
