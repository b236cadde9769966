// One print request on one worker's session: the settings of the order, the
// generation, and the prints of the documents that hold pages of the range
// asked for, into a print's folder. The outcome holds each operation's JSON
// result as the component returned it and, on failure, its kind, so that
// the service answers with the right status.
#ifndef TIPOLARIA_CLI_SERVE_PRINTJOB_HPP_
#define TIPOLARIA_CLI_SERVE_PRINTJOB_HPP_

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "serve/Metrics.hpp"
#include "serve/PrintOrder.hpp"
#include "tipolaria/session.hpp"

namespace tipolaria::serve {

enum class Documents { kBoth, kCover, kContinuation };

struct PrintOutcome {
  std::optional<FailureKind> failure;
  std::string message;  // on failure: what went wrong, in words
  std::string field;    // on a refused setting: the field at fault
  // The operations run, in order, each with its JSON result as returned.
  std::vector<std::pair<std::string, std::string>> results;
  Session::Pages pages;                           // of the generation
  int cover_pages = 0;                            // pages of the range in the cover document
  int continuation_pages = 0;                     // pages of the range in the continuation document
  std::filesystem::path cover;                    // written, or empty
  std::filesystem::path continuation;             // written, or empty
  std::map<int, std::filesystem::path> pictures;  // by page number
};

// Runs `order` on `session` (a worker's, serving one client after another),
// writing into `folder`. Both documents render at once, on two threads, when
// `processor_free` says, once the pages are generated, that a processor has
// nothing else to do; otherwise one after the other. Never raises for what
// the component reports in its results; raises what the session itself
// raises unexpectedly.
PrintOutcome RunPrint(Session& session, const PrintOrder& order,
                      const std::filesystem::path& folder, Documents documents,
                      const std::function<bool()>& processor_free);

// Today as the operation date the component reads the catalogues by.
std::string TodayText();

}  // namespace tipolaria::serve

#endif  // TIPOLARIA_CLI_SERVE_PRINTJOB_HPP_
