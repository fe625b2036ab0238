#include "document/VdxFile.h"

#include "calc/Conditions.h"
#include "calc/LineScoring.h"
#include "document/CodePage.h"
#include "document/SafeSave.h"
#include "options/OptionLimits.h"
#include "text/Tr.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <istream>
#include <ostream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace vdx {
namespace {

constexpr int kMagicSize = 7;
constexpr int kTipsPerWord = 10;
constexpr size_t kMaxStringBytes = 0xFFFF - 1; // the length word holds length + 1
constexpr size_t kMaxOddsEntries = 0x7FFF;     // the count word is signed

bool IsKnownVersion(int v) { return v == 121 || v == 200 || v == 210 || v == 211; }

// Largest packed word of a group of n tips: 3^n - 1.
unsigned MaxPackedWord(int n) {
    unsigned p = 1;
    for (int i = 0; i < n; ++i) p *= 3;
    return p - 1;
}

// ---------------------------------------------------------------------------
// Reading

class Reader {
public:
    Reader(std::istream& in, FileProblem& problem) : in_(in), problem_(problem) {}

    // Bytes of the file read so far.
    long long position() const { return pos_; }

    bool bytes(char* dst, size_t n) {
        in_.read(dst, static_cast<std::streamsize>(n));
        const auto got = static_cast<size_t>(in_.gcount());
        const long long at = pos_;
        pos_ += static_cast<long long>(got);
        if (got == n) return true;
        FileProblem p;
        if (pos_ == 0) {
            p.kind = FileProblemKind::kEmpty;
        } else {
            p.kind = FileProblemKind::kEndsEarly;
            p.offset = pos_;
            p.needed = at + static_cast<long long>(n);
        }
        note(p);
        return false;
    }
    bool uword(unsigned& v) {
        unsigned char b[2];
        if (!bytes(reinterpret_cast<char*>(b), 2)) return false;
        v = b[0] | (b[1] << 8);
        return true;
    }
    bool word(int& v) {
        unsigned u;
        if (!uword(u)) return false;
        v = static_cast<int16_t>(static_cast<uint16_t>(u));
        return true;
    }
    bool dword(int& v) {
        unsigned char b[4];
        if (!bytes(reinterpret_cast<char*>(b), 4)) return false;
        const uint32_t u = b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<uint32_t>(b[3]) << 24);
        v = static_cast<int32_t>(u);
        return true;
    }
    // Raw bytes of a string; at most 65534 of them, so the read is bounded.
    bool rawString(std::string& s) {
        unsigned n;
        if (!uword(n)) return false;
        s.clear();
        if (n < 2) return true;
        s.resize(n - 1);
        return bytes(s.data(), n - 1);
    }
    // A word that must lie in lo..hi, or be -1 when allowNone.
    bool ranged(int& dst, int lo, int hi, bool allowNone = false,
                FileProblemKind kind = FileProblemKind::kValueOutOfRange) {
        int v;
        if (!word(v)) return false;
        if (!((v >= lo && v <= hi) || (allowNone && v == -1))) return outOfRange(v, lo, hi, pos_ - 2, kind);
        dst = v;
        return true;
    }
    // A flag word that must be 0 or 1.
    bool strictFlag(bool& dst) {
        int v;
        if (!ranged(v, 0, 1)) return false;
        dst = v != 0;
        return true;
    }
    // A flag word of any value; anything but 0 is set.
    bool anyFlag(bool& dst) {
        int v;
        if (!word(v)) return false;
        dst = v != 0;
        return true;
    }
    // Records a value that the document cannot take; always false.
    bool outOfRange(long long value, long long lo, long long hi, long long offset,
                    FileProblemKind kind = FileProblemKind::kValueOutOfRange) {
        FileProblem p;
        p.kind = kind;
        p.value = value;
        p.low = lo;
        p.high = hi;
        p.offset = offset;
        note(p);
        return false;
    }

private:
    // The first problem is the one reported.
    void note(const FileProblem& p) {
        if (!problem_.known()) problem_ = p;
    }

    std::istream& in_;
    FileProblem& problem_;
    long long pos_ = 0;
};

bool ValidPerMillePair(const std::array<int, 2>& p) {
    for (int v : p)
        if (v < -1 || v > 1000) return false;
    if (p[0] == -1) return true; // the second value means nothing then
    return p[1] >= 0 && p[0] + p[1] <= 1000;
}

