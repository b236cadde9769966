// What a client asks the print service for: one declaration's generation
// arguments and print settings, read from the JSON body of POST /v1/prints or
// from the query of GET /v1/declarations/{iddtext}/cover.pdf. The names are
// the C interface's parameter names, so that a host's existing call maps one
// to one. Every field but iddtext is optional; a field that is unknown, of
// the wrong type or out of range is refused with a FieldError naming it,
// before any session is used.
#ifndef TIPOLARIA_CLI_SERVE_PRINTORDER_HPP_
#define TIPOLARIA_CLI_SERVE_PRINTORDER_HPP_

#include <map>
#include <stdexcept>
#include <string>
#include <string_view>

#include "GenerationOptions.hpp"
#include "PrintSettings.hpp"

namespace tipolaria::serve {

struct PrintOrder {
  std::string iddtext;
  cli::GenerationOptions generation;
  // The range applies to the prints, after the generation has counted the
  // pages: the pages the client asked for, as `tipolaria print` prints them.
  cli::PrintSettings settings;
  // Pictures of the printed pages (what the preview page shows). They take
  // far longer than the PDFs: a host that wants only the documents says
  // false.
  bool pictures = true;
};

// A refused request: the field at fault ("body" for the body as a whole)
// and what is wrong with it, in words for the person who wrote the call.
class FieldError : public std::runtime_error {
 public:
  FieldError(std::string field, const std::string& message)
      : std::runtime_error(message), field_(std::move(field)) {}
  const std::string& field() const { return field_; }

 private:
  std::string field_;
};

// Reads the body of POST /v1/prints. Throws FieldError.
PrintOrder ReadPrintOrder(std::string_view body);

// Reads GET /v1/declarations/{iddtext}/...: the iddtext from the path and the
// other fields (no pictures) from the query, the numbers as decimal texts;
// `query` holds each name with the number of times it was given, and its
// first value. Throws FieldError.
struct QueryValue {
  std::string value;
  std::size_t count = 1;
};
PrintOrder ReadPrintOrder(const std::string& iddtext,
                          const std::map<std::string, QueryValue>& query);

}  // namespace tipolaria::serve

#endif  // TIPOLARIA_CLI_SERVE_PRINTORDER_HPP_
