#include "serve/ListenAddress.hpp"

#include <arpa/inet.h>

#include <charconv>
#include <cstring>
#include <stdexcept>

namespace tipolaria::serve {

ListenAddress ParseListenAddress(const std::string& text) {
  const std::string usage = "--listen takes HOST:PORT (127.0.0.1:8080, 0.0.0.0:8080, [::1]:8080)";
  const std::size_t colon = text.rfind(':');
  if (colon == std::string::npos || colon == 0) {
    throw std::invalid_argument(usage + ", not \"" + text + "\"");
  }
  ListenAddress address;
  address.host = text.substr(0, colon);
  if (address.host.front() == '[') {
    if (address.host.size() < 3 || address.host.back() != ']') {
      throw std::invalid_argument(usage + ", not \"" + text + "\"");
    }
    address.host = address.host.substr(1, address.host.size() - 2);
  } else if (address.host.find(':') != std::string::npos) {
    throw std::invalid_argument("write an IPv6 address in brackets: [" + address.host + "]:PORT");
  }
  const std::string port = text.substr(colon + 1);
  const auto [end, error] = std::from_chars(port.data(), port.data() + port.size(), address.port);
  if (port.empty() || error != std::errc() || end != port.data() + port.size() ||
      address.port < 0 || address.port > 65535) {
    throw std::invalid_argument("the port of --listen must be a number from 0 to 65535, not \"" +
                                port + "\"");
  }
  return address;
}

bool IsLoopback(const std::string& host) {
  if (host == "localhost") return true;
  in_addr v4{};
  if (::inet_pton(AF_INET, host.c_str(), &v4) == 1) {
    return (ntohl(v4.s_addr) >> 24) == 127;
  }
  in6_addr v6{};
  if (::inet_pton(AF_INET6, host.c_str(), &v6) == 1) {
    if (IN6_IS_ADDR_LOOPBACK(&v6)) return true;
    return IN6_IS_ADDR_V4MAPPED(&v6) && v6.s6_addr[12] == 127;
  }
  return false;
}

}  // namespace tipolaria::serve
