// Built-in advance widths of the measuring font, Trebuchet MS regular, so that
// text is fitted and placed the same way on every machine whatever fonts are
// installed. Widths are in hundredths of an em (pixels at a 100 px em). The
// widths are constant tables, which every session reads at once.
#ifndef TIPOLARIA_RUNTIME_TEXTMETRICS_HPP_
#define TIPOLARIA_RUNTIME_TEXTMETRICS_HPP_

#include <cstdint>
#include <string_view>

namespace tipolaria {

// Advance of one character in 1/100 em. Printable ASCII has its own width; a
// Latin-1 letter with a diacritic measures as its base letter; control
// characters (below 32) measure 0; anything else measures as "x".
int AdvanceHundredths(char32_t c);

// The base letter of a Latin-1 letter with a diacritic ('Ñ' gives 'N'), or the
// character itself.
char32_t BaseLetter(char32_t c);

// Width in twips of a UTF-8 text drawn in the page-range form's font,
// Trebuchet MS 6.75 pt: 9 pixels a em at 96 dpi, 15 twips a pixel, each
// character rounded to whole pixels as the screen font does.
std::int32_t MeasureTwips(std::string_view text);

}  // namespace tipolaria

#endif  // TIPOLARIA_RUNTIME_TEXTMETRICS_HPP_
