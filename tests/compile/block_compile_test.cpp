// The generated PC project of a block compiles as one whole: the generation
// run writes the block's folder, and the MinGW cross compiler and resource
// compiler build the interface source, the user source and the resource
// script to object files against our stand-in for the host's headers.
// Linking needs the host's own library, which we do not have.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "generation/generation_run.h"
#include "generation/shared_rules.h"
#include "support/generate.h"
#include "support/recording_prompts.h"

namespace bw {
namespace {

namespace fs = std::filesystem;

const char* const C_COMPILER = "i686-w64-mingw32-gcc";
const char* const RESOURCE_COMPILER = "i686-w64-mingw32-windres";
const char* const SYMBOL_LISTER = "i686-w64-mingw32-nm";

bool ToolPresent(const char* tool) {
    return std::system((std::string(tool) + " --version >/dev/null 2>&1").c_str()) == 0;
}

std::string HostSdk() {
    return std::string(BLOCKWRIGHT_SOURCE_DIR) + "/tests/host_sdk";
}

// ---------------------------------------------------------------------------
// The matrix of blocks.

BLOCKINFO Block(const std::string& name, int inputs, int outputs) {
    BLOCKINFO block = NewBlock();
    block.BlockName = name;
    block.MenuName = name + " Menu";
    block.GroupName = "Compile Group";
    block.LibraryName = "Compile Library";
    block.ShortDescription = "A block of the compile matrix";
    block.LongDescription = "Generated to prove that its project compiles.";
    block.IconFilename = name;
    block.Revision = "1.00";
    block.CompanyName = "Calderic";
    block.NumInputs = inputs;
    block.NumOutputs = outputs;
    block.BlockType = BLOCKINFO::BlockTypeFor(inputs, outputs);
    return block;
}

PARAMINFO& AddParameter(BLOCKINFO& block, const std::string& name, int type,
                        const std::string& value = "", std::vector<std::string> items = {}) {
    PARAMINFO& parameter = block.Parameters[static_cast<size_t>(block.NumParameters++)];
    parameter.ParameterName = name;
    parameter.ParameterType = type;
    parameter.ParameterDefault = value;
    parameter.ParameterItems = std::move(items);
    parameter.ParameterDesc = name + " of the block";
    return parameter;
}

void AddPersistant(BLOCKINFO& block, const std::string& name, int type,
                   const std::string& value = "", const std::string& other = "") {
    PERSISTANTINFO& variable = block.Persistants[static_cast<size_t>(block.NumPersistants++)];
    variable.PersistantName = name;
    variable.PersistantType = type;
    variable.PersistantDefault = value;
    variable.PersistantTypeOther = other;
}

void AddLocalArray(BLOCKINFO& block, const std::string& name, const std::string& size,
                   int precision) {
    LOCALARRAYINFO& array = block.LocalArrays[static_cast<size_t>(block.NumLocalArrays++)];
    array.ArrayName = name;
    array.LocalSize = size;
    array.LocalPrecision = precision;
    block.DeriveLocalSizeIsExpression();
}

void OnlyPrecisions(BLOCKINFO& block, bool integer, bool floating) {
    block.Character = block.Byte = block.ShortInteger = block.LongInteger = block.Double = 0;
    block.Integer = integer;
    block.FloatingPoint = floating;
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
    AddParameter(block, "Fixed", TYPE_FLOAT, "2.0").ParameterConst = 1;
    AddParameter(block, "???", TYPE_INTEGER, "1");  // no identifier character at all
}

struct MatrixBlock {
    std::string what;
    BLOCKINFO block;
};

// Test listings and failures name the block, not its bytes.
void PrintTo(const MatrixBlock& entry, std::ostream* out) {
    *out << entry.what;
}

std::vector<MatrixBlock> SimulationBlocks() {
    std::vector<MatrixBlock> matrix;
    const auto add = [&matrix](const std::string& what, const BLOCKINFO& block) {
        matrix.push_back({what, block});
    };
    add("plain simulation process block", Block("Plain", 1, 1));
    add("source block", Block("Ramp", 0, 2));
    add("sink block", Block("Scope", 2, 0));
    {
        BLOCKINFO block = Block("Twin", 2, 3);
        block.Real = 0;
        add("complex-only block with more outputs than inputs", block);
    }
    {
        BLOCKINFO block = Block("Kinds", 1, 1);
        AllParameterTypes(block);
        add("every parameter type", block);
    }
    {
        BLOCKINFO block = Block("Arrays", 1, 1);
        AddParameter(block, "Length", TYPE_INTEGER, "64");
        AddParameter(block, "Frame Count", TYPE_INTEGER, "2");
        AddLocalArray(block, "history", "1024", TYPE_DOUBLE);
        AddLocalArray(block, "window", "Length", TYPE_FLOAT);
        AddLocalArray(block, "skipped", "8", TYPE_EXCLUDED);
        AddLocalArray(block, "product", "Length*Frame Count", TYPE_INTEGER);
        AddLocalArray(block, "bytes", "16", TYPE_BYTE);
        AddLocalArray(block, "chars", "16", TYPE_CHAR);
        AddLocalArray(block, "shorts", "16", TYPE_SHORT);
        AddLocalArray(block, "longs", "16", TYPE_LONG);
        add("local arrays sized by a number, a parameter and an expression", block);
    }
    {
        BLOCKINFO block = Block("Keep", 1, 1);
        AddPersistant(block, "count", TYPE_INTEGER, "3");
        AddPersistant(block, "level", TYPE_FLOAT, "0.5");
        AddPersistant(block, "energy", TYPE_DOUBLE, "1.25");
        AddPersistant(block, "mark", TYPE_CHAR, "a");
        AddPersistant(block, "total", TYPE_LONG, "7");
        AddPersistant(block, "step", TYPE_SHORT, "2");
        AddPersistant(block, "flags", TYPE_BYTE, "1");
        AddPersistant(block, "label", TYPE_TEXT, "none");
        AddPersistant(block, "word", TYPE_OTHER, "0", "DWORD");
        AddPersistant(block, "---", TYPE_INTEGER, "0");
        add("persistent variables of every type", block);
    }
    {
        BLOCKINFO block = Block("Mtx", 2, 1);
        block.Matrix = 1;
        block.Square = 1;
        AddLocalArray(block, "scratch", "9", TYPE_DOUBLE);
        add("matrix block", block);
        BLOCKINFO source = Block("MtxSrc", 0, 1);
        source.Matrix = 1;
        add("matrix source", source);
        BLOCKINFO sink = Block("MtxSnk", 1, 0);
        sink.Matrix = 1;
        sink.Square = 1;
        add("square matrix sink", sink);
    }
    {
        BLOCKINFO block = Block("Bmp", 2, 2);
        OnlyPrecisions(block, false, false);
        block.Image = 1;
        block.Bitmap = 1;
        add("bitmap block", block);
        BLOCKINFO source = Block("BmpSrc", 0, 1);
        OnlyPrecisions(source, false, false);
        source.Image = 1;
        source.Bitmap = 1;
        add("bitmap source", source);
        BLOCKINFO sink = Block("BmpSnk", 1, 0);
        OnlyPrecisions(sink, false, false);
        sink.Bitmap = 1;
        add("bitmap sink", sink);
        BLOCKINFO both = Block("BmpMtx", 0, 1);
        both.Bitmap = 1;
        both.Matrix = 1;
        add("source with bitmap and matrix", both);
    }
    {
        BLOCKINFO block = Block("QGain", 1, 1);
        OnlyPrecisions(block, true, false);
        block.Q = 1;
        block.QLevel = 12;
        add("Q block", block);
        BLOCKINFO source = Block("QSrc", 0, 1);
        OnlyPrecisions(source, true, false);
        source.Q = 1;
        add("Q source", source);
    }
    {
        BLOCKINFO block = Block("Knob", 0, 2);
        block.BlockType = BLOCK_CONTROL;
        block.UserControl = 1;
        AddParameter(block, "Caption", TYPE_TEXT, "knob");
        AddParameter(block, "Level", TYPE_FLOAT, "0.5");
        add("control block with a user control", block);
    }
    for (int warning : {WARNING_STANDARD, WARNING_ERROR, WARNING_ONE_TIME}) {
        BLOCKINFO block = Block("Warn" + std::to_string(warning), 1, 1);
        block.WarningType = warning;
        add("warning type " + std::to_string(warning), block);
    }
    {
        BLOCKINFO block = Block("Every", 1, 1);
        block.Character = block.Byte = block.ShortInteger = block.Integer = 1;
        block.LongInteger = block.FloatingPoint = block.Double = block.Bitmap = 1;
        add("all eight precisions", block);
    }
    return matrix;
}

BLOCKINFO RealTimeBlock(const std::string& name, int inputs, int outputs) {
    BLOCKINFO block = Block(name, inputs, outputs);
    OnlyPrecisions(block, true, true);
    block.RealTime = 1;
    return block;
}

std::vector<MatrixBlock> RealTimeBlocks() {
    std::vector<MatrixBlock> matrix;
    const auto add = [&matrix](const std::string& what, const BLOCKINFO& block) {
        matrix.push_back({what, block});
    };
    {
        BLOCKINFO block = RealTimeBlock("NFAdd", 2, 1);
        AllParameterTypes(block);
        AddLocalArray(block, "delay", "32", TYPE_FLOAT);
        AddPersistant(block, "state", TYPE_DOUBLE, "0.0");
        block.WarningType = WARNING_ONE_TIME;
        add("real-time block", block);
    }
    {
        BLOCKINFO block = RealTimeBlock("NFGen", 0, 1);
        OnlyPrecisions(block, false, true);
        block.Matrix = 1;
        block.UserControl = 1;
        add("real-time matrix source with a user control", block);
        BLOCKINFO matrixBlock = RealTimeBlock("NFMtx", 2, 2);
        matrixBlock.Matrix = 1;
        add("real-time matrix block", matrixBlock);
        BLOCKINFO sink = RealTimeBlock("NFSnk", 1, 0);
        AddParameter(sink, "Gain", TYPE_FLOAT, "1.0");
        AddParameter(sink, "Mode", TYPE_RADIO_BUTTONS, "A", {"A", "B"});
        add("real-time sink", sink);
        BLOCKINFO neither = RealTimeBlock("NFDbl", 1, 1);
        OnlyPrecisions(neither, false, false);
        neither.Double = 1;
        add("real-time block with neither integer nor floating point", neither);
    }
    {
        BLOCKINFO block = RealTimeBlock("NFNat", 1, 1);
        block.Native = 1;
        AddParameter(block, "Gain", TYPE_FLOAT, "1.0");
        add("native real-time block", block);
        BLOCKINFO source = RealTimeBlock("NFNsr", 0, 1);
        OnlyPrecisions(source, false, true);
        source.Native = 1;
        source.Bitmap = 1;
        add("native real-time bitmap source", source);
    }
    {
        BLOCKINFO block = RealTimeBlock("NFFir", 1, 1);
        block.xDAIS = 1;
        block.AlgorithmName = "FIR";
        block.VendorName = "TI";
        block.Chip = 6201;
        block.UserControl = 1;
        AllParameterTypes(block);
        AddLocalArray(block, "state", "64", TYPE_FLOAT);
        add("real-time XDAIS block with a user control", block);
    }
    return matrix;
}

// ---------------------------------------------------------------------------
// Generating and compiling.

// The block's folder as the run writes it, with the stock icons of the
// shipped working directory.
bool GenerateProject(BLOCKINFO block, const std::string& directory, std::string& problem) {
    FixedClock clock{std::tm{}};
    RecordingPrompts prompts;
    MemorySettings settings;
    RunEnvironment environment;
    environment.prompts = &prompts;
    environment.clock = &clock;
    environment.settings = &settings;
    environment.workingDirectory = std::string(BLOCKWRIGHT_SOURCE_DIR) + "/assets/";
    environment.settingsDirectory = directory + "settings/";
    block.Directory = directory + "generated";
    const RunResult result = RunGeneration(block, environment);
    if (result.outcome != RunOutcome::Completed || !prompts.messages.empty()) {
        problem = "the run did not complete";
        for (const std::string& message : prompts.messages) {
            problem += "\n" + message;
        }
        return false;
    }
    return true;
}

// A copy of the generated folder in which every header can also be found by
// its lower-case name, as the case-blind Windows tools find it.
void CopyWithLowerCaseHeaders(const std::string& from, const std::string& to) {
    fs::copy(from, to, fs::copy_options::recursive);
    std::vector<fs::path> headers;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(to)) {
        if (entry.is_regular_file() && LowerCase(entry.path().extension().string()) == ".h") {
            headers.push_back(entry.path());
        }
    }
    for (const fs::path& header : headers) {
        const fs::path lower = header.parent_path() / LowerCase(header.filename().string());
        if (!fs::exists(lower)) {
            fs::create_symlink(header.filename(), lower);
        }
    }
}

struct ToolRun {
    std::string file;
    bool ok = false;
    std::string output;
    int warnings = 0;
    std::map<std::string, int> warningKinds;  // "[-Wxxx]" -> count
};

void CountWarnings(ToolRun& run) {
    std::istringstream lines(run.output);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.find("warning:") == std::string::npos) {
            continue;
        }
        ++run.warnings;
        const size_t open = line.rfind("[-W");
        ++run.warningKinds[open == std::string::npos ? std::string("[other]") : line.substr(open)];
    }
}

