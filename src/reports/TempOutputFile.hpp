// The output file of a print, written under a temporary name in the target's
// own folder and renamed to the target only when the whole document is
// written, so that a failed print never leaves a partial file behind. The
// object owns the open file; destroying it before Commit removes it.
#ifndef TIPOLARIA_REPORTS_TEMPOUTPUTFILE_HPP_
#define TIPOLARIA_REPORTS_TEMPOUTPUTFILE_HPP_

#include <cairo.h>

#include <cstddef>
#include <cstdio>
#include <string>

namespace tipolaria {

class TempOutputFile {
 public:
  // Raises a path error naming `target` when its folder cannot be written.
  explicit TempOutputFile(std::string target);
  ~TempOutputFile();
  TempOutputFile(const TempOutputFile&) = delete;
  TempOutputFile& operator=(const TempOutputFile&) = delete;

  // False when the data could not be written; the reason is kept for the
  // error that Commit or the caller raises.
  bool Write(const void* data, std::size_t size);

  // Closes the file and gives it the target's name; raises naming the target.
  void Commit();

  const std::string& target() const { return target_; }
  const std::string& temp_path() const { return temp_path_; }
  // Why the last failed Write failed.
  const std::string& write_error() const { return write_error_; }

  [[noreturn]] void RaisePathError(const std::string& reason) const;

  // A write function for cairo's stream surfaces and PNG writer; `closure`
  // is the TempOutputFile.
  static cairo_status_t CairoWrite(void* closure, const unsigned char* data, unsigned int length);

 private:
  void Discard();

  std::string target_;
  std::string temp_path_;
  std::FILE* file_ = nullptr;
  std::string write_error_;
};

}  // namespace tipolaria

#endif  // TIPOLARIA_REPORTS_TEMPOUTPUTFILE_HPP_
