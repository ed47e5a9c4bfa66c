#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "projects/project_files.h"
#include "support/generate.h"
#include "support/golden.h"

namespace bw {
namespace {

BLOCKINFO SimulationBlock(const std::string& name) {
    BLOCKINFO block = NewBlock();
    block.BlockName = name;
    block.Directory = "C:\\Blocks\\" + name;
    block.IncludePath = "C:\\Program Files (x86)\\Host SDK\\Include\\";
    block.LibraryPath = "C:\\Program Files (x86)\\Host SDK\\Lib";
    return block;
}

std::vector<std::string> CMakeLines(const BLOCKINFO& block) {
    return Lines(Generate(WriteCMakeProject, block));
}

// The first line that begins with start, or "" when none does.
std::string LineStarting(const std::vector<std::string>& lines, const std::string& start) {
    const auto found = std::find_if(lines.begin(), lines.end(), [&](const std::string& line) {
        return line.starts_with(start);
    });
    return found == lines.end() ? std::string() : *found;
}

// The settings in the Windows form, with blanks and a trailing backslash.
TEST(CMakeProject, GoldenSimulationBlock) {
    ExpectMatchesGolden("projects/simulation/CMakeLists.txt",
                        Generate(WriteCMakeProject, SimulationBlock("Gain")));
}

// Each folder as CMake reads it inside quotes: "/" throughout, no trailing
// separator but a root's, "$" and quotes escaped, and a relative folder taken
// from the block's folder as the Visual C++ project takes it. A folder of
// this system stays as it is, not in the form Wine gives it.
TEST(CMakeProject, FoldersInCMakesQuotedForm) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"C:\\Program Files\\Host\\Lib\\", "C:/Program Files/Host/Lib"},
        {"C:\\", "C:/"},
        {"c:/host//", "c:/host"},
        {"\\\\server\\share\\host lib", "//server/share/host lib"},
        {"/opt/host sdk/lib/", "/opt/host sdk/lib"},
        {"/", "/"},
        {"/home/u/$HOME \"quoted\"", "/home/u/\\$HOME \\\"quoted\\\""},
        {"..\\sdk\\lib", "${CMAKE_CURRENT_SOURCE_DIR}/../sdk/lib"},
        {"lib", "${CMAKE_CURRENT_SOURCE_DIR}/lib"},
        {"", "${CMAKE_CURRENT_SOURCE_DIR}"},
    };
    for (const auto& [typed, written] : cases) {
        BLOCKINFO block = SimulationBlock("Gain");
        block.LibraryPath = typed;
        block.IncludePath = typed;
        const auto lines = CMakeLines(block);
        EXPECT_EQ(LineStarting(lines, "set(HOST_LIB_DIR "),
                  "set(HOST_LIB_DIR \"" + written +
                      "\" CACHE PATH \"Folder of the host's link libraries (Bddk.lib)\")")
            << typed;
        EXPECT_EQ(LineStarting(lines, "set(HOST_INCLUDE_DIR "),
                  "set(HOST_INCLUDE_DIR \"" + written +
                      "\" CACHE PATH \"Folder of the host's headers (bddk.h)\")")
            << typed;
    }
}

// A DSP-based block has no user source; a block named as one of CMake's own
// targets gets a target of another name, and its DLL keeps the block's.
TEST(CMakeProject, SourcesAndTargetName) {
    BLOCKINFO block = SimulationBlock("NFAdd");
    block.RealTime = 1;
    auto lines = CMakeLines(block);
    EXPECT_EQ(LineStarting(lines, "add_library("),
              "add_library(NFAdd SHARED IFNFAdd.c NFAdd.rc NFAdd.def)");

    for (const std::string name : {"all", "help", "clean", "install", "test", "package"}) {
        lines = CMakeLines(SimulationBlock(name));
        EXPECT_EQ(LineStarting(lines, "project("), "project(" + name + " C RC)");
        EXPECT_EQ(LineStarting(lines, "add_library("), "add_library(" + name + "_block SHARED IF" +
                                                           name + ".c " + name + ".c " + name +
                                                           ".rc " + name + ".def)");
        EXPECT_TRUE(LineStarting(lines, "set_target_properties(" + name +
                                            "_block PROPERTIES OUTPUT_NAME " + name + " ")
                        .size())
            << name;
    }
    EXPECT_EQ(LineStarting(CMakeLines(SimulationBlock("All")), "add_library("),
              "add_library(All SHARED IFAll.c All.c All.rc All.def)");
}

}  // namespace
}  // namespace bw