ToolRun RunTool(const std::string& folder, const std::string& file, const std::string& command) {
    ToolRun run;
    run.file = file;
    const std::string log = folder + file + ".log";
    const std::string full = "cd '" + folder + "' && " + command + " >'" + log + "' 2>&1";
    run.ok = std::system(full.c_str()) == 0;
    run.output = ReadFileBytes(log);
    CountWarnings(run);
    return run;
}

std::string IncludePath() {
    return " -I. -I'" + HostSdk() + "' ";
}

// A call of something no header declares is an error, not a guess. The
// driver command's third argument takes a window handle in some generated
// calls and a number in others, so a mismatch there stays a warning also
// where newer compilers make it an error.
const char* const C_FLAGS =
    " -c -Wall -Werror=implicit-function-declaration -Werror=implicit-int"
    " -Wno-error=int-conversion";

ToolRun CompileC(const std::string& folder, const std::string& file) {
    return RunTool(
        folder, file,
        std::string(C_COMPILER) + C_FLAGS + IncludePath() + "'" + file + "' -o '" + file + ".o'");
}

ToolRun CompileResources(const std::string& folder, const std::string& file) {
    return RunTool(folder, file,
                   std::string(RESOURCE_COMPILER) + IncludePath() + "'" + file + "' -O coff -o '" +
                       file + ".res'");
}

