// The byte-level rules of the configuration file's text.

#include "CfgText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
std::vector<std::string> Lines(const std::string& bytes) {
    std::vector<std::string> lines;
    ForEachTextLine(bytes, [&](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

using Lines_t = std::vector<std::string>;
} // namespace

TEST(TextLines, FollowWindowsTextModeOnBytes) {
    struct Case {
        const char* name;
        std::string bytes;
        Lines_t expected;
    };
    const Case cases[] = {
        {"empty text gives no line", "", {}},
        {"CR LF reads as LF", "a\r\nb\r\n", {"a", "b"}},
        {"LF alone ends a line too", "a\nb\n", {"a", "b"}},
        {"a lone CR stays in the line", "a\rb\r\n", {"a\rb"}},
        {"last line without line feed is read", "a\r\nlast", {"a", "last"}},
        {"Ctrl-Z ends the text",
         std::string("a\r\nb\x1a"
                     "c\r\nd\r\n"),
         {"a", "b"}},
        {"empty lines are lines", "\r\n\r\nx", {"", "", "x"}},
        {"CR before the Ctrl-Z is kept", std::string("a\r\x1a"), {"a\r"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Lines(c.bytes), c.expected) << c.name;
}

TEST(TextLines, SkipOverLongLinesWholeAndGoOn) {
    const std::string longest(MaxCfgLineLength, 'x');
    const std::string tooLong(MaxCfgLineLength + 1, 'y');
    const std::string huge(3 * 4096 + 17, 'z');
    EXPECT_EQ(Lines("a\r\n" + longest + "\r\n" + tooLong + "\r\nb\r\n" + huge + "\nc"),
              (Lines_t{"a", longest, "b", "c"}));
    // The limit counts the line without its CR LF.
    EXPECT_EQ(Lines(longest + "\r\n"), Lines_t{longest});
}

TEST(TextLines, TrimBlanksRemovesTheSixBlankKinds) {
    EXPECT_EQ(TrimBlanks(" \t\r\n\v\f a b \t\r\n\v\f"), "a b");
    EXPECT_EQ(TrimBlanks(" \t "), "");
    EXPECT_EQ(TrimBlanks("x"), "x");
}

TEST(TextLines, FieldsSplitLikeStrtok) {
    struct Case {
        const char* text;
        Lines_t fields;
    };
    const Case cases[] = {
        {"", {}},
        {";;;", {}},
        {"a", {"a"}},
        {"a;b", {"a", "b"}},
        {";;a;;;b;", {"a", "b"}},
        {" a ; b ", {" a ", " b "}},
        {"a;b;c;d;e", {"a", "b", "c"}}, // only the fields that mean something
    };
    for (const auto& c : cases) {
        Lines_t got;
        const auto fields = SplitFields(c.text);
        for (std::size_t i = 0; i < fields.size(); ++i)
            got.emplace_back(fields[i]);
        EXPECT_EQ(got, c.fields) << '"' << c.text << '"';
    }
}

TEST(TextLines, NumbersReadAsAtolReadsThem) {
    struct Case {
        const char* text;
        std::int32_t value;
    };
    const Case cases[] = {
        {"5", 5},
        {"  42", 42},
        {"+7", 7},
        {"-3", -3},
        {"12abc", 12},
        {"abc", 0},
        {"", 0},
        {"- 4", 0},
        {"\t\n9", 9},
        {"007", 7},
        {"2147483647", 2147483647},
        {"99999999999999999999", 2147483647},
        {"-99999999999999999999", -2147483647 - 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadNumber(c.text), c.value) << '"' << c.text << '"';
}

TEST(TextLines, KeyComparisonIgnoresAsciiCaseOnly) {
    EXPECT_TRUE(EqualsIgnoringCase("VERSION", "version"));
    EXPECT_TRUE(EqualsIgnoringCase("Version", "vErSiOn"));
    EXPECT_FALSE(EqualsIgnoringCase("version ", "version"));
    EXPECT_FALSE(EqualsIgnoringCase("versio", "version"));
}

TEST(TextLines, NamesAndPathsTheFileCanHold) {
    struct Case {
        std::string text;
        bool asName;
        bool asPath;
    };
    const Case cases[] = {
        {"C:\\Savers\\Mystify.scr", true, true},
        {"My savers [2]", true, true},
        {"", false, false},
        {"a;b", false, false},
        {"a=b", false, false},
        {"two\nlines", false, false},
        {std::string("end\x1a"), false, false},
        {"[bracket first", true, false},
        {" blank first", true, false},
        {"\tblank first", true, false},
        {"blank last ", true, true},
        {std::string(4000, 'n'), true, true},
        {std::string(4090, 'n'), false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CanStoreGroupName(c.text), c.asName) << '"' << c.text.substr(0, 20) << '"';
        EXPECT_EQ(CanStoreSaverPath(c.text), c.asPath) << '"' << c.text.substr(0, 20) << '"';
    }
}

TEST(TextLines, PiecesOfAnySizeGiveTheSameLines) {
    const std::string text = "first\r\n\r\n" + std::string(MaxCfgLineLength, 'x') + "\r\n" +
                             std::string(MaxCfgLineLength + 1, 'y') + "\r\nlast\rline\r\nend";
    const auto whole = Lines(text);
    ASSERT_EQ(whole.size(), 5u);
    for (std::size_t piece : {1u, 2u, 3u, 7u, 4095u, 4096u, 4097u, 10000u}) {
        std::vector<std::string> got;
        TTextLines lines([&](std::string_view line) { got.emplace_back(line); });
        for (std::size_t at = 0; at < text.size(); at += piece)
            lines.Feed(std::string_view(text).substr(at, piece));
        lines.Finish();
        EXPECT_EQ(got, whole) << "pieces of " << piece;
    }
}

TEST(TextLines, EndOfFileMarkStopsTheFeeding) {
    std::vector<std::string> got;
    TTextLines lines([&](std::string_view line) { got.emplace_back(line); });
    EXPECT_TRUE(lines.Feed("a\r\nb"));
    EXPECT_FALSE(lines.Feed("c\x1a"
                            "d\r\n"));
    EXPECT_FALSE(lines.Feed("e\r\n"));
    lines.Finish();
    EXPECT_EQ(got, (Lines_t{"a", "bc"}));
}
