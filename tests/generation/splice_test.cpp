#include "generation/splice.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "generation/paths.h"
#include "generation/splice_leftovers.h"
#include "support/generate.h"
#include "support/recording_prompts.h"

namespace bw {
namespace {

// The line the reading goes on with, and moves past it; "<end>" at the end.
std::string LineAtPosition(PreviousVersion& previous) {
    const size_t at = previous.Position();
    if (at >= previous.End()) {
        return "<end>";
    }
    previous.Seek(previous.NextLine(at));
    return std::string(previous.Text(at));
}

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
        SaveOutputFile(file);
        return ReadFileBytes(dir.path() + "new.txt");
    }

    std::string NextLine() { return LineAtPosition(previous); }

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
        {"runs of CR LF lines and the LF-only lines between them are copied alike",
         "/* //; S */\r\n//; S\r\na\r\nb\n\nc\r\nd\r\n//; End of S\r\n", true,
         "a\r\nb\r\n\r\nc\r\nd\r\n", "<end>"},
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
        EXPECT_EQ(LineAtPosition(from), c.next) << c.rule;
        SaveOutputFile(to);
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
// Sections without their end marker, with the sections of the file known

class KnownSectionsTest : public SpliceTest {
protected:
    // The previous version, read with the sections O (outer), A and B known.
    void Known(const std::string& bytes) {
        Previous(bytes);
        previous.Attach(&layout, &record);
    }

    SpliceLayout layout{"", {"O"}, {"A", "B"}, nullptr};
    SpliceRecord record;
};

TEST_F(KnownSectionsTest, ASectionWithoutItsEndMarkerEndsBeforeTheNextKnownSection) {
    const std::string text = "//; A\r\nuser a\r\n//; B\r\nuser b\r\n//; End of B\r\n";
    Known(text);
    EXPECT_TRUE(CopySection(file, previous, "//; A"));
    EXPECT_TRUE(CopySection(file, previous, "//; B"));  // read on from there
    EXPECT_EQ(Copied(), "user a\r\nuser b\r\n");
    ASSERT_EQ(record.unterminated.size(), 1u);
    EXPECT_EQ(record.unterminated[0].titles, std::vector<std::string>{"A"});
    EXPECT_EQ(record.unterminated[0].first, text.find("user a"));
    EXPECT_EQ(record.unterminated[0].end, text.find("//; B"));
    EXPECT_EQ(record.copied, (std::vector<LineRun>{{text.find("user a"), text.find("//; B")},
                                                   {text.find("user b"), text.find("//; End")}}));
}

TEST_F(KnownSectionsTest, AKnownMarkerInsideACompleteSectionIsTheUsersText) {
    Known("//; A\r\n//; B is named here\r\n//; End of O\r\n//; End of A\r\n");
    EXPECT_TRUE(CopySection(file, previous, "//; A"));
    EXPECT_EQ(Copied(), "//; B is named here\r\n//; End of O\r\n");
    EXPECT_TRUE(record.unterminated.empty());
}

TEST_F(KnownSectionsTest, ANestedSectionWithoutItsEndMarkerEndsWithTheSectionAroundIt) {
    Known(
        "//; O\r\n//; A\r\nin\r\n//; End of O\r\n}\r\n//; O\r\n//; A\r\nnext\r\n//; End of A\r\n");
    EXPECT_TRUE(CopyNestedSection(file, previous, {"//; O", "//; A"}));
    EXPECT_EQ(NextLine(), "//; End of O");
    EXPECT_EQ(Copied(), "in\r\n");
    ASSERT_EQ(record.unterminated.size(), 1u);
    EXPECT_EQ(record.unterminated[0].titles, (std::vector<std::string>{"O", "A"}));
}

TEST_F(KnownSectionsTest, WithoutALaterSectionTheRestOfTheFileIsTaken) {
    Known("//; B\r\nx\r\ny");
    EXPECT_TRUE(CopySection(file, previous, "//; B"));
    EXPECT_EQ(Copied(), "x\r\ny\r\n");
    ASSERT_EQ(record.unterminated.size(), 1u);
    EXPECT_EQ(record.unterminated[0].end, std::string("//; B\r\nx\r\ny").size());
}

// ---------------------------------------------------------------------------
// What was not carried over

class LeftoversTest : public ::testing::Test {
protected:
    LeftoversTest() {
        now.tm_year = 124;
        now.tm_mon = 2;
        now.tm_mday = 5;
        now.tm_hour = 14;
        now.tm_min = 7;
        now.tm_sec = 9;
    }

    // Nothing of bytes is copied; returns what is set aside, with defaults
    // as the generator's file.
    std::optional<SetAside> Keep(const std::string& bytes, const std::string& defaults) {
        PreviousVersion previous;
        previous.Take(bytes);
        previous.Attach(&layout, &record);
        return SetAsideLeftovers(record, [&](const std::vector<std::string>& outers) {
            widened = outers;
            return defaults;
        });
    }

