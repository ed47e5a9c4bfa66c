// Every text a user types reaches the generated files in the form their
// readers need: a block whose every typed text holds a double quote, a
// backslash, an apostrophe, a percent sign and a letter beyond ASCII is
// generated, its C files compile with the warnings that lose a value made
// errors, its resource script compiles, the DLL links, and the texts read back
// from the object files and the compiled resources are the ones typed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "compile/block_parameters.h"
#include "generation/text_contexts.h"
#include "run/generation_run.h"
#include "support/generate.h"
#include "support/missing_tool.h"

namespace bw {
namespace {

const std::string SDK = std::string(BLOCKWRIGHT_SOURCE_DIR) + "/src/standin/sdk";
const std::string STUBS = std::string(BLOCKWRIGHT_SOURCE_DIR) + "/tests/host_sdk/host_stubs.c";
const std::string AWKWARD = " \"q\" \\b 'a' 50% caf\xC3\xA9";

bool RunTool(const std::string& folder, const std::string& command, std::string& output) {
    const std::string log = folder + "tool.log";
    const bool ok =
        std::system(("cd '" + folder + "' && " + command + " >'" + log + "' 2>&1").c_str()) == 0;
    output = ReadFileBytes(log);
    return ok;
}

bool ToolsPresent() {
    for (const char* tool : {"i686-w64-mingw32-gcc", "i686-w64-mingw32-windres"}) {
        if (std::system((std::string(tool) + " --version >/dev/null 2>&1").c_str()) != 0) {
            return false;
        }
    }
    return true;
}

BLOCKINFO AwkwardBlock() {
    BLOCKINFO b = NewBlock();
    b.BlockName = "Awkward";
    b.IconFilename = "Awkward";
    b.LibraryName = "Library" + AWKWARD;
    b.GroupName = "Group" + AWKWARD;
    b.MenuName = "Menu" + AWKWARD;
    b.ShortDescription = "Short" + AWKWARD;
    b.LongDescription = "Long" + AWKWARD + "\r\nSecond" + AWKWARD;
    b.CompanyName = "Company" + AWKWARD;
    b.Revision = "1.0" + AWKWARD;
    b.NumInputs = b.NumOutputs = 1;
    b.InputChannelLabel[0] = "In" + AWKWARD;
    b.OutputChannelLabel[0] = "Out" + AWKWARD;
    AddParameter(b, "Level" + AWKWARD, TYPE_FLOAT, "1.5");
    AddParameter(b, "Title" + AWKWARD, TYPE_TEXT, "Text" + AWKWARD);
    AddParameter(b, "Shape" + AWKWARD, TYPE_COMBO_BOX, "Sine" + AWKWARD,
                 {"Square" + AWKWARD, "Sine" + AWKWARD});
    AddParameter(b, "Mode" + AWKWARD, TYPE_RADIO_BUTTONS, "Slow" + AWKWARD,
                 {"Slow" + AWKWARD, "Fast", "Off"});
    AddParameter(b, "Data" + AWKWARD, TYPE_FILE_OPEN, "c:\\data\\taps%.txt",
                 {"Text" + AWKWARD + "|*.txt"});
    AddParameter(b, "Mark", TYPE_CHAR, "'");
    AddPersistant(b, "Note" + AWKWARD, TYPE_TEXT, "Kept" + AWKWARD);
    AddLocalArray(b, "history\\", "16");
    FinishRecords(b);
    return b;
}

TEST(TypedTexts, EveryTypedTextCompilesAndReadsBackAsTyped) {
    if (!ToolsPresent()) {
        BW_MISSING_TOOL(
            "the MinGW cross tools are absent: install gcc-mingw-w64-i686 and "
            "binutils-mingw-w64-i686 (scripts/install-deps.sh)");
        return;
    }
    BLOCKINFO block = AwkwardBlock();
    TempDir dir;
    TestRun run(dir.path());
    run.environment.workingDirectory = std::string(BLOCKWRIGHT_SOURCE_DIR) + "/assets/";
    block.Directory = dir.path() + "generated";
    ASSERT_EQ(RunGeneration(block, run.environment).outcome, RunOutcome::Completed);
    const std::string folder = dir.path() + "generated/";
    const std::string include = " -I. -I'" + SDK + "'";
    std::string output;
    ASSERT_TRUE(RunTool(folder,
                        "i686-w64-mingw32-gcc -c -Wall -Werror=implicit-function-declaration "
                        "-Werror=implicit-int -Werror=int-conversion -Werror=overflow "
                        "-Werror=multichar -Werror=comment" +
                            include + " IFAwkward.c Awkward.c",
                        output))
        << output;
    EXPECT_EQ(output.find("warning"), std::string::npos) << output;
    ASSERT_TRUE(RunTool(
        folder, "i686-w64-mingw32-windres" + include + " Awkward.rc -O coff -o Awkward.res.o",
        output))
        << output;
    ASSERT_TRUE(RunTool(folder,
                        "i686-w64-mingw32-gcc -shared -I'" + SDK + "' '" + STUBS +
                            "' -o bdhost.dll -Wl,--out-implib,libbdhost.a && "
                            "i686-w64-mingw32-gcc -shared -o Awkward.dll IFAwkward.o Awkward.o "
                            "Awkward.res.o Awkward.def -Wl,--enable-stdcall-fixup -L. -lbdhost "
                            "-lcomdlg32 -lgdi32 -lhtmlhelp",
                        output))
        << output;

    // The C strings: stored in the objects byte for byte, with their ends.
    const std::string objects =
        ReadFileBytes(folder + "IFAwkward.o") + ReadFileBytes(folder + "Awkward.o");
    for (const std::string& text :
         {block.MenuName, "Text" + AWKWARD, "Kept" + AWKWARD, "Square" + AWKWARD,
          "Text" + AWKWARD + "|*.txt|", std::string("c:\\data\\taps%.txt")}) {
        EXPECT_NE(objects.find(text + '\0'), std::string::npos) << text;
    }
    // The resource strings: the compiled resources written back as a script
    // hold each text whole, in the script's own escapes.
    ASSERT_TRUE(RunTool(folder, "i686-w64-mingw32-windres -J coff -i Awkward.res.o -O rc", output));
    const std::string plain = " \"\"q\"\" \\\\b 'a' 50% caf";
    for (const std::string& text :
         {"Company" + plain, "Short" + plain, "1.0" + plain, "In" + plain, "Out" + plain,
          "Level" + plain, "Slow" + plain, "Menu" + plain}) {
        EXPECT_NE(output.find("\"" + text), std::string::npos) << text << " missing from\n"
                                                               << output;
    }
}

}  // namespace
}  // namespace bw
