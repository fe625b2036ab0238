#pragma once
// Replacing a file without ever leaving it half written.

#include "document/FileProblem.h"

#include <functional>
#include <iosfwd>
#include <string>

namespace vdx {

struct SafeSaveResult {
    bool ok = false;
    std::string error; // what failed, for the log; empty on success
    FileProblem problem; // why, for the user
};

// Whether a file can be saved at path, asked before work that would be lost
// otherwise: kNone when it can, kReadOnlyFile when path is a file without
// write permission for us (also for root, whom only the mode bits stop),
// kFolderNotWritable when no file can be made in its folder, kSystem when path
// is a folder.
FileProblem CheckSaveTarget(const std::string& path);

// Calls write with a stream that collects the new contents; when it returns true
// and the stream is good, the contents go to a temporary file next to path
// ("<path>.XXXXXX"), which is flushed to disk and renamed over path. On any failure
// the temporary file is removed and an existing file at path is left as it was.
// An existing file keeps its permission bits; a symbolic link is followed so the
// link itself stays in place. A read-only file is not replaced (kReadOnlyFile).
SafeSaveResult SafeSave(const std::string& path, const std::function<bool(std::ostream&)>& write);

} // namespace vdx
