// The error a host sees: a number, the path of procedures it came through
// (its source, innermost first) and a description. Every operation of the
// library that reports failure by raising throws this type and no other.
// The numbers of the failures a host may act on, rather than read the text
// (Session::GetLastFailure), are named below.
#ifndef TIPOLARIA_ERROR_HPP_
#define TIPOLARIA_ERROR_HPP_

#include <exception>
#include <string>
#include <utility>

namespace tipolaria {

// GenerateIMP found no declaration with the iddtext asked for (no DDT row):
// the host asked for the wrong one; nothing was generated.
inline constexpr long kErrDeclarationNotFound = -2147220990;  // an application error number
// A wait ran out: above all, the database's print lock stayed taken by
// another session for the whole lock time-out. Nothing was written; the
// same call may succeed later.
inline constexpr long kErrTimeout = -2147217871;  // 0x80040E31, "Timeout expired"

class ComError : public std::exception {
 public:
  ComError(long number, std::string source, std::string description)
      : number_(number), source_(std::move(source)), description_(std::move(description)) {}

  long number() const noexcept { return number_; }
  const std::string& source() const noexcept { return source_; }
  const std::string& description() const noexcept { return description_; }

  // Appends " - name" to the source, as each trapping procedure does when the
  // error passes through it.
  void AppendSource(const std::string& name) { source_ += " - " + name; }

  const char* what() const noexcept override { return description_.c_str(); }

 private:
  long number_;
  std::string source_;
  std::string description_;
};

}  // namespace tipolaria

#endif  // TIPOLARIA_ERROR_HPP_