bool ValidOdds(int v) { return v == -1 || (v >= kMinOdds && v <= kMaxOdds); }

std::string FileText(const std::string& raw, int version) {
    return version < 200 ? Cp850ToUtf8(raw) : Cp1252ToUtf8(raw);
}

bool ReadHeader(Reader& rd, PoolsDocument& doc, int version) {
    if (!rd.ranged(doc.matchCount, option::kMatches.minimum, option::kMatches.maximum, false,
                   FileProblemKind::kMatchCount))
        return false;
    if (!rd.ranged(doc.lineCount, option::kLines.minimum, option::kLines.maximum, false, FileProblemKind::kLineCount))
        return false;
    if (!rd.anyFlag(doc.tipsUpToDate)) return false;
    if (version >= 200) {
        if (!rd.strictFlag(doc.hasTips)) return false;
        if (!rd.ranged(doc.tipLineCount, 1, kMaxLines, true)) return false;
        if (!rd.ranged(doc.tipMatchCount, kMinMatches, kMaxMatches, true)) return false;
        if (!rd.ranged(doc.calcMatchCount, 0, kMaxMatches)) return false;
    }
    if (!rd.ranged(doc.sortMode, option::kSortMode.minimum, option::kSortMode.maximum)) return false;
    if (version >= 200) {
        if (!rd.strictFlag(doc.decimalPoint)) return false;
        if (!rd.strictFlag(doc.zeroForDraw)) return false;
    }
    auto field = [&rd](int& value, const OptionLimits& limits) {
        return rd.ranged(value, limits.minimum, limits.maximum);
    };
    if (!field(doc.linesPerTicket, option::kLinesPerTicket)) return false;
    if (!field(doc.rounds, option::kRounds)) return false;
    if (!field(doc.unsuccessfulTries, option::kUnsuccessfulTries)) return false;
    if (!field(doc.upToDifference, option::kDifference)) return false;
    if (!field(doc.extraTries, option::kExtraTries)) return false;
    if (version < 211) return true;

    for (bool& f : doc.conditionEnabled)
        if (!rd.anyFlag(f)) return false;
    for (bool& f : doc.conditionUseInCalc)
        if (!rd.anyFlag(f)) return false;
    for (int& v : doc.lastConditionState)
        if (!rd.word(v)) return false;
    if (!rd.anyFlag(doc.conditionRangesAbsolute)) return false;
    for (auto& group : doc.conditionRanges)
        for (auto& kind : group)
            for (int& v : kind)
                if (!rd.word(v)) return false;
    for (auto& group : doc.lastConditionBounds)
        for (auto& kind : group)
            for (int& v : kind)
                if (!rd.word(v)) return false;
    if (!rd.word(doc.conditionLimit)) return false;
    return rd.word(doc.lastConditionLimit);
}

bool ReadPair(Reader& rd, std::array<int, 2>& pair) {
    if (!rd.word(pair[0]) || !rd.word(pair[1])) return false;
    if (ValidPerMillePair(pair)) return true;
    // The first value is the culprit unless it is fine on its own.
    const bool first = pair[0] < -1 || pair[0] > 1000;
    const int lowSecond = pair[0] == -1 ? -1 : 0;
    const int highSecond = pair[0] == -1 ? 1000 : 1000 - pair[0];
    return first ? rd.outOfRange(pair[0], -1, 1000, rd.position() - 4)
                 : rd.outOfRange(pair[1], lowSecond, highSecond, rd.position() - 2);
}

