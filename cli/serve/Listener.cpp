#include "serve/Listener.hpp"

#include <sys/socket.h>

namespace tipolaria::serve {

int Bind(httplib::Server& server, const ListenAddress& address) {
  socket_t listening = -1;
  // Only SO_REUSEADDR (a restart binds again at once), not the library's
  // SO_REUSEPORT: with it a second service started on the same port would
  // share it with the first and take part of its clients, perhaps to
  // another database.
  server.set_socket_options([&listening](socket_t socket) {
    listening = socket;
    int yes = 1;
    ::setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
  });
  const int port = address.port == 0 ? server.bind_to_any_port(address.host)
                   : server.bind_to_port(address.host, address.port) ? address.port
                                                                     : -1;
  // The library listens with a queue of 5 connections: twenty clients
  // connecting at once saw some of theirs dropped. Listening again on the
  // bound socket lengthens the queue.
  if (port > 0 && ::listen(listening, kListenBacklog) != 0) return -1;
  return port;
}

}  // namespace tipolaria::serve
