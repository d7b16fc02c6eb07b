// The launcher with the update window on screen as a real window (Windows builds): the
// testbed's loop runs inside the system's message loop, so the scenario goes on while a
// person clicks, types or reads a message box; and pictures of each new frame.
#pragma once

#include <cstdint>
#include <string>

#include "testbed/launcher/launcher_run.h"

namespace orv::launcher {

// The view on screen in a word, for a picture's name: connecting, download, install,
// startgame, error, retry, proxy, or window.
std::string ViewName(Run* run);

// A picture of the windows when what they show changed since the last one:
// <folder>/0007_download.bmp. Nothing without a screenshot folder.
void SavePictureIfNew(Run* run);

// The loop's idle handler: the windows' messages, waiting a little for them. Closing the
// launcher's window quits, as q does at the terminal.
bool PumpWindowMessages(void* run);

// The message box's responder: the system's message box over the launcher's window, with the
// loop's due tasks run from a timer while it is open.
int AnswerInWindow(void* run, const char* caption, const char* text, std::uint32_t style);

}  // namespace orv::launcher
