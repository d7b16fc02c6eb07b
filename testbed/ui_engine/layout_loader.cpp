#include "testbed/ui_engine/layout_loader.h"

#include <nlohmann/json.hpp>

#include "platform/file_read.h"
#include "platform/text_encoding.h"

namespace orv::testbed {
namespace {

using Json = nlohmann::json;

bool KindFromName(const std::string& name, ElementKind* kind) {
  static const struct {
    const char* name;
    ElementKind kind;
  } kKinds[] = {
      {"window", ElementKind::kWindow},        {"container", ElementKind::kContainer},
      {"static", ElementKind::kStatic},        {"button", ElementKind::kButton},
      {"progress", ElementKind::kProgressBar}, {"edit", ElementKind::kEdit},
      {"password", ElementKind::kPassword},    {"combo", ElementKind::kCombo},
  };
  for (const auto& entry : kKinds) {
    if (name == entry.name) {
      *kind = entry.kind;
      return true;
    }
  }
  return false;
}

// Larger than any screen, small enough that sums of positions stay far from overflowing.
constexpr int kMostPixels = 10000;

bool ReadRect(const Json& rect, Element* element) {
  if (!rect.is_array() || rect.size() != 4) return false;
  int values[4];
  for (size_t i = 0; i < 4; ++i) {
    if (!rect[i].is_number_integer() || rect[i] < 0 || rect[i] > kMostPixels) return false;
    values[i] = rect[i].get<int>();
  }
  element->rect = Element::Rect{values[0], values[1], values[2], values[3]};
  element->has_rect = true;
  return true;
}

bool ReadKey(const std::string& name, ButtonKey* key) {
  static const std::pair<const char*, ButtonKey> kKeys[] = {{"", ButtonKey::kNone},
                                                            {"enter", ButtonKey::kEnter},
                                                            {"escape", ButtonKey::kEscape},
                                                            {"close", ButtonKey::kClose}};
  for (const auto& [text, value] : kKeys) {
    if (name == text) return *key = value, true;
  }
  return false;
}

std::unique_ptr<Element> Build(UILayoutEngine* engine, const Json& node, std::string* error) {
  ElementKind kind;
  const std::string type = node.value("type", "");
  if (!KindFromName(type, &kind)) {
    *error = "unknown object type \"" + type + "\"";
    return nullptr;
  }
  auto element = MakeElement(engine, kind, node.value("name", ""));
  element->layout_text = platform::Utf8ToGbk(node.value("text", ""));
  element->label = platform::Utf8ToGbk(node.value("label", ""));
  element->visible = node.value("visible", true);
  element->enabled = node.value("enabled", true);
  if (auto items = node.find("items"); items != node.end() && items->is_array()) {
    for (const Json& item : *items)
      element->items.push_back(platform::Utf8ToGbk(item.get<std::string>()));
  }
  element->selection = element->items.empty() ? -1 : 0;
  if (auto selected = node.find("selected"); selected != node.end()) {
    // Read as the JSON number it is: a value beyond an int is refused, never converted.
    if (!selected->is_number_integer() || *selected < -1 || *selected > 0x7FFFFFFF) {
      *error = "\"selected\" of \"" + element->name() + "\" is not an entry number";
      return nullptr;
    }
    element->selection = selected->get<int>();
  }
  if (const std::string key = node.value("key", "");
      !ReadKey(key, &element->key) || (!key.empty() && kind != ElementKind::kButton)) {
    *error = "\"key\" of \"" + element->name() + "\" is \"" + key +
             "\": only a button takes one, \"enter\", \"escape\" or \"close\"";
    return nullptr;
  }
  if (auto rect = node.find("rect"); rect != node.end() && !ReadRect(*rect, element.get())) {
    *error = "\"rect\" of \"" + element->name() +
             "\" is not [x, y, width, height], each from 0 to " + std::to_string(kMostPixels);
    return nullptr;
  }
  if (auto children = node.find("children"); children != node.end() && children->is_array()) {
    for (const Json& child : *children) {
      auto built = Build(engine, child, error);
      if (!built) return nullptr;
      element->AddChild(std::move(built));
    }
  }
  return element;
}

}  // namespace

void SplitLayoutPath(const std::string& path, std::string* file, std::string* node) {
  const size_t cut = path.find(".tpf/");
  if (cut == std::string::npos) {
    *file = path;
    *node = kDefaultLayoutNode;
    return;
  }
  *file = path.substr(0, cut + 4);
  *node = path.substr(cut + 4);
}

std::unique_ptr<Element> LoadLayoutTree(UILayoutEngine* engine, const std::string& file,
                                        const std::string& node, std::string* error) {
  std::string text;
  if (!platform::ReadWholeFile(file.c_str(), &text)) {
    *error = "cannot read " + file;
    return nullptr;
  }
  try {
    const Json document = Json::parse(text);
    const Json& object = document.at(Json::json_pointer(node));
    return Build(engine, object, error);
  } catch (const std::exception& failure) {
    *error = file + ": " + failure.what();
    return nullptr;
  }
}

}  // namespace orv::testbed
