#include "reports/LaidOutTexts.hpp"

namespace tipolaria {
namespace {

// A layout built for a moment (a test's) may take the address of one gone.
bool SameBox(const TextBox& a, const TextBox& b) {
  return a.width == b.width && a.height == b.height && a.font_size == b.font_size &&
         a.align == b.align && a.holds_fitted_lines == b.holds_fitted_lines;
}

}  // namespace

LaidOutTexts& LaidOutTexts::ForThisThread() {
  thread_local LaidOutTexts texts;
  return texts;
}

const std::vector<PlacedLine>& LaidOutTexts::LaidOut(const Layout& layout, std::size_t index,
                                                     const std::string& text, const TextBox& box) {
  std::vector<Entry>& entries = by_layout_[&layout];
  if (entries.size() != layout.controls().size()) entries.assign(layout.controls().size(), {});
  Entry& entry = entries[index];
  if (!entry.valid || entry.text != text || !SameBox(entry.box, box)) {
    entry.valid = true;
    entry.text = text;
    entry.box = box;
    entry.lines = LayOutText(text, box);
  }
  return entry.lines;
}

}  // namespace tipolaria