bool ReadMatch(Reader& rd, PoolsDocument& doc, MatchEntry& m, int version) {
    m.hasTips = true; // stays so where the version does not store it
    m.odds.clear();
    std::string raw;
    if (!rd.rawString(raw)) return false;
    m.name = FileText(raw, version);
    if (!ReadPair(rd, m.probability)) return false;
    if (version >= 211 && !ReadPair(rd, m.lastProbability)) return false;
    if (version >= 200) {
        if (!ReadPair(rd, m.chances)) return false;
        if (!rd.anyFlag(m.hasTips)) return false;
    }
    if (version >= 211)
        for (int& v : m.targetCounts)
            if (!rd.ranged(v, -1, kMaxLines)) return false;
    if (!rd.ranged(m.result, -1, 2)) return false;
    if (!rd.rawString(raw)) return false;
    m.notes = FileText(raw, version);
    if (version >= 211) {
        if (!rd.anyFlag(m.noDuplicates)) return false;
        if (!rd.anyFlag(m.lastNoDuplicates)) return false;
    } else {
        m.noDuplicates = m.lastNoDuplicates = true;
    }

    int oddsCount;
    if (!rd.ranged(oddsCount, 0, static_cast<int>(kMaxOddsEntries))) return false;
    for (int i = 0; i < oddsCount; ++i) {
        OddsEntry e;
        for (int32_t& v : e.odds) {
            int x;
            if (!(version >= 200 ? rd.dword(x) : rd.word(x))) return false;
            if (!ValidOdds(x))
                return rd.outOfRange(x, kMinOdds, kMaxOdds, rd.position() - (version >= 200 ? 4 : 2));
            v = x;
        }
        if (version < 200 && !rd.rawString(raw)) return false; // bookmaker's name, not kept
        m.odds.push_back(e);
    }
    if (version < 200 && m.odds.empty()) m.chances = m.probability;
    if (version < 211) m.lastProbability = m.probability;

    if (m.hasTips && doc.tipLineCount < 1) {
        m.hasTips = false; // no lines, so nothing was stored
    } else if (m.hasTips) {
        for (int s = 0; s < doc.tipLineCount; s += kTipsPerWord) {
            const int n = std::min(kTipsPerWord, doc.tipLineCount - s);
            unsigned packed;
            if (!rd.uword(packed)) return false;
            if (packed > MaxPackedWord(n))
                return rd.outOfRange(packed, 0, MaxPackedWord(n), rd.position() - 2, FileProblemKind::kTipsWord);
            for (int j = n - 1; j >= 0; --j) {
                m.tips[s + j] = static_cast<uint8_t>(packed % 3);
                packed /= 3;
            }
        }
    }
    m.recomputeTipCounts(doc.tipLineCount);
    return true;
}

// Lines marked up to date must be the complete distribution of the current
// matches and lines: the calculation takes their tip counts as its plan.
bool DistributionFits(const PoolsDocument& doc) {
    if (!doc.hasTips || doc.tipLineCount != doc.lineCount || doc.tipMatchCount != doc.matchCount) return false;
    for (int i = 0; i < doc.matchCount; ++i) {
        const MatchEntry& m = doc.matches[i];
        if (!m.hasData()) continue;
        if (!m.hasTips || m.tipCounts[0] + m.tipCounts[1] + m.tipCounts[2] != doc.lineCount) return false;
    }
    return true;
}

int ReadInto(std::istream& in, PoolsDocument& doc, FileProblem& problem) {
    Reader rd(in, problem);
    char magic[kMagicSize];
    if (!rd.bytes(magic, kMagicSize)) return kReadBadData;
    if (std::memcmp(magic, kVdxMagic, kMagicSize) != 0) return kReadNotVdx;
    int version;
    if (!rd.word(version)) return kReadBadData;
    if (!IsKnownVersion(version)) return kReadNotVdx;
    doc.fileVersion = version;

    if (!ReadHeader(rd, doc, version)) return kReadBadData;

    if (version < 211) {
        // Older files have no conditions: all off, with the widest ranges in the
        // unit the program uses now.
        doc.conditionEnabled = {false, false, false};
        doc.conditionRangesAbsolute = doc.env.rangesAbsolute;
        for (auto& group : doc.conditionRanges)
            for (auto& kind : group) kind[0] = kind[1] = doc.env.rangesAbsolute ? 0 : 100;
    }
    doc.conditionUseInCalc = {true, true, true};
    if (version < 200) {
        doc.decimalPoint = false;
        doc.zeroForDraw = false;
        doc.hasTips = doc.tipsUpToDate;
        doc.calcMatchCount = doc.matchCount;
        doc.tipMatchCount = doc.hasTips ? doc.matchCount : -1;
        doc.tipLineCount = doc.hasTips ? doc.lineCount : -1;
    }
    doc.resizeTipArrays();
    // The file's distribution replaces any earlier one, also in entries it does not hold.
    for (MatchEntry& m : doc.matches) {
        m.hasTips = false;
        std::fill(m.tips.begin(), m.tips.end(), kNoTip);
    }

    int entries;
    if (version < 200)
        entries = doc.matchCount;
    else if (version == 200)
        entries = doc.tipMatchCount;
    else
        entries = std::max(doc.tipMatchCount, doc.matchCount);
    for (int i = 0; i < entries; ++i) {
        if (version < 200) {
            int present;
            if (!rd.word(present)) return kReadBadData;
            if (present == 0) continue;
        }
        if (!ReadMatch(rd, doc, doc.matches[i], version)) return kReadBadData;
    }

    // Kept as lines that no longer fit, so the user still has them.
    if (doc.tipsUpToDate && !DistributionFits(doc)) doc.tipsUpToDate = false;

    if (doc.sortMode == static_cast<int>(SortMode::ByProbability) && doc.tipLineCount > 0)
        SortLines(doc, doc.sortMode);
    doc.recomputeCorrectTips();
    return kReadOk;
}

