#include "testbed/ui_engine/view_renderer.h"

#include "platform/text_encoding.h"

namespace orv::testbed {
namespace {

constexpr int kBarWidth = 20;

std::string Bar(const Element& bar) {
  const int span = bar.range_max - bar.range_min;
  int filled = span > 0 ? (bar.position - bar.range_min) * kBarWidth / span : 0;
  if (filled < 0) filled = 0;
  if (filled > kBarWidth) filled = kBarWidth;
  const int percent = span > 0 ? (bar.position - bar.range_min) * 100 / span : 0;
  return "[" + std::string(static_cast<size_t>(filled), '#') +
         std::string(static_cast<size_t>(kBarWidth - filled), '.') + "] " +
         std::to_string(percent) + "%";
}

// A field as a person reads it: by its label, else by its control name.
std::string FieldName(const Element& e) {
  return e.label.empty() ? e.name() : platform::GbkToUtf8(e.label);
}

std::string Line(const Element& e) {
  switch (e.kind()) {
    case ElementKind::kWindow:
      // The name the layout gives it, then the title a person reads on its frame.
      return "== " + (e.name().empty() ? std::string("window") : e.name()) +
             (e.layout_text.empty() ? "" : " \"" + platform::GbkToUtf8(e.layout_text) + "\"") +
             " ==";
    case ElementKind::kContainer: return "[" + e.name() + "]";
    case ElementKind::kStatic:
      return "\"" + platform::GbkToUtf8(e.text.empty() ? e.layout_text : e.text) + "\"";
    case ElementKind::kButton: return "<" + ButtonLabel(e) + ">" + (e.enabled ? "" : " (disabled)");
    case ElementKind::kProgressBar: return Bar(e);
    case ElementKind::kEdit:
      return FieldName(e) + ": [" + platform::GbkToUtf8(e.text) + "]" +
             (e.enabled ? "" : " (disabled)");
    case ElementKind::kPassword:
      return FieldName(e) + ": [" + std::string(e.text.size(), '*') + "]" +
             (e.enabled ? "" : " (disabled)");
    case ElementKind::kCombo: {
      const bool chosen = e.selection >= 0 && e.selection < static_cast<int>(e.items.size());
      return FieldName(e) + ": (" +
             (chosen ? platform::GbkToUtf8(e.items[static_cast<size_t>(e.selection)])
                     : std::string()) +
             ")";
    }
  }
  return "";
}

void RenderInto(const Element& e, int depth, std::string* out) {
  if (!e.visible) return;
  out->append(static_cast<size_t>(depth) * 2, ' ');
  out->append(Line(e));
  out->push_back('\n');
  for (const auto& child : e.children()) RenderInto(*child, depth + 1, out);
}

}  // namespace

std::string ButtonLabel(const Element& button) {
  const std::string label =
      platform::GbkToUtf8(button.text.empty() ? button.layout_text : button.text);
  return label.empty() ? button.name() : label;
}

std::string RenderView(const Element& window) {
  std::string out;
  RenderInto(window, 0, &out);
  return out;
}

}  // namespace orv::testbed