// The global symbols of an object file: defined ones, or undefined ones.
std::set<std::string> Symbols(const std::string& object, bool defined) {
    const std::string listing = object + ".symbols";
    const std::string command =
        std::string(SYMBOL_LISTER) + " -g '" + object + "' >'" + listing + "' 2>/dev/null";
    std::set<std::string> symbols;
    if (std::system(command.c_str()) != 0) {
        return symbols;
    }
    std::istringstream lines(ReadFileBytes(listing));
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::vector<std::string> words{std::istream_iterator<std::string>(fields), {}};
        if (words.size() == 2 && words[0] == "U" && !defined) {
            symbols.insert(words[1]);
        } else if (words.size() == 3 && words[1] != "U" && defined) {
            symbols.insert(words[2]);
        }
    }
    return symbols;
}

// The C name of a decorated symbol: "_UserExecProc@12" gives "UserExecProc".
std::string CName(std::string symbol) {
    if (!symbol.empty() && symbol[0] == '_') {
        symbol.erase(0, 1);
    }
    return symbol.substr(0, symbol.find('@'));
}

// The names the module definition exports.
std::vector<std::string> Exports(const std::string& definition) {
    std::vector<std::string> names;
    std::istringstream lines(definition);
    std::string line;
    bool inExports = false;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string first;
        fields >> first;
        if (inExports && !first.empty()) {
            names.push_back(first);
        }
        inExports = inExports || first == "EXPORTS";
    }
    return names;
}

