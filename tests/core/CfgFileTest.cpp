// Reading and writing Kaleidra.cfg: the three versions, hand edits, and the safe save.

#include "Kdlist.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#ifdef _WIN32
#include <process.h>
#define getpid _getpid
#else
#include <unistd.h>
#endif

namespace {
// The collection in one line per group and saver, for whole-collection comparisons.
std::string Describe(const TKDSaverList& list) {
    std::string text;
    for (std::size_t g = 0; g < list.GroupCount(); ++g) {
        text += "[" + list.GetGroupName(g) + (list.GetGroupActive(g) ? " on " : " off ") +
                std::to_string(list.GetGroupPriority(g)) + "]";
        for (std::size_t s = 0; s < list.GetSaverCount(g); ++s)
            text += " <" + std::string(list.GetSaverName(g, s)) + ">" +
                    std::to_string(list.GetSaverPriority(g, s));
        text += "\n";
    }
    return text;
}

std::string DescribeText(const std::string& bytes) {
    TKDSaverList list;
    list.LoadFromText(bytes);
    return Describe(list);
}

std::string DescribeFile(const std::string& path) {
    TKDSaverList list;
    list.LoadFromFile(path);
    return Describe(list);
}

const std::string OnlyDefault = "[Default on 1]\n";
} // namespace

TEST(ReadCfg, AllThreeVersions) {
    EXPECT_EQ(DescribeFile(FixturePath("v2.cfg")),
              "[Favourites on 1] <C:\\Savers\\Mystify.scr>3 <C:\\My Savers\\Flower Box.scr>5\n"
              "[Night off 4] <D:\\scr\\Stars.scr>1\n");
    EXPECT_EQ(DescribeFile(FixturePath("v1.cfg")),
              "[Classic off 1] <C:\\Savers\\Pipes.scr>2 <C:\\Savers\\Maze.scr>3\n"
              "[Modern on 1] <C:\\Savers\\Bubbles.scr>4\n");
    EXPECT_EQ(DescribeFile(FixturePath("v101.cfg")), "[Only on 1] <C:\\a.scr>1 <C:\\b.scr>2\n");
}

TEST(ReadCfg, HandEditedFile) {
    // Loose savers land in "Default", which a later header names; a repeated header goes on
    // filling its group; a repeated path takes the later priority; "=" makes a key line; a
    // header without "]" loses its last character; empty headers are ignored; Ctrl-Z ends it.
    EXPECT_EQ(DescribeFile(FixturePath("handedited.cfg")),
              "[Default off 2] <C:\\loose.scr >2\n"
              "[Work on 3] <C:\\w1.scr>1 <some free text>3 <C:\\w2.scr>5\n");
}

TEST(ReadCfg, NothingToReadGivesTheDefaultGroup) {
    TTempDir dir;
    WriteBytes(dir.File("empty.cfg"), "");
    WriteBytes(dir.File("blank.cfg"), "\r\n  \r\n\t\r\n");
    WriteBytes(dir.File("keys.cfg"), "Version=2.0.0\r\nfoo=bar\r\n[]\r\n");
    for (const char* name : {"empty.cfg", "blank.cfg", "keys.cfg", "missing.cfg"})
        EXPECT_EQ(DescribeFile(dir.File(name)), OnlyDefault) << name;
    EXPECT_EQ(DescribeFile(dir.Path.string()), OnlyDefault) << "a folder is unreadable";
    EXPECT_EQ(DescribeText(""), OnlyDefault) << "text is read as a file is";
}

