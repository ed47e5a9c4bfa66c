#include <gtest/gtest.h>

#include <string>

#include "projects/project_files.h"
#include "projects/project_test_support.h"
#include "support/generate.h"
#include "support/golden.h"

namespace bw {
namespace {

const std::string WD = "C:\\Program Files\\Tessaline\\";

BLOCKINFO SimulationBlock(const std::string& name) {
    BLOCKINFO block = NewBlock();
    block.BlockName = name;
    block.Directory = "C:\\Blocks\\" + name;
    block.IncludePath = "C:\\Host\\Include";
    block.LibraryPath = "C:\\Host\\Lib";
    return block;
}

struct ProjectFile {
    const char* extension;
    Generator generator;
};
const ProjectFile PROJECT_FILES[] = {
    {".dsw", WriteWorkspace}, {".dsp", WriteProject}, {".mak", WriteMakefile}};

// The real-time block's project files are compared with the Code Composer
// project's, in that test.
TEST(VisualCppProject, GoldenSimulationBlock) {
    for (const ProjectFile& file : PROJECT_FILES) {
        ExpectMatchesGolden(
            std::string("projects/simulation/Gain") + file.extension,
            GenerateInWorkingDirectory(file.generator, SimulationBlock("Gain"), WD));
    }
}

// A name with a blank is written as it is wherever the block's name goes,
// and the file names that hold it are quoted, so that the IDE and NMAKE do
// not end them at the blank.
TEST(VisualCppProject, BlockNameWithBlanksIsWrittenUnchangedAndFileNamesQuoted) {
    for (const ProjectFile& file : PROJECT_FILES) {
        std::string expected = ReadFileBytes(std::string(BLOCKWRIGHT_GOLDEN_DIR) +
                                             "/projects/simulation/Gain" + file.extension);
        for (size_t at = expected.find("Gain"); at != std::string::npos;
             at = expected.find("Gain", at + 7)) {
            expected.replace(at, 4, "My Gain");
        }
        for (const std::string name : {"IFMy Gain.c", "My Gain.c", "My Gain.def", "My Gain.rc",
                                       "My Gain.h", "My Gain.dsp"}) {
            for (const std::string end : {"\r\n", " "}) {
                const std::string bare = "=.\\" + name + end;
                for (size_t at = expected.find(bare); at != std::string::npos;
                     at = expected.find(bare, at)) {
                    expected.replace(at, bare.size(), "=\".\\" + name + "\"" + end);
                }
            }
        }
        EXPECT_EQ(GenerateInWorkingDirectory(file.generator, SimulationBlock("My Gain"), WD),
                  expected)
            << file.extension;
    }
}

}  // namespace
}  // namespace bw