// What the objects cannot see before linking: the module definition exports
// entry points that the interface source defines, and the processing
// routines the interface source calls are defined by the user source.
void ExpectObjectsFitTogether(const std::string& folder, const BLOCKINFO& block,
                              const std::vector<std::string>& objects) {
    std::set<std::string> defined;
    for (const std::string& object : objects) {
        for (const std::string& symbol : Symbols(folder + object, true)) {
            defined.insert(CName(symbol));
        }
    }
    const std::vector<std::string> exports =
        Exports(ReadFileBytes(folder + block.BlockName + ".def"));
    EXPECT_FALSE(exports.empty()) << block.BlockName << ".def exports nothing";
    for (const std::string& name : exports) {
        EXPECT_TRUE(defined.count(name))
            << block.BlockName << ".def exports " << name << ", which no object file defines";
    }
    for (const std::string& symbol : Symbols(folder + objects.front(), false)) {
        const std::string name = CName(symbol);
        if (name.rfind(block.BlockName, 0) == 0) {
            EXPECT_TRUE(defined.count(name)) << objects.front() << " calls " << name
                                             << ", which the user source does not define";
        }
    }
}

std::string WarningSummary(const std::vector<ToolRun>& runs) {
    std::string text;
    for (const ToolRun& run : runs) {
        text += (text.empty() ? "" : "; ") + run.file + " " + std::to_string(run.warnings);
        for (const auto& [kind, count] : run.warningKinds) {
            text += " " + kind + "x" + std::to_string(count);
        }
    }
    return text;
}

