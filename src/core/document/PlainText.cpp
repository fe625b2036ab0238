#include "document/PlainText.h"

#include "text/Tr.h"

#include <array>

namespace vdx {

namespace {

// Windows-1252 bytes 0x80..0x9F; the five it leaves undefined stand for the
// control characters of the same number, so every byte survives a round trip.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Reads one code point at i (advanced past it); false for a byte sequence
// that is not well-formed UTF-8 (overlong forms and surrogates included).
bool NextUtf8(const std::string& s, size_t& i, char32_t& c) {
    const auto byte = [&s](size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char b = byte(i);
    int extra = 0;
    char32_t min = 0;
    if (b < 0x80) {
        c = b;
        ++i;
        return true;
    } else if ((b & 0xE0) == 0xC0) {
        extra = 1, c = b & 0x1F, min = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
        extra = 2, c = b & 0x0F, min = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
        extra = 3, c = b & 0x07, min = 0x10000;
    } else {
        return false;
    }
    if (i + extra >= s.size()) return false; // cut off at the end
    for (int k = 1; k <= extra; ++k) {
        const unsigned char next = byte(i + k);
        if ((next & 0xC0) != 0x80) return false;
        c = (c << 6) | (next & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
    i += extra + 1;
    return true;
}

bool IsUtf8(const std::string& s) {
    char32_t c = 0;
    for (size_t i = 0; i < s.size();)
        if (!NextUtf8(s, i, c)) return false;
    return true;
}

// One kind of line end throughout: it becomes "\n". Mixed ends stay as they are.
LineEnd NormaliseLineEnds(std::string& text) {
    size_t crlf = 0, lf = 0, cr = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++crlf;
            ++i;
        } else if (text[i] == '\n') {
            ++lf;
        } else if (text[i] == '\r') {
            ++cr;
        }
    }
    const int kinds = (crlf > 0) + (lf > 0) + (cr > 0);
    if (kinds != 1 || lf > 0) return LineEnd::Lf;
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            out += '\n';
            if (crlf > 0) ++i; // the "\n" of "\r\n"
        } else {
            out += text[i];
        }
    }
    text.swap(out);
    return crlf > 0 ? LineEnd::CrLf : LineEnd::Cr;
}

} // namespace

PlainTextResult DecodePlainText(const std::string& bytes, PlainText& out) {
    PlainTextResult result;
    if (static_cast<long long>(bytes.size()) > kMaxPlainTextBytes) {
        result.problem = PlainTextProblem::kTooLarge;
        result.offset = static_cast<long long>(bytes.size());
        return result;
    }
    const size_t zero = bytes.find('\0');
    if (zero != std::string::npos) {
        result.problem = PlainTextProblem::kZeroByte;
        result.offset = static_cast<long long>(zero);
        return result;
    }
    PlainText text;
    if (IsUtf8(bytes)) {
        text.byteOrderMark = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0;
        text.text = text.byteOrderMark ? bytes.substr(3) : bytes;
    } else {
        text.encoding = TextEncoding::Windows1252;
        text.text.reserve(bytes.size() + bytes.size() / 4);
        for (unsigned char b : bytes) AppendUtf8(text.text, b >= 0x80 && b < 0xA0 ? kHigh[b - 0x80] : b);
    }
    text.lineEnd = NormaliseLineEnds(text.text);
    out = std::move(text);
    return result;
}

bool EncodePlainText(const PlainText& text, std::string& bytes, std::string* bad) {
    std::string lines;
    const char* end = text.lineEnd == LineEnd::CrLf ? "\r\n" : text.lineEnd == LineEnd::Cr ? "\r" : "\n";
    lines.reserve(text.text.size() + text.text.size() / 20);
    for (char c : text.text) {
        if (c == '\n')
            lines += end;
        else
            lines += c;
    }
    if (text.encoding == TextEncoding::Utf8) {
        bytes = text.byteOrderMark ? "\xEF\xBB\xBF" + lines : lines;
        return true;
    }
    std::string out;
    out.reserve(lines.size());
    for (size_t i = 0; i < lines.size();) {
        const size_t start = i;
        char32_t c = 0;
        if (!NextUtf8(lines, i, c)) {
            if (bad) *bad = lines.substr(start, 1);
            return false;
        }
        int byte = -1;
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) byte = static_cast<int>(c);
        for (int k = 0; byte < 0 && k < 32; ++k)
            if (kHigh[k] == c) byte = 0x80 + k;
        if (byte < 0) {
            if (bad) *bad = lines.substr(start, i - start);
            return false;
        }
        out += static_cast<char>(byte);
    }
    bytes = std::move(out);
    return true;
}

std::string PlainTextProblemMessage(const PlainTextResult& result, const std::string& fileName) {
    switch (result.problem) {
    case PlainTextProblem::kNone: return {};
    case PlainTextProblem::kZeroByte:
        return TrFormat(N_("File %s cannot be opened as a text: it holds a zero byte and so is no text file."),
                      fileName.c_str());
    case PlainTextProblem::kTooLarge:
        return TrFormat(N_("File %s cannot be opened as a text: it is larger than 16 MB."), fileName.c_str());
    }
    return {};
}

std::string Windows1252Note(const std::string& fileName) {
    return TrFormat(N_("File %s is not written in UTF-8. It was read as Western European text (Windows-1252) "
                     "and will be saved in that encoding again."),
                  fileName.c_str());
}

std::string UnsavableCharacterQuestion(const std::string& character) {
    return TrFormat(N_("The character \"%s\" cannot be saved in the Western European encoding (Windows-1252) of "
                     "this file.\nDo you want to save the file in UTF-8 instead?"),
                  character.c_str());
}

} // namespace vdx
