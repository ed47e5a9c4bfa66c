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

#include "compile/block_parameters.h"
#include "compile/module_definition.h"
#include "run/generation_run.h"
#include "support/generate.h"
#include "support/recording_prompts.h"

namespace bw {
namespace {

const char* const C_COMPILER = "i686-w64-mingw32-gcc";
const char* const RESOURCE_COMPILER = "i686-w64-mingw32-windres";
const char* const SYMBOL_LISTER = "i686-w64-mingw32-nm";

// ---------------------------------------------------------------------------
// The matrix of blocks.

void AddPersistant(BLOCKINFO& block, const std::string& name, int type, const std::string& value,
                   const std::string& other = "") {
    block.Persistants[static_cast<size_t>(block.NumPersistants++)] = {name, type, other, value};
}

void AddLocalArray(BLOCKINFO& block, const std::string& name, const std::string& size,
                   int precision) {
    LOCALARRAYINFO& array = block.LocalArrays[static_cast<size_t>(block.NumLocalArrays++)];
    array.ArrayName = name;
    array.LocalSize = size;
    array.LocalPrecision = precision;
    block.DeriveLocalSizeIsExpression();
}

// Every parameter type, with the awkward cases of names and defaults.
void AllParameterTypes(BLOCKINFO& block) {
    AddParameter(block, "Gain", TYPE_FLOAT, "1.5");
    AddParameter(block, "Scale", TYPE_DOUBLE, "0.25");
    AddParameter(block, "Count", TYPE_INTEGER, "4");
    AddParameter(block, "Letter", TYPE_CHAR, "x");
    AddParameter(block, "Empty Letter", TYPE_CHAR);
    AddParameter(block, "Span", TYPE_LONG, "100000");
    AddParameter(block, "Taps", TYPE_SHORT, "16");
    AddParameter(block, "Mask", TYPE_BYTE, "255");
    AddParameter(block, "Title", TYPE_TEXT, "hello");
    AddParameter(block, "Sample Rate", TYPE_DOUBLE, "8000.0");  // the sample-rate alias
    AddParameter(block, "Switch", TYPE_RADIO_BUTTONS, "On", {"On"});
    AddParameter(block, "Mode", TYPE_RADIO_BUTTONS, "Fast", {"Slow", "Fast", "Off"});
    AddParameter(block, "Nothing", TYPE_RADIO_BUTTONS);
    AddParameter(block, "Two Words", TYPE_RADIO_BUTTONS, "a b", {"a b", "c-d"});
    AddParameter(block, "Window", TYPE_COMBO_BOX);
    AddParameter(block, "Shape", TYPE_COMBO_BOX, "Sine", {"Square", "Sine"});
    AddParameter(block, "Coefficients", TYPE_FILE_OPEN, "c:\\data\\taps.txt");
    AddParameter(block, "Any File", TYPE_FILE_OPEN, "", {"Text|*.txt", "All|*.*"});
    AddParameter(block, "Bypass", TYPE_CHECK_BOX, "Checked");
    AddParameter(block, "Muted", TYPE_CHECK_BOX, "Unchecked");
    AddParameter(block, "No Default", TYPE_CHECK_BOX);
    AddParameter(block, "Left Out", TYPE_EXCLUDED, "7");
    AddParameter(block, "Fixed", TYPE_FLOAT, "2.0", {}, 1);
    AddParameter(block, "???", TYPE_INTEGER, "1");  // no identifier character at all
    // The ends of the types' ranges, and the forms C reads otherwise unless
    // written as the value rules take them.
    AddParameter(block, "Lowest", TYPE_SHORT, "-32768");
    AddParameter(block, "Most", TYPE_INTEGER, "2147483647");
    AddParameter(block, "Least", TYPE_LONG, "-2147483648");
    AddParameter(block, "Largest", TYPE_FLOAT, "3.4028235e38");
    AddParameter(block, "Tiny", TYPE_DOUBLE, "4.9e-324");
    AddParameter(block, "Octal Looking", TYPE_BYTE, "010");
    AddParameter(block, "Line End", TYPE_CHAR, "\\n");
    AddParameter(block, "Top Char", TYPE_CHAR, "\\xFF");
}

void LocalArraysOfEveryKind(BLOCKINFO& b) {
    AddParameter(b, "Length", TYPE_INTEGER, "64");
    AddParameter(b, "Frame Count", TYPE_INTEGER, "2");
    AddLocalArray(b, "history", "1024", TYPE_DOUBLE);
    AddLocalArray(b, "window", "Length", TYPE_FLOAT);
    AddLocalArray(b, "skipped", "8", TYPE_EXCLUDED);
    AddLocalArray(b, "product", "Length*Frame Count", TYPE_INTEGER);
    int n = 0;
    for (int type : {TYPE_BYTE, TYPE_CHAR, TYPE_SHORT, TYPE_LONG}) {
        AddLocalArray(b, "small" + std::to_string(n++), "16", type);
    }
}

void PersistantsOfEveryType(BLOCKINFO& b) {
    AddPersistant(b, "count", TYPE_INTEGER, "3");
    AddPersistant(b, "level", TYPE_FLOAT, "0.5");
    AddPersistant(b, "energy", TYPE_DOUBLE, "1.25");
    AddPersistant(b, "mark", TYPE_CHAR, "a");
    AddPersistant(b, "total", TYPE_LONG, "7");
    AddPersistant(b, "step", TYPE_SHORT, "2");
    AddPersistant(b, "flags", TYPE_BYTE, "1");
    AddPersistant(b, "label", TYPE_TEXT, "none");
    AddPersistant(b, "word", TYPE_OTHER, "0", "DWORD");
    AddPersistant(b, "---", TYPE_INTEGER, "0");
    AddPersistant(b, "lowest", TYPE_INTEGER, "-2147483648");
    AddPersistant(b, "largest", TYPE_DOUBLE, "1.7976931348623157e308");
    AddPersistant(b, "quote", TYPE_CHAR, "'");
    AddPersistant(b, "escape", TYPE_CHAR, "\\0");
}

// Only the chosen ones of the integer and floating-point precisions.
void OnlyPrecisions(BLOCKINFO& block, bool integer, bool floating) {
    block.Character = block.Byte = block.ShortInteger = block.LongInteger = block.Double = 0;
    block.Integer = integer;
    block.FloatingPoint = floating;
}

// One block of the matrix. Its flags: i, f, 0 keep only the integer, the
// floating-point or neither of the eight precisions; D adds double; 8 gives
// all eight; C complex only, R real-time, M matrix, S square, I image, B
// bitmap, Q, K control block, U user control, N native, X XDAIS.
struct MatrixBlock {
    const char* what;
    const char* name;
    int inputs, outputs;
    const char* flags;
    void (*fill)(BLOCKINFO&);
};

// Test listings and failures name the block, not its bytes.
void PrintTo(const MatrixBlock& entry, std::ostream* out) {
    *out << entry.what;
}

BLOCKINFO Build(const MatrixBlock& entry) {
    BLOCKINFO b = NewBlock();
    b.BlockName = entry.name;
    b.MenuName = b.BlockName + " Menu";
    b.GroupName = "Compile Group";
    b.LibraryName = "Compile Library";
    b.ShortDescription = "A block of the compile matrix";
    b.LongDescription = "Generated to prove that its project compiles.";
    b.IconFilename = entry.name;
    b.NumInputs = entry.inputs;
    b.NumOutputs = entry.outputs;
    b.BlockType = BLOCKINFO::BlockTypeFor(entry.inputs, entry.outputs);
    const auto has = [&entry](char flag) { return std::strchr(entry.flags, flag) != nullptr; };
    if (has('i') || has('f') || has('0')) {
        OnlyPrecisions(b, has('i'), has('f'));
    }
    if (has('D') || has('8')) {
        b.Double = 1;
    }
    if (has('8')) {
        b.Character = b.Byte = b.ShortInteger = b.Integer = b.LongInteger = b.FloatingPoint = 1;
    }
    b.Real = !has('C');
    b.RealTime = has('R');
    b.Matrix = has('M');
    b.Square = has('S');
    b.Image = has('I');
    b.Bitmap = has('B') || has('8');
    b.Q = has('Q');
    b.UserControl = has('U');
    b.Native = has('N');
    if (has('K')) {
        b.BlockType = BLOCK_CONTROL;
    }
    if (has('X')) {
        b.xDAIS = 1;
        b.AlgorithmName = "FIR";
        b.VendorName = "TI";
        b.Chip = 6201;
    }
    if (entry.fill) {
        entry.fill(b);
    }
    return b;
}

const MatrixBlock MATRIX[] = {
    {"plain simulation process block", "Plain", 1, 1, "", nullptr},
    {"source block", "Ramp", 0, 2, "", nullptr},
    {"sink block", "Scope", 2, 0, "", nullptr},
    {"complex-only block with more outputs than inputs", "Twin", 2, 3, "C", nullptr},
    {"every parameter type", "Kinds", 1, 1, "", AllParameterTypes},
    {"local arrays sized by a number, a parameter and an expression", "Arrays", 1, 1, "",
     LocalArraysOfEveryKind},
    {"persistent variables of every type", "Keep", 1, 1, "", PersistantsOfEveryType},
    {"matrix block", "Mtx", 2, 1, "MS",
     [](BLOCKINFO& b) { AddLocalArray(b, "scratch", "9", TYPE_DOUBLE); }},
    {"matrix source", "MtxSrc", 0, 1, "M", nullptr},
    {"square matrix sink", "MtxSnk", 1, 0, "MS", nullptr},
    {"bitmap block", "Bmp", 2, 2, "0IB", nullptr},
    {"bitmap source", "BmpSrc", 0, 1, "0IB", nullptr},
    {"bitmap sink", "BmpSnk", 1, 0, "0B", nullptr},
    {"source with bitmap and matrix", "BmpMtx", 0, 1, "BM", nullptr},
    {"Q block", "QGain", 1, 1, "iQ", [](BLOCKINFO& b) { b.QLevel = 12; }},
    {"Q source", "QSrc", 0, 1, "iQ", nullptr},
    {"control block with a user control", "Knob", 0, 2, "KU",
     [](BLOCKINFO& b) {
         AddParameter(b, "Caption", TYPE_TEXT, "knob");
         AddParameter(b, "Level", TYPE_FLOAT, "0.5");
     }},
    {"standard warning", "WarnStd", 1, 1, "",
     [](BLOCKINFO& b) { b.WarningType = WARNING_STANDARD; }},
    {"error warning", "WarnErr", 1, 1, "", [](BLOCKINFO& b) { b.WarningType = WARNING_ERROR; }},
    {"one-time warning", "WarnOne", 1, 1, "",
     [](BLOCKINFO& b) { b.WarningType = WARNING_ONE_TIME; }},
    {"all eight precisions", "Every", 1, 1, "8", nullptr},
    {"real-time block", "NFAdd", 2, 1, "Rif",
     [](BLOCKINFO& b) {
         AllParameterTypes(b);
         AddLocalArray(b, "delay", "32", TYPE_FLOAT);
         AddPersistant(b, "state", TYPE_DOUBLE, "0.0");
         b.WarningType = WARNING_ONE_TIME;
     }},
    {"real-time matrix source with a user control", "NFGen", 0, 1, "RfMU", nullptr},
    {"real-time matrix block", "NFMtx", 2, 2, "RifM", nullptr},
    {"real-time sink", "NFSnk", 1, 0, "Rif",
     [](BLOCKINFO& b) {
         AddParameter(b, "Gain", TYPE_FLOAT, "1.0");
         AddParameter(b, "Mode", TYPE_RADIO_BUTTONS, "A", {"A", "B"});
     }},
    {"real-time block with neither integer nor floating point", "NFDbl", 1, 1, "R0D", nullptr},
    {"native real-time block", "NFNat", 1, 1, "RifN",
     [](BLOCKINFO& b) { AddParameter(b, "Gain", TYPE_FLOAT, "1.0"); }},
    {"native real-time bitmap source", "NFNsr", 0, 1, "RfNB", nullptr},
    {"real-time XDAIS block with a user control", "NFFir", 1, 1, "RifXU",
     [](BLOCKINFO& b) {
         AllParameterTypes(b);
         AddLocalArray(b, "state", "64", TYPE_FLOAT);
     }},
};

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
        " -I. -I'" + std::string(BLOCKWRIGHT_SOURCE_DIR) + "/tests/host_sdk' ";
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
    const std::string sdk = std::string(BLOCKWRIGHT_SOURCE_DIR) + "/tests/host_sdk";
    return RunTool(folder,
                   std::string(C_COMPILER) + " -shared -I'" + sdk + "' '" + sdk +
                       "/host_stubs.c' -o bdhost.dll -Wl,--out-implib,libbdhost.a",
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
            GTEST_SKIP() << tool << " absent: install gcc-mingw-w64-i686 and "
                         << "binutils-mingw-w64-i686 (scripts/install-deps.sh)";
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
        GTEST_SKIP() << RESOURCE_COMPILER << " absent: install binutils-mingw-w64-i686";
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
