// How the command line selects a mode and names the preview's parent window.

#include "CommandLine.h"
#include "Exceptions.h"
#include "Saverlib.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
using Args = std::vector<std::string>;

bool AnyWindow(TWindowHandle) {
    return true;
}
bool NoWindow(TWindowHandle) {
    return false;
}
} // namespace

TEST(CommandLine, SplitsAtBlanksAndGroupsQuotes) {
    struct Case {
        const char* line;
        Args arguments;
    };
    const Case cases[] = {
        {"", {}},
        {"prog.scr", {"prog.scr"}},
        {"prog.scr /s", {"prog.scr", "/s"}},
        {"\"C:\\My Savers\\k.scr\" /p 1234", {"C:\\My Savers\\k.scr", "/p", "1234"}},
        {"  a\t\tb\x01"
         "c  ",
         {"a", "b", "c"}},
        {"a\"b c\"d e", {"ab cd", "e"}},
        {"x \"\" y", {"x", "", "y"}},
        {"x \"unterminated quote", {"x", "unterminated quote"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitCommandLine(c.line), c.arguments) << c.line;
}

TEST(SaverMode, LetterSelectsTheMode) {
    struct Case {
        Args arguments;
        std::int8_t mode;
    };
    const Case cases[] = {
        {{}, smConfigure},
        {{"-S"}, smSaver},
        {{"/s"}, smSaver},
        {{"s"}, smSaver},
        {{"/saver"}, smSaver},
        {{"/c:1234"}, smConfigure},
        {{"/C"}, smConfigure},
        {{"/"}, smConfigure},
        {{"-"}, smConfigure},
        {{""}, smConfigure},
        {{"/a"}, smChangePassword},
        {{"A", "99"}, smChangePassword},
        {{"/p", "1234"}, smPreview},
        {{"/P:55"}, smPreview},
        {{"/x"}, smNone},
        {{"hello"}, smNone},
        {{"//s"}, smNone},
        {{"2"}, smNone},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseSaverMode(c.arguments), c.mode)
            << (c.arguments.empty() ? "(none)" : c.arguments[0]);
}

TEST(SaverMode, IsParsedOnceAndKept) {
    ResetSaverCommandLine();
    SetProcessCommandLine("Kaleidra.scr /s");
    EXPECT_EQ(GetSaverMode(), smSaver);
    SetProcessCommandLine("Kaleidra.scr /c");
    EXPECT_EQ(GetSaverMode(), smSaver);

    // An unknown letter is not kept: the next call parses again.
    ResetSaverCommandLine();
    SetProcessCommandLine("Kaleidra.scr /q");
    EXPECT_EQ(GetSaverMode(), smNone);
    SetProcessCommandLine("\"C:\\Program Files\\Kaleidra.scr\" /p:77");
    EXPECT_EQ(GetSaverMode(), smPreview);
    EXPECT_EQ(GetPreviewParent(), 77);
    ResetSaverCommandLine();
}

TEST(PreviewParent, ColonFormIsTakenWithoutAWindowTest) {
    EXPECT_EQ(ParsePreviewParent({"/p:1234"}, 0, NoWindow), 1234);
    EXPECT_EQ(ParsePreviewParent({"/p:-5"}, 0, NoWindow), -5);
    EXPECT_EQ(ParsePreviewParent({"/p"}, 9, NoWindow), 9) << "no colon leaves the cache";
    EXPECT_EQ(ParsePreviewParent({"/c:42"}, 0, NoWindow), 42);
}

TEST(PreviewParent, SeparateHandleMustNameAWindow) {
    EXPECT_EQ(ParsePreviewParent({"/p", "1234"}, 0, AnyWindow), 1234);
    EXPECT_EQ(ParsePreviewParent({"/p", "1234"}, 0, NoWindow), 0);
    EXPECT_EQ(ParsePreviewParent({"/p", "0"}, 8, AnyWindow), 8);
    EXPECT_EQ(ParsePreviewParent({"/p", "1", "2"}, 0, AnyWindow), 0);
    EXPECT_EQ(ParsePreviewParent({}, 0, AnyWindow), 0);
}

TEST(PreviewParent, NonNumbersRaiseTheConversionError) {
    for (const Args& arguments :
         {Args{"/p:abc"}, Args{"/p:"}, Args{"/p", "12x"}, Args{"/p:99999999999"}, Args{"/p: 1 "}}) {
        const std::string text =
            arguments.size() == 1 ? arguments[0].substr(arguments[0].find(':') + 1) : arguments[1];
        try {
            ParsePreviewParent(arguments, 0, AnyWindow);
            ADD_FAILURE() << "no error for '" << text << "'";
        } catch (const EConvertError& error) {
            EXPECT_EQ(error.Message(), "'" + text + "' is not a valid integer value");
        }
    }
}

TEST(StrToInt, SignedDecimalWithinThirtyTwoBits) {
    EXPECT_EQ(StrToInt("0"), 0);
    EXPECT_EQ(StrToInt("  17"), 17);
    EXPECT_EQ(StrToInt("+8"), 8);
    EXPECT_EQ(StrToInt("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(StrToInt("2147483647"), 2147483647);
    for (const char* bad : {"", " ", "-", "2147483648", "1 ", "0x10", "1e3"})
        EXPECT_THROW(StrToInt(bad), EConvertError) << '"' << bad << '"';
}
