// UserRTCompileProc, UserStopProc and DownloadDSPParameters.
#include <gtest/gtest.h>

#include "gen_interface/parameter_sections_support.h"

namespace bw::param_test {
namespace {

std::vector<std::string> DownloadLines(const BLOCKINFO& block) {
    return Lines(Generate(AsGenerator<WriteDownloadDSPParameters>, block));
}

TEST(RealTimeProcs, UndownloadableTypesGetCommentsButNoWrites) {
    BLOCKINFO block = RealTimeBlock();
    AddParameter(block, "Mark", TYPE_CHAR, "a");
    AddParameter(block, "Title", TYPE_TEXT, "t");
    AddParameter(block, "File", TYPE_FILE_OPEN, "");
    const auto lines = DownloadLines(block);
    EXPECT_TRUE(Contains(lines, "//   Download parameters to the DSP"));
    EXPECT_TRUE(Contains(lines, "    // download parameter 2 (_File)"));
    EXPECT_EQ(CountContaining(lines, "    // This parameter type is not downloaded to the DSP."),
              3u);
    EXPECT_EQ(CountContaining(lines, "DRV_WRMEMVAL"), 0u);
}

TEST(RealTimeProcs, EachDownloadClassWritesItsValueOnce) {
    BLOCKINFO block = RealTimeBlock();
    AddParameter(block, "N", TYPE_SHORT, "1");
    AddParameter(block, "L", TYPE_COMBO_BOX, "");
    AddParameter(block, "G", TYPE_DOUBLE, "1");
    AddParameter(block, "R", TYPE_RADIO_BUTTONS, "Yes");
    const auto lines = DownloadLines(block);
    EXPECT_EQ(CountContaining(lines, "DRV_WRMEMVAL"), 4u);
    EXPECT_EQ(CountContaining(lines, "bPtr->dwAddr"), 1u);
    EXPECT_TRUE(Contains(lines, "    bPtr->dwData     = (DWORD)((LONG)pPtr->_N);"));
    EXPECT_TRUE(Contains(lines, "    bPtr->dwData     = (DWORD)pPtr->_L;"));
    EXPECT_TRUE(Contains(lines, "    bPtr->fData      = (float)pPtr->_G;"));
    EXPECT_TRUE(Contains(
        lines, "    bPtr->bDataType  = (bPtr->wPrecision == HDT_FLOAT ? RTDT_FLT : RTDT_LNG);"));
    EXPECT_TRUE(Contains(lines, "    bPtr->dwData     = (DWORD)(pPtr->_R-IDC_RADIO_R_NO);"));
}

TEST(RealTimeProcs, MatrixSourceDownloadsRowsAndColumnsWithoutParameters) {
    BLOCKINFO block = RealTimeBlock();
    block.NumInputs = 0;
    block.NumOutputs = 0;
    block.Matrix = 1;
    const auto lines = DownloadLines(block);
    EXPECT_EQ(CountContaining(lines, "Download parameters to the DSP"), 0u);
    EXPECT_EQ(CountContaining(lines, "dSampFreqOut0"), 0u);
    const size_t rows = IndexOf(lines, "    // download parameter (Rows)");
    const size_t columns = IndexOf(lines, "    // download parameter (Columns)");
    ASSERT_LT(columns, lines.size());
    EXPECT_LT(rows, columns);
    EXPECT_EQ(lines[rows + 1], "    bPtr->dwData     = (DWORD)((LONG)pPtr->Rows);");
    EXPECT_EQ(CountContaining(lines, "DRV_WRMEMVAL"), 2u);

    block.NumInputs = 1;
    block.xDAIS = 1;
    const auto process = DownloadLines(block);
    EXPECT_EQ(CountContaining(process, "(Rows)"), 0u);
    EXPECT_TRUE(Contains(process, "    bPtr->dwData     = 1;"));
    EXPECT_EQ(CountContaining(process, "DRV_WRMEMVAL"), 1u);
}

TEST(RealTimeProcs, NativeBlockPassesItsResourceWord) {
    BLOCKINFO block = RealTimeBlock();
    auto lines = Lines(Generate(AsGenerator<WriteUserRTCompileProc>, block));
    EXPECT_TRUE(Contains(lines,
                         "         if (!VexaSendCommand (sPtr->hDriver, DRV_LOADBLOCK, NULL, "
                         "(LONG)sPtr->hRTParam)) {"));
    EXPECT_TRUE(Contains(lines,
                         "         if (!VexaSendCommand (sPtr->hDriver, DRV_COMPILELINK, NULL, "
                         "(LONG)sPtr->hRTParam)) {"));
    EXPECT_EQ(CountContaining(lines, "lpResource"), 0u);

    block.Native = 1;
    lines = Lines(Generate(AsGenerator<WriteUserRTCompileProc>, block));
    EXPECT_TRUE(Contains(lines, "    short             *lpResource;"));
    EXPECT_TRUE(Contains(
        lines, "    hResInfo = FindResource(GetBlockInstanceHandle(), \"DLLHEADER\", RT_RCDATA);"));
    EXPECT_TRUE(Contains(lines,
                         "         if (!VexaSendCommand (sPtr->hDriver, DRV_LOADBLOCK, "
                         "(long)*lpResource, (LONG)sPtr->hRTParam)) {"));
    EXPECT_TRUE(Contains(lines,
                         "         if (!VexaSendCommand (sPtr->hDriver, DRV_COMPILELINK, "
                         "(long)*lpResource, (LONG)sPtr->hRTParam)) {"));
    EXPECT_TRUE(Contains(lines,
                         "         if (!VexaSendCommand (sPtr->hDriver, DRV_COMPILEINIT, NULL, "
                         "(LONG)sPtr->hRTParam)) {"));
}

TEST(RealTimeProcs, SimulationStopOnlyResetsTheLocalError) {
    BLOCKINFO block = SimulationBlock();
    auto lines = Lines(Generate(AsGenerator<WriteUserStopProc>, block));
    EXPECT_EQ(CountContaining(lines, "sPtr"), 0u);
    EXPECT_EQ(CountContaining(lines, "hScratchParam)"), 1u);  // the head only
    EXPECT_EQ(CountContaining(lines, "RunMode"), 0u);
    EXPECT_EQ(CountContaining(lines, "DRV_HOLDDSP"), 0u);
    EXPECT_TRUE(Contains(lines, "    pPtr->LocalError = USR_NO_ERR;"));

    AddLocalArray(block, "History", TYPE_INTEGER);
    lines = Lines(Generate(AsGenerator<WriteUserStopProc>, block));
    EXPECT_TRUE(Contains(lines, "    SCRATCH_PARAM     *sPtr = NULL;"));
    EXPECT_TRUE(Contains(lines, "    GlobalUnlock(hScratchParam);"));
    EXPECT_EQ(CountContaining(lines, "DRV_HOLDDSP"), 0u);

    block.RealTime = 1;
    lines = Lines(Generate(AsGenerator<WriteUserStopProc>, block));
    EXPECT_LT(IndexOf(lines, "    pPtr->RunMode = RT_RUN_DSP;   // next run will start DSP"),
              IndexOf(lines,
                      "    if (!VexaSendCommand (sPtr->hDriver, DRV_HOLDDSP, NULL, "
                      "(LONG)sPtr->hRTParam)) {"));
}

}  // namespace
}  // namespace bw::param_test
