#include "document/FileProblem.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace vdx {
namespace {

std::string Format(const char* format, ...) {
    char buffer[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    return buffer;
}

} // namespace

FileProblem SystemProblem(int errorNumber) {
    FileProblem p;
    p.kind = FileProblemKind::kSystem;
    p.systemText = std::strerror(errorNumber);
    return p;
}

std::string FileProblemText(const FileProblem& p) {
    switch (p.kind) {
    case FileProblemKind::kNone: return {};
    case FileProblemKind::kSystem: return Format("%s.", p.systemText.c_str());
    case FileProblemKind::kEmpty: return Format("The file is empty.");
    case FileProblemKind::kEndsEarly:
        return Format("The file ends after %lld of at least %lld bytes.", p.offset, p.needed);
    case FileProblemKind::kMatchCount:
        return p.value > p.high ? Format("%lld matches, at most %lld.", p.value, p.high)
                                : Format("%lld matches, at least %lld.", p.value, p.low);
    case FileProblemKind::kLineCount:
        return p.value > p.high ? Format("%lld lines, at most %lld.", p.value, p.high)
                                : Format("%lld lines, at least %lld.", p.value, p.low);
    case FileProblemKind::kValueOutOfRange:
        return Format("The value %lld at byte %lld is outside %lld to %lld.", p.value, p.offset, p.low, p.high);
    case FileProblemKind::kTipsWord:
        return Format("The tips at byte %lld hold %lld, at most %lld.", p.offset, p.value, p.high);
    case FileProblemKind::kReadOnlyFile: return Format("The file is read-only.");
    case FileProblemKind::kFolderNotWritable:
        return Format("No file can be made in this folder: %s.", p.systemText.c_str());
    }
    return {};
}

std::string WithReason(const std::string& message, const std::string& fileName, const FileProblem& problem) {
    std::string text = message;
    if (!fileName.empty()) text += "\n" + fileName;
    const std::string reason = FileProblemText(problem);
    if (!reason.empty()) text += "\n" + reason;
    return text;
}

} // namespace vdx
