// Regeneration never drops the user's code without a word: through whole
// runs, each way a hand-edited file can lose its markers, and each way the
// definition can lose a section, in the user source and in the header.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "gen_component/block_header_test_blocks.h"
#include "generation/paths.h"
#include "run/generation_run.h"
#include "support/generate.h"

namespace bw {
namespace {

namespace fs = std::filesystem;
using namespace testblocks;

// The user's own text, with a byte outside ASCII.
const std::string USER = "    Filter(pPtr); /* gain \xb5 */\r\n";

std::string ReplaceFirst(std::string text, const std::string& from, const std::string& to,
                         size_t start = 0) {
    const size_t at = text.find(from, start);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

// A way of losing a section: the hand edit (user is the text the user typed
// there, or nothing for an untouched file) and the change of the definition.
struct Shape {
    const char* what;
    const char* file;
    std::string (*edit)(const std::string& text, const std::string& user);
    void (*change)(BLOCKINFO& block);
    const char* section;
    bool unterminated;  // carried over up to the next section
    // Sections reported: the swapped start marker opens one more, from there
    // to the end of the file.
    size_t reported = 1;
};

const Shape SHAPES[] = {
    {"user source: start marker indented by a blank", "MyAdd.c",
     [](const std::string& text, const std::string& user) {
         return ReplaceFirst(text, "//; Include Libraries\r\n\r\n",
                             " //; Include Libraries\r\n" + user);
     },
     nullptr, "Include Libraries", false},
    {"user source: start and end marker swapped", "MyAdd.c",
     [](const std::string& text, const std::string& user) {
         return ReplaceFirst(
             text, "//; External Routines\r\n\r\n//; End of External Routines\r\n",
             "//; End of External Routines\r\n" + user + "//; External Routines\r\n");
     },
     nullptr, "External Routines", false, 2},
    {"user source: end marker deleted", "MyAdd.c",
     [](const std::string& text, const std::string& user) {
         const std::string start = "//; Local Routine\r\n";
         return ReplaceFirst(ReplaceFirst(text, "//; End of Local Routine\r\n", ""), start,
                             start + user);
     },
     nullptr, "Float Precision / Local Routine", true},
    {"user source: precision switched off", "MyAdd.c",
     [](const std::string& text, const std::string& user) {
         const std::string start = "//; Local Routine\r\n";
         return ReplaceFirst(text, start, start + user, text.find("//; Float Precision"));
     },
     [](BLOCKINFO& block) { block.FloatingPoint = 0; }, "Float Precision / Local Routine", false},
    {"header: start marker indented by a blank", "MyAdd.h",
     [](const std::string& text, const std::string& user) {
         return ReplaceFirst(text, "//; Definitions\r\n", " //; Definitions\r\n" + user);
     },
     nullptr, "Definitions", false},
    {"header: section moved above an earlier one", "MyAdd.h",
     [](const std::string& text, const std::string& user) {
         const std::string section = "//; External Routine Prototypes\r\n" + user +
                                     "//; End of External Routine Prototypes\r\n";
         return ReplaceFirst(ReplaceFirst(text,
                                          "//; External Routine Prototypes\r\n\r\n"
                                          "//; End of External Routine Prototypes\r\n",
                                          ""),
                             "//; Definitions\r\n", section + "//; Definitions\r\n");
     },
     nullptr, "External Routine Prototypes", false},
    {"header: end marker deleted", "MyAdd.h",
     [](const std::string& text, const std::string& user) {
         return ReplaceFirst(ReplaceFirst(text, "//; End of Definitions\r\n", ""),
                             "//; Definitions\r\n", "//; Definitions\r\n" + user);
     },
     nullptr, "Definitions", true},
    {"header: local arrays removed", "MyAdd.h",
     [](const std::string& text, const std::string& user) {
         const std::string start = "//; Added Variables\r\n";
         return ReplaceFirst(text, start, start + user,
                             text.find("//; Scratch Parameter Structure"));
     },
     [](BLOCKINFO& block) { block.NumLocalArrays = 0; },
     "Scratch Parameter Structure / Added Variables", false},
};

// The simulation block generated once, edited by hand, and generated again
// with the splice on.
class LeftoversRun : public ::testing::Test {
protected:
    LeftoversRun() : run(dir.path(), When()) {
        run.environment.workingDirectory = BLOCKWRIGHT_SOURCE_DIR "/assets/";  // the stock icons
        block = SimulationBlock();
        block.Directory = dir.path() + "MyAdd";
        block.IconFilename = "myadd";
    }

    static std::tm When() {
        std::tm when{};
        when.tm_year = 124;
        when.tm_mon = 2;
        when.tm_mday = 5;
        when.tm_hour = 14;
        when.tm_min = 7;
        return when;
    }

    RunResult Generate() {
        run.prompts.overwriteAnswers = {OverwriteAnswer::YesToAll};
        run.prompts.messages.clear();
        RunResult result = RunGeneration(block, run.environment);
        EXPECT_EQ(result.outcome, RunOutcome::Completed);
        return result;
    }

    std::string InBlock(const std::string& name) const { return dir.path() + "MyAdd/" + name; }

    // The orphan files in "KRSave" with their bytes.
    std::map<std::string, std::string> Orphans() const {
        std::map<std::string, std::string> orphans;
        for (const auto& entry : fs::directory_iterator(InBlock("KRSave"))) {
            if (entry.path().extension() == ".orphaned") {
                orphans[entry.path().string()] = ReadFileBytes(entry.path().string());
            }
        }
        return orphans;
    }

    // The first generation, the hand edit and the change of the definition.
    void PrepareShape(const Shape& shape, const std::string& user) {
        ASSERT_EQ(RunGeneration(block, run.environment).outcome, RunOutcome::Completed);
        const std::string path = InBlock(shape.file);
        WriteFileBytes(path, shape.edit(ReadFileBytes(path), user));
        if (shape.change != nullptr) {
            shape.change(block);
        }
    }

    TempDir dir;
    TestRun run;
    BLOCKINFO block;
};

TEST_F(LeftoversRun, EverySectionNotCarriedOverIsReportedAndKept) {
    for (const Shape& shape : SHAPES) {
        SCOPED_TRACE(shape.what);
        fs::remove_all(InBlock(""));
        block = SimulationBlock();
        block.Directory = dir.path() + "MyAdd";
        block.IconFilename = "myadd";
        PrepareShape(shape, USER);

        // (a) one message for the file, naming the section and the kept file.
        const RunResult second = Generate();
        ASSERT_EQ(second.leftovers.size(), 1u);
        const SpliceLeftovers& left = second.leftovers[0];
        const std::string orphan = InBlock("KRSave/") + shape.file + ".20240305-140700.orphaned";
        EXPECT_EQ(NativePath(left.keptIn), NativePath(orphan));
        ASSERT_EQ(left.sections.size(), shape.reported);
        EXPECT_EQ(left.sections[0].name, shape.section);
        EXPECT_EQ(left.sections[0].unterminated, shape.unterminated);
        ASSERT_EQ(run.prompts.messages, std::vector<std::string>{LeftoversMessage(left)});
        const std::string& message = run.prompts.messages[0];
        EXPECT_EQ(message.rfind(
                      NativePath(InBlock(shape.file)) + ": section \"" + shape.section + "\": ", 0),
                  0u)
            << message;
        EXPECT_NE(message.find(shape.unterminated ? " carried over without its end marker, kept in "
                                                  : " not carried over, kept in "),
                  std::string::npos)
            << message;
        EXPECT_EQ(message.substr(message.size() - orphan.size()), NativePath(orphan));

        // (b) the user's text byte for byte in the kept file, under its markers.
        const auto kept = Orphans();
        ASSERT_EQ(kept.size(), 1u);
        const std::string& bytes = kept.begin()->second;
        EXPECT_NE(bytes.find(USER), std::string::npos);
        const std::string title = shape.section;
        const std::string inner =
            title.substr(title.rfind('/') == std::string::npos ? 0 : title.rfind('/') + 2);
        EXPECT_NE(bytes.find("//; " + inner + "\r\n"), std::string::npos);
        EXPECT_NE(bytes.find("//; End of " + inner + "\r\n"), std::string::npos);

        // (c) a further regeneration finds nothing more and leaves it alone.
        EXPECT_TRUE(Generate().leftovers.empty());
        EXPECT_EQ(Orphans(), kept);
    }
}

TEST_F(LeftoversRun, AnUntouchedBlockReportsNothing) {
    for (const Shape& shape : SHAPES) {
        if (shape.unterminated || shape.reported > 1) {
            continue;  // generated lines were taken into a section: always told
        }
        SCOPED_TRACE(shape.what);
        fs::remove_all(InBlock(""));
        block = SimulationBlock();
        block.Directory = dir.path() + "MyAdd";
        block.IconFilename = "myadd";
        PrepareShape(shape, "");
        EXPECT_TRUE(Generate().leftovers.empty());
        EXPECT_THAT(run.prompts.messages, ::testing::IsEmpty());
        EXPECT_TRUE(Orphans().empty());
        // Nothing of the scratch folder for the defaults is left behind.
        for (const auto& entry : fs::directory_iterator(InBlock("KRSave"))) {
            EXPECT_FALSE(entry.is_directory()) << entry.path();
        }
    }
}

TEST_F(LeftoversRun, WithTheSpliceDeclinedOrTheFileKeptNothingIsReported) {
    PrepareShape(SHAPES[0], USER);
    run.prompts.yesNoAnswers = {false, false};  // no splice for the source nor the header
    EXPECT_TRUE(Generate().leftovers.empty());
    EXPECT_TRUE(Orphans().empty());

    const std::string source = InBlock("MyAdd.c");
    WriteFileBytes(source, SHAPES[0].edit(ReadFileBytes(source), USER));
    // Every file left as it was.
    run.prompts.overwriteAnswers = std::deque<OverwriteAnswer>(100, OverwriteAnswer::No);
    run.prompts.messages.clear();
    const RunResult kept = RunGeneration(block, run.environment);
    EXPECT_TRUE(kept.leftovers.empty());
    EXPECT_TRUE(run.prompts.messages.empty());
}

// The lines of text, each without its line end.
std::vector<std::string> LinesOf(const std::string& text) {
    std::vector<std::string> lines;
    for (size_t at = 0; at < text.size();) {
        size_t end = text.find('\n', at);
        end = end == std::string::npos ? text.size() : end + 1;
        std::string line = text.substr(at, end - at);
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
            line.pop_back();
        }
        lines.push_back(line);
        at = end;
    }
    return lines;
}

TEST_F(LeftoversRun, NoUserLineIsLostToALookAlikeMarker) {
    // Typed after a start marker whose end marker was deleted: lines that begin
    // like the markers of the same or of other sections.
    const std::vector<std::string> typed[] = {
        {"/* an earlier try:", "//; Local Routine /* first */",
         "//; External Routines /* helpers */", "*/"},
        {"/* to do:", "//; Include Libraries /* math */", "*/"},
        {"/* done:", "//; Local Routine /* second */", "//; End of Local Routine was here */"},
    };
    for (const std::vector<std::string>& lines : typed) {
        SCOPED_TRACE(lines[1]);
        fs::remove_all(InBlock(""));
        std::string user = USER;
        for (const std::string& line : lines) {
            user += line + "\r\n";
        }
        PrepareShape(SHAPES[2], user);  // the user source's end marker deleted
        Generate();

        std::string found = ReadFileBytes(InBlock("MyAdd.c"));
        for (const auto& [path, bytes] : Orphans()) {
            found += bytes;
        }
        const std::vector<std::string> kept = LinesOf(found);
        for (const std::string& line : lines) {
            EXPECT_NE(std::find(kept.begin(), kept.end(), line), kept.end()) << line;
        }
        EXPECT_NE(found.find(USER), std::string::npos);
    }
}

// The include section without its end marker, holding a whole look-alike
// nested section and lines after it: a nested section's marker outside its
// precision section is the user's text, so every line is carried over and
// kept with the section.
TEST_F(LeftoversRun, LinesAfterALookAlikeNestedSectionStayWithTheirSection) {
    const std::vector<std::string> lines = {"#include <math.h>", "//; Local Routine /* mine */",
                                            "//; End of Local Routine /* mine */",
                                            "static int after1;", "static int after2;"};
    std::string user;
    for (const std::string& line : lines) {
        user += line + "\r\n";
    }
    const Shape includeEndDeleted{
        "include end marker deleted",
        "MyAdd.c",
        [](const std::string& text, const std::string& typed) {
            const std::string start = "//; Include Libraries\r\n";
            return ReplaceFirst(ReplaceFirst(text, "//; End of Include Libraries\r\n", ""), start,
                                start + typed);
        },
        nullptr,
        "Include Libraries",
        true};
    PrepareShape(includeEndDeleted, user);
    const RunResult result = Generate();
    ASSERT_EQ(result.leftovers.size(), 1u);
    EXPECT_EQ(result.leftovers[0].sections[0].name, "Include Libraries");

    const std::vector<std::string> carried = LinesOf(ReadFileBytes(InBlock("MyAdd.c")));
    std::string orphaned;
    for (const auto& [path, bytes] : Orphans()) {
        orphaned += bytes;
    }
    const std::vector<std::string> kept = LinesOf(orphaned);
    for (const std::string& line : lines) {
        EXPECT_NE(std::find(carried.begin(), carried.end(), line), carried.end()) << line;
        EXPECT_NE(std::find(kept.begin(), kept.end(), line), kept.end()) << line;
    }
}

}  // namespace
}  // namespace bw
