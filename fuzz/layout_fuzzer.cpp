// The testbed's layout loader on any file. The input is the file, after an optional first
// line starting with "/" that is the JSON Pointer to load. The loader must build exactly the
// tree a walk of the same document expects, and refuse, with a reason, every document in
// which some object of that tree is not an object, has an unknown type, a field of the
// wrong kind or a place ("rect") that is not four pixel counts.
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>

#include "fuzz/fuzz_check.h"
#include "testbed/ui_engine/layout_loader.h"

namespace {

using Json = nlohmann::json;
using orv::testbed::Element;

bool Optional(const Json& node, const char* key, bool (Json::*kind)() const noexcept) {
  const auto field = node.find(key);
  return field == node.end() || ((*field).*kind)();
}

// Whether the loader must accept this object and all below it.
bool Loadable(const Json& node) {
  if (!node.is_object() || !Optional(node, "type", &Json::is_string)) return false;
  const std::string type = node.value("type", "");
  if (type != "window" && type != "container" && type != "static" && type != "button" &&
      type != "progress" && type != "edit" && type != "password" && type != "combo") {
    return false;
  }
  for (const char* key : {"name", "text", "label"}) {
    if (!Optional(node, key, &Json::is_string)) return false;
  }
  if (!Optional(node, "visible", &Json::is_boolean) ||
      !Optional(node, "enabled", &Json::is_boolean))
    return false;
  const auto selected = node.find("selected");
  // An entry number: an integer from -1 (none) to the largest int.
  if (selected != node.end() &&
      !(selected->is_number_integer() && *selected >= -1 && *selected <= 0x7FFFFFFF)) {
    return false;
  }
  // A place in pixels: four integers from 0 to 10000.
  const auto rect = node.find("rect");
  if (rect != node.end()) {
    if (!rect->is_array() || rect->size() != 4) return false;
    for (const Json& value : *rect) {
      if (!value.is_number_integer() || value < 0 || value > 10000) return false;
    }
  }
  for (const char* key : {"items", "children"}) {
    const auto list = node.find(key);
    if (list == node.end() || !list->is_array()) continue;
    for (const Json& entry : *list) {
      if (key[0] == 'i' ? !entry.is_string() : !Loadable(entry)) return false;
    }
  }
  return true;
}

// The built tree against the object it came from, in the same order.
void Compare(const Element& element, const Json& node) {
  FUZZ_CHECK(element.name() == node.value("name", "") &&
             orv::testbed::KindName(element.kind()) == node.value("type", ""));
  FUZZ_CHECK(element.visible == node.value("visible", true) &&
             element.enabled == node.value("enabled", true));
  const auto items = node.find("items");
  const size_t item_count = items != node.end() && items->is_array() ? items->size() : 0;
  FUZZ_CHECK(element.items.size() == item_count);
  FUZZ_CHECK(element.selection == node.value("selected", item_count == 0 ? -1 : 0));
  const auto rect = node.find("rect");
  FUZZ_CHECK(element.has_rect == (rect != node.end()));
  if (element.has_rect) {
    const Element::Rect& r = element.rect;
    FUZZ_CHECK(*rect == Json::array({r.x, r.y, r.width, r.height}));
  }
  const auto children = node.find("children");
  const Json none = Json::array();
  const Json& list = children != node.end() && children->is_array() ? *children : none;
  FUZZ_CHECK(element.children().size() == list.size());
  for (size_t i = 0; i < list.size(); ++i) {
    FUZZ_CHECK(element.children()[i]->parent() == &element);
    Compare(*element.children()[i], list[i]);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  static orv::fuzz::ScratchFile scratch("layout.tpf");
  std::string text(reinterpret_cast<const char*>(data), size);
  std::string node = orv::testbed::kDefaultLayoutNode;
  if (!text.empty() && text[0] == '/') {
    const size_t end = text.find('\n');
    node = text.substr(0, end);
    text.erase(0, end == std::string::npos ? end : end + 1);
  }
  const Json document = Json::parse(text, nullptr, false);
  std::string error;
  const auto tree = orv::testbed::LoadLayoutTree(nullptr, scratch.Write(text), node, &error);
  FUZZ_CHECK(tree != nullptr || !error.empty());

  const Json* object = nullptr;
  try {
    if (!document.is_discarded()) object = &document.at(Json::json_pointer(node));
  } catch (const Json::exception&) {
  }
  FUZZ_CHECK((tree != nullptr) == (object != nullptr && Loadable(*object)));
  if (tree) {
    FUZZ_CHECK(tree->parent() == nullptr);
    Compare(*tree, *object);
  }
  return 0;
}
