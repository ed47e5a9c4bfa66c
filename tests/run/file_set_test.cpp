#include "run/file_set.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/generate.h"

namespace bw {
namespace {

using ::testing::ElementsAre;

std::vector<std::string> Paths(const std::vector<BlockFile>& files) {
    std::vector<std::string> paths;
    for (const BlockFile& file : files) {
        paths.push_back(file.path);
    }
    return paths;
}

// "text(child child ...)", the children rendered the same way.
std::string Render(const TreeItem& item) {
    std::string text = item.text;
    for (size_t i = 0; i < item.children.size(); ++i) {
        text += (i == 0 ? "(" : " ") + Render(item.children[i]);
    }
    return item.children.empty() ? text : text + ")";
}

BLOCKINFO Block(const std::string& name) {
    BLOCKINFO block = NewBlock();
    block.BlockName = name;
    block.IconFilename = name + ".ico";
    block.Directory = "c:\\blocks\\" + name;
    return block;
}

BLOCKINFO RealTimeBlock(const std::string& name) {
    BLOCKINFO block = Block(name);
    block.RealTime = 1;
    return block;
}

TEST(FileSetTest, PcBlockInRunOrder) {
    EXPECT_THAT(Paths(RunFileSet(Block("Gain"))),
                ElementsAre("Gain.TBT", "Gain.c", "IFGain.c", "Gain.h", "resource.h", "hresourc.h",
                            "Gain.rc", "Gain.ico", "Gain1.ico", "Gain.lnk", "Gain.def", "Gain.txt",
                            "Gain.dsw", "Gain.dsp", "Gain.mak"));
}

TEST(FileSetTest, RealTimeBlockHasDspFilesAndNoUserSource) {
    const std::vector<BlockFile> files = RunFileSet(RealTimeBlock("NFAdd"));
    EXPECT_THAT(
        Paths(files),
        ElementsAre("NFAdd.TBT", "IFNFAdd.c", "NFAdd.h", "resource.h", "hresourc.h", "NFAdd.rc",
                    "NFAdd.ico", "NFAdd1.ico", "NFAdd.lnk", "NFAdd.def", "NFAdd.txt", "NFAdd.dsw",
                    "NFAdd.dsp", "NFAdd.mak", "DSPCODE\\_NFAdd.c", "DSPCODE\\_NFAdd.h",
                    "DSPCODE\\_NIAdd.c", "DSPCODE\\_NIAdd.h", "DSPCode\\NFAdd.pjt"));
    // Only the integer files are generated from the switched definition.
    for (const BlockFile& file : files) {
        EXPECT_EQ(file.integerVariant, file.path.find("NIAdd") != std::string::npos) << file.path;
    }
}

TEST(FileSetTest, PrecisionsChooseTheDspVariants) {
    BLOCKINFO block = RealTimeBlock("A");
    block.FloatingPoint = 0;
    std::vector<std::string> paths = Paths(RunFileSet(block));
    EXPECT_THAT(std::vector<std::string>(paths.end() - 3, paths.end()),
                ElementsAre("DSPCODE\\_Ai.c", "DSPCODE\\_Ai.h", "DSPCode\\A.pjt"));

    block.FloatingPoint = 1;
    block.Integer = 0;
    paths = Paths(RunFileSet(block));
    EXPECT_THAT(std::vector<std::string>(paths.end() - 3, paths.end()),
                ElementsAre("DSPCODE\\_A.c", "DSPCODE\\_A.h", "DSPCode\\A.pjt"));
}

TEST(FileSetTest, XdaisBlockUsesTestAppFolderAlgorithmProjectAndBitmap) {
    BLOCKINFO block = RealTimeBlock("NFFir");
    block.xDAIS = 1;
    block.AlgorithmName = "FIR";
    block.VendorName = "TI";
    const std::vector<std::string> paths = Paths(RunFileSet(block));
    EXPECT_THAT(
        std::vector<std::string>(paths.end() - 5, paths.end()),
        ElementsAre("DSPCODE\\tstapp\\_NFFir.c", "DSPCODE\\tstapp\\_NFFir.h",
                    "DSPCODE\\tstapp\\_NIFir.c", "DSPCODE\\tstapp\\_NIFir.h", "DSPCode\\FIR.pjt"));
    EXPECT_EQ(paths[8], "NFFir.bmp");  // right after the icons
    EXPECT_EQ(RunFileSet(block)[8].stockFile, "xDAIS.bmp");
}

// Asked for, the CMake project and the toolchain file its head names follow
// the Visual C++ files and show at the tree's root; the DSP files still come last.
TEST(FileSetTest, CMakeProjectOnlyWhenAskedFor) {
    BLOCKINFO block = RealTimeBlock("NFAdd");
    block.CMakeProject = true;
    const std::vector<std::string> paths = Paths(RunFileSet(block));
    ASSERT_EQ(paths.size(), Paths(RunFileSet(RealTimeBlock("NFAdd"))).size() + 2);
    EXPECT_THAT(std::vector<std::string>(paths.begin() + 12, paths.begin() + 17),
                ElementsAre("NFAdd.dsp", "NFAdd.mak", "CMakeLists.txt", "mingw-w64-i686.cmake",
                            "DSPCODE\\_NFAdd.c"));
    EXPECT_EQ(Render(BuildFileTrees(block).pc),
              "PC Based Components(Source Files(IFNFAdd.c NFAdd.def) Header Files(NFAdd.h "
              "resource.h hresourc.h) Resource Files(NFAdd.rc NFAdd.ico NFAdd1.ico) "
              "NFAdd.tbt NFAdd.lnk NFAdd.txt NFAdd.dsw NFAdd.dsp CMakeLists.txt "
              "mingw-w64-i686.cmake)");
}

TEST(FileSetTest, DirectoryPrefixAddsOneSeparator) {
    BLOCKINFO block = Block("Gain");
    for (const char* directory : {"c:\\blocks\\Gain", "c:\\blocks\\Gain\\"}) {
        block.Directory = directory;
        EXPECT_EQ(DirectoryPrefix(block), "c:\\blocks\\Gain\\");
    }
    block.Directory = "/tmp/Gain/";
    EXPECT_EQ(DirectoryPrefix(block), "/tmp/Gain/");
}

TEST(FileTreesTest, TreesShowTheRunsFilesExceptTheMakefileWithTheirPaths) {
    BLOCKINFO block = Block("Gain");
    block.xDAIS = 1;  // shows the bitmap even without the DSP side
    FileTrees trees = BuildFileTrees(block);
    EXPECT_FALSE(trees.hasDsp);
    EXPECT_EQ(Render(trees.pc),
              "PC Based Components(Source Files(Gain.c IFGain.c Gain.def) Header Files(Gain.h "
              "resource.h hresourc.h) Resource Files(Gain.rc Gain.ico Gain1.ico Gain.bmp) "
              "Gain.tbt Gain.lnk Gain.txt Gain.dsw Gain.dsp)");
    // Items carry the file's real path, folders none.
    EXPECT_EQ(trees.pc.children[3].path, "Gain.TBT");
    EXPECT_TRUE(trees.pc.children[0].path.empty());

    block = RealTimeBlock("NFAdd");
    trees = BuildFileTrees(block);
    ASSERT_TRUE(trees.hasDsp);
    EXPECT_EQ(Render(trees.dsp),
              "DSP Based Components(Source Files(_NFAdd.c _NIAdd.c) Header Files(_NFAdd.h "
              "_NIAdd.h))");
    EXPECT_EQ(Render(trees.pc.children[0]), "Source Files(IFNFAdd.c NFAdd.def)");
    EXPECT_EQ(trees.dsp.children[1].children[1].path, "DSPCODE\\_NIAdd.h");
    block.FloatingPoint = block.Integer = 0;
    EXPECT_EQ(Render(BuildFileTrees(block).dsp), "DSP Based Components(Source Files Header Files)");
}

TEST(FileTreesTest, DspTreeOfAnXdaisBlockNamesTheModuleFiles) {
    BLOCKINFO block = RealTimeBlock("NFFir");
    block.xDAIS = 1;
    block.Integer = 0;
    block.AlgorithmName = "FIR";
    block.VendorName = "TI";
    const FileTrees trees = BuildFileTrees(block);
    EXPECT_EQ(Render(trees.dsp),
              "DSP Based Components(src(Ifir.c fir_ti_ialg.c fir_ti_ialgvt.c) include(fir.h "
              "Ifir.h fir_ti.h) fir(fir.c) tstapp(_NFFir.c _NFFir.h main.c))");
    EXPECT_EQ(trees.dsp.children[2].children[0].path, "DSPCODE\\fir\\fir.c");
    // The module files are only named: the run does not produce them.
    for (const BlockFile& file : RunFileSet(block)) {
        EXPECT_EQ(file.path.find("ialg"), std::string::npos) << file.path;
    }
}

}  // namespace
}  // namespace bw
