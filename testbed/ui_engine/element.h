// The objects of the testbed's UI engine: one element per window or control, in a tree.
//
// `Element` holds what every object has (name, control id, kind, layout text, visibility,
// children); each kind also implements the interface the module calls it through
// (IUIStaticText, IUIProgressBar, ...), as its first base, so that the interface pointer is
// the object's address. Every call through an interface is recorded with the engine.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/interfaces/ui_layout_engine.h"

namespace orv::testbed {

class UILayoutEngine;

enum class ElementKind {
  kWindow,
  kContainer,
  kStatic,
  kButton,
  kProgressBar,
  kEdit,
  kPassword,
  kCombo
};

// The key that presses a button in a window, as in a system dialog ("key" of the layout):
// Enter the default button, Esc the one that cancels, the title bar's close box the one that
// closes.
enum class ButtonKey { kNone, kEnter, kEscape, kClose };

// Type codes as GetType answers them; only the static text's is fixed by the framework.
std::uint32_t TypeCode(ElementKind kind);
const char* KindName(ElementKind kind);

class Element {
 public:
  Element(UILayoutEngine* engine, ElementKind kind, std::string name);
  virtual ~Element() = default;

  // The object as the engine hands it out.
  virtual IUIObject* Handle() = 0;

  UILayoutEngine* engine() const { return engine_; }
  ElementKind kind() const { return kind_; }
  const std::string& name() const { return name_; }
  std::uint32_t id() const { return id_; }
  void set_id(std::uint32_t id) { id_ = id; }
  Element* parent() const { return parent_; }
  const std::vector<std::unique_ptr<Element>>& children() const { return children_; }
  Element* AddChild(std::unique_ptr<Element> child);
  Element* NextSibling() const;

  // What the layout gives and the module changes (texts are GBK).
  std::string layout_text;
  std::string text;
  std::string label;  // what a dialog writes beside a field ("Address"), GBK
  ButtonKey key = ButtonKey::kNone;
  bool visible = true;
  bool enabled = true;
  int update_depth = 0;  // open BeginUpdate calls
  // Progress bars.
  int range_min = 0;
  int range_max = 100;
  int position = 0;
  int bar_option = 0;
  // Combo boxes.
  std::vector<std::string> items;
  int selection = -1;
  // Where a window draws the object, in pixels of its parent ("rect" of the layout); an
  // object without one is not drawn in a window (the text view needs none).
  struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
  };
  bool has_rect = false;
  Rect rect;

  bool ShownOnScreen() const;  // visible, and every ancestor too
  void Record(const std::string& call);
  // What the object shows changed: a window on screen follows at once.
  void Changed();

 private:
  UILayoutEngine* engine_;
  ElementKind kind_;
  std::string name_;
  std::uint32_t id_ = 0;
  Element* parent_ = nullptr;
  std::vector<std::unique_ptr<Element>> children_;
};

// Creates the element of a kind, with its interface.
std::unique_ptr<Element> MakeElement(UILayoutEngine* engine, ElementKind kind, std::string name);

}  // namespace orv::testbed
