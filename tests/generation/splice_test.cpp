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

TEST_F(SpliceTest, CopiesTheLinesBetweenTheMarkersInOrder) {
    Previous(
        "//; Added Variables\r\n    int a;\r\n    int b;\r\n//; End of Added "
        "Variables\r\nafter\r\n");
    EXPECT_TRUE(CopySection(file, previous, "//; Added Variables"));
    EXPECT_EQ(NextLine(), "after");  // the end marker is consumed, nothing more
    EXPECT_EQ(Copied(), "    int a;\r\n    int b;\r\n");
}

TEST_F(SpliceTest, MarkersMatchAtTheStartOfALineOnly) {
    Previous(
        " //; Definitions\nskipped\n//; Definitions (edited by hand)\nkept\n\tindented\n"
        "  //; End of Definitions\n//; End of Definitions -- end\nafter\n");
    EXPECT_TRUE(CopySection(file, previous, "//; Definitions"));
    EXPECT_EQ(NextLine(), "after");
    // LF-only lines are read as well; copied lines end in CR LF.
    EXPECT_EQ(Copied(), "kept\r\n\tindented\r\n  //; End of Definitions\r\n");
}

TEST_F(SpliceTest, MarkersAreCaseSensitiveAndRepeatedStartsAreNotCopied) {
    Previous("//; definitions\r\n//; Definitions\r\nx\r\n//; Definitions\r\ny\r\n");
    EXPECT_TRUE(CopySection(file, previous, "//; Definitions"));
    // No end marker: everything to the end of the file belongs to the section.
    EXPECT_EQ(NextLine(), "<end>");
    EXPECT_EQ(Copied(), "x\r\ny\r\n");
}

TEST_F(SpliceTest, AnEndMarkerBeforeTheStartEndsTheSearch) {
    Previous("//; End of Definitions\r\n//; Definitions\r\nx\r\n//; End of Definitions\r\n");
    EXPECT_FALSE(CopySection(file, previous, "//; Definitions"));
    EXPECT_EQ(NextLine(), "//; Definitions");
    EXPECT_EQ(Copied(), "");
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

TEST_F(SpliceTest, OddContentPassesThroughUnchanged) {
    std::string bytes = "//; S\r\n";
    bytes += std::string("a\0b\rc\xff", 6) + "\r\r\n";  // NUL, a lone CR, a high byte
    bytes += "no end of line";
    Previous(bytes);
    EXPECT_TRUE(CopySection(file, previous, "//; S"));
    EXPECT_EQ(Copied(), std::string("a\0b\rc\xff", 6) + "\r\r\nno end of line\r\n");
}

TEST_F(SpliceTest, EmptyOrBinaryPreviousVersionsGiveNothing) {
    Previous(std::string("\0\0\xfe\n\n\r", 6));
    EXPECT_FALSE(CopySection(file, previous, "//; S"));
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

TEST_F(PreviousVersionCheckTest, NoPreviousVersionMeansNoQuestion) {
    EXPECT_EQ(Check(""), nullptr);
    EXPECT_EQ(Check("Blk.h.bak"), nullptr);
    EXPECT_TRUE(prompts.questions.empty());
    EXPECT_TRUE(prompts.messages.empty());
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

TEST_F(PreviousVersionCheckTest, AnsweringNoLeavesTheSpliceOff) {
    prompts.yesNoAnswers = {false};
    EXPECT_EQ(Check("KRSave/Blk.h"), nullptr);
    EXPECT_EQ(prompts.questions.size(), 1u);
}

}  // namespace
}  // namespace bw
