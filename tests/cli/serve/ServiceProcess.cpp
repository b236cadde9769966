#include "cli/serve/ServiceProcess.hpp"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <thread>

#include "support/TestDatabase.hpp"

extern char** environ;

namespace tipolaria::testing {

ServiceProcess::ServiceProcess(std::vector<std::string> arguments)
    : work_(MakeTempFolder()), err_path_(work_ + "/serve.err") {
  std::filesystem::create_directory(temp_folder());
  std::vector<std::string> words = {TIPOLARIA_CLI, "serve"};
  bool listen_given = false;
  for (const std::string& word : arguments) listen_given |= word == "--listen";
  words.insert(words.end(), arguments.begin(), arguments.end());
  if (!listen_given) words.insert(words.end(), {"--listen", "127.0.0.1:0"});
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);

  std::vector<std::string> environment = {"TMPDIR=" + temp_folder()};
  for (char** variable = environ; *variable != nullptr; ++variable) {
    if (std::string(*variable).rfind("TMPDIR=", 0) != 0) environment.emplace_back(*variable);
  }
  std::vector<char*> envp;
  for (std::string& variable : environment) envp.push_back(variable.data());
  envp.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, err_path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0600);
  const int error = posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0) {
    pid_ = -1;
    return;
  }
  const std::regex listening(R"(listening on http://[0-9.]+:(\d+)/)");
  const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (std::chrono::steady_clock::now() < give_up) {
    std::smatch match;
    const std::string err = Err();
    if (std::regex_search(err, match, listening)) {
      port_ = std::stoi(match[1]);
      return;
    }
    int raw = 0;
    if (::waitpid(pid_, &raw, WNOHANG) == pid_) {
      status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

ServiceProcess::~ServiceProcess() {
  if (pid_ > 0 && status_ < 0) {
    ::kill(pid_, SIGKILL);
    Wait();
  }
  std::error_code ignored;
  std::filesystem::remove_all(work_, ignored);
}

httplib::Client ServiceProcess::Client() const {
  httplib::Client client("127.0.0.1", port_);
  client.set_read_timeout(60);
  return client;
}

std::string ServiceProcess::Err() const {
  std::ifstream in(err_path_);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void ServiceProcess::Signal(int signal_number) { ::kill(pid_, signal_number); }

int ServiceProcess::Wait() {
  if (status_ >= 0 || pid_ <= 0) return status_;
  int raw = 0;
  while (::waitpid(pid_, &raw, 0) < 0 && errno == EINTR) {
  }
  status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
  return status_;
}

}  // namespace tipolaria::testing
