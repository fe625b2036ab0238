#include "ticketprint/VdfFile.h"

#include "text/Tr.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <istream>
#include <ostream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace vdx {
namespace {

// Longest file worth reading: a format never needs more than its largest size.
constexpr int kReadLimit = 4096;

class WordReader {
public:
    WordReader(std::istream& in, FileProblem& problem) : in_(in), problem_(problem) {}

    bool bytes(char* dst, int n) {
        in_.read(dst, n);
        const int got = static_cast<int>(in_.gcount());
        const long long at = pos_;
        pos_ += got;
        if (got == n) return true;
        problem_ = FileProblem();
        if (pos_ == 0) {
            problem_.kind = FileProblemKind::kEmpty;
        } else {
            problem_.kind = FileProblemKind::kEndsEarly;
            problem_.offset = pos_;
            problem_.needed = at + n;
        }
        return false;
    }
    bool word(int& v) {
        unsigned char b[2];
        if (!bytes(reinterpret_cast<char*>(b), 2)) return false;
        v = static_cast<int16_t>(static_cast<uint16_t>(b[0] | (b[1] << 8)));
        return true;
    }
    bool clamped(int& dst, int lo, int hi) {
        int v;
        if (!word(v)) return false;
        dst = std::clamp(v, lo, hi);
        return true;
    }

private:
    std::istream& in_;
    FileProblem& problem_;
    long long pos_ = 0;
};

int Fail(std::istream& in, int result) {
    in.setstate(std::ios::failbit);
    return result;
}

} // namespace

int ReadVdf(std::istream& in, TicketFormatValues& values, FileProblem& problem) {
    problem = FileProblem();
    WordReader rd(in, problem);
    char magic[3];
    if (!rd.bytes(magic, 3)) return Fail(in, kFormatReadError);
    if (std::memcmp(magic, kVdfMagic, 3) != 0) return Fail(in, kFormatNotFormat);
    int version;
    if (!rd.word(version)) return Fail(in, kFormatReadError);
    if (version != kVdfVersion) return Fail(in, kFormatNotFormat);

    TicketFormatValues v = values;
    bool ok = rd.clamped(v.insertDirection, 0, kInsertDirectionMax) &&
              rd.clamped(v.justification, 0, kJustificationMax) &&
              rd.clamped(v.outputRatio, kOutputRatioMin, kOutputRatioMax) &&
              rd.clamped(v.maxMatches, kFormatMatchesMin, kFormatMatchesMax) &&
              rd.clamped(v.maxLines, kFormatLinesMin, kFormatLinesMax) && rd.clamped(v.tipsOrder, 0, kTipsOrderMax) &&
              rd.clamped(v.sizeOfX, kSizeOfXMin, kSizeOfXMax) && rd.word(v.spaceBetweenXs);
    if (!ok) return Fail(in, kFormatReadError);
    v.spaceBetweenXs = std::clamp(v.spaceBetweenXs, v.sizeOfX, kSpaceMax);
    for (int& side : v.spacesToSides)
        if (!rd.clamped(side, MinSideSpace(v.sizeOfX), kSideSpaceMax)) return Fail(in, kFormatReadError);
    for (int k = 0; k < v.maxMatches - 1; ++k)
        if (!rd.clamped(v.spacesBetweenMatches[k], v.sizeOfX, kSpaceMax)) return Fail(in, kFormatReadError);
    for (int k = 0; k < v.maxLines - 1; ++k)
        if (!rd.clamped(v.spacesBetweenLines[k], v.sizeOfX, kSpaceMax)) return Fail(in, kFormatReadError);
    values = v;
    return kFormatReadOk;
}

int ReadVdf(std::istream& in, TicketFormat& format, FileProblem& problem) {
    TicketFormatValues values = format.values();
    const int result = ReadVdf(in, values, problem);
    if (result == kFormatReadOk) format.loaded(values);
    return result;
}

int ReadVdfFile(const std::string& path, TicketFormat& format, FileProblem& problem) {
    problem = FileProblem();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        problem = SystemProblem(errno);
        return kFormatReadError;
    }
    struct stat st;
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        problem = SystemProblem(EISDIR);
        return kFormatReadError;
    }
    std::string bytes;
    char buffer[kReadLimit];
    while (bytes.size() < static_cast<size_t>(kReadLimit)) {
        const ssize_t n = ::read(fd, buffer, kReadLimit - bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            problem = SystemProblem(errno);
            ::close(fd);
            return kFormatReadError;
        }
        if (n == 0) break;
        bytes.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    std::istringstream in(std::move(bytes));
    return ReadVdf(in, format, problem);
}

bool WriteVdf(std::ostream& out, const TicketFormatValues& v) {
    const auto word = [&out](int value) {
        const char b[2] = {static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF)};
        out.write(b, 2);
        return static_cast<bool>(out);
    };
    // The counts say how many gaps follow, so they are kept to what the
    // arrays hold.
    const int matches = std::clamp(v.maxMatches, kFormatMatchesMin, kFormatMatchesMax);
    const int lines = std::clamp(v.maxLines, kFormatLinesMin, kFormatLinesMax);
    out.write(kVdfMagic, 3);
    if (!out) return false;
    const int head[] = {kVdfVersion, v.insertDirection, v.justification, v.outputRatio, matches, lines,
                        v.tipsOrder,  v.sizeOfX,         v.spaceBetweenXs};
    for (int value : head)
        if (!word(value)) return false;
    for (int side : v.spacesToSides)
        if (!word(side)) return false;
    for (int k = 0; k < matches - 1; ++k)
        if (!word(v.spacesBetweenMatches[k])) return false;
    for (int k = 0; k < lines - 1; ++k)
        if (!word(v.spacesBetweenLines[k])) return false;
    out.flush();
    return static_cast<bool>(out);
}

SafeSaveResult SaveVdfFile(const std::string& path, TicketFormat& format) {
    const SafeSaveResult result =
        SafeSave(path, [&format](std::ostream& out) { return WriteVdf(out, format.values()); });
    if (result.ok) format.saved();
    return result;
}

std::string FormatReadMessage(int result, const std::string& fileName, const FileProblem& problem) {
    switch (result) {
    case kFormatReadOk: return {};
    case kFormatNotFormat: return TrFormat(N_("File %s is not a Ticketformat-File!"), fileName.c_str());
    default: return WithReason(Translate(N_("Error reading the file")), fileName, problem);
    }
}

std::string FormatSaveMessage(const std::string& fileName, const FileProblem& problem) {
    return WithReason(TrFormat(N_("Error saving the file %s"), fileName.c_str()), std::string(), problem);
}

} // namespace vdx
