// The bearer token that clients of a service off the loopback address
// send in "Authorization: Bearer TOKEN". It is read from a file (never
// from the command line, where every user of the machine sees it in the
// process list) and compared in constant time.
#ifndef TIPOLARIA_CLI_SERVE_BEARERTOKEN_HPP_
#define TIPOLARIA_CLI_SERVE_BEARERTOKEN_HPP_

#include <string>

namespace tipolaria::serve {

// The token in `path`: its first line, blanks and a carriage return around
// it removed. Throws std::runtime_error, naming the file, when it cannot be
// read, when others than its owner and group may read it, or when the
// token is empty or shorter than 16 characters.
std::string ReadTokenFile(const std::string& path);

// True when `authorization` (the header's value) is "Bearer" (in any case)
// and `token`.
bool BearerMatches(const std::string& authorization, const std::string& token);

}  // namespace tipolaria::serve

#endif  // TIPOLARIA_CLI_SERVE_BEARERTOKEN_HPP_
