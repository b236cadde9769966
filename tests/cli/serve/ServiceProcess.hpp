// A `tipolaria serve` started by a test: on 127.0.0.1 and a free port
// chosen by the system (read from the line the service writes when it
// listens), with a temporary folder (TMPDIR) of its own that the test can
// look into, its stderr (the access log) kept in a file. Killed, if still
// running, with the object.
#ifndef TIPOLARIA_TESTS_CLI_SERVE_SERVICEPROCESS_HPP_
#define TIPOLARIA_TESTS_CLI_SERVE_SERVICEPROCESS_HPP_

#include <httplib.h>
#include <sys/types.h>

#include <string>
#include <vector>

namespace tipolaria::testing {

class ServiceProcess {
 public:
  // `tipolaria serve ARGUMENTS`, with --listen 127.0.0.1:0 unless ARGUMENTS
  // give one. Waits until it listens or ends.
  explicit ServiceProcess(std::vector<std::string> arguments);
  ~ServiceProcess();
  ServiceProcess(const ServiceProcess&) = delete;
  ServiceProcess& operator=(const ServiceProcess&) = delete;

  bool listening() const { return port_ > 0; }
  int port() const { return port_; }
  pid_t pid() const { return pid_; }
  httplib::Client Client() const;
  // The service's TMPDIR: it keeps its prints in a folder there.
  std::string temp_folder() const { return work_ + "/tmp"; }
  // Everything written on stderr so far.
  std::string Err() const;

  void Signal(int signal_number);
  // Waits for the process to end: its exit status, or 128 + the signal
  // that ended it.
  int Wait();

 private:
  std::string work_;
  std::string err_path_;
  pid_t pid_ = -1;
  int port_ = -1;
  int status_ = -1;
};

}  // namespace tipolaria::testing

#endif  // TIPOLARIA_TESTS_CLI_SERVE_SERVICEPROCESS_HPP_
