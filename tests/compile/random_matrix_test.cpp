// Seeded random definitions of the kind the wizard lets a user enter: each one
// the checker accepts is generated and built as a whole. The host sources
// compile with the MinGW cross compiler against our stand-in for the host's
// headers, the resource script with its resource compiler, and the objects
// link into a DLL with the generated module definition against a stub import
// library of the stand-in; the DSP sources compile with the host compiler
// against stand-in DSP headers (an XDAIS block's algorithm headers written
// for it, as the XDAIS tools would). A failing seed is printed and its
// definition written as a template, so `blockwright generate` reproduces it.
//
// The seeds are dealt to SHARDS tests, which CTest runs in parallel.
// BLOCKWRIGHT_MATRIX_SEEDS runs that many seeds instead of the default.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <random>
#include <regex>
#include <string>
#include <vector>

#include "check/definition_check.h"
#include "compile/random_block.h"
#include "definition/template_file.h"
#include "gen_dsp/xdais.h"
#include "generation/shared_rules.h"
#include "run/generation_run.h"
#include "support/generate.h"
#include "support/missing_tool.h"
#include "support/recording_prompts.h"

namespace bw {
namespace {

namespace fs = std::filesystem;

const int DEFAULT_SEEDS = 300;
const int SHARDS = 8;

const std::string SDK = std::string(BLOCKWRIGHT_SOURCE_DIR) + "/src/standin/sdk";
const std::string STUBS = std::string(BLOCKWRIGHT_SOURCE_DIR) + "/tests/host_sdk/host_stubs.c";
const std::string DSP_SDK = std::string(BLOCKWRIGHT_SOURCE_DIR) + "/tests/dsp_sdk";
// What newer compilers refuse by default is refused here too, and so is a
// constant that would not keep the value typed.
const std::string NEWER_ERRORS =
    "-Werror=implicit-function-declaration -Werror=implicit-int -Werror=int-conversion "
    "-Werror=overflow -Werror=multichar";

// ---------------------------------------------------------------------------
// Building one generated block.

// What building one block gave: the tools' complaints, and the first error.
struct BuildOutcome {
    std::string error;     // empty when everything built
    std::string warnings;  // the tools' warning lines
};

std::string Quote(const std::string& text) {
    return "'" + text + "'";
}

// Runs command in folder; false with the tool's output added to output.
bool Run(const std::string& folder, const std::string& command, std::string& output) {
    const std::string log = folder + "tool.log";
    const bool ok =
        std::system(
            ("cd " + Quote(folder) + " && " + command + " >" + Quote(log) + " 2>&1").c_str()) == 0;
    output += ReadFileBytes(log);
    return ok;
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// What every block of a shard builds against, made once per shard: the stub
// import library of the stand-in host, and <windows.h> precompiled. Parsing
// that header is most of the cost of a small block; the precompiled copy is
// found before the real header, and a second include of it reaches the real
// one through the copy's folder (which the header's guard then skips).
struct SharedTools {
    std::string folder;       // the stub library's, empty when it does not build
    std::string precompiled;  // the precompiled header's, empty when it does not build
};

SharedTools BuildSharedTools(const std::string& folder) {
    std::string output;
    SharedTools tools;
    if (Run(folder,
            "i686-w64-mingw32-gcc -shared -I" + Quote(SDK) + " " + Quote(STUBS) +
                " -o bdhost.dll -Wl,--out-implib,libbdhost.a",
            output)) {
        tools.folder = folder;
    }
    const std::string precompiled = folder + "pch/";
    fs::create_directories(precompiled);
    WriteFileBytes(precompiled + "windows.h", "#include_next <windows.h>\n");
    if (Run(precompiled, "i686-w64-mingw32-gcc -w -x c-header windows.h -o windows.h.gch",
            output)) {
        tools.precompiled = precompiled;
    }
    return tools;
}

// Every C file of the generated folder, host side or DSP side.
std::vector<std::string> CFiles(const std::string& folder, bool dsp) {
    std::vector<std::string> files;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
        const std::string relative = fs::relative(entry.path(), folder).string();
        const bool inDsp = relative.rfind("DSPCODE", 0) == 0 || relative.rfind("DSPCode", 0) == 0;
        if (entry.is_regular_file() && EndsWith(relative, ".c") && inDsp == dsp) {
            files.push_back(relative);
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string QuotedList(const std::vector<std::string>& files) {
    std::string list;
    for (const std::string& file : files) {
        list += " " + Quote(file);
    }
    return list;
}

// The object the compiler leaves in its working folder for file.
std::string ObjectOf(const std::string& file) {
    return fs::path(file).stem().string() + ".o";
}

// The algorithm's module headers, as the XDAIS tools write them for the
// block's algorithm definition: the instance handle and function table, the
// creation parameters (channel frame sizes and the creation list's
// parameters), the status, and one declaration per extended method. The
// generated DSP files include them as "<alg>.h" and "<alg>_<vendor>.h".
void WriteAlgorithmHeaders(const std::string& folder, const BLOCKINFO& b) {
    const std::string& alg = b.AlgorithmName;
    std::string h = "#ifndef " + alg + "_MODULE\n#define " + alg + "_MODULE\n#include <ialg.h>\n";
    h += "typedef struct " + alg + "_Obj *" + alg + "_Handle;\n";
    h += "typedef struct I" + alg + "_Fxns { IALG_Fxns ialg; } I" + alg + "_Fxns;\n";
    h += "typedef struct " + alg + "_Params {\n    Int size;\n";
    for (int i = 0; i < b.NumInputs; ++i) {
        h += "    XDAS_Int32 framesizeIn" + std::to_string(i) + ";\n";
    }
    for (int o = 0; o < b.NumOutputs; ++o) {
        h += "    XDAS_Int32 framesizeOut" + std::to_string(o) + ";\n";
    }
    std::string status = "typedef struct " + alg + "_Status {\n    Int size;\n";
    for (int p = 0; p < b.NumParameters; ++p) {
        const PARAMINFO& parameter = b.Parameters[static_cast<size_t>(p)];
        if (!dsp::ReachesAlgorithm(parameter)) {
            continue;
        }
        const std::string field = "    XDAS_Int32 " + dsp::AlgorithmSideName(parameter, p) + ";\n";
        if (parameter.ParameterConst != 2) {
            h += field;
        }
        if (parameter.ParameterConst != 1) {
            status += field;
        }
    }
    h += "} " + alg + "_Params;\n" + status + "} " + alg + "_Status;\n";
    h += "extern const " + alg + "_Params " + alg + "_PARAMS;\n";
    h += "typedef enum { " + alg + "_GETSTATUS, " + alg + "_SETSTATUS } " + alg + "_Cmd;\n";
    h += alg + "_Handle " + alg + "_create(const I" + alg + "_Fxns *fxns, const " + alg +
         "_Params *params);\n";
    h += "XDAS_Bool " + alg + "_control(" + alg + "_Handle handle, " + alg + "_Cmd cmd, " + alg +
         "_Status *status);\n";
    for (const PROTOTYPEINFO& method : b.Prototypes) {
        h += method.ReturnType + " " + alg + "_" + method.Name + "(" + alg + "_Handle handle";
        for (size_t j = 0; j < method.ParamNames.size(); ++j) {
            h += ", " + method.ParamTypes[j] + " " + method.ParamNames[j];
        }
        h += ");\n";
    }
    WriteFileBytes(folder + LowerCase(alg) + ".h", h + "#endif\n");
    WriteFileBytes(folder + LowerCase(alg + "_" + b.VendorName) + ".h",
                   "#include \"" + LowerCase(alg) + ".h\"\nextern I" + alg + "_Fxns " + alg + "_" +
                       b.VendorName + "_I" + alg + ";\n");
}

BuildOutcome BuildBlock(const std::string& folder, const BLOCKINFO& block,
                        const SharedTools& tools) {
    BuildOutcome outcome;
    const auto step = [&](const std::string& what, const std::string& command) {
        std::string output;
        const bool ok = Run(folder, command, output);
        outcome.warnings += output;
        if (!ok && outcome.error.empty()) {
            outcome.error = what + ":\n" + output;
        }
        return ok;
    };
    const std::string name = block.BlockName;
    // One compiler run for all the host sources, one for all the DSP sources.
    const std::vector<std::string> host = CFiles(folder, false);
    const std::string precompiled =
        tools.precompiled.empty() ? "" : " -Winvalid-pch -I" + Quote(tools.precompiled);
    step("the host C files do not compile", "i686-w64-mingw32-gcc -c -Wall " + NEWER_ERRORS +
                                                precompiled + " -I. -I" + Quote(SDK) +
                                                QuotedList(host));
    step(name + ".rc does not compile", "i686-w64-mingw32-windres -I. -I" + Quote(SDK) + " " +
                                            Quote(name + ".rc") + " -O coff -o resource.rc.o");
    if (outcome.error.empty()) {
        std::vector<std::string> objects;
        std::transform(host.begin(), host.end(), std::back_inserter(objects), ObjectOf);
        step("the DLL does not link",
             "i686-w64-mingw32-gcc -shared -o " + Quote(name + ".dll") + QuotedList(objects) +
                 " resource.rc.o " + Quote(name + ".def") + " -Wl,--enable-stdcall-fixup -L" +
                 Quote(tools.folder) + " -lbdhost -lcomdlg32 -lgdi32 -lhtmlhelp");
    }
    const std::vector<std::string> dsp = CFiles(folder, true);
    if (dsp.empty()) {
        return outcome;
    }
    std::string includes = " -I" + Quote(DSP_SDK);
    if (block.xDAIS) {
        fs::create_directories(folder + "xdais");
        WriteAlgorithmHeaders(folder + "xdais/", block);
        includes += " -I../xdais";
    }
    // The DSP objects go to a folder of their own, apart from the host's.
    fs::create_directories(folder + "dsp");
    std::vector<std::string> sources;
    std::transform(dsp.begin(), dsp.end(), std::back_inserter(sources),
                   [](const std::string& file) { return "../" + file; });
    step("the DSP C files do not compile",
         "cd dsp && gcc -c -std=c99 -Wall" + includes + QuotedList(sources));
    return outcome;
}

// The warnings of one kind ("-Wunused-variable"): how many, and the first.
struct WarningKind {
    int count = 0;
    std::string example;
};

void CountWarnings(const std::string& output, std::map<std::string, WarningKind>& kinds) {
    static const std::regex WARNING("[^\\n]*warning: [^\\n]*\\[(-W[^\\]]+)\\]");
    for (auto it = std::sregex_iterator(output.begin(), output.end(), WARNING);
         it != std::sregex_iterator(); ++it) {
        WarningKind& kind = kinds[(*it)[1].str()];
        if (kind.count++ == 0) {
            kind.example = it->str();
        }
    }
}

int SeedCount() {
    const char* text = std::getenv("BLOCKWRIGHT_MATRIX_SEEDS");
    return text != nullptr && std::atoi(text) > 0 ? std::atoi(text) : DEFAULT_SEEDS;
}

bool ToolsPresent() {
    for (const char* tool : {"i686-w64-mingw32-gcc", "i686-w64-mingw32-windres", "gcc"}) {
        if (std::system((std::string(tool) + " --version >/dev/null 2>&1").c_str()) != 0) {
            return false;
        }
    }
    return true;
}

// The first error the checker finds, by its key without the record number.
std::string RefusalKey(const std::vector<Finding>& findings) {
    const auto error = std::find_if(findings.begin(), findings.end(),
                                    [](const Finding& f) { return f.severity == Severity::Error; });
    return error->key.substr(0, error->key.find_first_of("0123456789"));
}

// Generates the block below folder; gives the block's folder.
std::string GenerateSeed(const BLOCKINFO& block, const std::string& folder) {
    TestRun run(folder);
    run.environment.workingDirectory = std::string(BLOCKWRIGHT_SOURCE_DIR) + "/assets/";
    BLOCKINFO generated = block;
    generated.Directory = folder + "block";
    const RunResult result = RunGeneration(generated, run.environment);
    EXPECT_EQ(result.outcome, RunOutcome::Completed) << folder;
    return folder + "block/";
}

// A failing definition as a template that `blockwright generate` reproduces.
std::string SaveFailure(unsigned seed, const BLOCKINFO& block) {
    const fs::path failures = fs::temp_directory_path() / "blockwright-matrix";
    fs::create_directories(failures);
    const std::string saved = (failures / ("seed" + std::to_string(seed) + ".tbt")).string();
    WriteTemplate(block, saved);
    return saved;
}

class RandomMatrix : public ::testing::TestWithParam<int> {};

// Shard n builds the seeds that leave n over when divided by SHARDS.
TEST_P(RandomMatrix, EveryAcceptedDefinitionCompilesAndLinks) {
    if (!ToolsPresent()) {
        BW_MISSING_TOOL(
            "the MinGW cross tools or gcc are absent: install gcc-mingw-w64-i686 and "
            "binutils-mingw-w64-i686 (scripts/install-deps.sh)");
        return;
    }
    TempDir dir;
    const SharedTools tools = BuildSharedTools(dir.path());
    ASSERT_FALSE(tools.folder.empty()) << "the stub import library of the host does not build";

    int built = 0;
    std::pair<int, double> slowest = {0, 0.0};  // the seed and its seconds
    std::map<std::string, int> refusals;
    std::map<std::string, WarningKind> warnings;
    for (int seed = 1 + GetParam(); seed <= SeedCount(); seed += SHARDS) {
        const BLOCKINFO block = RandomBlock(static_cast<unsigned>(seed)).Build();
        const std::vector<Finding> findings = CheckDefinition(block);
        if (HasErrors(findings)) {
            ++refusals[RefusalKey(findings)];
            continue;
        }
        const auto start = std::chrono::steady_clock::now();
        const std::string folder =
            GenerateSeed(block, dir.path() + "seed" + std::to_string(seed) + "/");
        const BuildOutcome outcome = BuildBlock(folder, block, tools);
        CountWarnings(outcome.warnings, warnings);
        if (!outcome.error.empty()) {
            ADD_FAILURE() << "seed " << seed << " ("
                          << SaveFailure(static_cast<unsigned>(seed), block)
                          << "): " << outcome.error;
        }
        fs::remove_all(folder);
        ++built;
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        if (took.count() > slowest.second) {
            slowest = {seed, took.count()};
        }
    }
    std::cout << "[ matrix   ] " << built << " definitions built, the slowest seed "
              << slowest.first << " in " << slowest.second << " s\n";
    for (const auto& [key, count] : refusals) {
        std::cout << "[ refused  ] " << count << " by the checker for " << key << "\n";
    }
    for (const auto& [kind, warning] : warnings) {
        std::cout << "[ warnings ] " << kind << ": " << warning.count
                  << ", first: " << warning.example << "\n";
    }
}

INSTANTIATE_TEST_SUITE_P(Shard, RandomMatrix, ::testing::Range(0, SHARDS));

}  // namespace
}  // namespace bw
