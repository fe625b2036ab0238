// vdxtool format: shows a ticket format's values, or writes the default format.

#include "Commands.h"

#include "ticketprint/FormatChange.h"
#include "ticketprint/VdfFile.h"

#include <cstdio>
#include <string>

namespace {

const char kUsage[] = "Usage: vdxtool format FILE.vdf\n"
                      "       vdxtool format --default -o OUT.vdf\n";

std::string Mm(int hundredths) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%d.%02d", hundredths / 100, hundredths % 100);
    return buffer;
}

std::string Label(vdx::FormatChange kind, int index = -1) {
    return vdx::WithoutAmpersands(vdx::FormatChangeLabel(kind, index));
}

void PrintFormat(const std::string& path, const vdx::TicketFormatValues& v) {
    using vdx::FormatChange;
    std::printf("Ticket format %s\n", path.c_str());
    std::printf("%s: %s\n", Label(FormatChange::kInsertDirection).c_str(), vdx::InsertDirectionName(v.insertDirection));
    std::printf("%s: %s\n", Label(FormatChange::kJustification).c_str(), vdx::JustificationName(v.justification));
    std::printf("%s: %d%%\n", Label(FormatChange::kOutputRatio).c_str(), v.outputRatio);
    std::printf("%s: %d\n", Label(FormatChange::kMaxMatches).c_str(), v.maxMatches);
    std::printf("%s: %d\n", Label(FormatChange::kMaxLines).c_str(), v.maxLines);
    std::printf("%s: %s\n", Label(FormatChange::kTipsOrder).c_str(), vdx::TipsOrderText(v.tipsOrder));
    std::printf("%s: %s mm\n", Label(FormatChange::kSizeOfX).c_str(), Mm(v.sizeOfX).c_str());
    std::printf("%s: %s mm\n", Label(FormatChange::kSpaceBetweenXs).c_str(), Mm(v.spaceBetweenXs).c_str());
    for (int side = 0; side < 4; ++side)
        std::printf("%s: %s mm\n", Label(FormatChange::kSide, side).c_str(), Mm(v.spacesToSides[side]).c_str());
    for (int k = 0; k < v.maxMatches - 1; ++k)
        std::printf("Matches %d - %d: %s mm\n", k + 1, k + 2, Mm(v.spacesBetweenMatches[k]).c_str());
    for (int k = 0; k < v.maxLines - 1; ++k)
        std::printf("Lines %d - %d: %s mm\n", k + 1, k + 2, Mm(v.spacesBetweenLines[k]).c_str());
    std::printf("Total Length: %s mm\n", Mm(vdx::TotalLength(v)).c_str());
    std::printf("Total Height: %s mm\n", Mm(vdx::TotalHeight(v)).c_str());
}

int Show(const std::string& path) {
    vdx::TicketFormat format;
    vdx::FileProblem problem;
    const int result = vdx::ReadVdfFile(path, format, problem);
    if (result != vdx::kFormatReadOk) {
        std::fprintf(stderr, "%s\n", vdx::FormatReadMessage(result, path, problem).c_str());
        return 1;
    }
    PrintFormat(path, format.values());
    return std::fflush(stdout) == 0 ? 0 : 1;
}

int WriteDefault(const std::string& path) {
    vdx::TicketFormat format;
    const vdx::SafeSaveResult saved = vdx::SaveVdfFile(path, format);
    if (!saved.ok) {
        std::fprintf(stderr, "%s\n", vdx::FormatSaveMessage(path, saved.problem).c_str());
        return 1;
    }
    return 0;
}

} // namespace

int RunFormat(const std::vector<std::string>& args) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::fputs(kUsage, stdout);
        std::fputs("Prints the values of the ticket format FILE.vdf, or writes the default format.\n", stdout);
        return 0;
    }
    if (args.size() == 1 && args[0].rfind('-', 0) != 0) return Show(args[0]);
    if (args.size() == 3 && args[0] == "--default" && args[1] == "-o") return WriteDefault(args[2]);
    if (args.size() == 3 && args[0] == "-o" && args[2] == "--default") return WriteDefault(args[1]);
    std::fputs(kUsage, stderr);
    return 2;
}
