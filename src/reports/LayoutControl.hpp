// One control of a page layout, as the layout tables give it: a caption
// (label), a field that receives a value of IMP, a frame line or the logo's
// image box. Positions and sizes are in twips from the top-left corner of
// the page; font sizes in points. A plain value: layouts hold them by value
// and the tables build them with the helpers below.
#ifndef TIPOLARIA_REPORTS_LAYOUTCONTROL_HPP_
#define TIPOLARIA_REPORTS_LAYOUTCONTROL_HPP_

#include <cstdint>
#include <string>

namespace tipolaria {

enum class ControlType { kLabel, kField, kLine, kImage };
enum class TextAlign { kLeft, kCenter };

// How a label shows its caption.
enum class LabelStyle {
  kCaption,     // text from the top of the box
  kRotated,     // a narrow tall box: the text reads bottom to top, centred
  kCopyNumber,  // the copy number: light grey, centred in the box
  kBarcode,     // Code 39 bars of the caption, without its asterisks
};

struct LayoutControl {
  ControlType type = ControlType::kLabel;
  std::string name;
  // Box of a label, field or image. For a line, (left, top) is one end and
  // (right, bottom) the other.
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  double font_size = 0;
  // A field's layout text or a label's caption.
  std::string text;
  TextAlign align = TextAlign::kLeft;
  LabelStyle style = LabelStyle::kCaption;
  // A label that is a cell of the form has a frame around its box.
  bool framed = false;
  // A field whose values the loaders fit to its width with the measuring
  // form's font (AjustarTexto): a line that font fits prints on one line.
  bool fitted = false;

  std::int32_t right() const { return left + width; }
  std::int32_t bottom() const { return top + height; }

  // Table helpers, one per kind of control.
  static LayoutControl Label(std::string name, std::int32_t left, std::int32_t top,
                             std::int32_t width, std::int32_t height, double size,
                             std::string caption, LabelStyle style, TextAlign align, bool framed);
  static LayoutControl Field(std::string name, std::int32_t left, std::int32_t top,
                             std::int32_t width, std::int32_t height, double size,
                             std::string layout_text);
  static LayoutControl Line(std::string name, std::int32_t x1, std::int32_t y1, std::int32_t x2,
                            std::int32_t y2);
  static LayoutControl Image(std::string name, std::int32_t left, std::int32_t top,
                             std::int32_t width, std::int32_t height);
};

// A row of `count` asterisks: the layout text of most fields of the cover.
std::string Asterisks(int count);

}  // namespace tipolaria

#endif  // TIPOLARIA_REPORTS_LAYOUTCONTROL_HPP_
