// The JSON texts that the generation and print operations return instead of
// raising.
#ifndef TIPOLARIA_API_JSONRESULT_HPP_
#define TIPOLARIA_API_JSONRESULT_HPP_

#include <string>

#include "tipolaria/error.hpp"

namespace tipolaria::detail {

// {"Result": "OK"}
std::string JsonOk();

// {"Result": "ERR", "errorMessage": "<description>", "source":"<source> - <operation>"}
// Quotes, backslashes and control characters of the description and source
// are escaped and invalid UTF-8 bytes read as Latin-1, so that the text is
// always valid JSON in valid UTF-8; everything else stands
// as the hosts already parse it (the blanks after two colons, none after
// "source").
std::string JsonFailure(const ComError& error, const std::string& operation);

// `text` as a JSON string, quotes included, escaped as above: for the
// command line's own JSON lines.
std::string JsonString(const std::string& text);

}  // namespace tipolaria::detail

#endif  // TIPOLARIA_API_JSONRESULT_HPP_
