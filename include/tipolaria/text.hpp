// The library's texts as hosts write them out: into JSON of their own (the
// results of a batch, the answers of a service), and as one line of a log or
// a terminal. Both read a byte that starts no UTF-8 sequence (an argument
// typed in another encoding, a legacy database text) as the Latin-1
// character of the same value, as the library does everywhere, so that what
// they give is always valid UTF-8.
#ifndef TIPOLARIA_TEXT_HPP_
#define TIPOLARIA_TEXT_HPP_

#include <string>
#include <string_view>

namespace tipolaria {

// `text` as a JSON string, quotes included, escaped as the JSON results of
// the operations escape an error's description and source.
std::string JsonString(std::string_view text);

// `text` as one line of a terminal or a log: line breaks and tabs (a
// driver's message of several lines) become blanks, and every other control
// character (C0, DEL and C1, such as ESC and CSI, which would act on a
// terminal) is written as the \xHH of each of its UTF-8 bytes.
std::string OneLine(std::string_view text);

// `text` with every control character (C0, DEL and C1) written as the \xHH
// of each of its bytes as they stand, and every other byte left as it is:
// data shown as it is stored, without a character that would act on a
// terminal.
std::string EscapeControls(std::string_view text);

}  // namespace tipolaria

#endif  // TIPOLARIA_TEXT_HPP_
