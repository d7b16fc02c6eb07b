// A run without a person (--batch, or no terminal): the script's actions played at their
// times, each new frame and message box printed, and at the end a summary and the scenario's
// expectations checked.
#pragma once

#include "testbed/launcher/launcher_run.h"

namespace orv::launcher {

// Queues each of the script's actions as a task of the testbed's loop, due at its time.
void ScheduleActions(Run* run);

// Prints the message boxes shown since the last call, and the frame if it changed.
void PrintFrame(Run* run);

// The statistics (repeats grouped), the proxy handed on, the listener, the final view, the
// module's debugger lines and its log file.
void PrintSummary(const Run& run);

// Prints each expectation that does not hold; answers how many.
int CheckExpectations(const Run& run);

}  // namespace orv::launcher
