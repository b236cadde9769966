// An output file of a print (the PDF, a page picture), written out of sight
// and given the target's name only when the whole print is written, so that
// a failed or interrupted print never leaves a partial file behind, and
// never replaces a good file with a bad one.
//
// The file is an unnamed temporary file (O_TMPFILE) in the target's own
// folder: if the process dies, however it dies, the kernel frees it and
// nothing stays. Where the file system has no unnamed files, it is a hidden
// named one, which the command line removes when it is interrupted
// (PendingFiles) and the next print into the folder removes when its
// writer was killed (HiddenTempFiles). The object owns the open file;
// destroying it before Commit removes it.
#ifndef TIPOLARIA_REPORTS_TEMPOUTPUTFILE_HPP_
#define TIPOLARIA_REPORTS_TEMPOUTPUTFILE_HPP_

#include <cairo.h>

#include <cstddef>
#include <cstdio>
#include <functional>
#include <string>

namespace tipolaria {

class TempOutputFile {
 public:
  // `what` names the kind of file in messages ("PDF file", "page
  // picture"). Raises a path error naming `target` when its folder cannot
  // be written.
  TempOutputFile(std::string target, std::string what);
  ~TempOutputFile();
  TempOutputFile(const TempOutputFile&) = delete;
  TempOutputFile& operator=(const TempOutputFile&) = delete;

  // False when the data could not be written; the reason is kept for the
  // error that Finish or the caller raises.
  bool Write(const void* data, std::size_t size);

  // Completes the content (everything written reached the file), still out
  // of sight; raises naming the target.
  void Finish();
  // Gives the finished file the target's name, replacing a file of that
  // name; raises naming the target.
  void Commit();

  const std::string& target() const { return target_; }
  // Why the last failed Write failed.
  const std::string& write_error() const { return write_error_; }

  [[noreturn]] void RaisePathError(const std::string& reason) const;

  // For tests of failed prints: `hook` is asked before each step of every
  // output file ("create", "unnamed": the making of an unnamed file, "write",
  // "finish", "commit", "replace": the rename over an existing target) and
  // fails the step with the error number it returns, 0 letting it run
  // (EOPNOTSUPP at "unnamed" stands for a file system without unnamed
  // files). An empty hook removes it. The hook is the process's, for every
  // session: set it only while no print runs.
  using FaultHook = std::function<int(const char* step)>;
  static void SetFaultHookForTesting(FaultHook hook);

  // A write function for cairo's stream surfaces and PNG writer; `closure`
  // is the TempOutputFile.
  static cairo_status_t CairoWrite(void* closure, const unsigned char* data, unsigned int length);

 private:
  void OpenNamed(const std::string& folder, const std::string& name);
  void Discard();

  std::string target_;
  std::string what_;
  std::string folder_;
  int fd_ = -1;
  std::FILE* file_ = nullptr;
  bool finished_ = false;
  // The hidden name while the file has one (named fallback, or the moment
  // between linking an unnamed file and renaming it over the target), and
  // its slot among the pending files.
  std::string temp_path_;
  int pending_slot_ = -1;
  std::string write_error_;
};

}  // namespace tipolaria

#endif  // TIPOLARIA_REPORTS_TEMPOUTPUTFILE_HPP_
