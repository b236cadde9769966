// The declarations of a batch and the names of their files. A list file
// holds one iddtext a line; blanks around it, a carriage return at the end
// (a list written on another system) and empty lines are ignored.
#ifndef TIPOLARIA_CLI_BATCHLIST_HPP_
#define TIPOLARIA_CLI_BATCHLIST_HPP_

#include <istream>
#include <string>
#include <vector>

namespace tipolaria::cli {

std::vector<std::string> ReadBatchList(std::istream& in);

// An iddtext as the stem of a file name in the output folder: "/" (which
// would lead out of the folder), "\", "%", and control characters are
// written as %XX, so that no iddtext names a file elsewhere and two
// iddtexts never share a file.
std::string FileStem(const std::string& iddtext);

}  // namespace tipolaria::cli

#endif  // TIPOLARIA_CLI_BATCHLIST_HPP_
