#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "projects/placeholder_lines.h"
#include "projects/project_files.h"
#include "projects/project_test_support.h"
#include "support/generate.h"
#include "support/golden.h"

namespace bw {
namespace {

const std::string WD = "C:\\Program Files\\Tessaline\\";

BLOCKINFO SimulationBlock() {
    BLOCKINFO block = NewBlock();
    block.BlockName = "Gain";
    block.Directory = "C:\\Blocks\\Gain";
    block.IncludePath = "C:\\Host\\Include";
    block.LibraryPath = "C:\\Host\\Lib";
    return block;
}

BLOCKINFO DspBlock() {
    BLOCKINFO block = SimulationBlock();
    block.BlockName = "NFFir";
    block.RealTime = 1;
    return block;
}

std::vector<std::string> Generated(Generator generator, const BLOCKINFO& block) {
    return Lines(GenerateInWorkingDirectory(generator, block, WD));
}

int Count(const std::vector<std::string>& lines, const std::string& line) {
    return static_cast<int>(std::count(lines.begin(), lines.end(), line));
}

bool Mentions(const std::vector<std::string>& lines, const std::string& text) {
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& line) { return line.find(text) != line.npos; });
}

// The SOURCE= lines of the project, in order.
std::vector<std::string> ProjectSources(const BLOCKINFO& block) {
    std::vector<std::string> sources;
    for (const std::string& line : Generated(WriteProject, block)) {
        if (line.rfind("SOURCE=", 0) == 0) {
            sources.push_back(line);
        }
    }
    return sources;
}

TEST(VisualCppProject, UserSourceOnlyForPcOnlyBlocks) {
    EXPECT_EQ(
        ProjectSources(SimulationBlock()),
        (std::vector<std::string>{
            "SOURCE=.\\IFGain.c", "SOURCE=.\\Gain.c", "SOURCE=.\\Gain.def", "SOURCE=.\\Gain.rc",
            "SOURCE=.\\hresourc.h", "SOURCE=.\\resource.h", "SOURCE=.\\Gain.h",
            "SOURCE=\"" + WD + "Bddk.lib\"", "SOURCE=\"" + WD + "htmlhelp.lib\""}));
    EXPECT_EQ(ProjectSources(DspBlock()),
              (std::vector<std::string>{
                  "SOURCE=.\\IFNFFir.c", "SOURCE=.\\NFFir.def", "SOURCE=.\\NFFir.rc",
                  "SOURCE=.\\hresourc.h", "SOURCE=.\\resource.h", "SOURCE=.\\NFFir.h",
                  "SOURCE=\"" + WD + "Bddk.lib\"", "SOURCE=\"" + WD + "htmlhelp.lib\""}));

    const auto pc = Generated(WriteMakefile, SimulationBlock());
    EXPECT_EQ(Count(pc, "\t-@erase \"$(INTDIR)\\Gain.obj\""), 2);  // Release and Debug
    EXPECT_EQ(Count(pc, "\t\"$(INTDIR)\\Gain.obj\" \\"), 2);
    EXPECT_EQ(Count(pc, "SOURCE=.\\Gain.c"), 1);
    EXPECT_EQ(Count(pc, "\"$(INTDIR)\\Gain.obj\" : $(SOURCE) \"$(INTDIR)\""), 1);

    const auto dsp = Generated(WriteMakefile, DspBlock());
    EXPECT_FALSE(Mentions(dsp, "\\NFFir.obj"));
    EXPECT_FALSE(Mentions(dsp, "SOURCE=.\\NFFir.c"));
    EXPECT_EQ(Count(dsp, "\t\"$(INTDIR)\\IFNFFir.obj\" \\"), 2);
    EXPECT_EQ(Count(dsp, "SOURCE=.\\IFNFFir.c"), 1);
}

TEST(VisualCppProject, MakefileLinksHostLibrariesFromTheLibraryPath) {
    BLOCKINFO block = SimulationBlock();
    auto lines = Generated(WriteMakefile, block);
    EXPECT_EQ(Count(lines, "\t\"C:\\Host\\Lib\\Bddk.lib\" \\"), 2);
    EXPECT_EQ(Count(lines, "\t\"C:\\Host\\Lib\\htmlhelp.lib\""), 2);
    EXPECT_FALSE(Mentions(lines, WD));

    block.LibraryPath = "C:\\Host\\Lib\\";
    lines = Generated(WriteMakefile, block);
    EXPECT_EQ(Count(lines, "\t\"C:\\Host\\Lib\\\\Bddk.lib\" \\"), 2);
    EXPECT_EQ(Count(lines, "\t\"C:\\Host\\Lib\\\\htmlhelp.lib\""), 2);
}