// ---------------------------------------------------------------------------
// Writing

class Writer {
public:
    explicit Writer(std::ostream& out, WriteResult& result) : out_(out), result_(result) {}

    bool good() const { return static_cast<bool>(out_); }
    void bytes(const char* p, size_t n) {
        if (good()) out_.write(p, static_cast<std::streamsize>(n));
    }
    void word(int v) {
        const auto u = static_cast<uint16_t>(v);
        const char b[2] = {static_cast<char>(u & 0xFF), static_cast<char>(u >> 8)};
        bytes(b, 2);
    }
    void flag(bool f) { word(f ? 1 : 0); }
    void dword(int32_t v) {
        const auto u = static_cast<uint32_t>(v);
        const char b[4] = {static_cast<char>(u & 0xFF), static_cast<char>((u >> 8) & 0xFF),
                           static_cast<char>((u >> 16) & 0xFF), static_cast<char>(u >> 24)};
        bytes(b, 4);
    }
    void string(const std::string& utf8) {
        std::string s = Utf8ToCp1252(utf8, &result_.replacedCharacters);
        if (s.size() > kMaxStringBytes) {
            s.resize(kMaxStringBytes);
            result_.truncated = true;
        }
        word(static_cast<int>(s.size() + 1));
        bytes(s.data(), s.size());
    }

private:
    std::ostream& out_;
    WriteResult& result_;
};

// Whether every line of the distribution holds a real tip for this match.
bool TipsWritable(const PoolsDocument& doc, const MatchEntry& m) {
    if (!m.hasTips || doc.tipLineCount < 1) return false;
    if (m.tips.size() < static_cast<size_t>(doc.tipLineCount)) return false;
    return std::all_of(m.tips.begin(), m.tips.begin() + doc.tipLineCount,
                       [](uint8_t t) { return t <= 2; });
}

void WriteMatch(Writer& w, const PoolsDocument& doc, const MatchEntry& m, WriteResult& result) {
    w.string(m.name);
    w.word(m.probability[0]);
    w.word(m.probability[1]);
    w.word(m.lastProbability[0]);
    w.word(m.lastProbability[1]);
    w.word(m.chances[0]);
    w.word(m.chances[1]);
    const bool withTips = TipsWritable(doc, m);
    w.flag(withTips);
    for (int v : m.targetCounts) w.word(v);
    w.word(m.result);
    w.string(m.notes);
    w.flag(m.noDuplicates);
    w.flag(m.lastNoDuplicates);
    size_t oddsCount = m.odds.size();
    if (oddsCount > kMaxOddsEntries) {
        oddsCount = kMaxOddsEntries;
        result.truncated = true;
    }
    w.word(static_cast<int>(oddsCount));
    for (size_t i = 0; i < oddsCount && w.good(); ++i)
        for (int32_t v : m.odds[i].odds) w.dword(v);
    if (!withTips) return;
    for (int s = 0; s < doc.tipLineCount && w.good(); s += kTipsPerWord) {
        const int n = std::min(kTipsPerWord, doc.tipLineCount - s);
        unsigned packed = 0;
        for (int j = 0; j < n; ++j) packed = packed * 3 + m.tips[s + j];
        w.word(static_cast<int>(packed));
    }
}

} // namespace

int ReadVdx(std::istream& in, PoolsDocument& doc) {
    FileProblem ignored;
    return ReadVdx(in, doc, ignored);
}

