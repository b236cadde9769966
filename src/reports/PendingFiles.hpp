// The hidden temporary files of the prints under way, by name, so that an
// interrupted command can remove them (unnamed temporary files need no
// such care: the kernel frees them). Safe across threads; RemoveAll is safe
// in a signal handler.
#ifndef TIPOLARIA_REPORTS_PENDINGFILES_HPP_
#define TIPOLARIA_REPORTS_PENDINGFILES_HPP_

#include <string>

namespace tipolaria::PendingFiles {

// Records `path`; returns its slot, or -1 when every slot is taken or the
// path is too long (the file is then only left out of the cleanup).
int Add(const std::string& path);
// Forgets the file of `slot` and sets it to -1; -1 does nothing.
void Remove(int& slot);
// Deletes every recorded file. Async-signal-safe.
void RemoveAll() noexcept;

}  // namespace tipolaria::PendingFiles

#endif  // TIPOLARIA_REPORTS_PENDINGFILES_HPP_
