// The progress bar of a batch, on stderr and only when stderr is a terminal:
// a script that captures stderr gets the summary line alone.
#ifndef TIPOLARIA_CLI_BATCHPROGRESS_HPP_
#define TIPOLARIA_CLI_BATCHPROGRESS_HPP_

#include <cstddef>
#include <string>

namespace tipolaria::cli {

class BatchProgress {
 public:
  explicit BatchProgress(std::size_t total);
  // Redraws the bar: `done` declarations finished, `current` under way.
  void Show(std::size_t done, const std::string& current);
  // Clears the bar, so that what follows starts on an empty line.
  void Clear();

 private:
  std::size_t total_;
  bool enabled_;
};

}  // namespace tipolaria::cli

#endif  // TIPOLARIA_CLI_BATCHPROGRESS_HPP_
