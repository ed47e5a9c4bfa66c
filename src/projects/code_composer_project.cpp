// The Code Composer Studio project (version 2 format) of a DSP-based block.
// Fixed lines with the block's values filled in:
//   <DIR>      the block directory, ending in a backslash
//   <project>  the project name      <cpu>   the CPU family text
//   <alg>      the algorithm name    <vendor> the vendor name (both lower case)
//   <TI>       the TI root followed by the chip family's subdirectory
//   <api>      the XDAIS API library <rts>   the run-time library
//   <float>    the floating-point DSP source name (without ".c")
//   <integer>  the integer DSP source name (without ".c")
//   <target>   the compiler's target option   <bios> the DSP/BIOS option

#include <cstdlib>

#include "generation/names_and_literals.h"
#include "generation/paths.h"
#include "generation/text_lines.h"
#include "projects/project_files.h"

namespace bw {

namespace {

// What a DSP family contributes to the project. The second library pair is
// chosen by `Endian` (C6000 families) or `MemoryModel` (C5000 families).
struct ChipFamily {
    int chip;
    const char* cpuFamily;
    const char* biosOption;
    const char* targetOption;
    const char* subdirectory;
    bool librariesByEndian;
    const char* runtimeLibrary[2];
    const char* apiLibrary[2];
};

constexpr ChipFamily CHIP_FAMILIES[] = {
    {6200,
     "TMS320C62XX",
     "v6x",
     "",
     "C6000\\",
     true,
     {"rts6200.lib", "rts6200e.lib"},
     {"api.l62", "api.l62e"}},
    {6400,
     "TMS320C64XX",
     "v6x",
     "-mv6400",
     "C6000\\",
     true,
     {"rts6400.lib", "rts6400e.lib"},
     {"api.l64", "api.l64e"}},
    {6700,
     "TMS320C67XX",
     "v6x",
     "-mv6700",
     "C6000\\",
     true,
     {"rts6700.lib", "rts6700e.lib"},
     {"api.l67", "api.l67e"}},
    {5400,
     "TMS320C54XX",
     "v54",
     "",
     "C5400\\",
     false,
     {"rts.lib", "rts_ext.lib"},
     {"api.l54", "api.l54f"}},
    {5500,
     "TMS320C55XX",
     "v55",
     "",
     "C5500\\",
     false,
     {"rts55.lib", "rts55x.lib"},
     {"api.l55", "api.l55f"}},
};

// Any other family (the C2xx) contributes nothing.
constexpr ChipFamily OTHER_FAMILY = {0, "", "", "", "", true, {"", ""}, {"", ""}};

const ChipFamily& FamilyOf(int chip) {
    for (const ChipFamily& family : CHIP_FAMILIES) {
        if (family.chip == chip) {
            return family;
        }
    }
    return OTHER_FAMILY;
}

std::string WithBackslash(std::string path) {
    if (path.empty() || path.back() != '\\') {
        path += '\\';
    }
    return path;
}

// Cuts text before its last backslash; text without one stays as it is.
void CutBeforeLastBackslash(std::string& text) {
    const size_t at = text.rfind('\\');
    if (at != std::string::npos) {
        text.erase(at);
    }
}

// The TI installation root: XDASDIR names the xdais directory two levels
// below it (D:\CCS\c6000\xdais\ gives D:\CCS\); without it, C:\TI\.
std::string TiRoot() {
    const char* xdasdir = std::getenv("XDASDIR");
    if (xdasdir == nullptr || *xdasdir == '\0') {
        return "C:\\TI\\";
    }
    std::string root = xdasdir;
    while (!root.empty() && root.back() == '\\') {
        root.pop_back();
    }
    CutBeforeLastBackslash(root);
    CutBeforeLastBackslash(root);
    return WithBackslash(root);
}

bool IsSet(int flag) {
    return flag != 0;
}

void SetProjectValues(Printer& print, const BLOCKINFO& block) {
    const ChipFamily& family = FamilyOf(block.Chip);
    const int pair = (family.librariesByEndian ? block.Endian : block.MemoryModel) == 1 ? 1 : 0;
    const std::string alg = LowerCase(block.AlgorithmName);
    print.Set("DIR", WithBackslash(WindowsToolPath(block.Directory)));
    print.Set("project", IsSet(block.xDAIS) ? alg : block.BlockName);
    print.Set("cpu", family.cpuFamily);
    print.Set("alg", alg);
    print.Set("vendor", LowerCase(block.VendorName));
    print.Set("TI", TiRoot() + family.subdirectory);
    print.Set("api", family.apiLibrary[pair]);
    print.Set("rts", family.runtimeLibrary[pair]);
    print.Set("float", "_" + block.BlockName);
    print.Set("integer", "_" + IntegerName(block.BlockName));
    print.Set("target", family.targetOption);
    print.Set("bios", family.biosOption);
}

void WriteProjectSettings(Printer& print) {
    print.Lines({
        "; Code Composer Project File, Version 2.0 (do not modify or remove this line)",
        "",
        "[Project Settings]",
        R"_(ProjectName="<project>")_",
        R"_(ProjectDir="<DIR>DSPCode\")_",
        "ProjectType=Executable",
        "CPUFamily=<cpu>",
        R"_(Tool="Compiler")_",
        R"_(Tool="DspBiosBuilder")_",
        R"_(Tool="Linker")_",
        R"_(Config="Debug")_",
        R"_(Config="Release")_",
        "",
    });
}

// The algorithm's module files and the family's libraries, then the DSP
// sources of the test application.
void WriteXdaisSourceFiles(Printer& print, const BLOCKINFO& block) {
    print.Lines({
        "[Source Files]",
        R"_(Source="<alg>\<alg>.c")_",
        R"_(Source="src\<alg>_<vendor>_ialg.c")_",
        R"_(Source="src\<alg>_<vendor>_ialgvt.c")_",
        R"_(Source="src\i<alg>.c")_",
        R"_(Source="tstapp\main.c")_",
        R"_(Source="<TI>xdais\lib\<api>")_",
        R"_(Source="<TI>cgtools\lib\<rts>")_",
    });
    if (IsSet(block.FloatingPoint)) {
        print.Line(R"_(Source="tstapp\<float>.c")_");
    }
    if (IsSet(block.Integer)) {
        print.Line(R"_(Source="tstapp\<integer>.c")_");
    }
    print.Line("");
}

void WriteXdaisCompilerSettings(Printer& print) {
    print.Lines({
        R"_(["Compiler" Settings: "Debug"])_",
        R"_(Options=-g -q -fr"<DIR>DSPCode\Debug" -i"<TI>xdais\include" -i"<TI>xdais\src\api" -i"<DIR>DSPCode\include" -i"<DIR>DSPCode\first" -d"_DEBUG" <target>)_",
        "",
        R"_(["Compiler" Settings: "Release"])_",
        R"_(Options=-q -o3 -fr"<DIR>DSPCode\Release" -i"<TI>xdais\include" -i"<TI>xdais\src\api" -i"<DIR>DSPCode\include" -i"<DIR>DSPCode\first" <target>)_",
    });
}

void WritePlainSourceFiles(Printer& print, const BLOCKINFO& block) {
    print.Line("[Source Files]");
    if (IsSet(block.FloatingPoint)) {
        print.Line(R"_(Source="<float>.c")_");
    }
    if (IsSet(block.Integer)) {
        print.Line(R"_(Source="<integer>.c")_");
    }
    print.Line("");
}

void WritePlainCompilerSettings(Printer& print) {
    print.Lines({
        R"_(["Compiler" Settings: "Debug"])_",
        R"_(Options=-g -q -fr"<DIR>DSPCode\Debug" -d"_DEBUG" <target>)_",
        "",
        R"_(["Compiler" Settings: "Release"])_",
        R"_(Options=-q -o3 -fr"<DIR>DSPCode\Release" <target>)_",
    });
}

void WriteBiosAndLinkerSettings(Printer& print) {
    print.Lines({
        "",
        R"_(["DspBiosBuilder" Settings: "Debug"])_",
        "Options=-<bios>",
        "",
        R"_(["DspBiosBuilder" Settings: "Release"])_",
        "Options=-<bios>",
        "",
        R"_(["Linker" Settings: "Debug"])_",
        R"_(Options=-q -c -o".\Debug\<project>.out" -x)_",
        "",
        R"_(["Linker" Settings: "Release"])_",
        R"_(Options=-q -c -o".\Release\<project>.out" -x)_",
    });
}

}  // namespace

void WriteCodeComposerProject(OutputFile& file, const BLOCKINFO& block) {
    Printer print(file);
    SetProjectValues(print, block);
    WriteProjectSettings(print);
    if (IsSet(block.xDAIS)) {
        WriteXdaisSourceFiles(print, block);
        WriteXdaisCompilerSettings(print);
    } else {
        WritePlainSourceFiles(print, block);
        WritePlainCompilerSettings(print);
    }
    WriteBiosAndLinkerSettings(print);
}

}  // namespace bw
