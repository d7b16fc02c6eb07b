// The launcher at a terminal: the screen redrawn as it changes, and a person's keys. The
// message loop keeps running whatever is open (a message box, the proxy dialog, a text being
// typed), so the update goes on while the person reads or types, as it would on Windows.
#pragma once

#include <cstdint>

#include "testbed/launcher/launcher_run.h"

namespace orv::launcher {

// Redraws the screen when it changed.
void DrawInteractive(Run* run);

// The loop's idle handler: one key, if one came.
bool ReadKeys(void* run);

// What q does: every open box answered (AnswerOnQuit), the proxy dialog cancelled, the run
// ended.
void Quit(Run* run);

// What a message box (its button set, the style's low four bits) answers when the person quits
// while it is open or about to open: what Esc would give (Cancel, or OK where OK is the only
// button), and No where the box asks yes or no without a way to cancel.
int AnswerOnQuit(unsigned buttons);

// The message box's responder: shows the box and runs the loop until it is answered.
int AnswerAtConsole(void* run, const char* caption, const char* text, std::uint32_t style);

}  // namespace orv::launcher
