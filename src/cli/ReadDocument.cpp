// Reading a document for a subcommand, with the reason of a failure.

#include "Commands.h"

#include "document/VdxFile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

bool ReadDocumentOrSay(const std::string& path, vdx::PoolsDocument& doc) {
    vdx::FileProblem problem;
    const int result = vdx::ReadVdxFile(path, doc, problem);
    if (result == vdx::kReadOk) return true;
    // A file that cannot be opened at all is said so, with the system's reason.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 || problem.systemText == vdx::SystemProblem(EISDIR).systemText) {
        if (fd >= 0) ::close(fd);
        std::fprintf(stderr, "Cannot open file %s\n%s\n", path.c_str(), vdx::FileProblemText(problem).c_str());
        return false;
    }
    ::close(fd);
    std::fprintf(stderr, "%s\n", vdx::ReadFailureMessage(result, path, 0, problem).c_str());
    return false;
}
