// A drawing of what a window shows, as text: one line per visible object, indented by its
// depth, texts in UTF-8. Containers show their name, static texts their text, buttons their
// label (marked when disabled), progress bars a bar, edit boxes and combo boxes their content.
#pragma once

#include <string>

#include "testbed/ui_engine/element.h"

namespace orv::testbed {

std::string RenderView(const Element& window);

// The label a person sees on a button.
std::string ButtonLabel(const Element& button);

}  // namespace orv::testbed