    std::tm now{};
    SpliceLayout layout{"", {"O"}, {"A", "B", "C"}, nullptr};
    SpliceRecord record;
    std::vector<std::string> widened;
};

TEST_F(LeftoversTest, UserTextIsKeptByteForByteUnderItsMarkers) {
    const std::string longLine(100000, 'x');
    const std::string user = "latin \xe9\t\n" + longLine + "\r\n\r\r\n";
    const auto leftovers = Keep("//; O\n //; A\n" + user +
                                    "//; End of A\n//; End of O\n"          // indented start
                                    "//; B\n  \n\t\n//; End of B\n"         // blank lines only
                                    "//; C\ndefault text\n//; End of C\n",  // the default
                                "//; C\r\ndefault text\r\n//; End of C\r\n");
    ASSERT_TRUE(leftovers.has_value());
    EXPECT_EQ(widened, std::vector<std::string>{"O"});
    ASSERT_EQ(leftovers->sections.size(), 1u);
    EXPECT_EQ(leftovers->sections[0].name, "O / A");
    EXPECT_EQ(leftovers->sections[0].lines, 3u);
    EXPECT_EQ(leftovers->text, "//; O\r\n//; A\r\n" + user + "//; End of A\r\n//; End of O\r\n");
    const std::string orphan = "/b/KRSave\\Blk.h.20240305-140709.orphaned";
    EXPECT_EQ(OrphanPath("/b/Blk.h", now, 1), orphan);
    EXPECT_EQ(LeftoversMessage(SpliceLeftovers{"/b/Blk.h", orphan, leftovers->sections}),
              NativePath("/b/Blk.h") + ": section \"O / A\": 3 lines not carried over, kept in " +
                  NativePath(orphan));

    // Its last line has no line end but a CR: the kept line gets CR LF.
    record = SpliceRecord();
    const auto again = Keep("//; B\nmore\r", "");
    ASSERT_TRUE(again.has_value());
    EXPECT_EQ(again->text, "//; B\r\nmore\r\n//; End of B\r\n");
}

TEST_F(LeftoversTest, OrphanNamesNeverMeet) {
    // A second run in the same second keeps its own file beside the first.
    EXPECT_EQ(OrphanPath("DSPCODE\\_Blk.h", now, 2),
              "DSPCODE\\KRSave\\_Blk.h.20240305-140709-2.orphaned");
    EXPECT_EQ(OrphanPath("Blk.h", now, 3), "KRSave\\Blk.h.20240305-140709-3.orphaned");
}

TEST_F(LeftoversTest, SwappedAndMissingStartMarkersStillDelimitTheUsersText) {
    const auto leftovers = Keep(
        "//; End of A\nswapped\n//; A\n//; End of A\n//; O\nlost start\n//; End of B\n//; End of "
        "O\n",
        "");
    ASSERT_TRUE(leftovers.has_value());
    ASSERT_EQ(leftovers->sections.size(), 2u);
    EXPECT_EQ(leftovers->sections[0].name, "A");
    EXPECT_EQ(leftovers->sections[0].lines, 1u);
    EXPECT_EQ(leftovers->sections[1].name, "O / B");
    EXPECT_EQ(leftovers->text,
              "//; A\r\nswapped\n//; End of A\r\n"
              "//; O\r\n//; B\r\nlost start\n//; End of B\r\n//; End of O\r\n");
}

TEST_F(LeftoversTest, NothingToKeepSetsNothingAside) {
    EXPECT_FALSE(Keep("//; A\n\n//; End of A\n//; C\nsame\n//; End of C\n",
                      "//; C\r\nsame\r\n//; End of C\r\n")
                     .has_value());
    SpliceRecord off;  // the splice was not on
    EXPECT_FALSE(SetAsideLeftovers(off, nullptr).has_value());
}

// ---------------------------------------------------------------------------
// The search for marker lines

// Every line of version that begins with prefix.
std::vector<size_t> LinesBeginningWith(const PreviousVersion& version, std::string_view prefix) {
    std::vector<size_t> lines;
    for (size_t line = version.NextLineBeginningWith(0, prefix); line < version.End();
         line = version.NextLineBeginningWith(line + 1, prefix)) {
        lines.push_back(line);
    }
    return lines;
}

// The same, line by line.
std::vector<size_t> LinesScannedFor(const std::string& text, std::string_view prefix) {
    std::vector<size_t> lines;
    for (size_t line = 0; line < text.size();) {
        if (std::string_view(text).substr(line).starts_with(prefix)) {
            lines.push_back(line);
        }
        const size_t lf = text.find('\n', line);
        line = lf == std::string::npos ? text.size() : lf + 1;
    }
    return lines;
}

// Short lines, many of them markers, some cut short at the end of the text,
// and prefixes longer than the heads the search keeps: the lines found from
// anywhere are those a scan line by line finds.
TEST_F(SpliceTest, TheSearchForMarkerLinesFindsWhatAScanFinds) {
    const std::string longMarker = "//; End of a section whose title is long";
    const std::string prefixes[] = {"//; ", "//; B", "//; A", "//; End of O", longMarker, "x"};
    for (unsigned seed = 1; seed <= 6; ++seed) {
        std::mt19937 random(seed);
        std::string text;
        while (text.size() < 50'000) {
            text += random() % 3 == 0 ? prefixes[random() % std::size(prefixes)] : "";
            text += std::string(random() % 40, 'x') + (random() % 5 == 0 ? "\n" : "\r\n");
        }
        text += longMarker.substr(0, 10);
        PreviousVersion version;
        version.Take(text);
        for (const std::string& prefix : prefixes) {
            EXPECT_EQ(LinesBeginningWith(version, prefix), LinesScannedFor(text, prefix))
                << "seed " << seed << " for " << prefix;
            const size_t from = random() % text.size();
            const std::vector<size_t> all = LinesScannedFor(text, prefix);
            const auto next = std::lower_bound(all.begin(), all.end(), from);
            EXPECT_EQ(version.NextLineBeginningWith(from, prefix),
                      next == all.end() ? text.size() : *next);
        }
    }
}

}  // namespace
}  // namespace bw
