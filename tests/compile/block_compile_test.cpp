// The generated PC project of a block compiles as one whole: the generation
// run writes the block's folder, and the MinGW cross compiler and resource
// compiler build the interface source, the user source and the resource
// script to object files against our stand-in for the host's headers, then
// link them into the block's DLL with its module definition against a stub
// import library of the stand-in.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "compile/matrix_blocks.h"
#include "compile/module_definition.h"
#include "run/generation_run.h"
#include "support/generate.h"
#include "support/missing_tool.h"
#include "support/recording_prompts.h"

namespace bw {
namespace {

const char* const C_COMPILER = "i686-w64-mingw32-gcc";
const char* const RESOURCE_COMPILER = "i686-w64-mingw32-windres";
const char* const SYMBOL_LISTER = "i686-w64-mingw32-nm";

// ---------------------------------------------------------------------------
// Compiling.

bool ToolPresent(const char* tool) {
    return std::system((std::string(tool) + " --version >/dev/null 2>&1").c_str()) == 0;
}

// Runs command in folder; false with the tool's output in output on failure.
bool RunTool(const std::string& folder, const std::string& command, std::string& output) {
    const std::string log = folder + "tool.log";
    const bool ok =
        std::system(("cd '" + folder + "' && " + command + " >'" + log + "' 2>&1").c_str()) == 0;
    output = ReadFileBytes(log);
    return ok;
}

bool IsResourceScript(const std::string& file) {
    return file.size() > 3 && file.compare(file.size() - 3, 3, ".rc") == 0;
}

// A call of something no header declares, and a number passed for a pointer,
// are errors, as newer compilers make them; so is a constant that would not
// keep the value typed.
std::string CompileCommand(const std::string& file) {
    const std::string include =
        " -I. -I'" + std::string(BLOCKWRIGHT_SOURCE_DIR) + "/src/standin/sdk' ";
    if (!IsResourceScript(file)) {
        return std::string(C_COMPILER) +
               " -c -Wall -Werror=implicit-function-declaration -Werror=implicit-int"
               " -Werror=int-conversion -Werror=overflow -Werror=multichar" +
               include + "'" + file + "' -o '" + file + ".o'";
    }
    return std::string(RESOURCE_COMPILER) + include + "'" + file + "' -O coff -o '" + file +
           ".res'";
}

// The stand-in host's routines built into a DLL in folder, with the import
// library libbdhost.a beside it.
bool BuildStubLibrary(const std::string& folder) {
    std::string output;
    const std::string source = BLOCKWRIGHT_SOURCE_DIR;
    return RunTool(folder,
                   std::string(C_COMPILER) + " -shared -I'" + source + "/src/standin/sdk' '" +
                       source +
                       "/tests/host_sdk/host_stubs.c' -o bdhost.dll -Wl,--out-implib,libbdhost.a",
                   output);
}

// The block's DLL: its objects and resources, exporting what its module
// definition names (the linker refuses an export nothing defines). The .def
// names the entry points undecorated, as the host's linker resolves them.
std::string LinkCommand(const std::string& name, const std::vector<std::string>& objects) {
    std::string command = std::string(C_COMPILER) + " -shared -o '" + name + ".dll'";
    for (const std::string& object : objects) {
        command += " '" + object + "'";
    }
    return command + " '" + name + ".rc.res' '" + name +
           ".def' -Wl,--enable-stdcall-fixup -L. -lbdhost -lcomdlg32 -lgdi32 -lhtmlhelp";
}

// The C names ("_UserExecProc@12" gives "UserExecProc") of the global symbols
// of an object file: defined ones, or undefined ones.
std::set<std::string> Symbols(const std::string& folder, const std::string& object, bool defined) {
    std::string listing;
    std::set<std::string> symbols;
    if (!RunTool(folder, std::string(SYMBOL_LISTER) + " -g '" + object + "'", listing)) {
        return symbols;
    }
    std::istringstream lines(listing);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::vector<std::string> words{std::istream_iterator<std::string>(fields), {}};
        if (words.size() == (defined ? 3u : 2u) && (words[words.size() - 2] == "U") != defined) {
            std::string name = words.back();
            name.erase(0, name.rfind('_', 0) == 0 ? 1 : 0);
            symbols.insert(name.substr(0, name.find('@')));
        }
    }
    return symbols;
}

// What the objects cannot see before linking: the module definition exports
// entry points that the interface source defines, and the processing
// routines the interface source calls are defined by the user source.
void ExpectObjectsFitTogether(const std::string& folder, const BLOCKINFO& block,
                              const std::vector<std::string>& objects) {
    std::set<std::string> defined;
    for (const std::string& object : objects) {
        defined.merge(Symbols(folder, object, true));
    }
    const auto exports = DefinitionExports(ReadFileBytes(folder + block.BlockName + ".def"));
    EXPECT_FALSE(exports.empty()) << block.BlockName << ".def exports nothing";
    for (const auto& [name, ordinal] : exports) {
        EXPECT_TRUE(defined.count(name))
            << block.BlockName << ".def exports " << name << ", which no object file defines";
    }
    for (const std::string& name : Symbols(folder, objects.front(), false)) {
        EXPECT_TRUE(name.rfind(block.BlockName, 0) != 0 || defined.count(name))
            << objects.front() << " calls " << name << ", which the user source does not define";
    }
}

class BlockCompile : public ::testing::TestWithParam<MatrixBlock> {};

TEST_P(BlockCompile, GeneratedProjectCompilesAndLinks) {
    for (const char* tool : {C_COMPILER, RESOURCE_COMPILER, SYMBOL_LISTER}) {
        if (!ToolPresent(tool)) {
            BW_MISSING_TOOL(std::string(tool) +
                            " absent: install gcc-mingw-w64-i686 and "
                            "binutils-mingw-w64-i686 (scripts/install-deps.sh)");
            return;
        }
    }
    const MatrixBlock& entry = GetParam();
    const BLOCKINFO block = Build(entry);
    // The block's folder as the run writes it, with the stock icons of the
    // shipped working directory.
    TempDir dir;
    TestRun run(dir.path());
    run.environment.workingDirectory = std::string(BLOCKWRIGHT_SOURCE_DIR) + "/assets/";
    BLOCKINFO generated = block;
    generated.Directory = dir.path() + "generated";
    ASSERT_EQ(RunGeneration(generated, run.environment).outcome, RunOutcome::Completed)
        << entry.what;
    ASSERT_TRUE(run.prompts.messages.empty()) << run.prompts.messages.front();
    const std::string folder = dir.path() + "generated/";
    ASSERT_TRUE(BuildStubLibrary(folder)) << "the stub import library of the host does not build";

    const std::string& name = block.BlockName;
    std::vector<std::string> objects;
    bool compiled = true;
    for (const std::string& file : {"IF" + name + ".c", name + ".c", name + ".rc"}) {
        if (block.RealTime && file == name + ".c") {
            continue;  // a DSP-based block has no user source
        }
        std::string output;
        const bool ok = RunTool(folder, CompileCommand(file), output);
        EXPECT_TRUE(ok) << entry.what << ": " << file << " does not compile:\n" << output;
        compiled = compiled && ok;
        if (!IsResourceScript(file)) {
            objects.push_back(file + ".o");
        }
    }
    if (compiled) {
        ExpectObjectsFitTogether(folder, block, objects);
        std::string output;
        EXPECT_TRUE(RunTool(folder, LinkCommand(name, objects), output))
            << entry.what << ": the DLL does not link:\n"
            << output;
    }
}

// A double quote typed into the texts the resource script quotes reaches the
// compiled resources as typed.
TEST(ResourceScript, QuotesInItsStringsCompileAsTyped) {
    if (!ToolPresent(RESOURCE_COMPILER)) {
        BW_MISSING_TOOL(std::string(RESOURCE_COMPILER) +
                        " absent: install binutils-mingw-w64-i686 (scripts/install-deps.sh)");
        return;
    }
    BLOCKINFO block = Build({"quotes", "Quotes", 1, 1, "", nullptr});
    block.CompanyName = "The \"Best\" Co.";
    block.ShortDescription = "Says \"hi\"";
    block.Revision = "1.0 \"beta\"";
    block.InputChannelLabel = {"\"left\""};
    block.OutputChannelLabel = {"out \""};
    AddParameter(block, "Level \"dB\"", TYPE_FLOAT, "1.0");
    AddParameter(block, "Loud \"on\"", TYPE_CHECK_BOX);
    AddParameter(block, "Pair", TYPE_RADIO_BUTTONS, "\"a\"", {"\"a\"", "b\""});
    AddParameter(block, "Group \"g\"", TYPE_RADIO_BUTTONS, "x", {"x", "\"y\"", "z"});
    FinishRecords(block);
    TempDir dir;
    TestRun run(dir.path());
    run.environment.workingDirectory = std::string(BLOCKWRIGHT_SOURCE_DIR) + "/assets/";
    block.Directory = dir.path() + "generated";
    ASSERT_EQ(RunGeneration(block, run.environment).outcome, RunOutcome::Completed);
    const std::string folder = dir.path() + "generated/";
    std::string output;
    ASSERT_TRUE(RunTool(folder, CompileCommand("Quotes.rc"), output)) << output;
    // The compiled resources written back as a script hold each text whole.
    ASSERT_TRUE(RunTool(folder, std::string(RESOURCE_COMPILER) + " -J coff -i Quotes.rc.res -O rc",
                        output));
    for (const char* text :
         {"\"The \"\"Best\"\" Co.\"", "\"Says \"\"hi\"\"\"", "\"1.0 \"\"beta\"\"\"",
          "\"\"\"left\"\"\"", "\"out \"\"\"", "\"Level \"\"dB\"\":\"", "\"Loud \"\"on\"\"\"",
          "\"\"\"a\"\"\"", "\"b\"\"\"", "\"Group \"\"g\"\"\"", "\"\"\"y\"\"\""}) {
        EXPECT_NE(output.find(text), std::string::npos) << text << " missing from\n" << output;
    }
}

INSTANTIATE_TEST_SUITE_P(Matrix, BlockCompile, ::testing::ValuesIn(MATRIX),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace bw
