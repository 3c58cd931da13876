#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "Progress.h"

namespace k30 {

// The one way the program and the k30 tool save a file. Writes a temporary
// file beside the target, syncs it, renames it over the target and syncs the
// folder, so that the target holds either its old bytes or all of the new ones,
// also after a power cut. A replaced file keeps its permissions (and, where
// allowed, its owner); a new file gets what an ordinary new file gets
// (0666 less the umask, which is never changed). A symbolic link is followed:
// its target is replaced and the link stays.
// A read-only target is not replaced (IsReadOnlyFile). On failure returns
// false with error set (English), leaves the target as it was and no
// temporary file behind. Once the rename has happened the save has
// succeeded: a folder that cannot be synced afterwards only makes the rename
// less certain to outlive a power cut, and is told in warning (English; on
// standard error when no warning is asked for).
// progress is told the bytes written; when it returns false the temporary
// file is removed before the rename, the target stays as it was and error is
// kCancelledError.
bool WriteFileAtomically(const std::string& path, const void* data, std::size_t size, std::string& error,
                         std::string* warning = nullptr, const ProgressFn& progress = {});

// Whether path names an existing file the user may not write: one without
// write permission for this user, or with no write permission for anyone
// (which even an administrator's save respects). WriteFileAtomically refuses
// to replace such a file.
bool IsReadOnlyFile(const std::string& path);

// The error WriteFileAtomically gives for a read-only target.
inline constexpr const char* kReadOnlyError = "the file is read-only; it was not replaced";

// The same for a file that must never replace another (the transfer archive):
// the synced temporary file takes the first of nameFor(1), nameFor(2), ... up
// to maxNames that does not exist in folder, and the folder is synced. The
// new file gets 0666 less the umask. Returns the path written, or an empty
// string with error set; a folder sync that fails after the naming is a
// warning, as above.
std::string WriteNewFileAtomically(const std::string& folder, const std::function<std::string(int)>& nameFor,
                                   int maxNames, const void* data, std::size_t size, std::string& error,
                                   std::string* warning = nullptr);

// For tests: the call that syncs a folder's descriptor (fsync unless set).
void SetFolderSyncForTests(int (*sync)(int fd));

}  // namespace k30
