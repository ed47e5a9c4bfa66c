// The generators are pure: handed the definition and what the run read for
// them, they give text and touch nothing else. A preview of the run, which
// `generate --list` and the generate page show, writes nothing anywhere.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "gen_component/block_header_test_blocks.h"
#include "generation/paths.h"
#include "run/file_preview.h"
#include "run/file_set.h"
#include "run/generation_run.h"
#include "support/generate.h"

namespace bw {
namespace {

namespace fs = std::filesystem;

// Seams that fail the test on any call.
class FailingPrompts : public UserPrompts {
public:
    OverwriteAnswer askOverwrite(const std::string& path) override {
        ADD_FAILURE() << "overwrite question for " << path;
        return OverwriteAnswer::Cancel;
    }
    bool askYesNo(const std::string& text, MessageIcon) override {
        ADD_FAILURE() << "question: " << text;
        return false;
    }
    void showMessage(const std::string& text, MessageIcon) override {
        ADD_FAILURE() << "message: " << text;
    }
};

class FailingSettings : public SettingsStore {
public:
    std::string read(const std::string& section, const std::string& name,
                     const std::string& fallback) const override {
        ADD_FAILURE() << "settings read " << section << "/" << name;
        return fallback;
    }
    void write(const std::string& section, const std::string& name, const std::string&) override {
        ADD_FAILURE() << "settings write " << section << "/" << name;
    }
};

class FailingClock : public Clock {
public:
    std::tm localNow() const override {
        ADD_FAILURE() << "the clock was read";
        return {};
    }
};

struct Shape {
    const char* name;
    BLOCKINFO block;
};

std::vector<Shape> BlockShapes() {
    using testblocks::SimulationBlock;
    std::vector<Shape> shapes;
    shapes.push_back({"simulation", SimulationBlock()});
    shapes.push_back({"source", SimulationBlock()});
    shapes.back().block.NumInputs = 0;
    shapes.push_back({"sink", SimulationBlock()});
    shapes.back().block.NumOutputs = 0;
    shapes.push_back({"simulation with a CMake project", SimulationBlock()});
    shapes.back().block.CMakeProject = true;
    shapes.push_back({"real time", testblocks::RealTimeBlock()});
    shapes.push_back({"real time, integer only", testblocks::RealTimeBlock()});
    shapes.back().block.FloatingPoint = 0;
    shapes.push_back({"real time, xDAIS", testblocks::RealTimeBlock()});
    BLOCKINFO& xdais = shapes.back().block;
    xdais.xDAIS = 1;
    xdais.AlgorithmName = "FIR";
    xdais.VendorName = "TI";
    xdais.Chip = 6201;
    return shapes;
}

// Every file under folder with its bytes and time; nothing for a folder
// that is not there.
using Snapshot = std::map<std::string, std::pair<std::string, fs::file_time_type>>;

Snapshot Watch(const std::string& folder) {
    Snapshot snapshot;
    if (!fs::exists(folder)) {
        return snapshot;
    }
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        snapshot[entry.path().string()] = {
            entry.is_regular_file() ? ReadFileBytes(entry.path().string()) : "<folder>",
            entry.last_write_time()};
    }
    return snapshot;
}

// A previous version as a user leaves one, with a line of their own in a
// section of each file that carries sections over.
const std::string USER_LINE = "int ByTheUser;";
std::string PreviousVersionText() {
    return "//; Include Libraries\r\n" + USER_LINE + "\r\n//; End of Include Libraries\r\n" +
           "//; Definitions\r\n" + USER_LINE + "\r\n//; End of Definitions\r\n";
}

// Each generator, run for every block shape with a previous version of its
// file beside it and in "KRSave", and seams that fail on any call: it gives
// its text, carries nothing it was not handed, and leaves the block and
// settings folders as they were.
TEST(GeneratorPurity, GeneratorsTouchNeitherFilesNorSeams) {
    for (Shape& shape : BlockShapes()) {
        TempDir out, settingsFolder, working;
        shape.block.Directory = out.path() + "Blk";
        const std::vector<BlockFile> files = BlockFileSet(shape.block);
        for (const BlockFile& file : files) {
            if (file.kind == FileKind::Generated) {
                const auto [folder, name] = SplitPath(DirectoryPrefix(shape.block) + file.path);
                WriteFileBytes(NativePath(folder + name), PreviousVersionText());
                WriteFileBytes(NativePath(folder + "KRSave\\" + name), PreviousVersionText());
            }
        }
        const Snapshot blockBefore = Watch(out.path());
        FailingPrompts prompts;
        FailingSettings settings;
        FailingClock clock;
        RunEnvironment environment =
            MakeRunEnvironment(&prompts, clock, settings, working.path(), settingsFolder.path());
        for (const BlockFile& file : files) {
            if (file.kind != FileKind::Generated) {
                continue;
            }
            SCOPED_TRACE(std::string(shape.name) + ": " + file.path);
            OutputFile output(environment, GeneratorInputs{TestTime(), working.path()});
            ASSERT_TRUE(output.Open(DirectoryPrefix(shape.block) + file.path));
            file.generator(output, shape.block);
            const std::string text = output.TakeText();
            EXPECT_FALSE(text.empty());
            EXPECT_EQ(text.find(USER_LINE), std::string::npos);
        }
        EXPECT_EQ(Watch(out.path()), blockBefore) << shape.name;
        EXPECT_TRUE(Watch(settingsFolder.path()).empty()) << shape.name;
    }
}

// The preview, before the first run and over a block generated before with
// one file edited since, for every block shape: the block and settings
// folders stay as they were, and nothing is asked.
TEST(GeneratorPurity, APreviewWritesNothingAnywhere) {
    for (Shape& shape : BlockShapes()) {
        SCOPED_TRACE(shape.name);
        TempDir out, settingsFolder;
        shape.block.Directory = out.path() + "Blk";
        FailingPrompts failing;
        FailingSettings failingSettings;
        FixedClock clock(TestTime());
        const RunEnvironment quiet =
            MakeRunEnvironment(&failing, clock, failingSettings, BLOCKWRIGHT_SOURCE_DIR "/assets/",
                               settingsFolder.path());

        for (const FilePreview& file : PreviewFileSet(shape.block, quiet)) {
            EXPECT_EQ(file.change, FileChange::New) << file.path;
        }
        EXPECT_FALSE(fs::exists(NativePath(shape.block.Directory)));
        EXPECT_TRUE(Watch(settingsFolder.path()).empty());

        RecordingPrompts prompts;
        MemorySettings settings;
        RunEnvironment run = MakeRunEnvironment(
            &prompts, clock, settings, BLOCKWRIGHT_SOURCE_DIR "/assets/", settingsFolder.path());
        ASSERT_EQ(RunGeneration(shape.block, run).outcome, RunOutcome::Completed);
        fs::remove_all(settingsFolder.path());
        fs::create_directories(settingsFolder.path());
        const std::string header =
            NativePath(DirectoryPrefix(shape.block) + shape.block.BlockName + ".h");
        WriteFileBytes(header, ReadFileBytes(header) + "// edited\r\n");
        const Snapshot before = Watch(out.path());

        size_t unchanged = 0;
        for (const FilePreview& file : PreviewFileSet(shape.block, quiet)) {
            unchanged += file.change == FileChange::Unchanged ? 1 : 0;
            if (file.relativePath == shape.block.BlockName + ".h") {
                EXPECT_EQ(file.change, FileChange::Changed);
                EXPECT_TRUE(file.splices);
            }
        }
        EXPECT_GT(unchanged, 0u);
        EXPECT_EQ(Watch(out.path()), before);
        EXPECT_TRUE(Watch(settingsFolder.path()).empty());
    }
}

}  // namespace
}  // namespace bw
