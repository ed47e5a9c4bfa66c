#include "generation/file_set.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/generate.h"

namespace bw {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

std::vector<std::string> Paths(const std::vector<BlockFile>& files) {
    std::vector<std::string> paths;
    for (const BlockFile& file : files) {
        paths.push_back(file.path);
    }
    return paths;
}

std::vector<std::string> Texts(const TreeItem& item) {
    std::vector<std::string> texts;
    for (const TreeItem& child : item.children) {
        texts.push_back(child.text);
    }
    return texts;
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

TEST(FileSetTest, IconNamesAndStockIconsByShape) {
    BLOCKINFO block = Block("Gain");
    block.IconFilename = "blk";
    std::vector<BlockFile> files = RunFileSet(block);
    EXPECT_EQ(files[7].path, "blk.ico");
    EXPECT_EQ(files[8].path, "blk1.ico");

    block.IconFilename = "my.icon.ico";
    block.NumInputs = 0;
    block.NumOutputs = 2;
    files = RunFileSet(block);
    EXPECT_EQ(files[7].path, "my.icon.ico");
    EXPECT_EQ(files[7].stockFile, "input.ico");
    EXPECT_EQ(files[8].path, "my.icon1.ico");
    EXPECT_EQ(files[8].stockFile, "input1.ico");

    block.NumInputs = 2;
    block.NumOutputs = 0;
    EXPECT_EQ(StockIconName(block, "1"), "output1.ico");
    block.NumInputs = 0;
    EXPECT_EQ(StockIconName(block, ""), "process.ico");  // neither a source nor a sink
    block.RealTime = 1;
    block.NumOutputs = 3;
    EXPECT_EQ(StockIconName(block, ""), "RT.ico");
}

TEST(FileSetTest, DirectoryPrefixAddsOneSeparator) {
    BLOCKINFO block = Block("Gain");
    block.Directory = "c:\\blocks\\Gain";
    EXPECT_EQ(DirectoryPrefix(block), "c:\\blocks\\Gain\\");
    block.Directory = "c:\\blocks\\Gain\\";
    EXPECT_EQ(DirectoryPrefix(block), "c:\\blocks\\Gain\\");
    block.Directory = "/tmp/Gain/";
    EXPECT_EQ(DirectoryPrefix(block), "/tmp/Gain/");
}

TEST(FileTreesTest, PcTreeShowsTheRunsFilesExceptTheMakefile) {
    BLOCKINFO block = Block("Gain");
    block.xDAIS = 1;  // shows the bitmap even without the DSP side
    const FileTrees trees = BuildFileTrees(block);
    EXPECT_EQ(trees.pc.text, "PC Based Components");
    EXPECT_FALSE(trees.hasDsp);
    ASSERT_EQ(trees.pc.children.size(), 8u);
    EXPECT_THAT(Texts(trees.pc.children[0]), ElementsAre("Gain.c", "IFGain.c", "Gain.def"));
    EXPECT_THAT(Texts(trees.pc.children[1]), ElementsAre("Gain.h", "resource.h", "hresourc.h"));
    EXPECT_THAT(Texts(trees.pc.children[2]),
                ElementsAre("Gain.rc", "Gain.ico", "Gain1.ico", "Gain.bmp"));
    EXPECT_THAT(Texts(trees.pc),
                ElementsAre("Source Files", "Header Files", "Resource Files", "Gain.tbt",
                            "Gain.lnk", "Gain.txt", "Gain.dsw", "Gain.dsp"));
    // Items carry the file's real path, folders none.
    EXPECT_EQ(trees.pc.children[3].path, "Gain.TBT");
    EXPECT_TRUE(trees.pc.children[0].path.empty());
}

TEST(FileTreesTest, DspTreeOfAnOrdinaryBlock) {
    BLOCKINFO block = RealTimeBlock("NFAdd");
    const FileTrees trees = BuildFileTrees(block);
    ASSERT_TRUE(trees.hasDsp);
    EXPECT_EQ(trees.dsp.text, "DSP Based Components");
    EXPECT_THAT(Texts(trees.dsp), ElementsAre("Source Files", "Header Files"));
    EXPECT_THAT(Texts(trees.dsp.children[0]), ElementsAre("_NFAdd.c", "_NIAdd.c"));
    EXPECT_THAT(Texts(trees.dsp.children[1]), ElementsAre("_NFAdd.h", "_NIAdd.h"));
    EXPECT_EQ(trees.dsp.children[1].children[1].path, "DSPCODE\\_NIAdd.h");
    EXPECT_THAT(Texts(trees.pc.children[0]), ElementsAre("IFNFAdd.c", "NFAdd.def"));

    block.FloatingPoint = 0;
    block.Integer = 0;
    EXPECT_THAT(BuildFileTrees(block).dsp.children[0].children, IsEmpty());
}

TEST(FileTreesTest, DspTreeOfAnXdaisBlockNamesTheModuleFiles) {
    BLOCKINFO block = RealTimeBlock("NFFir");
    block.xDAIS = 1;
    block.Integer = 0;
    block.AlgorithmName = "FIR";
    block.VendorName = "TI";
    const FileTrees trees = BuildFileTrees(block);
    EXPECT_THAT(Texts(trees.dsp), ElementsAre("src", "include", "fir", "tstapp"));
    EXPECT_THAT(Texts(trees.dsp.children[0]),
                ElementsAre("Ifir.c", "fir_ti_ialg.c", "fir_ti_ialgvt.c"));
    EXPECT_THAT(Texts(trees.dsp.children[1]), ElementsAre("fir.h", "Ifir.h", "fir_ti.h"));
    EXPECT_THAT(Texts(trees.dsp.children[2]), ElementsAre("fir.c"));
    EXPECT_THAT(Texts(trees.dsp.children[3]), ElementsAre("_NFFir.c", "_NFFir.h", "main.c"));
    EXPECT_EQ(trees.dsp.children[2].children[0].path, "DSPCODE\\fir\\fir.c");
    // The module files are only named: the run does not produce them.
    for (const BlockFile& file : RunFileSet(block)) {
        EXPECT_EQ(file.path.find("ialg"), std::string::npos) << file.path;
    }
}

}  // namespace
}  // namespace bw