TEST(ReadCfg, VersionDecidesWhetherHeadersCarryAPriority) {
    struct Case {
        const char* name;
        std::string text;
        std::string expected;
    };
    const Case cases[] = {
        {"lower-case key, version 1", "version=1.0.0\n[G;Off;4]\n", "[G off 1]\n"},
        {"version 2", "Version=2.0.0\n[G;Off;4]\n", "[G off 4]\n"},
        {"no version line", "[G;On;4]\n", "[G on 1]\n"},
        {"blanks around = hide the key", "Version = 2.0.0\n[G;On;4]\n", "[G on 1]\n"},
        {"value compares with case", "Version=2.0.0\nVERSION=2.0.0X\n[G;On;4]\n", "[G on 4]\n"},
        {"unknown value keeps the code", "Version=9\n[G;On;4]\n", "[G on 1]\n"},
        {"only later headers change", "[A;On;4]\nVersion=2.0.0\n[B;On;4]\n",
         "[A on 1]\n[B on 4]\n"},
        {"version 1.0.1", "Version=1.0.1\n[G;On;4]\n", "[G on 1]\n"},
        {"version back down", "Version=2.0.0\nVersion=1.0.0\n[G;On;4]\n", "[G on 1]\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DescribeText(c.text), c.expected) << c.name;
}

TEST(ReadCfg, HeaderAndSaverFields) {
    struct Case {
        const char* name;
        std::string text;
        std::string expected;
    };
    const Case cases[] = {
        {"header without flag is active", "[G]\n", "[G on 1]\n"},
        {"flag in lower case is off", "[G;on]\n", "[G off 1]\n"},
        {"digit flag is off", "[G;1]\n", "[G off 1]\n"},
        {"missing ] eats the priority digit", "Version=2.0.0\n[G;On;45\n", "[G on 4]\n"},
        {"priority kept as read", "Version=2.0.0\n[G;On;-2]\n[H;On;9x]\n", "[G on -2]\n[H on 9]\n"},
        {"non-numeric priority reads 0", "Version=2.0.0\n[G;On;high]\n", "[G on 0]\n"},
        {"saver without ; has priority 3", "[G]\nC:\\x.scr\n", "[G on 1] <C:\\x.scr>3\n"},
        {"saver priority as read", "[G]\nx;0\ny;-1\nz;12\n", "[G on 1] <x>0 <y>-1 <z>12\n"},
        {"extra fields ignored", "[G;On;1;x]\np;2;q\n", "[G on 1] <p>2\n"},
        {"path with = is a key line", "[G]\nC:\\a=b.scr;2\n", "[G on 1]\n"},
        {"free text is a saver", "[G]\nhello world\n", "[G on 1] <hello world>3\n"},
        {"savers before any header", "a;1\n[G]\nb;2\n", "[Default on 1] <a>1\n[G on 1] <b>2\n"},
        {"Default named later", "a;1\nVersion=2.0.0\n[Default;Off;2]\n", "[Default off 2] <a>1\n"},
        {"names compare with case", "[G]\n[g]\n", "[G on 1]\n[g on 1]\n"},
        {"empty field list ignored", "[G]\n[;]\n;;\nx\n", "[G on 1] <x>3\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DescribeText(c.text), c.expected) << c.name;
}

TEST(ReadCfg, RepeatedHeaderAndPathApplyToTheExistingEntries) {
    EXPECT_EQ(DescribeText("Version=2.0.0\n[A;On;2]\na;1\n[B;On;3]\nb;1\n[A;Off;5]\nc;4\na;5\n"),
              "[A off 5] <a>5 <c>4\n[B on 3] <b>1\n");
}

TEST(ReadCfg, LastLineWithoutLineFeedIsRead) {
    EXPECT_EQ(DescribeText("[G;On]\r\nC:\\last.scr;4"), "[G on 1] <C:\\last.scr>4\n");
}

TEST(ReadCfg, OverLongLineIsSkippedWhole) {
    const std::string longPath(5000, 'p');
    const std::string fits(4095 - 2, 'f');
    EXPECT_EQ(DescribeText("[G]\r\n" + longPath + ";1\r\n" + fits + ";5\r\nnext;2\r\n"),
              "[G on 1] <" + fits + ">5 <next>2\n");
}

TEST(WriteCfg, WritesTheCurrentVersionWithCrLf) {
    TKDSaverList list;
    list.AddGroup("First");
    list.AddSaver(0, "C:\\one.scr");
    list.AddSaver(0, "C:\\two words.scr");
    list.SetSaverPriority(0, 1, 5);
    list.AddGroup("Second");
    list.SetGroupActive(1, false);
    list.SetGroupPriority(1, 4);
    list.AddSaver(1, "D:\\three.scr");
    list.SetSaverPriority(1, 0, 1);
    list.AddGroup("Empty");
    list.SetGroupPriority(2, -3);
    EXPECT_EQ(list.SaveToText(), "Version=2.0.0\r\n"
                                 "\r\n[First;On;1]\r\nC:\\one.scr;3\r\nC:\\two words.scr;5\r\n"
                                 "\r\n[Second;Off;4]\r\nD:\\three.scr;1\r\n"
                                 "\r\n[Empty;On;-3]\r\n");
}

TEST(WriteCfg, OldVersionsAreUpgradedAndRoundTripsAreStable) {
    TTempDir dir;
    for (const char* name : {"v1.cfg", "v101.cfg", "v2.cfg", "handedited.cfg"}) {
        TKDSaverList first;
        first.LoadFromFile(FixturePath(name));
        ASSERT_TRUE(first.SaveToFile(dir.File("once.cfg"))) << name;
        const std::string once = ReadBytes(dir.File("once.cfg"));
        EXPECT_EQ(once.rfind("Version=2.0.0\r\n\r\n[", 0), 0u) << name;

        TKDSaverList second;
        second.LoadFromFile(dir.File("once.cfg"));
        EXPECT_EQ(Describe(second), Describe(first)) << name;
        ASSERT_TRUE(second.SaveToFile(dir.File("twice.cfg")));
        EXPECT_EQ(ReadBytes(dir.File("twice.cfg")), once) << name;
    }
}

TEST(WriteCfg, SaveReplacesTheFileAndLeavesNoTemporary) {
    TTempDir dir;
    const std::string path = dir.File("Kaleidra.cfg");
    WriteBytes(path, std::string(10000, 'x'));
    TKDSaverList list;
    list.AddGroup("G");
    std::string error;
    ASSERT_TRUE(list.SaveToFile(path, &error)) << error;
    EXPECT_EQ(ReadBytes(path), list.SaveToText()) << "a shorter file leaves no old bytes behind";
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(WriteCfg, FailedSaveKeepsTheOldFileAndSaysWhy) {
    TTempDir dir;
    TKDSaverList list;
    list.AddGroup("New");
    std::string error;

    // No folder to write in.
    EXPECT_FALSE(list.SaveToFile(dir.File("no such folder/Kaleidra.cfg"), &error));
    EXPECT_FALSE(error.empty());

    // The temporary file cannot be made: the old file keeps every byte.
    const std::string path = dir.File("Kaleidra.cfg");
    const std::string old = "Version=2.0.0\r\n\r\n[Old;On;1]\r\nC:\\keep.scr;3\r\n";
    WriteBytes(path, old);
    const std::string blocker = path + "." + std::to_string(getpid()) + ".tmp";
    std::filesystem::create_directory(blocker);
    error.clear();
    EXPECT_FALSE(list.SaveToFile(path, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(ReadBytes(path), old);
    std::filesystem::remove(blocker);

    // The file cannot be replaced (a folder stands in its place): no temporary is left.
    const std::string folder = dir.File("folder.cfg");
    std::filesystem::create_directory(folder);
    std::filesystem::create_directory(folder + "/inside");
    error.clear();
    EXPECT_FALSE(list.SaveToFile(folder, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(std::filesystem::is_directory(folder + "/inside"));
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path))
        EXPECT_EQ(entry.path().string().find(".tmp"), std::string::npos) << entry.path();
}
