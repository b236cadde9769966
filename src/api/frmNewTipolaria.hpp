// frmNewTipolaria: the page-range form. It is never shown; it holds the first
// page, last page and copies of a print, and its font (Trebuchet MS 6.75 pt)
// is what long texts are measured in when they are fitted to their boxes.
#ifndef TIPOLARIA_API_FRMNEWTIPOLARIA_HPP_
#define TIPOLARIA_API_FRMNEWTIPOLARIA_HPP_

#include <cstdint>
#include <string_view>

namespace tipolaria {

class frmNewTipolaria {
 public:
  // Client area, in twips.
  static constexpr std::int32_t kWidth = 2745;
  static constexpr std::int32_t kHeight = 1530;

  // Runs the load handler once: the range fields take the print range.
  // Loading a loaded form does nothing.
  void Load(std::int16_t hoja_desde, std::int16_t hoja_hasta);
  void Unload();
  bool IsLoaded() const { return loaded_; }

  // Width in twips of a text in the form's font.
  std::int32_t TextWidth(std::string_view text) const;

  std::int16_t adcCopias = 0;
  std::int16_t adcDesde = 0;
  std::int16_t adcHasta = 0;

 private:
  bool loaded_ = false;
};

}  // namespace tipolaria

#endif  // TIPOLARIA_API_FRMNEWTIPOLARIA_HPP_
