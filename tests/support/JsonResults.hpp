// The JSON result of an operation that went well: as the class returns it,
// and as the tool prints it, on a line of its own.
#ifndef TIPOLARIA_TESTS_SUPPORT_JSONRESULTS_HPP_
#define TIPOLARIA_TESTS_SUPPORT_JSONRESULTS_HPP_

namespace tipolaria::testing {

inline constexpr const char* kOk = R"({"Result": "OK"})";
inline constexpr const char* kOkLine = "{\"Result\": \"OK\"}\n";

}  // namespace tipolaria::testing

#endif  // TIPOLARIA_TESTS_SUPPORT_JSONRESULTS_HPP_
