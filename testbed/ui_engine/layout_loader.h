// Reading ".tpf" layouts: JSON documents in which a JSON Pointer (by default
// "/OrvexUILayout/UIObject") names the object to load. An object:
//
//   { "name": "C2_Container", "type": "container", "text": "...", "visible": true,
//     "enabled": true, "items": ["..."], "selected": 0, "children": [ ... ] }
//
// Fields of a dialog may carry a "label", shown beside them. "rect": [x, y, width, height]
// places an object in its parent, in pixels from 0 to 10000, for a window on screen.
//
// "type" is one of window, container, static, button, progress, edit, password, combo;
// every key but "type" may be left out. Texts are UTF-8 in the file and GBK in the engine.
#pragma once

#include <memory>
#include <string>

#include "testbed/ui_engine/element.h"

namespace orv::testbed {

constexpr char kDefaultLayoutNode[] = "/OrvexUILayout/UIObject";

// Splits "<file>/OrvexUILayout/UIObject" into the file and the node; a path without a node
// names the default one.
void SplitLayoutPath(const std::string& path, std::string* file, std::string* node);

// The tree of the node, or null with `error` set.
std::unique_ptr<Element> LoadLayoutTree(UILayoutEngine* engine, const std::string& file,
                                        const std::string& node, std::string* error);

}  // namespace orv::testbed
