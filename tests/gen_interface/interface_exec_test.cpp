// UserExecProc, UserExitProc and UserResetProc.
#include <gtest/gtest.h>

#include "interface_test_support.h"

namespace bw {
namespace {

using namespace interface_test;

std::vector<std::string> Exec(const BLOCKINFO& block) {
    return SectionLines(WriteUserExecProc, block);
}

// Only Integer and FloatingPoint enabled.
BLOCKINFO IntFloatBlock() {
    BLOCKINFO block = GainBlock();
    block.Character = block.Byte = block.ShortInteger = block.LongInteger = block.Double = 0;
    return block;
}

long BranchLines(const std::vector<std::string>& lines) {
    return CountContaining(lines, " output procedure");
}

TEST(InterfaceExec, SourceBlockHasNoInputSections) {
    BLOCKINFO block = IntFloatBlock();
    block.NumInputs = 0;
    block.NumOutputs = 1;
    auto lines = Exec(block);
    EXPECT_EQ(CountContaining(lines, "Get input channel"), 0);
    EXPECT_EQ(CountContaining(lines, "hBuf0"), 0);
    EXPECT_EQ(CountContaining(lines, "hBufx"), 0);
    EXPECT_EQ(CountContaining(lines, "HDT_AUTO"), 0);
    EXPECT_TRUE(Contains(lines, "     pPtr->SampFreqOut0 = (double)8000.0;"));
    EXPECT_TRUE(Contains(lines, "     pPtr->RCFlagOut0 = RC_REAL;  // default to real output"));
    EXPECT_TRUE(Contains(lines, "     pPtr->FramesizeOut0 = pPtr->Framesize;"));
    EXPECT_FALSE(Contains(lines, "     pPtr->Framesize = 1;"));
    // Nothing feeds a Q flag to the output without inputs or Q.
    EXPECT_FALSE(Contains(
        lines, "     QFlagout0 = (nPrecision == HDT_INT ? SETQVALUE(QFlagout0,QFlag0) : 0);"));
    EXPECT_TRUE(Contains(lines, "        LocalError = GainInt(hParam,"));
    EXPECT_TRUE(Contains(lines, "                     hBufOut0);"));
    for (int* flag : {&block.UserControl, &block.Bitmap, &block.Native}) {
        BLOCKINFO variant = block;
        variant.*(&BLOCKINFO::UserControl) = 0;
        *(flag == &block.UserControl ? &variant.UserControl
          : flag == &block.Bitmap    ? &variant.Bitmap
                                     : &variant.Native) = 1;
        EXPECT_TRUE(Contains(Exec(variant), "     pPtr->Framesize = 1;"));
    }
}

TEST(InterfaceExec, InputsAreComparedFromTheSecondOn) {
    BLOCKINFO block = IntFloatBlock();
    EXPECT_EQ(CountContaining(Exec(block), "check for valid"), 0);
    block.NumInputs = 3;
    const auto lines = Exec(block);
    EXPECT_EQ(CountContaining(lines, "if (pPtr->FramesizeIn0 != pPtr->FramesizeIn"), 2);
    EXPECT_TRUE(Contains(lines, "     if (pPtr->FramesizeIn0 != pPtr->FramesizeIn2){"));
    EXPECT_TRUE(Contains(lines, "     if (pPtr->SampFreqIn0 != pPtr->SampFreqIn1){"));
    EXPECT_FALSE(Contains(lines, "     if (pPtr->FramesizeIn0 != pPtr->FramesizeIn0){"));
    EXPECT_EQ(
        Count(lines, "          pPtr->LocalError = USR_ERR_FRSZ;  // set local framesize error"),
        2);
    EXPECT_TRUE(
        Contains(lines, "         nPrecision = GetMaxPrecision(nPrecision, pPtr->DTFlagIn2);"));
    // The call passes every input and output, one per line.
    const long call = IndexOf(lines, "        LocalError = GainInt(hParam,");
    ASSERT_GT(call, 0);
    EXPECT_EQ(lines[static_cast<size_t>(call + 3)],
              "                     ((pPtr->DTFlagIn2 == HDT_INT) ? hBuf2 : hBufx2),");
    EXPECT_EQ(lines[static_cast<size_t>(call + 4)], "                     hBufOut0);");
}

TEST(InterfaceExec, IntegerAndFloatGiveTwoBranches) {
    const auto lines = Exec(IntFloatBlock());
    EXPECT_EQ(BranchLines(lines), 2);
    const long first =
        IndexOf(lines, "     if (nPrecision == HDT_INT){ // integer output procedure");
    const long second =
        IndexOf(lines, "     else if (nPrecision == HDT_FLOAT){ // floating pont output procedure");
    ASSERT_GT(first, 0);
    EXPECT_GT(second, first);
    EXPECT_EQ(lines[static_cast<size_t>(first - 2)], "//   Perform integer operation");
    EXPECT_TRUE(Contains(lines, "        LocalError = GainInt(hParam,"));
    EXPECT_TRUE(Contains(lines, "        LocalError = GainFloat(hParam,"));
    EXPECT_TRUE(Contains(
        lines,
        "        if (pPtr->DTFlagIn0 != HDT_FLOAT){    // perform conversion to floating pont"));
    EXPECT_TRUE(Contains(
        lines,
        "           if ((hBufx0 = CheckDataBuffer(hBufx0, "
        "(WORD)sizeof(float),(DWORD)(pPtr->RCFlagIn0+1)*pPtr->FramesizeIn0))   == NULL){"));
    EXPECT_GT(IndexOf(lines, "     else {", second), second);
}

TEST(InterfaceExec, AllPrecisionsInBranchOrder) {
    BLOCKINFO block = GainBlock();
    block.Character = block.Bitmap = 0;
    const auto lines = Exec(block);
    long previous = 0;
    for (const char* branch :
         {"     if (nPrecision == HDT_BYTE){", "     else if (nPrecision == HDT_SHORT){",
          "     else if (nPrecision == HDT_INT){", "     else if (nPrecision == HDT_LONG){",
          "     else if (nPrecision == HDT_FLOAT){", "     else if (nPrecision == HDT_DOUBLE){"}) {
        const long at = static_cast<long>(std::find_if(lines.begin(), lines.end(),
                                                       [&](const std::string& l) {
                                                           return l.rfind(branch, 0) == 0 &&
                                                                  l.find("output procedure") !=
                                                                      std::string::npos;
                                                       }) -
                                          lines.begin());
        EXPECT_GT(at, previous) << branch;
        previous = at;
    }
}

TEST(InterfaceExec, NoEnabledPrecisionStillCompiles) {
    BLOCKINFO block = IntFloatBlock();
    block.Integer = block.FloatingPoint = 0;
    block.Matrix = 1;
    const auto lines = Exec(block);
    EXPECT_EQ(BranchLines(lines), 0);
    const long error =
        IndexOf(lines, "        return(USR_ERR_PRC);   // return with error, data type mixup");
    ASSERT_GT(error, 0);
    EXPECT_EQ(lines[static_cast<size_t>(error - 2)], "     {");
}

TEST(InterfaceExec, BitmapPassesInputsUnconverted) {
    BLOCKINFO block = IntFloatBlock();
    block.Bitmap = 1;
    block.NumInputs = 2;
    const auto lines = Exec(block);
    EXPECT_EQ(CountContaining(lines, "hBufx"), 0);
    EXPECT_EQ(CountContaining(lines, "nDSize"), 0);
    EXPECT_EQ(CountContaining(lines, "ConvertData"), 0);
    EXPECT_TRUE(Contains(lines, "     LPBITMAPINFOHEADER lpbmih;"));
    EXPECT_TRUE(Contains(lines, "     pPtr->Precision = HDT_IMAGE_BMP;"));
    EXPECT_TRUE(Contains(
        lines, "     if (pPtr->DTFlagIn1 != HDT_IMAGE_BMP){         // check data type attribute"));
    EXPECT_TRUE(
        Contains(lines, "     else if (nPrecision == HDT_IMAGE_BMP){ // Bitmap output procedure"));
    EXPECT_TRUE(Contains(lines, "        LocalError = GainBmp(hParam,"));
    EXPECT_EQ(Count(lines, "                     hBuf1,"), 3);
    EXPECT_TRUE(
        Contains(lines,
                 "     if ((hBufOut0 = "
                 "CheckDataBuffer(hBufOut0,(WORD)1,(DWORD)pPtr->dwBitmapSizeOut0)) == NULL){"));
}

TEST(InterfaceExec, RealTimeRunsTheLinkDspPcCycle) {
    BLOCKINFO block = IntFloatBlock();
    block.RealTime = 1;
    const auto lines = Exec(block);
    EXPECT_EQ(BranchLines(lines), 0);
    EXPECT_EQ(CountContaining(lines, "//   Call the "), 0);
    EXPECT_EQ(CountContaining(lines, "hBufx"), 0);
    EXPECT_TRUE(Contains(lines,
                         "     if ((hBufOut0 = "
                         "CheckDataBuffer(hBufOut0,(WORD)nDSize,(DWORD)(pPtr->RCFlagOut0+1)*pPtr->"
                         "FramesizeOut0+1)) == NULL){"));
    const long link = IndexOf(lines, "     if (pPtr->RunMode == RT_RUN_LINK) {");
    const long dsp = IndexOf(lines, "     else if (pPtr->RunMode == RT_RUN_DSP){");
    const long pc = IndexOf(lines, "     else if (pPtr->RunMode == RT_RUN_PC){");
    ASSERT_GT(link, 0);
    EXPECT_GT(dsp, link);
    EXPECT_GT(pc, dsp);
    EXPECT_TRUE(Contains(lines, "        if (nPrecision == HDT_INT || nPrecision == HDT_FLOAT) {"));
    EXPECT_TRUE(Contains(lines, "        pPtr->DTFlagOut0 = nPrecision;"));
    EXPECT_EQ(lines[lines.size() - 5], "     GlobalUnlock(hScratchParam);");
    EXPECT_TRUE(Contains(
        lines, "     if (pPtr->DTFlagIn0 > HDT_MAXTYPE){         // check data type attribute"));
    EXPECT_TRUE(Contains(lines, "          return(USR_ERR_FDT);"));

    block.FloatingPoint = 0;
    EXPECT_TRUE(Contains(Exec(block), "        if (nPrecision == HDT_INT) {"));
    block.Integer = 0;
    block.FloatingPoint = 1;
    EXPECT_TRUE(Contains(Exec(block), "        if (nPrecision == HDT_FLOAT) {"));
    // Without DSP code for either precision every precision is refused.
    block.FloatingPoint = 0;
    block.Double = 1;
    const auto none = Exec(block);
    const long refused = static_cast<long>(
        std::find_if(none.begin(), none.end(),
                     [](const std::string& l) { return l.rfind("        if (FALSE) {", 0) == 0; }) -
        none.begin());
    ASSERT_LT(refused, static_cast<long>(none.size()));
    EXPECT_EQ(none[static_cast<size_t>(refused + 3)], "        else {");
}

TEST(InterfaceExec, QLevelChecksInputsAndMarksOutputs) {
    BLOCKINFO block = IntFloatBlock();
    block.Q = 1;
    block.QLevel = 15;
    block.NumInputs = 2;
    block.NumOutputs = 3;
    auto lines = Exec(block);
    EXPECT_TRUE(Contains(lines, "       if(HDT_Q0+GETQVALUE(QFlag0) != HDT_Q15 ||"));
    EXPECT_TRUE(Contains(lines, "          HDT_Q0+GETQVALUE(QFlag1) != HDT_Q15){"));
    EXPECT_TRUE(Contains(
        lines,
        "     QFlagout2 = (nPrecision == HDT_INT ? SETQVALUE(QFlagout2,HDT_Q15-HDT_Q0) : 0);"));

    block.Q = 0;
    lines = Exec(block);
    EXPECT_EQ(CountContaining(lines, "GETQVALUE"), 0);
    // An output beyond the inputs takes the last input's Q flag.
    EXPECT_TRUE(Contains(
        lines, "     QFlagout1 = (nPrecision == HDT_INT ? SETQVALUE(QFlagout1,QFlag1) : 0);"));
    EXPECT_TRUE(Contains(
        lines, "     QFlagout2 = (nPrecision == HDT_INT ? SETQVALUE(QFlagout2,QFlag1) : 0);"));

    block.Q = 1;
    block.NumInputs = 0;
    lines = Exec(block);
    EXPECT_EQ(CountContaining(lines, "GETQVALUE"), 0);
    EXPECT_TRUE(Contains(
        lines,
        "     QFlagout0 = (nPrecision == HDT_INT ? SETQVALUE(QFlagout0,HDT_Q15-HDT_Q0) : 0);"));
}

TEST(InterfaceExec, AttributeChecksFollowDataTypes) {
    BLOCKINFO block = IntFloatBlock();
    block.Real = 0;
    EXPECT_TRUE(Contains(
        Exec(block), "     if (pPtr->RCFlagIn0 != RC_COMPLEX){       // check complex attribute"));
    block.Real = 1;
    block.Complex = 0;
    EXPECT_TRUE(Contains(Exec(block),
                         "     if (pPtr->RCFlagIn0 > RC_REAL){       // check complex attribute"));
    block.InputChannelDimension[0] = 2;
    block.OutputChannelDimension[0] = 3;
    const auto lines = Exec(block);
    EXPECT_TRUE(Contains(lines, "     if (GETDIMENSION(lFlag0) != 2){"));
    EXPECT_TRUE(Contains(lines, "     lFlagout0 = SETDIMENSION(lFlagout0,3);"));
}

TEST(InterfaceExec, MatrixShapesOutputsFromInputHeaders) {
    BLOCKINFO block = IntFloatBlock();
    block.Matrix = 1;
    block.NumInputs = 2;
    auto lines = Exec(block);
    EXPECT_TRUE(Contains(lines, "     MATRIXINFOHEADER   mih1;"));
    EXPECT_TRUE(Contains(lines, "     memcpy(&mih1, pByte, sizeof(mih1));"));
    EXPECT_TRUE(
        Contains(lines, "     if (mih0.miRCFlag > RC_COMPLEX){       // check complex attribute"));
    EXPECT_TRUE(Contains(
        lines, "     MaxCol = max(MaxCol, mih1.miColumns);    // find maximum number of columns"));
    EXPECT_TRUE(Contains(lines, "         nPrecision = mih0.miDTFlag;"));
    EXPECT_TRUE(
        Contains(lines, "                     ((mih1.miDTFlag == HDT_FLOAT) ? hBuf1 : hBufx1),"));
    EXPECT_LT(IndexOf(lines, "     pPtr->FramesizeOut0 = 0;"), IndexOf(lines, "     MaxRow = 0;"));

    // Real time with matrices: the frame size follows the matrix shape.
    block.RealTime = 1;
    lines = Exec(block);
    EXPECT_GT(IndexOf(lines, "     pPtr->FramesizeOut0 = 0;"), IndexOf(lines, "     MaxCol = 0;"));
    EXPECT_TRUE(Contains(lines, "        pPtr->DTFlagOut0 = HDT_MATRIX;"));
    EXPECT_TRUE(Contains(lines, "       if(mih1.miDTFlag != nPrecision){"));
}

TEST(InterfaceExit, FreesOutputsLocalArraysAndDriver) {
    BLOCKINFO block = GainBlock();
    block.NumOutputs = 2;
    block.NumLocalArrays = 1;
    block.LocalArrays[0].ArrayName = "Window";
    auto lines = SectionLines(WriteUserExitProc, block);
    EXPECT_TRUE(Contains(lines, "    hBufOut1 = GetOutputDataHandle(hBioInfo,1);"));
    EXPECT_TRUE(Contains(lines, "    FreeGlobalMemory(hBufOut1);"));
    EXPECT_TRUE(Contains(lines, "    FreeGlobalMemory(sPtr->hLocalBuffer0);  // free Window"));
    EXPECT_EQ(CountContaining(lines, "VexaCloseDriver"), 0);
    EXPECT_TRUE(Contains(lines, "    FreeGlobalMemory(hScratchParam);"));

    block.RealTime = 1;
    block.xDAIS = 1;
    block.NumOutputs = 0;
    lines = SectionLines(WriteUserExitProc, block);
    EXPECT_EQ(CountContaining(lines, "hBufOut"), 0);
    EXPECT_EQ(CountContaining(lines, "hLocalBuffer"), 0);
    EXPECT_TRUE(Contains(lines, "    VexaCloseDriver(sPtr->hDriver);"));
    EXPECT_TRUE(Contains(lines, "    FreeGlobalMemory(sPtr->hRTParam);"));
}

TEST(InterfaceReset, ClearsLocalArraysAndRestartsTheDsp) {
    BLOCKINFO block = GainBlock();
    auto lines = SectionLines(WriteUserResetProc, block);
    EXPECT_EQ(CountContaining(lines, "sPtr"), 0);
    EXPECT_EQ(CountContaining(lines, "RunMode"), 0);

    block.RealTime = 1;
    block.NumLocalArrays = 1;
    block.LocalArrays[0] = {"Acc", "", "8", TYPE_LONG};
    lines = SectionLines(WriteUserResetProc, block);
    EXPECT_TRUE(
        Contains(lines, "    pPtr->RunMode = RT_RUN_DSP;       // next run will start DSP"));
    EXPECT_TRUE(Contains(lines, "    long               *PtrLocal0;"));
    EXPECT_TRUE(Contains(lines, "    // clear local buffer 0 (Acc)"));
    EXPECT_TRUE(Contains(lines, "        *(PtrLocal0+index) = 0;"));
    EXPECT_LT(IndexOf(lines, "    GlobalUnlock(sPtr->hLocalBuffer0);"),
              IndexOf(lines, "    // reset DSP"));
    EXPECT_TRUE(Contains(
        lines,
        "    if (!VexaSendCommand (sPtr->hDriver, DRV_RESETDSP,NULL, (LONG)sPtr->hRTParam)) {"));
}

}  // namespace
}  // namespace bw
