#include "document/TextImport.h"

#include "calc/Conditions.h"
#include "calc/LineScoring.h"
#include "document/VdxFile.h"
#include "text/Tr.h"

#include <algorithm>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <istream>
#include <sys/stat.h>
#include <unistd.h>

namespace vdx {

const char* const kImportDialogTitle = N_("Import Text File");
const char* const kImportedLogFormat = N_("Imported data of %s");

namespace {

constexpr int kTotocalcioRecord = 14;

// Keeps the characters of the kind's set, turns carriage returns into line
// feeds and drops empty lines, fed piece by piece as the file is read.
class CharacterFilter {
public:
    explicit CharacterFilter(int kind) : set_(kind == kImportTotocalcio ? "1234567\r\n" : "01xX2\r\n") {}

    void feed(const char* data, size_t size) {
        for (size_t i = 0; i < size; ++i) {
            char c = data[i];
            if (c == '\0' || std::strchr(set_, c) == nullptr) continue;
            if (c == '\r') c = '\n';
            if (c == '\n' && (kept_.empty() || kept_.back() == '\n')) continue;
            kept_ += c;
        }
    }
    std::string& kept() { return kept_; }

private:
    const char* set_;
    std::string kept_;
};

uint8_t TextTip(char c) { return c == '1' ? kTip1 : c == '2' ? kTip2 : kTipX; }

int ParseText(std::string& kept, int kind, ImportedLines& out) {
    if (kept.empty()) return kReadNotText;
    if (kept.back() != '\n') kept += '\n';
    const size_t width = kept.find('\n');
    // Every line as long as the first: a line end at the end of each, none inside.
    if (kept.size() % (width + 1) != 0) return kReadNotText;
    const size_t rows = kept.size() / (width + 1);
    if (static_cast<size_t>(std::count(kept.begin(), kept.end(), '\n')) != rows) return kReadNotText;
    for (size_t r = 0; r < rows; ++r)
        if (kept[r * (width + 1) + width] != '\n') return kReadNotText;

    const bool reversed = kind == kImportReversedText;
    const size_t lines = reversed ? width : rows;
    const size_t matches = reversed ? rows : width;
    if (lines > static_cast<size_t>(kMaxLines)) return kReadTooManyLines;
    if (lines < 1 || matches < static_cast<size_t>(kMinMatches) || matches > static_cast<size_t>(kMaxMatches))
        return kReadNotText;

    out.matches = static_cast<int>(matches);
    out.lines = static_cast<int>(lines);
    for (size_t m = 0; m < matches; ++m) {
        std::vector<uint8_t>& tips = out.tips[m];
        tips.assign(lines, kNoTip);
        for (size_t l = 0; l < lines; ++l)
            tips[l] = TextTip(reversed ? kept[m * (width + 1) + l] : kept[l * (width + 1) + m]);
    }
    return kReadOk;
}

// Tips of a Totocalcio digit, a set of bits: 1 = "1", 2 = "X", 4 = "2".
int DigitOptions(char digit, uint8_t options[3]) {
    const int bits = digit - '0';
    int n = 0;
    for (int tip = 0; tip < 3; ++tip)
        if (bits & (1 << tip)) options[n++] = static_cast<uint8_t>(tip);
    return n;
}

int ParseTotocalcio(std::string& kept, ImportedLines& out) {
    size_t width = kept.find('\n');
    if (width == std::string::npos) width = kept.size();
    // A first line longer than a record: the records follow each other without line ends.
    const bool separated = width <= static_cast<size_t>(kTotocalcioRecord);
    if (!separated) width = kTotocalcioRecord;
    // A document needs two matches.
    if (width < static_cast<size_t>(kMinMatches)) return kReadNotText;
    // The last record counts without its line end. What does not fill a record
    // at the end (such as the line count our own export writes) is ignored.
    if (separated && kept.back() != '\n') kept += '\n';
    const size_t stride = separated ? width + 1 : width;
    const size_t records = kept.size() / stride;

    long long total = 0;
    uint8_t options[3];
    for (size_t r = 0; r < records; ++r) {
        const char* record = kept.data() + r * stride;
        long long product = 1;
        for (size_t p = 0; p < width; ++p) {
            if (record[p] < '1' || record[p] > '7') return kReadNotText;
            product *= DigitOptions(record[p], options);
        }
        // A line of a different length would otherwise be read across the records.
        if (separated && record[width] != '\n') return kReadNotText;
        total = std::min<long long>(total + product, kMaxLines + 1);
    }
    if (total > kMaxLines) return kReadTooManyLines;
    if (total == 0) return kReadNotText;

    out.matches = static_cast<int>(width);
    out.lines = static_cast<int>(total);
    for (size_t m = 0; m < width; ++m) out.tips[m].assign(static_cast<size_t>(total), kNoTip);
    size_t start = 0;
    for (size_t r = 0; r < records; ++r) {
        const char* record = kept.data() + r * stride;
        size_t produced = 1;
        for (size_t p = 0; p < width; ++p) {
            const int n = DigitOptions(record[p], options);
            // Every line produced so far is repeated once per further option.
            for (size_t q = 0; q < p; ++q) {
                std::vector<uint8_t>& tips = out.tips[q];
                for (int copy = 1; copy < n; ++copy)
                    std::copy_n(tips.begin() + static_cast<long>(start), produced,
                                tips.begin() + static_cast<long>(start + copy * produced));
            }
            std::vector<uint8_t>& tips = out.tips[p];
            for (int o = 0; o < n; ++o)
                std::fill_n(tips.begin() + static_cast<long>(start + o * produced), produced, options[o]);
            produced *= static_cast<size_t>(n);
        }
        start += produced;
    }
    return kReadOk;
}

int Parse(std::string& kept, int kind, ImportedLines& out) {
    ImportedLines lines;
    const int result = kind == kImportTotocalcio ? ParseTotocalcio(kept, lines) : ParseText(kept, kind, lines);
    if (result == kReadOk) out = std::move(lines);
    return result;
}

} // namespace

ImportFilterEntry ImportFilter(int kind) {
    switch (kind) {
    case kImportReversedText: return {N_("Reversed Text File (*.txt)"), "*.txt"};
    case kImportTotocalcio: return {N_("Totocalcio (*.col)"), "*.col"};
    default: return {N_("Text File (*.txt)"), "*.txt"};
    }
}

int ReadImportedLines(std::istream& in, int kind, ImportedLines& out) {
    CharacterFilter filter(kind);
    char buffer[16384];
    long long total = 0;
    while (in) {
        in.read(buffer, sizeof buffer);
        const std::streamsize n = in.gcount();
        if (n <= 0) break;
        total += n;
        if (total > kMaxImportBytes) return kReadNotText;
        filter.feed(buffer, static_cast<size_t>(n));
    }
    if (in.bad()) return kReadBadData;
    return Parse(filter.kept(), kind, out);
}

void ApplyImportedLines(const ImportedLines& imported, int kind, PoolsDocument& doc) {
    const int lines = imported.lines;
    doc.matchCount = doc.tipMatchCount = doc.calcMatchCount = imported.matches;
    doc.lineCount = doc.tipLineCount = lines;
    if (doc.conditionLimit > doc.matchCount) doc.conditionLimit = doc.matchCount;
    doc.resizeTipArrays();
    doc.hasTips = doc.tipsUpToDate = true;
    for (int m = 0; m < kMaxMatches; ++m) {
        MatchEntry& e = doc.matches[m];
        std::fill(e.tips.begin(), e.tips.end(), kNoTip);
        if (m >= imported.matches) {
            e.hasTips = false;
            continue;
        }
        std::copy_n(imported.tips[m].begin(), lines, e.tips.begin());
        e.hasTips = true;
        e.probability[0] = 0; // has data, so that its tips are counted
        e.recomputeTipCounts(lines);
        const std::array<int, 2> shares{e.tipCounts[0] * 1000 / lines, e.tipCounts[2] * 1000 / lines};
        e.chances = e.probability = e.lastProbability = shares;
    }

    // Nothing restricts lines that were not calculated here.
    doc.conditionEnabled = {false, false, false};
    doc.conditionUseInCalc = {true, true, true};
    doc.conditionRangesAbsolute = doc.env.rangesAbsolute;
    for (auto& group : doc.conditionRanges)
        for (auto& kindRanges : group)
            for (int& v : kindRanges) v = doc.env.rangesAbsolute ? 0 : 100;

    doc.importKind = kind;
    doc.sortMode = static_cast<int>(SortMode::ByTips);
    SortLines(doc, doc.sortMode);
    RecomputeConditionBookkeeping(doc, true);
}

int ImportText(std::istream& in, int kind, PoolsDocument& doc) {
    ImportedLines lines;
    const int result = ReadImportedLines(in, kind, lines);
    if (result == kReadOk) ApplyImportedLines(lines, kind, doc);
    return result;
}

int ImportTextFile(const std::string& path, int kind, PoolsDocument& doc, FileProblem& problem) {
    problem = FileProblem();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        problem = SystemProblem(errno);
        return kReadBadData;
    }
    struct stat st;
    if (::fstat(fd, &st) == 0) {
        if (S_ISDIR(st.st_mode)) {
            ::close(fd);
            problem = SystemProblem(EISDIR);
            return kReadBadData;
        }
        if (S_ISREG(st.st_mode) && st.st_size > kMaxImportBytes) {
            ::close(fd);
            return kReadNotText;
        }
    }
    CharacterFilter filter(kind);
    char buffer[16384];
    long long total = 0;
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            problem = SystemProblem(errno);
            ::close(fd);
            return kReadBadData;
        }
        if (n == 0) break;
        total += n;
        // The size may not have been known (a pipe) or may have grown.
        if (total > kMaxImportBytes) {
            ::close(fd);
            return kReadNotText;
        }
        filter.feed(buffer, static_cast<size_t>(n));
    }
    ::close(fd);

    ImportedLines lines;
    const int result = Parse(filter.kept(), kind, lines);
    if (result != kReadOk) return result;
    ApplyImportedLines(lines, kind, doc);
    doc.importFileName = path;
    return kReadOk;
}

std::string ImportResultMessage(int result, const std::string& fileName, int kind, const FileProblem& problem) {
    switch (result) {
    case kReadOk: return {};
    case kReadNotText:
        switch (kind) {
        case kImportReversedText: return TrFormat(N_("File %s is not a suitable reversed text file."), fileName.c_str());
        case kImportTotocalcio: return TrFormat(N_("File %s is not a Totocalcio-File."), fileName.c_str());
        default: return TrFormat(N_("File %s is not a suitable text file."), fileName.c_str());
        }
    case kReadTooManyLines: return TrFormat(N_("File %s has too many lines."), fileName.c_str());
    default: return WithReason(Translate(N_("Error reading the file")), fileName, problem);
    }
}

} // namespace vdx
