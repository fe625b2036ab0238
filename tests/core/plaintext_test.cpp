// Plain text files for the editor: which encoding and line ends a file is
// read with, that every byte comes back when saved, and what is refused.

#include "document/PlainText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace vdx;
using namespace std::string_literals;

TEST(PlainTextTest, FilesAreReadInTheirEncodingAndLineEnds) {
    struct Case {
        const char* what;
        std::string bytes;
        TextEncoding encoding;
        LineEnd lineEnd;
        std::string text;
        bool bom;
    };
    const std::vector<Case> cases = {
        {"PC/OS2 lines", "1X2\r\n0X1\r\n", TextEncoding::Utf8, LineEnd::CrLf, "1X2\n0X1\n", false},
        {"Unix lines", "1X2\n0X1", TextEncoding::Utf8, LineEnd::Lf, "1X2\n0X1", false},
        {"Mac lines", "1X2\r0X1\r", TextEncoding::Utf8, LineEnd::Cr, "1X2\n0X1\n", false},
        {"mixed ends stay as they are", "a\r\nb\nc\r", TextEncoding::Utf8, LineEnd::Lf, "a\r\nb\nc\r", false},
        {"UTF-8 umlauts", "Gr\xC3\xBC\xC3\x9F", TextEncoding::Utf8, LineEnd::Lf, "Gr\xC3\xBC\xC3\x9F", false},
        {"byte order mark", "\xEF\xBB\xBFhi\n", TextEncoding::Utf8, LineEnd::Lf, "hi\n", true},
        {"Latin-1 umlauts", "Gr\xFC\xDF", TextEncoding::Windows1252, LineEnd::Lf, "Gr\xC3\xBC\xC3\x9F", false},
        {"euro sign and an undefined byte", "\x80 \x81", TextEncoding::Windows1252, LineEnd::Lf,
         "\xE2\x82\xAC \xC2\x81", false},
        {"overlong UTF-8 form", "\xC0\xAF", TextEncoding::Windows1252, LineEnd::Lf, "\xC3\x80\xC2\xAF", false},
        {"UTF-8 cut off at the end", "ok\xE2\x82", TextEncoding::Windows1252, LineEnd::Lf,
         "ok\xC3\xA2\xE2\x80\x9A", false},
        {"encoded surrogate", "\xED\xA0\x80", TextEncoding::Windows1252, LineEnd::Lf,
         "\xC3\xAD\xC2\xA0\xE2\x82\xAC", false},
        {"Totocalcio special ends are no line ends", "1\x0e" "2\x0e", TextEncoding::Utf8, LineEnd::Lf,
         "1\x0e" "2\x0e", false},
        {"empty file", "", TextEncoding::Utf8, LineEnd::Lf, "", false},
    };
    for (const Case& c : cases) {
        PlainText text;
        ASSERT_TRUE(DecodePlainText(c.bytes, text).ok()) << c.what;
        EXPECT_EQ(text.encoding, c.encoding) << c.what;
        EXPECT_EQ(text.lineEnd, c.lineEnd) << c.what;
        EXPECT_EQ(text.text, c.text) << c.what;
        EXPECT_EQ(text.byteOrderMark, c.bom) << c.what;
        // Saved unchanged, the file keeps every byte.
        std::string again;
        ASSERT_TRUE(EncodePlainText(text, again)) << c.what;
        EXPECT_EQ(again, c.bytes) << c.what;
    }
}

TEST(PlainTextTest, EveryByteButZeroSurvivesAWindows1252RoundTrip) {
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    for (const std::string& bytes : {all, all + all, "\xFF"s + all}) {
        PlainText text;
        ASSERT_TRUE(DecodePlainText(bytes, text).ok());
        EXPECT_EQ(text.encoding, TextEncoding::Windows1252);
        std::string again;
        ASSERT_TRUE(EncodePlainText(text, again));
        EXPECT_EQ(again, bytes);
    }
}

TEST(PlainTextTest, EditedTextKeepsTheFilesEncodingAndLineEnds) {
    PlainText text;
    ASSERT_TRUE(DecodePlainText("Z\xFCrich\r\n", text).ok());
    text.text += "K\xC3\xB6ln \xE2\x82\xAC\n"; // typed: "Köln €"
    std::string bytes;
    ASSERT_TRUE(EncodePlainText(text, bytes));
    EXPECT_EQ(bytes, "Z\xFCrich\r\nK\xF6ln \x80\r\n");

    // A character outside Windows-1252 is named, and nothing is written.
    text.text += "\xE4\xB8\xAD"; // a Chinese character
    std::string bad, unchanged = "kept";
    EXPECT_FALSE(EncodePlainText(text, unchanged, &bad));
    EXPECT_EQ(bad, "\xE4\xB8\xAD");
    EXPECT_EQ(unchanged, "kept");
    EXPECT_NE(UnsavableCharacterQuestion(bad).find("\"\xE4\xB8\xAD\""), std::string::npos);
    // In UTF-8 it can be saved.
    text.encoding = TextEncoding::Utf8;
    ASSERT_TRUE(EncodePlainText(text, bytes));
    EXPECT_EQ(bytes, "Z\xC3\xBCrich\r\nK\xC3\xB6ln \xE2\x82\xAC\r\n\xE4\xB8\xAD");
}

TEST(PlainTextTest, FilesTheEditorCannotHoldAreRefusedWithTheirReason) {
    PlainText text;
    text.text = "unchanged";
    PlainTextResult r = DecodePlainText("ab\0cd"s, text);
    EXPECT_EQ(r.problem, PlainTextProblem::kZeroByte);
    EXPECT_EQ(r.offset, 2);
    EXPECT_EQ(text.text, "unchanged");
    EXPECT_EQ(PlainTextProblemMessage(r, "/tmp/x.txt"),
              "File /tmp/x.txt cannot be opened as a text: it holds a zero byte and so is no text file.");

    r = DecodePlainText(std::string(kMaxPlainTextBytes + 1, 'a'), text);
    EXPECT_EQ(r.problem, PlainTextProblem::kTooLarge);
    EXPECT_NE(PlainTextProblemMessage(r, "big.txt").find("larger than 16 MB"), std::string::npos);
    EXPECT_TRUE(DecodePlainText(std::string(kMaxPlainTextBytes, 'a'), text).ok());
    EXPECT_EQ(PlainTextProblemMessage(PlainTextResult(), "x"), "");
}
