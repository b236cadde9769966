// The names of the hidden files a print writes before giving them their
// targets' names (TempOutputFile), and the removal of those whose writer
// died. A writer killed between creating such a file and renaming it (on a
// file system without unnamed files, or at the instant of replacing an
// earlier file) leaves it behind; its name says which process on which
// machine wrote it, ".NAME.tmp-HOST-PID-START-N", so that the next print
// into the folder can tell that the writer is gone and remove it.
//
// HOST is a digest of the machine's name (a folder shared over the network
// holds files of writers on other machines, whose processes this machine
// cannot see: those are left alone), PID and START the writer's process id
// and its start time in clock ticks after boot (a process id is reused, the
// pair is not), N a counter of the writer's own files: one per process,
// shared by its sessions and atomic, so that sessions printing at once on
// several threads never name two files alike.
#ifndef TIPOLARIA_REPORTS_HIDDENTEMPFILES_HPP_
#define TIPOLARIA_REPORTS_HIDDENTEMPFILES_HPP_

#include <string>

namespace tipolaria::HiddenTempFiles {

// A new hidden name in `folder` for a file that becomes `name`, unique
// among this process's names.
std::string NameFor(const std::string& folder, const std::string& name);

// Removes the hidden files in `folder` whose writer ran on this machine and
// is gone. Files of living writers, of other machines, and every other file
// stay; a folder that cannot be read is left as it is.
void RemoveThoseOfDeadWriters(const std::string& folder);

}  // namespace tipolaria::HiddenTempFiles

#endif  // TIPOLARIA_REPORTS_HIDDENTEMPFILES_HPP_
