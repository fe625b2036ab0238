#include "document/SafeSave.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "text/Tr.h"

namespace vdx {
namespace {

// what: a whole sentence with the file name and the system's reason as %1$s and %2$s.
std::string ErrnoText(const char* what, const std::string& name) {
    return TrFormat(what, name.c_str(), std::strerror(errno));
}

bool WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) {
            errno = EIO;
            return false;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

std::string DirectoryOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

// The file that is really replaced: a symbolic link is resolved so that saving
// through it updates its target instead of turning the link into a plain file.
std::string ResolveTarget(const std::string& path) {
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char buf[PATH_MAX];
    if (::realpath(path.c_str(), buf) != nullptr) return buf;
    return path; // dangling link: rename replaces the link itself
}

// A file we may not write to: no write bit at all (which does not stop root,
// so the bits are looked at besides access), or no permission for us.
bool IsReadOnlyFile(const std::string& path) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    return (st.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0;
}

} // namespace

FileProblem CheckSaveTarget(const std::string& path) {
    if (path.empty()) return SystemProblem(ENOENT);
    const std::string target = ResolveTarget(path);
    struct stat st;
    if (::stat(target.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return SystemProblem(EISDIR);
    if (IsReadOnlyFile(target)) {
        FileProblem p;
        p.kind = FileProblemKind::kReadOnlyFile;
        return p;
    }
    // Tried for real: permissions, read-only file systems and missing folders alike.
    std::string probe = target + ".XXXXXX";
    const int fd = ::mkstemp(probe.data());
    if (fd < 0) {
        FileProblem p = SystemProblem(errno);
        p.kind = FileProblemKind::kFolderNotWritable;
        return p;
    }
    ::close(fd);
    ::unlink(probe.c_str());
    return {};
}

SafeSaveResult SafeSave(const std::string& path, const std::function<bool(std::ostream&)>& write) {
    SafeSaveResult result;
    if (path.empty()) {
        result.error = Translate(N_("No file name"));
        return result;
    }

    // Build the contents first: a failing serializer never touches the disk.
    std::ostringstream buffer;
    if (!write(buffer) || !buffer) {
        result.error = TrFormat(N_("Error writing the contents of %s"), path.c_str());
        return result;
    }
    const std::string contents = std::move(buffer).str();

    const std::string target = ResolveTarget(path);
    // Renaming over it would replace it all the same; editors refuse, so do we.
    if (IsReadOnlyFile(target)) {
        result.error = TrFormat(N_("The file %s is read-only"), target.c_str());
        result.problem.kind = FileProblemKind::kReadOnlyFile;
        return result;
    }
    std::string tempName = target + ".XXXXXX";
    std::vector<char> nameBuf(tempName.begin(), tempName.end());
    nameBuf.push_back('\0');
    const int fd = ::mkstemp(nameBuf.data());
    if (fd < 0) {
        result.problem = SystemProblem(errno);
        result.problem.kind = FileProblemKind::kFolderNotWritable;
        result.error = ErrnoText(N_("Cannot create a temporary file for %1$s: %2$s"), target);
        return result;
    }
    tempName = nameBuf.data();

    const auto fail = [&](const char* what) {
        result.problem = SystemProblem(errno);
        result.error = ErrnoText(what, tempName);
        ::unlink(tempName.c_str());
        return result;
    };

    // mkstemp creates the file 0600; give it the old file's mode, or the usual
    // mode of a new file.
    mode_t mode;
    struct stat st;
    if (::stat(target.c_str(), &st) == 0) {
        mode = st.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (::fchmod(fd, mode) != 0) {
        ::close(fd);
        return fail(N_("Cannot set the permissions of %1$s: %2$s"));
    }

    if (!WriteAll(fd, contents.data(), contents.size())) {
        ::close(fd);
        return fail(N_("Cannot write %1$s: %2$s"));
    }
    if (::fsync(fd) != 0) {
        ::close(fd);
        return fail(N_("Cannot flush %1$s: %2$s"));
    }
    if (::close(fd) != 0) return fail(N_("Cannot close %1$s: %2$s"));
    if (::rename(tempName.c_str(), target.c_str()) != 0) return fail(N_("Cannot rename %1$s: %2$s"));

    // Make the rename itself durable; the file is already complete either way.
    const int dirFd = ::open(DirectoryOf(target).c_str(), O_RDONLY | O_DIRECTORY);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    result.ok = true;
    return result;
}

} // namespace vdx
