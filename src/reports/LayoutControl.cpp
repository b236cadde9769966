#include "reports/LayoutControl.hpp"

#include <utility>

namespace tipolaria {

LayoutControl LayoutControl::Label(std::string name, std::int32_t left, std::int32_t top,
                                   std::int32_t width, std::int32_t height, double size,
                                   std::string caption, LabelStyle style, TextAlign align,
                                   bool framed) {
  LayoutControl c;
  c.type = ControlType::kLabel;
  c.name = std::move(name);
  c.left = left;
  c.top = top;
  c.width = width;
  c.height = height;
  c.font_size = size;
  c.text = std::move(caption);
  c.style = style;
  c.align = align;
  c.framed = framed;
  return c;
}

LayoutControl LayoutControl::Field(std::string name, std::int32_t left, std::int32_t top,
                                   std::int32_t width, std::int32_t height, double size,
                                   std::string layout_text) {
  LayoutControl c;
  c.type = ControlType::kField;
  c.name = std::move(name);
  c.left = left;
  c.top = top;
  c.width = width;
  c.height = height;
  c.font_size = size;
  c.text = std::move(layout_text);
  return c;
}

LayoutControl LayoutControl::Line(std::string name, std::int32_t x1, std::int32_t y1,
                                  std::int32_t x2, std::int32_t y2) {
  LayoutControl c;
  c.type = ControlType::kLine;
  c.name = std::move(name);
  c.left = x1;
  c.top = y1;
  // Signed: a line may run upwards or leftwards, as the tables draw some.
  c.width = x2 - x1;
  c.height = y2 - y1;
  return c;
}

LayoutControl LayoutControl::Image(std::string name, std::int32_t left, std::int32_t top,
                                   std::int32_t width, std::int32_t height) {
  LayoutControl c;
  c.type = ControlType::kImage;
  c.name = std::move(name);
  c.left = left;
  c.top = top;
  c.width = width;
  c.height = height;
  return c;
}

std::string Asterisks(int count) { return std::string(static_cast<std::size_t>(count), '*'); }

}  // namespace tipolaria
