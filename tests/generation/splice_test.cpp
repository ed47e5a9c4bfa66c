#include "generation/splice.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/generate.h"
#include "support/recording_prompts.h"

namespace bw {
namespace {

// A previous version on disk and a new file to copy into.
class SpliceTest : public ::testing::Test {
protected:
    SpliceTest() {
        environment.prompts = &prompts;
        environment.clock = &clock;
    }

    // Opens a previous version holding bytes.
    void Previous(const std::string& bytes) {
        WriteFileBytes(dir.path() + "previous.txt", bytes);
        ASSERT_TRUE(previous.Open(dir.path() + "previous.txt"));
        ASSERT_TRUE(file.Open(dir.path() + "new.txt"));
    }

    // What was copied so far.
    std::string Copied() {
        file.Close();
        return ReadFileBytes(dir.path() + "new.txt");
    }

    std::string NextLine() {
        std::string line;
        return previous.ReadLine(line) ? line : "<end>";
    }

    TempDir dir;
    RecordingPrompts prompts;
    FixedClock clock{std::tm{}};
    RunEnvironment environment;
    OutputFile file{environment};
    PreviousVersion previous;
};

// One section copied from a previous version: what was copied, and the line
// the reading stopped after.
TEST_F(SpliceTest, SectionRules) {
    struct Case {
        const char* rule;
        std::string text;
        bool found;
        std::string copied;
        std::string next;
    };
    const Case cases[] = {
        {"copies the lines between the markers, consuming the end marker",
         "//; S\r\n    int a;\r\n    int b;\r\n//; End of S\r\nafter\r\n", true,
         "    int a;\r\n    int b;\r\n", "after"},
        {"markers match at the start of a line only; LF-only lines are read",
         " //; S\nskipped\n//; S (edited by hand)\nkept\n\tindented\n  //; End of S\n"
         "//; End of S -- end\nafter\n",
         true, "kept\r\n\tindented\r\n  //; End of S\r\n", "after"},
        {"markers are case-sensitive, repeated starts are not copied, no end marker",
         "//; s\r\n//; S\r\nx\r\n//; S\r\ny\r\n", true, "x\r\ny\r\n", "<end>"},
        {"an end marker before the start ends the search",
         "//; End of S\r\n//; S\r\nx\r\n//; End of S\r\n", false, "", "//; S"},
        {"NUL, a lone CR, a high byte and no final line end pass through",
         "//; S\r\n" + std::string("a\0b\rc\xff", 6) + "\r\r\nno end of line", true,
         std::string("a\0b\rc\xff", 6) + "\r\r\nno end of line\r\n", "<end>"},
        {"a binary previous version gives nothing", std::string("\0\0\xfe\n\n\r", 6), false, "",
         "<end>"},
    };
    for (const Case& c : cases) {
        WriteFileBytes(dir.path() + "case.txt", c.text);
        PreviousVersion from;
        ASSERT_TRUE(from.Open(dir.path() + "case.txt"));
        OutputFile to(environment);
        ASSERT_TRUE(to.Open(dir.path() + "copy.txt"));
        EXPECT_EQ(CopySection(to, from, "//; S"), c.found) << c.rule;
        std::string next;
        EXPECT_EQ(from.ReadLine(next) ? next : "<end>", c.next) << c.rule;
        to.Close();
        EXPECT_EQ(ReadFileBytes(dir.path() + "copy.txt"), c.copied) << c.rule;
    }
}

TEST_F(SpliceTest, AnExplicitEndMarkerReplacesTheDerivedOne) {
    Previous("//; Begin\r\nx\r\n//; End of Begin\r\ny\r\n//; Stop\r\nz\r\n");
    EXPECT_TRUE(CopySection(file, previous, "//; Begin", "//; Stop"));
    EXPECT_EQ(Copied(), "x\r\n//; End of Begin\r\ny\r\n");
    EXPECT_EQ(EndMarkerFor("//; Local Routine"), "//; End of Local Routine");
    EXPECT_EQ(EndMarkerFor("//;"), "//; End of ");
}

TEST_F(SpliceTest, NestedSectionCountsOnlyInsideItsOuterSection) {
    Previous(
        "//; Added Variables\r\nwrong 1\r\n//; End of Added Variables\r\n"
        "//; Scratch Parameter Structure\r\n    HANDLE h;\r\n"
        "//; End of Scratch Parameter Structure\r\n"
        "//; Added Variables\r\nwrong 2\r\n//; End of Added Variables\r\n"
        "//; Scratch Parameter Structure\r\n//; Added Variables\r\nright\r\n"
        "//; End of Added Variables\r\n//; End of Scratch Parameter Structure\r\n");
    const std::vector<std::string> markers{"//; Scratch Parameter Structure",
                                           "//; Added Variables"};
    EXPECT_FALSE(CopyNestedSection(file, previous, markers));
    // The search stopped at the end of the first scratch structure.
    EXPECT_EQ(NextLine(), "//; Added Variables");
    EXPECT_TRUE(CopyNestedSection(file, previous, markers));
    EXPECT_EQ(NextLine(), "//; End of Scratch Parameter Structure");
    EXPECT_EQ(Copied(), "right\r\n");
}

TEST_F(SpliceTest, NestedSectionWithoutItsOuterSectionIsNotFound) {
    Previous("//; Added Variables\r\nx\r\n//; End of Added Variables\r\n");
    EXPECT_FALSE(CopyNestedSection(file, previous,
                                   {"//; Block Parameter Structure", "//; Added Variables"}));
    EXPECT_EQ(NextLine(), "<end>");
    previous.Rewind();
    EXPECT_TRUE(CopyNestedSection(file, previous, {"//; Added Variables"}));
    EXPECT_EQ(Copied(), "x\r\n");
}

TEST_F(SpliceTest, NestedSectionsInABinaryPreviousVersionAreNotFound) {
    Previous(std::string("\0\0\xfe\n\n\r", 6));
    EXPECT_FALSE(CopyNestedSection(file, previous, {"//; A", "//; B"}));
    EXPECT_FALSE(CopyNestedSection(file, previous, {}));
    EXPECT_EQ(Copied(), "");
}

// ---------------------------------------------------------------------------
// The previous-version check

class PreviousVersionCheckTest : public SpliceTest {
protected:
    std::unique_ptr<PreviousVersion> Check(const std::string& saved) {
        if (!saved.empty()) {
            WriteFileBytes(dir.path() + saved, "//; S\r\nx\r\n");
        }
        EXPECT_TRUE(file.Open(dir.path() + "Blk.h"));
        return CheckPreviousVersion(file, HEADER_SPLICE_QUESTION);
    }
};

TEST_F(PreviousVersionCheckTest, NoQuestionWithoutAPreviousVersionAndNoLeavesTheSpliceOff) {
    EXPECT_EQ(Check(""), nullptr);
    EXPECT_EQ(Check("Blk.h.bak"), nullptr);
    EXPECT_TRUE(prompts.questions.empty());
    EXPECT_TRUE(prompts.messages.empty());
    prompts.yesNoAnswers = {false};
    EXPECT_EQ(Check("KRSave/Blk.h"), nullptr);
    EXPECT_EQ(prompts.questions.size(), 1u);
}

TEST_F(PreviousVersionCheckTest, TheBackupIsOfferedAndYesOpensIt) {
    // The generated file itself does not exist any more; its backup does, in
    // a folder whose name differs in case.
    auto offered = Check("krsave/Blk.h");
    ASSERT_NE(offered, nullptr);
    EXPECT_EQ(prompts.questions,
              std::vector<std::string>{"Found a previous version of Blk.h do you want to splice "
                                       "the two files ?"});
    std::string line;
    ASSERT_TRUE(offered->ReadLine(line));
    EXPECT_EQ(line, "//; S");
    EXPECT_EQ(PreviousVersionPath(file), dir.path() + "KRSave\\Blk.h");
}

}  // namespace
}  // namespace bw
