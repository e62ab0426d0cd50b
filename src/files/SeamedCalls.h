#pragma once

#include "FaultSeam.h"

#include <string>

// The system calls that write, sync and rename, each asking the fault seam first, and the texts
// their failures are told in. For this module's own sources.
namespace pulmora::files::seamed {

// A refusal by the test seam looks to the caller exactly like a failing disk (errno EIO).
bool allowed(faults::Operation operation);

// Writes all of `data` at `offset`; false with errno set when it cannot.
bool writeFully(int fd, const char* data, size_t size, long long offset);
bool syncData(int fd);
bool syncAll(int fd);
bool renameOver(const std::string& from, const std::string& to);
// Gives the file open as `fd` the name `to`, which must be free, as a rename would: a temporary
// file made without a name (O_TMPFILE) gets its first one.
bool linkAs(int fd, const std::string& to);
// A folder's entries reach the disk only when the folder itself is synced: false with errno set
// when that fails. A file system that cannot sync a folder at all (EINVAL) is no failure, as
// there is nothing more to wait for.
bool syncFolderOf(const std::string& path);
// The same for a folder already open.
bool syncFolder(int folder);
// The folder part of the path opened for its sync; -1 with errno set when it cannot be.
int openFolderOf(const std::string& path);

// The folder part of a path, with its trailing '/', or "." for a bare name.
std::string folderOf(const std::string& path);
// "<what> <path>: <the system's words for errno>".
std::string describe(const char* what, const std::string& path);
// "<path> is a link to <target>, which does not exist".
std::string danglingLink(const std::string& path);

}  // namespace pulmora::files::seamed