TEST(VisualCppProject, BlockNameWithBlanksIsWrittenUnchanged) {
    BLOCKINFO block = SimulationBlock();
    block.BlockName = "My Gain";
    EXPECT_EQ(Generated(WriteWorkspace, block).at(5),
              "Project: \"My Gain\"=.\\My Gain.dsp - Package Owner=<4>");
    const auto project = Generated(WriteProject, block);
    EXPECT_EQ(project.front(),
              "# Microsoft Developer Studio Project File - Name=\"My Gain\" - Package Owner=<4>");
    EXPECT_EQ(Count(project, "CFG=My Gain - Win32 Release"), 1);
    EXPECT_EQ(Count(project, "!MESSAGE NMAKE /f \"My Gain.mak\" CFG=\"My Gain - Win32 Release\""),
              1);
    EXPECT_EQ(Count(project, "SOURCE=.\\IFMy Gain.c"), 1);

    const auto makefile = Generated(WriteMakefile, block);
    EXPECT_EQ(makefile.front(),
              "# Microsoft Developer Studio Generated NMAKE File, Based on My Gain.dsp");
    EXPECT_EQ(Count(makefile,
                    "\"$(OUTDIR)\\My Gain.dll\" : \"$(OUTDIR)\" $(DEF_FILE) "
                    "$(LINK32_OBJS)"),
              2);
    EXPECT_EQ(Count(makefile, "!INCLUDE \"My Gain.dep\""), 1);
    EXPECT_EQ(makefile.back(), "!ENDIF ");
}

TEST(VisualCppProject, DirectiveAndFlagLinesKeepTheirTrailingBlank) {
    const auto project = Generated(WriteProject, SimulationBlock());
    EXPECT_EQ(Count(project, "!ENDIF "), 1);
    EXPECT_EQ(Count(project, "!MESSAGE "), 6);
    EXPECT_EQ(Count(project, "!ENDIF") + Count(project, "!MESSAGE"), 0);

    const auto makefile = Generated(WriteMakefile, SimulationBlock());
    EXPECT_EQ(Count(makefile, "!ENDIF "), 7);
    EXPECT_EQ(Count(makefile, "!ELSE "), 2);
    EXPECT_EQ(Count(makefile, "!MESSAGE "), 4);
    EXPECT_EQ(Count(makefile, "   $(CPP_PROJ) $< "), 12);
    EXPECT_EQ(Count(makefile, "\t"), 2);  // BSC32_SBRS continuation
    int flagLines = 0;
    for (const std::string& line : makefile) {
        for (const char* flags :
             {"CPP_PROJ=", "MTL_PROJ=", "RSC_PROJ=", "BSC32_FLAGS=", "LINK32_FLAGS="}) {
            if (line.rfind(flags, 0) == 0) {
                ++flagLines;
                EXPECT_EQ(line.back(), ' ') << line;
            }
        }
    }
    EXPECT_EQ(flagLines, 10);
}

TEST(VisualCppProject, GoldenSimulationBlock) {
    const BLOCKINFO block = SimulationBlock();
    ExpectMatchesGolden("projects/simulation/Gain.dsw",
                        GenerateInWorkingDirectory(WriteWorkspace, block, WD));
    ExpectMatchesGolden("projects/simulation/Gain.dsp",
                        GenerateInWorkingDirectory(WriteProject, block, WD));
    ExpectMatchesGolden("projects/simulation/Gain.mak",
                        GenerateInWorkingDirectory(WriteMakefile, block, WD));
}

TEST(PlaceholderLines, ValuesAreNotExpandedAgain) {
    TempDir dir;
    RunEnvironment environment;
    OutputFile file(environment);
    PlaceholderLines text(file);
    text.Set("<N>", "a<INC>b");
    text.Set("<INC>", "x");
    EXPECT_EQ(text.Fill("<N>|<INC>|<4>"), "a<INC>b|x|<4>");
    text.Set("<N>", "c");
    EXPECT_EQ(text.Fill("<N><N"), "c<N");
}

}  // namespace
}  // namespace bw
