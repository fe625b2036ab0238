#include "document/TextExport.h"

#include "document/SafeSave.h"
#include "text/Tr.h"

#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <ostream>

namespace vdx {

const char* const kExportDialogTitle = N_("Create a Text File");
const char* const kExportQuestionTitle = N_("Confirmation");

namespace {

std::string Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int n = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    std::string s;
    if (n > 0) {
        s.resize(static_cast<size_t>(n) + 1);
        std::vsnprintf(s.data(), s.size(), format, again);
        s.resize(static_cast<size_t>(n));
    }
    va_end(again);
    return s;
}

const char* LineEnd(int type) {
    switch (type) {
    case kExportPcOs2: return "\r\n";
    case kExportUnix: return "\n";
    case kExportTotocalcioSpecial: return "\x0e";
    default: return "\r"; // Mac and Totocalcio
    }
}

char TipCharacter(int tip, int type, bool zeroForDraw) {
    if (IsTotocalcioType(type)) {
        switch (tip) {
        case kTip1: return '1';
        case kTipX: return '2';
        case kTip2: return '4';
        default: return '-';
        }
    }
    switch (tip) {
    case kTip1: return '1';
    case kTipX: return zeroForDraw ? '0' : 'X';
    case kTip2: return '2';
    default: return '-';
    }
}

// File name without folder, split at its last dot.
void SplitName(const std::string& path, std::string& base, std::string& extension) {
    const size_t slash = path.rfind('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos) {
        base = name;
        extension.clear();
    } else {
        base = name.substr(0, dot);
        extension = name.substr(dot + 1);
    }
}

} // namespace

bool IsTotocalcioType(int type) { return type == kExportTotocalcio || type == kExportTotocalcioSpecial; }

const char* ExportTypeName(int type) {
    switch (type) {
    case kExportPcOs2: return N_("PC/OS2");
    case kExportUnix: return N_("Unix");
    case kExportMac: return N_("Mac");
    case kExportTotocalcio: return N_("Totocalcio");
    default: return N_("Totocalcio special");
    }
}

ExportFilterEntry ExportFilter(int type) {
    switch (type) {
    case kExportPcOs2: return {N_("Text File (*.txt) PC/OS2"), "*.txt"};
    case kExportUnix: return {N_("Text File (*.txt) Unix"), "*.txt"};
    case kExportMac: return {N_("Text File (*.txt) Mac"), "*.txt"};
    case kExportTotocalcio: return {N_("Totocalcio (*.col)"), "*.col"};
    default: return {N_("Totocalcio special (*.col)"), "*.col"};
    }
}

const char* ExportExtension(int type) { return IsTotocalcioType(type) ? "col" : "txt"; }

bool ExportExtensionMismatch(const std::string& path, int type) {
    std::string base, extension;
    SplitName(path, base, extension);
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return (extension == "col") != IsTotocalcioType(type);
}

std::string ExportExtensionQuestion(const std::string& path, int type) {
    if (!ExportExtensionMismatch(path, type)) return {};
    std::string base, extension;
    SplitName(path, base, extension);
    return TrFormat(N_("File type and file extension do not correspond!\n"
                     "%1$s.%2$s will be saved with the format for %3$s.\n"
                     "Do you want to create the text file?"),
                  base.c_str(), extension.c_str(), Translate(ExportTypeName(type)).c_str());
}

int CheckExport(const PoolsDocument& doc, int type) {
    if (!doc.hasTips || doc.tipLineCount < 1) return kExportNoLines;
    if (IsTotocalcioType(type)) {
        if (doc.tipMatchCount != kTotocalcioMatches) return kExportNeeds14Matches;
        for (const MatchEntry& m : doc.matches)
            if (!m.hasTips) return kExportNeeds14Matches;
    }
    return kExportOk;
}

std::string ExportText(const PoolsDocument& doc, int type) {
    if (CheckExport(doc, type) != kExportOk) return {};
    const std::string end = LineEnd(type);
    const bool totocalcio = IsTotocalcioType(type);
    std::string text;
    text.reserve(static_cast<size_t>(doc.tipLineCount) * (kMaxMatches + 2) + 40);
    if (totocalcio) text += end;
    for (int l = 0; l < doc.tipLineCount; ++l) {
        for (int m = 0; m < doc.tipMatchCount; ++m) text += TipCharacter(doc.tipOf(m, l), type, doc.zeroForDraw);
        text += end;
    }
    if (totocalcio) {
        text += Format("%*.d", 14, doc.tipLineCount);
        text += end;
        text += "0             ";
    }
    return text;
}

ExportOutcome ExportTextFile(const std::string& path, const PoolsDocument& doc, int type) {
    ExportOutcome outcome;
    outcome.result = CheckExport(doc, type);
    if (outcome.result != kExportOk) return outcome;
    outcome.problem = CheckSaveTarget(path);
    if (outcome.problem.known()) {
        outcome.result = kExportCannotOpen;
        return outcome;
    }
    const std::string text = ExportText(doc, type);
    const SafeSaveResult saved = SafeSave(path, [&text](std::ostream& out) {
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        return static_cast<bool>(out);
    });
    if (!saved.ok) {
        outcome.result = kExportWriteError;
        outcome.problem = saved.problem;
    }
    return outcome;
}

std::string ExportResultMessage(const ExportOutcome& outcome) {
    switch (outcome.result) {
    case kExportOk: return {};
    case kExportNoLines: return Translate(N_("The document has no lines to export."));
    case kExportNeeds14Matches:
        return TrFormat(N_("Sorry, cannot save this file with type 'Totocalcio' :\n"
                         "Type 'Totocalcio' needs the tips of exactly %d matches."),
                      kTotocalcioMatches);
    case kExportCannotOpen:
        return WithReason(Translate(N_("Sorry, could not open this file for saving.")), std::string(), outcome.problem);
    default: return WithReason(Translate(N_("Sorry, could not save this file.")), std::string(), outcome.problem);
    }
}

const char* ExportResultTitle(int result) {
    return result == kExportNeeds14Matches ? N_("Error") : N_("VendrixPlanner");
}

std::string ExportLogLine(int type, const std::string& path, bool saved) {
    const std::string typeName = Translate(ExportTypeName(type));
    return saved ? TrFormat(N_("Text File for %1$s: File %2$s saved"), typeName.c_str(), path.c_str())
                 : TrFormat(N_("Text File for %1$s: Error saving the file %2$s"), typeName.c_str(), path.c_str());
}

} // namespace vdx
