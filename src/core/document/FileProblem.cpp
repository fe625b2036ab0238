#include "document/FileProblem.h"

#include <cstring>

#include "text/Tr.h"

namespace vdx {

FileProblem SystemProblem(int errorNumber) {
    FileProblem p;
    p.kind = FileProblemKind::kSystem;
    p.systemText = std::strerror(errorNumber);
    return p;
}

std::string FileProblemText(const FileProblem& p) {
    switch (p.kind) {
    case FileProblemKind::kNone: return {};
    case FileProblemKind::kSystem: return p.systemText + ".";
    case FileProblemKind::kEmpty: return TrFormat(N_("The file is empty."));
    case FileProblemKind::kEndsEarly:
        return TrFormat(N_("The file ends after %1$lld of at least %2$lld bytes."), p.offset, p.needed);
    case FileProblemKind::kMatchCount:
        return p.value > p.high
                   ? TrFormatPlural(NP_("%lld match, at most %lld.", "%lld matches, at most %lld."),
                                    static_cast<long>(p.value), p.value, p.high)
                   : TrFormatPlural(NP_("%lld match, at least %lld.", "%lld matches, at least %lld."),
                                    static_cast<long>(p.value), p.value, p.low);
    case FileProblemKind::kLineCount:
        return p.value > p.high
                   ? TrFormatPlural(NP_("%lld line, at most %lld.", "%lld lines, at most %lld."),
                                    static_cast<long>(p.value), p.value, p.high)
                   : TrFormatPlural(NP_("%lld line, at least %lld.", "%lld lines, at least %lld."),
                                    static_cast<long>(p.value), p.value, p.low);
    case FileProblemKind::kValueOutOfRange:
        return TrFormat(N_("The value %1$lld at byte %2$lld is outside %3$lld to %4$lld."), p.value, p.offset, p.low,
                        p.high);
    case FileProblemKind::kTipsWord:
        return TrFormat(N_("The tips at byte %1$lld hold %2$lld, at most %3$lld."), p.offset, p.value, p.high);
    case FileProblemKind::kReadOnlyFile: return TrFormat(N_("The file is read-only."));
    case FileProblemKind::kFolderNotWritable:
        return TrFormat(N_("No file can be made in this folder: %s."), p.systemText.c_str());
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
