// The built tipolaria program as a script runs it: its exit status, its
// standard output and its standard error, one run or several at once.
#ifndef TIPOLARIA_TESTS_CLI_TOOLRUN_HPP_
#define TIPOLARIA_TESTS_CLI_TOOLRUN_HPP_

#include <string>
#include <vector>

namespace tipolaria::testing {

struct ToolRun {
  int status = -1;  // the exit status; -1 when the program did not exit normally
  std::string out;
  std::string err;
};

// Runs `tipolaria ARGUMENTS` (shell words) and waits for it.
ToolRun RunTool(const std::string& arguments);

// Starts every run before waiting for any, so that they run at once.
std::vector<ToolRun> RunTogether(const std::vector<std::string>& arguments);

// The lines of a run's output, each without its line feed.
std::vector<std::string> Lines(const std::string& text);

}  // namespace tipolaria::testing

#endif  // TIPOLARIA_TESTS_CLI_TOOLRUN_HPP_
