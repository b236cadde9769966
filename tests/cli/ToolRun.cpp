#include "cli/ToolRun.hpp"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/TestDatabase.hpp"

namespace tipolaria::testing {

std::vector<ToolRun> RunTogether(const std::vector<std::string>& arguments) {
  const std::string folder = MakeTempFolder();
  std::vector<FILE*> pipes;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    // Under the sanitizers, their list of the leaks they were told to
    // ignore is no output of the tool.
    const std::string command =
        "LSAN_OPTIONS=\"${LSAN_OPTIONS:+$LSAN_OPTIONS:}print_suppressions=0\" " +
        std::string(TIPOLARIA_CLI) + " " + arguments[i] + " 2>'" + folder + "/err" +
        std::to_string(i) + "'";
    pipes.push_back(popen(command.c_str(), "r"));
    EXPECT_NE(pipes.back(), nullptr) << command;
  }
  std::vector<ToolRun> runs(arguments.size());
  for (std::size_t i = 0; i < pipes.size(); ++i) {
    if (pipes[i] == nullptr) continue;
    char buffer[512];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipes[i])) > 0;) {
      runs[i].out.append(buffer, n);
    }
    const int raw = pclose(pipes[i]);
    runs[i].status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    std::ifstream err(folder + "/err" + std::to_string(i));
    std::ostringstream text;
    text << err.rdbuf();
    runs[i].err = text.str();
  }
  std::filesystem::remove_all(folder);
  return runs;
}

ToolRun RunTool(const std::string& arguments) { return RunTogether({arguments}).front(); }

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos;
       start = end + 1) {
    lines.push_back(text.substr(start, end - start));
  }
  return lines;
}

}  // namespace tipolaria::testing