int ReadVdx(std::istream& in, PoolsDocument& doc, FileProblem& problem) {
    // Read into a copy so that a failed read leaves a consistent document behind
    // (tip arrays and counts that fit each other) for the bookkeeping below.
    problem = FileProblem();
    PoolsDocument work = doc;
    const int result = ReadInto(in, work, problem);
    if (result != kReadBadData) problem = FileProblem(); // only bad data has a reason
    if (result == kReadOk)
        doc = std::move(work);
    else
        in.setstate(std::ios::failbit);
    RecomputeConditionBookkeeping(doc, result == kReadOk);
    return result;
}

int ReadVdxFile(const std::string& path, PoolsDocument& doc, FileProblem& problem) {
    problem = FileProblem();
    // Read whole with the system's calls, so that every failure has its reason.
    std::string bytes;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        problem = SystemProblem(errno);
        return kReadBadData;
    }
    struct stat st;
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        problem = SystemProblem(EISDIR);
        return kReadBadData;
    }
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            problem = SystemProblem(errno);
            ::close(fd);
            return kReadBadData;
        }
        if (n == 0) break;
        bytes.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    std::istringstream in(std::move(bytes));
    return ReadVdx(in, doc, problem);
}

WriteResult WriteVdx(std::ostream& out, const PoolsDocument& doc) {
    WriteResult result;
    Writer w(out, result);
    w.bytes(kVdxMagic, kMagicSize);
    w.word(kVdxVersion);
    w.word(doc.matchCount);
    w.word(doc.lineCount);
    w.flag(doc.tipsUpToDate);
    w.flag(doc.hasTips);
    w.word(doc.tipLineCount);
    w.word(doc.tipMatchCount);
    w.word(doc.calcMatchCount);
    w.word(doc.sortMode);
    w.flag(doc.decimalPoint);
    w.flag(doc.zeroForDraw);
    w.word(doc.linesPerTicket);
    w.word(doc.rounds);
    w.word(doc.unsuccessfulTries);
    w.word(doc.upToDifference);
    w.word(doc.extraTries);
    for (bool f : doc.conditionEnabled) w.flag(f);
    for (bool f : doc.conditionUseInCalc) w.flag(f);
    for (int v : doc.lastConditionState) w.word(v);
    w.flag(doc.conditionRangesAbsolute);
    for (const auto& group : doc.conditionRanges)
        for (const auto& kind : group)
            for (int v : kind) w.word(v);
    for (const auto& group : doc.lastConditionBounds)
        for (const auto& kind : group)
            for (int v : kind) w.word(v);
    w.word(doc.conditionLimit);
    w.word(doc.lastConditionLimit);

    const int entries = std::clamp(std::max(doc.tipMatchCount, doc.matchCount), 0, kMaxMatches);
    for (int i = 0; i < entries && w.good(); ++i) WriteMatch(w, doc, doc.matches[i], result);

    if (w.good()) out.flush();
    result.ok = static_cast<bool>(out);
    if (!result.ok) result.error = Translate(N_("Write error"));
    return result;
}

WriteResult SaveVdxFile(const std::string& path, const PoolsDocument& doc) {
    WriteResult result;
    const SafeSaveResult saved = SafeSave(path, [&](std::ostream& out) {
        result = WriteVdx(out, doc);
        return result.ok;
    });
    result.ok = saved.ok;
    result.error = saved.error;
    result.problem = saved.problem;
    return result;
}

std::string ReadResultMessage(int result, const std::string& fileName, int importKind) {
    const char* name = fileName.c_str();
    switch (result) {
    case kReadOk: return {};
    case kReadNotVdx: return TrFormat(N_("File %s is not a VendrixPlanner-File!"), name);
    case kReadNotText:
        switch (importKind) {
        case 2: return TrFormat(N_("File %s is not a suitable reversed text file."), name);
        case 3: return TrFormat(N_("File %s is not a Totocalcio-File."), name);
        default: return TrFormat(N_("File %s is not a suitable text file."), name);
        }
    case kReadTooManyLines: return TrFormat(N_("File %s has too many lines."), name);
    default: return Translate(N_("Error reading the file"));
    }
}

std::string ReadFailureMessage(int result, const std::string& fileName, int importKind,
                               const FileProblem& problem) {
    const std::string message = ReadResultMessage(result, fileName, importKind);
    if (result == kReadOk) return message;
    // The other messages name the file already.
    return WithReason(message, result == kReadBadData ? fileName : std::string(), problem);
}

} // namespace vdx