class BlockCompile : public ::testing::TestWithParam<MatrixBlock> {};

TEST_P(BlockCompile, GeneratedProjectCompilesToObjectFiles) {
    if (!ToolPresent(C_COMPILER) || !ToolPresent(RESOURCE_COMPILER) ||
        !ToolPresent(SYMBOL_LISTER)) {
        GTEST_SKIP() << "MinGW cross compiler absent (" << C_COMPILER << ", " << RESOURCE_COMPILER
                     << ", " << SYMBOL_LISTER
                     << "): install gcc-mingw-w64-i686 and binutils-mingw-w64-i686 "
                     << "(scripts/install-deps.sh) to compile the generated projects";
    }
    const MatrixBlock& entry = GetParam();
    const BLOCKINFO& block = entry.block;
    TempDir dir;
    std::string problem;
    ASSERT_TRUE(GenerateProject(block, dir.path(), problem)) << entry.what << ": " << problem;
    const std::string folder = dir.path() + "compile/";
    CopyWithLowerCaseHeaders(dir.path() + "generated", folder);

    std::vector<std::string> sources = {"IF" + block.BlockName + ".c"};
    if (!block.RealTime) {
        sources.push_back(block.BlockName + ".c");
    }
    std::vector<ToolRun> runs;
    std::vector<std::string> objects;
    for (const std::string& source : sources) {
        runs.push_back(CompileC(folder, source));
        objects.push_back(source + ".o");
    }
    runs.push_back(CompileResources(folder, block.BlockName + ".rc"));

    bool compiled = true;
    for (const ToolRun& run : runs) {
        EXPECT_TRUE(run.ok) << entry.what << ": " << run.file << " does not compile:\n"
                            << run.output;
        compiled = compiled && run.ok;
    }
    if (compiled) {
        ExpectObjectsFitTogether(folder, block, objects);
    }
    if (const char* keep = std::getenv("BLOCKWRIGHT_KEEP_COMPILED")) {
        // Keeps the compiled folder, for a look at what the tools saw.
        const fs::path kept = fs::path(keep) / block.BlockName;
        fs::remove_all(kept);
        fs::create_directories(kept.parent_path());
        fs::copy(folder, kept, fs::copy_options::recursive | fs::copy_options::copy_symlinks);
    }
    std::cout << "[ warnings ] " << block.BlockName << ": " << WarningSummary(runs) << std::endl;
}

std::string MatrixTestName(const ::testing::TestParamInfo<MatrixBlock>& info) {
    return info.param.block.BlockName;
}

INSTANTIATE_TEST_SUITE_P(Simulation, BlockCompile, ::testing::ValuesIn(SimulationBlocks()),
                         MatrixTestName);
INSTANTIATE_TEST_SUITE_P(RealTime, BlockCompile, ::testing::ValuesIn(RealTimeBlocks()),
                         MatrixTestName);

}  // namespace
}  // namespace bw
