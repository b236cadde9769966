// Where the service listens: --listen HOST:PORT ("[::1]:8080" for an IPv6
// address; port 0 lets the system choose a free port, which the service
// says on stderr). Loopback addresses are reachable from this machine only;
// on any other the service needs a token.
#ifndef TIPOLARIA_CLI_SERVE_LISTENADDRESS_HPP_
#define TIPOLARIA_CLI_SERVE_LISTENADDRESS_HPP_

#include <string>

namespace tipolaria::serve {

inline constexpr const char* kDefaultListen = "127.0.0.1:8080";

struct ListenAddress {
  std::string host;
  int port = 0;
};

// Throws std::invalid_argument with a message naming what is wrong.
ListenAddress ParseListenAddress(const std::string& text);

// 127.0.0.0/8, ::1 (also written as an IPv4-mapped address) and
// "localhost". A host name is never taken for loopback: what it resolves to
// can change.
bool IsLoopback(const std::string& host);

}  // namespace tipolaria::serve

#endif  // TIPOLARIA_CLI_SERVE_LISTENADDRESS_HPP_
