#include "startup/display_check.h"
#include "startup/program_entry.h"
#include "startup/stop_signals.h"

#include <QApplication>
#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    orvalen::catchStopSignals();
    const QString problem = orvalen::displayProblem(argc, argv);
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(problem));
        return 1;
    }
    try {
        QApplication app(argc, argv);
        return orvalen::runProgram(app);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "Orvalen stopped: %s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "Orvalen stopped after an unexpected error.\n");
    }
    return 1;
}
