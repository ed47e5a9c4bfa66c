// UserExecProc: reads and checks every input, settles precision and frame
// size, (re)allocates the outputs, then calls the block's processing routine
// (simulation) or runs the link / DSP run / PC run cycle (real time).
#include <algorithm>

#include "gen_interface/section_text.h"
#include "gen_interface/sections.h"
#include "generation/names_and_literals.h"

namespace bw {

using namespace section_text;

namespace {

// Per-channel lines: "<i>" is the channel, "<k>" a second channel.
std::string Ch(const Printer& print, std::string_view line, int i, int k = 0) {
    return print.Fill(line, {{"i", i}, {"k", k}});
}

int Dimension(const std::vector<int>& dimensions, int i) {
    return i < static_cast<int>(dimensions.size()) ? dimensions[static_cast<size_t>(i)] : 1;
}

// The unlocks and return of a failure branch, at indent blanks; the caller
// closes the branch.
void WriteUnlockAndReturn(Printer& print, const BLOCKINFO& block, int indent,
                          std::string_view code) {
    const std::string pad(static_cast<size_t>(indent), ' ');
    if (block.RealTime) {
        print.Raw(pad + "GlobalUnlock(hScratchParam);");
    }
    print.Raw(pad + "GlobalUnlock(hParam);");
    print.Raw(pad + "return(" + std::string(code) + ");");
}

void WriteFailureBranch(Printer& print, const BLOCKINFO& block, std::string_view test,
                        std::string_view code, int indent = 8) {
    print.Raw(test);
    WriteUnlockAndReturn(print, block, indent, code);
    print.Line("     }");
}

// -------------------------------------------------------------- declarations

void WriteDeclarations(Printer& print, const BLOCKINFO& block) {
    if (block.Bitmap) {
        print.Lines({"     DWORD              dwImageSize;", "     DWORD              dwNumColors;"});
        if (block.NumInputs > 0) {
            print.Line("     LPBITMAPINFOHEADER lpbmih;");
        }
    } else {
        print.Line("     int                nDSize;");
    }
    print.Lines({
        "     int                nPrecision;",
        "     int                LocalError = USR_NO_ERR;",
    });
    if (block.Matrix) {
        print.Lines({
            "     long               MaxRow;",
            "     long               MaxCol;",
            "     LPMATRIXINFOHEADER pMatrix;",
        });
        if (block.NumInputs > 0) {
            print.Line("     BYTE              *pByte;");
        }
    }
    print.Line("     BLOCK_PARAM       *pPtr;");
    if (block.RealTime) {
        print.Line("     SCRATCH_PARAM     *sPtr;");
    }
    for (int i = 0; i < block.NumInputs; ++i) {
        WriteEmptyLine(print);
        WriteFrame(print, Ch(print, "//         Define input variables for Channel <i>", i));
        print.Raw(Ch(print, "     HANDLE             hBuf<i>;", i));
        if (!block.RealTime && !block.Bitmap) {
            print.Raw(Ch(print, "     HANDLE             hBufx<i> = NULL;", i));
        }
        if (block.Matrix) {
            print.Raw(Ch(print, "     MATRIXINFOHEADER   mih<i>;", i));
        }
        print.Raw(Ch(print, "     long               lFlag<i>;", i));
        print.Raw(Ch(print, "     long               QFlag<i>;", i));
    }
    for (int i = 0; i < block.NumOutputs; ++i) {
        WriteEmptyLine(print);
        WriteFrame(print, Ch(print, "//         Define output variables for Channel <i>", i));
        print.Raw(Ch(print, "     HANDLE             hBufOut<i> = NULL;", i));
        print.Raw(Ch(print, "     long               lFlagout<i>;", i));
        print.Raw(Ch(print, "     long               QFlagout<i>;", i));
    }
}

void WriteLocks(Printer& print, const BLOCKINFO& block) {
    print.Lines({
        "",
        "     // get pointer to block parameter structure ",
        "     if ((pPtr = (BLOCK_PARAM *)GlobalLock(hParam))==NULL)",
        "        return(USR_ERR_NPT);",
        "",
    });
    if (block.RealTime) {
        print.Lines(
            {
                "     // get pointer to scratch parameter structure",
                "     if ((sPtr=(SCRATCH_PARAM *) GlobalLock(hScratchParam)) == NULL){",
                "         GlobalUnlock(hParam);",
                "         return(USR_ERR_NPT);",
                "     }",
                "",
            });
    }
}

// ------------------------------------------------------------------- inputs

std::string DataTypeTest(const BLOCKINFO& block) {
    if (block.Bitmap) {
        return " != HDT_IMAGE_BMP){         // check data type attribute";
    }
    if (block.Matrix) {
        return " != HDT_MATRIX){            // check data type attribute";
    }
    return " > HDT_MAXTYPE){         // check data type attribute";
}

std::string ComplexTest(const BLOCKINFO& block) {
    if (!block.Complex) {
        return " > RC_REAL){       // check complex attribute";
    }
    if (block.Real) {
        return " > RC_COMPLEX){       // check complex attribute";
    }
    return " != RC_COMPLEX){       // check complex attribute";
}

void WriteInputDescription(Printer& print, const BLOCKINFO& block, int i) {
    const char* attributeError = block.RealTime ? "USR_ERR_FDT" : "USR_ERR_DT";
    WriteFrame(print, Ch(print, "//         Get input channel and framesize info from Block  - Channel <i>", i));
    WriteEmptyLine(print);
    WriteFailureBranch(print, block,
                       Ch(print, "     if (!GetInputChannelFlag(hBioInfo,<i>,(long *)&lFlag<i>))  {", i),
                       "USR_ERR_FLAG");
    WriteFailureBranch(print, block,
                       Ch(print, "     if (!GetInputQFlag(hBioInfo,<i>,(long *)&QFlag<i>))  {", i),
                       "USR_ERR_QFLAG");
    WriteFailureBranch(print, block,
                       Ch(print, "     if (!GetInputFrameSize(hBioInfo,<i>,(unsigned long *)&pPtr->FramesizeIn<i>))  {",
                          i),
                       "USR_ERR_FS");
    print.Raw(Ch(print, "     hBuf<i> = GetInputDataHandle(hBioInfo,<i>);", i));
    WriteFailureBranch(print, block, Ch(print, "     if (hBuf<i> == NULL) {", i), "USR_ERR_NPT");
    print.Line("     // get input channel context ");
    print.Raw(Ch(print, "     pPtr->RCFlagIn<i> = GETRCFLAG(lFlag<i>);", i));
    print.Raw(Ch(print, "     pPtr->DTFlagIn<i> = GETDTYPE(lFlag<i>);", i));
    WriteFailureBranch(print, block,
                       Ch(print, "     if (!GetInputSampFreq(hBioInfo,<i>,(double *)&pPtr->SampFreqIn<i>))  {", i),
                       "USR_ERR_SMPF");
    print.Line("     // Check input dimension");
    WriteFailureBranch(print, block,
                       Ch(print, "     if (GETDIMENSION(lFlag<i>) != ", i) +
                           std::to_string(Dimension(block.InputChannelDimension, i)) + "){",
                       "USR_ERR_DIM", 10);
    print.Line("     // check data type and complex type attribute");
    WriteFailureBranch(print, block, Ch(print, "     if (pPtr->DTFlagIn<i>", i) + DataTypeTest(block),
                       attributeError, 10);
    if (block.Matrix) {
        WriteFailureBranch(print, block,
                           Ch(print, "     if((pByte = (BYTE *)GlobalLock(hBuf<i>)) == NULL){", i),
                           "USR_ERR_NPT", 9);
        print.Raw(Ch(print, "     memcpy(&mih<i>, pByte, sizeof(mih<i>));", i));
        print.Raw(Ch(print, "     GlobalUnlock(hBuf<i>);", i));
        WriteEmptyLine(print);
    }
    const std::string rcFlag =
        block.Matrix ? "     if (mih<i>.miRCFlag" : "     if (pPtr->RCFlagIn<i>";
    WriteFailureBranch(print, block, Ch(print, rcFlag, i) + ComplexTest(block), attributeError, 10);
    print.Lines({"", ""});
}

// Frame size and sampling rate mismatches are collected, not fatal.
void WriteInputAgreement(Printer& print, const BLOCKINFO& block) {
    if (block.NumInputs < 2) {
        return;
    }
    const std::string error =
        block.RealTime ? "          LocalError = " : "          pPtr->LocalError = ";
    print.Line("     // check for valid framesizes");
    for (int i = 1; i < block.NumInputs; ++i) {
        print.Raw(Ch(print, "     if (pPtr->FramesizeIn0 != pPtr->FramesizeIn<i>){", i));
        print.Raw(error + "USR_ERR_FRSZ;  // set local framesize error");
        print.Lines({"     }", ""});
    }
    print.Line("     // check for valid sampling rates");
    for (int i = 1; i < block.NumInputs; ++i) {
        print.Raw(Ch(print, "     if (pPtr->SampFreqIn0 != pPtr->SampFreqIn<i>){", i));
        print.Raw(error + "USR_ERR_SMPF;  // set local sampling rate error");
        print.Lines({"     }", ""});
    }
}

void WriteQCheck(Printer& print, const BLOCKINFO& block) {
    if (!block.Q || block.NumInputs == 0) {
        return;
    }
    const std::string level = "HDT_Q" + std::to_string(block.QLevel);
    print.Line("     if (pPtr->Precision == HDT_INT){");
    print.Text("       if(HDT_Q0+GETQVALUE(QFlag0) != <level>", {{"level", level}});
    for (int i = 1; i < block.NumInputs; ++i) {
        print.Line(" ||");
        print.Text("          HDT_Q0+GETQVALUE(QFlag<i>) != <level>", {{"i", i}, {"level", level}});
    }
    print.Lines({
        "){",
        "            GlobalUnlock(hScratchParam);",
        "            GlobalUnlock(hParam);",
        "            return(USR_ERR_QVALUE);",
        "       }",
        "     }",
        "",
    });
}

void WriteRealTimePrecisionCheck(Printer& print, const BLOCKINFO& block) {
    if (!block.RealTime || block.NumInputs == 0) {
        return;
    }
    print.Line("     if(pPtr->Precision != HDT_AUTO){");
    for (int i = 0; i < block.NumInputs; ++i) {
        print.Raw(block.Matrix ? Ch(print, "       if(mih<i>.miDTFlag != pPtr->Precision){", i)
                               : Ch(print, "       if(pPtr->DTFlagIn<i> != pPtr->Precision){", i));
        print.Lines({
            "            GlobalUnlock(hScratchParam);",
            "            GlobalUnlock(hParam);",
            "            return(USR_ERR_FPREC);",
            "       }",
        });
    }
    print.Lines({"     }", ""});
}

// ------------------------------------------------------ precision, framesize

void WriteFramesize(Printer& print, const BLOCKINFO& block) {
    WriteFrame(print, "//                   Set precision and framesize info");
    WriteEmptyLine(print);
    if (block.NumInputs > 0) {
        if (block.Native) {
            print.Line("     pPtr->Framesize = 1;");
        } else {
            print.Line("     pPtr->Framesize = ULONG_MAX;");
            for (int i = 0; i < block.NumInputs; ++i) {
                print.Raw(Ch(print, "     pPtr->Framesize = min(pPtr->Framesize, (unsigned long)pPtr->FramesizeIn<i>);",
                             i));
            }
        }
    } else if (block.UserControl || block.Bitmap || block.Native) {
        print.Line("     pPtr->Framesize = 1;");
    }
    WriteEmptyLine(print);
}

void WriteBitmapSizes(Printer& print, const BLOCKINFO& block) {
    for (int i = 0; i < block.NumInputs; ++i) {
        WriteEmptyLine(print);
        WriteFailureBranch(print, block, Ch(print, "     if(pPtr->DTFlagIn<i> != HDT_IMAGE_BMP){", i),
                           "USR_ERR_PRC", 7);
        print.Line("     else{");
        print.Raw(Ch(print, "       if((lpbmih = (LPBITMAPINFOHEADER)GlobalLock(hBuf<i>)) == NULL){", i));
        WriteUnlockAndReturn(print, block, 9, "USR_ERR_NPT");
        print.Line("       }");
        for (std::string_view line : {
                 "       pPtr->dwNumColorsIn<i> = 1 << lpbmih->biBitCount;",
                 "       pPtr->dwBitmapSizeIn<i> = lpbmih->biSize + lpbmih->biSizeImage + pPtr->dwNumColorsIn<i>*sizeof(RGBQUAD);",
                 "       dwNumColors = max(dwNumColors, pPtr->dwNumColorsIn<i>);",
                 "       dwImageSize = max(dwImageSize, lpbmih->biSizeImage);",
                 "       GlobalUnlock(hBuf<i>);",
                 "     }",
             }) {
            print.Raw(Ch(print, line, i));
        }
    }
}

// The processing precision from the inputs when the user chose automatic.
void WriteAutomaticPrecision(Printer& print, const BLOCKINFO& block) {
    if (block.NumInputs == 0) {
        return;
    }
    print.Line("     if (pPtr->Precision == HDT_AUTO){");
    print.Raw(block.Matrix ? "         nPrecision = mih0.miDTFlag;"
                           : "         nPrecision = pPtr->DTFlagIn0;");
    for (int i = 1; i < block.NumInputs; ++i) {
        if (block.RealTime) {
            print.Raw(block.Matrix ? Ch(print, "       if(mih<i>.miDTFlag != nPrecision){", i)
                                   : Ch(print, "         if(pPtr->DTFlagIn<i> != nPrecision){", i));
            print.Lines({
                "              GlobalUnlock(hScratchParam);",
                "              GlobalUnlock(hParam);",
                "              return(USR_ERR_FPREC);",
                "         }",
            });
        } else {
            print.Line(block.Matrix
                           ? Ch(print, "         nPrecision = GetMaxPrecision(nPrecision, mih<i>.miDTFlag);", i)
                           : Ch(print, "         nPrecision = GetMaxPrecision(nPrecision, pPtr->DTFlagIn<i>);",
                                i));
        }
    }
    print.Lines({"     }", ""});
}

void WriteSampleSize(Printer& print, const BLOCKINFO& block) {
    // The order of the tests, floating point first.
    static constexpr int SIZE_ORDER[] = {TYPE_FLOAT, TYPE_INTEGER, TYPE_DOUBLE, TYPE_LONG,
                                         TYPE_SHORT, TYPE_BYTE, TYPE_CHAR};
    for (int code : SIZE_ORDER) {
        const Precision& precision = *PrecisionOfType(code);
        print.Raw("     " + std::string(code == SIZE_ORDER[0] ? "" : "else ") +
                  "if (nPrecision == " + precision.dataType + "){");
        print.Raw("        nDSize = sizeof(" + std::string(precision.typeName) + ");");
        print.Line("     }");
    }
    print.Line("     else {");
    WriteUnlockAndReturn(print, block, 8, "USR_ERR_PRC");
    print.Line("     }");
}

void WritePrecision(Printer& print, const BLOCKINFO& block) {
    if (block.Bitmap) {
        if (block.NumInputs == 0) {
            print.Lines({
                "     dwNumColors = MAXCOLORS;",
                "     dwImageSize = pPtr->ImageHeight*pPtr->ImageWidth;",
            });
        } else {
            print.Lines({"     dwNumColors = 0;", "     dwImageSize = 0;"});
        }
        print.Line("     pPtr->Precision = HDT_IMAGE_BMP;");
    }
    print.Line("     nPrecision = pPtr->Precision;");
    if (block.Bitmap) {
        WriteBitmapSizes(print, block);
    } else {
        WriteEmptyLine(print);
        WriteAutomaticPrecision(print, block);
        WriteSampleSize(print, block);
    }
    if (block.Matrix && block.NumInputs == 0) {
        print.Lines({"", "     MaxRow = pPtr->Rows;", "     MaxCol = pPtr->Columns;"});
    }
}

// ------------------------------------------------------------------ outputs

// A source block's outputs are real, but those of a simulation block with
// complex data only: its user source fills complex outputs only.
const char* SourceOutputLayout(const BLOCKINFO& block) {
    return !block.RealTime && !block.Real ? " = RC_COMPLEX;  // default to complex output"
                                          : " = RC_REAL;  // default to real output";
}

void WriteOutputDefaults(Printer& print, const BLOCKINFO& block, int i) {
    const bool inputs = block.NumInputs > 0;
    WriteEmptyLine(print);
    WriteFrame(print, Ch(print, "//   Get output channel and framesize info from Block - Channel <i>", i));
    WriteFailureBranch(print, block,
                       Ch(print, "     if (!GetOutputChannelFlag(hBioInfo,<i>,(long *)&lFlagout<i>)){", i),
                       "USR_ERR_FLAG", 9);
    print.Raw(Ch(print, "     pPtr->SampFreqOut<i>", i) +
              (inputs ? " = pPtr->SampFreqIn0;" : " = (double)8000.0;"));
    print.Lines({"", "",
                 "     // set output framesize for buffer allocation (default to channel 0)"});
    print.Raw(Ch(print, "     pPtr->RCFlagOut<i>", i) + (inputs ? " = pPtr->RCFlagIn0;   // default to channel 0" : SourceOutputLayout(block)));
}

// A line output i writes once per input k.
void WriteForEachInput(Printer& print, std::string_view line, const BLOCKINFO& block, int i) {
    const auto output = print.With({{"i", i}});
    for (int k = 0; k < block.NumInputs; ++k) {
        print.Line(line, {{"k", NumberText(k)}});
    }
}

constexpr std::string_view FRAMESIZE_MAXIMUM =
    "     pPtr->FramesizeOut<i> = max(pPtr->FramesizeOut<i>, pPtr->FramesizeIn<k>);    // find default framesize for output channel <i>";

void WriteOutputShape(Printer& print, const BLOCKINFO& block, int i) {
    const int inputs = block.NumInputs;
    if (inputs == 0) {
        print.Raw(Ch(print, block.RealTime && block.Matrix ? "     pPtr->FramesizeOut<i> = 1;" : "     pPtr->FramesizeOut<i> = pPtr->Framesize;",
                     i));
        return;
    }
    if (!(block.RealTime && block.Matrix)) {
        print.Raw(Ch(print, "     pPtr->FramesizeOut<i>", i) + (block.Native ? " = 1;" : " = 0;"));
        WriteEmptyLine(print);
        WriteForEachInput(print, FRAMESIZE_MAXIMUM, block, i);
    }
    WriteForEachInput(print, "     pPtr->RCFlagOut<i> = max(pPtr->RCFlagOut<i>, pPtr->RCFlagIn<k>);    // find default RC Flag for output channel <i>",
                      block, i);
    if (block.Matrix) {
        print.Line("     MaxRow = 0;");
        WriteForEachInput(print, "     MaxRow = max(MaxRow, mih<k>.miRows);    // find maximum number of rows",
                          block, i);
        print.Line("     MaxCol = 0;");
        WriteForEachInput(print, "     MaxCol = max(MaxCol, mih<k>.miColumns);    // find maximum number of columns",
                          block, i);
        if (block.RealTime) {
            print.Raw(Ch(print, "     pPtr->FramesizeOut<i> = 0;", i));
            WriteForEachInput(print, FRAMESIZE_MAXIMUM, block, i);
        }
    }
}

void WriteOutputBuffer(Printer& print, const BLOCKINFO& block, int i) {
    if (i == 0) {
        WriteEmptyLine(print);
    }
    WriteFrame(print, Ch(print, "//   Allocate/reallocate memory if needed for output buffer <i>", i));
    WriteEmptyLine(print);
    WriteOutputShape(print, block, i);
    WriteEmptyLine(print);
    print.Line("     // get output buffer handle and reallocate if necessary");
    print.Raw(Ch(print, "     hBufOut<i> = GetOutputDataHandle(hBioInfo,<i>);", i));
    std::string allocation;
    if (block.Bitmap) {
        print.Raw(Ch(print, "     pPtr->dwNumColorsOut<i> = dwNumColors;", i));
        print.Line(Ch(print, "     pPtr->dwBitmapSizeOut<i> = sizeof(BITMAPINFOHEADER)+dwImageSize+pPtr->dwNumColorsOut<i>*sizeof(RGBQUAD);",
                      i));
        allocation =
            Ch(print, "     if ((hBufOut<i> = CheckDataBuffer(hBufOut<i>,(WORD)1,(DWORD)pPtr->dwBitmapSizeOut<i>)) == NULL){",
               i);
    } else if (block.Matrix) {
        allocation =
            Ch(print, "     if ((hBufOut<i> = CheckDataBuffer(hBufOut<i>,1,(DWORD)(pPtr->RCFlagOut<i>+1)*nDSize*MaxRow*MaxCol+sizeof(MATRIXINFOHEADER))) == NULL){",
               i);
    } else {
        // A real-time block's buffers hold one sample more.
        allocation =
            Ch(print, "     if ((hBufOut<i> = CheckDataBuffer(hBufOut<i>,(WORD)nDSize,(DWORD)(pPtr->RCFlagOut<i>+1)*pPtr->FramesizeOut<i>",
               i) +
            (block.RealTime ? "+1)) == NULL){" : ")) == NULL){");
    }
    WriteFailureBranch(print, block, allocation, "USR_ERR_MEM");
    if (block.Matrix) {
        print.Raw(Ch(print, "     if((pMatrix = (LPMATRIXINFOHEADER)GlobalLock(hBufOut<i>)) == NULL){", i));
        // The buffer may be newly allocated: handed to the host, it is not leaked.
        print.Raw(Ch(print, "       SetOutputDataHandle(hBioInfo,<i>,hBufOut<i>);", i));
        WriteUnlockAndReturn(print, block, 7, "USR_ERR_NPT");
        print.Line("     }");
        print.Lines({
            "     pMatrix->miSize = sizeof(MATRIXINFOHEADER);",
            "     pMatrix->miRows = MaxRow;",
            "     pMatrix->miColumns = MaxCol;",
            "     pMatrix->miRCFlag = RC_REAL;",
            "     pMatrix->miDTFlag = nPrecision;",
        });
        print.Raw(Ch(print, "     GlobalUnlock(hBufOut<i>);", i));
    }
    print.Line("     // set buffer allocation flag");
    print.Raw(Ch(print, "     lFlagout<i> = SETBFLAG(lFlagout<i>,1);", i));
    print.Raw(Ch(print, "     SetOutputDataHandle(hBioInfo,<i>,hBufOut<i>);", i));
    WriteEmptyLine(print);
}

// "QFlagout<i> = 0;" and, with Q or inputs, the Q value of the output.
void WriteOutputQFlag(Printer& print, const BLOCKINFO& block, int i, const std::string& pad) {
    print.Raw(pad + Ch(print, "QFlagout<i> = 0;", i));
    if (!block.Q && block.NumInputs == 0) {
        return;
    }
    const int source = std::min(i, block.NumInputs - 1);
    print.Raw(pad + Ch(print, "QFlagout<i> = (nPrecision == HDT_INT ? SETQVALUE(QFlagout<i>,", i) +
              (block.Q ? "HDT_Q" + std::to_string(block.QLevel) + "-HDT_Q0) : 0);"
                       : "QFlag" + std::to_string(source) + ") : 0);"));
}

void WriteOutputDescription(Printer& print, const BLOCKINFO& block, int i,
                            const std::string& pad) {
    const std::string dimension = std::to_string(Dimension(block.OutputChannelDimension, i));
    WriteEmptyLine(print);
    for (std::string_view line : {
             "lFlagout<i> = SETDRFLAG(lFlagout<i>,1);",
             "lFlagout<i> = SETDTYPE(lFlagout<i>,pPtr->DTFlagOut<i>);",
             "lFlagout<i> = SETRCFLAG(lFlagout<i>,pPtr->RCFlagOut<i>);",
         }) {
        print.Raw(pad + Ch(print, line, i));
    }
    print.Raw(pad + Ch(print, "lFlagout<i> = SETDIMENSION(lFlagout<i>,", i) + dimension + ");");
    WriteEmptyLine(print);
    for (std::string_view line : {
             "SetOutputQFlag(hBioInfo,<i>,QFlagout<i>);",
             "SetOutputFrameSize(hBioInfo,<i>,pPtr->FramesizeOut<i>);",
             "SetOutputChannelFlag(hBioInfo,<i>,lFlagout<i>);",
             "SetOutputSampFreq(hBioInfo,<i>,(double *)&pPtr->SampFreqOut<i>);",
         }) {
        print.Raw(pad + Ch(print, line, i));
    }
}

// --------------------------------------------------------- simulation run

void WriteConversion(Printer& print, const BLOCKINFO& block, const Precision& p,
                     int i) {
    const auto channel = print.With({{"i", i}, {"code", p.dataType}, {"label", p.label}, {"type", p.typeName}});
    const auto line = [&](std::string_view text) { print.Line(text); };
    if (block.Matrix) {
        line("        if (mih<i>.miDTFlag != <code>){    // perform conversion to <label>");
        line(
            "           if ((hBufx<i> = CheckDataBuffer(hBufx<i>, 1, (DWORD)sizeof(<type>)*(pPtr->RCFlagIn<i>+1)*mih<i>.miRows*mih<i>.miColumns + sizeof(MATRIXINFOHEADER)))   == NULL){");
    } else {
        line("        if (pPtr->DTFlagIn<i> != <code>){    // perform conversion to <label>");
        line(
            "           if ((hBufx<i> = CheckDataBuffer(hBufx<i>, (WORD)sizeof(<type>),(DWORD)(pPtr->RCFlagIn<i>+1)*pPtr->FramesizeIn<i>))   == NULL){");
    }
    // A failed allocation must not leak the earlier inputs' conversion buffers.
    for (int earlier = 0; earlier < i; ++earlier) {
        print.Raw(Ch(print, "               if (hBufx<i> != NULL) GlobalFree(hBufx<i>);", earlier));
    }
    print.Lines({"               GlobalUnlock(hParam);", "               return(USR_ERR_MEM);",
                 "           }"});
    line(block.Matrix ? "           LocalError = ConvertData(hBuf<i>, hBufx<i>, pPtr->DTFlagIn<i>, <code>, (pPtr->RCFlagIn<i>+1)*mih<i>.miRows*mih<i>.miColumns);"
                      : "           LocalError = ConvertData(hBuf<i>, hBufx<i>, pPtr->DTFlagIn<i>, <code>, (pPtr->RCFlagIn<i>+1)*pPtr->FramesizeIn<i>);");
    print.Lines({"           if (LocalError != USR_NO_ERR)",
                 "               pPtr->LocalError = LocalError;", "        }"});
}

void WriteRoutineCall(Printer& print, const BLOCKINFO& block, const Precision& p) {
    const std::string indent(21, ' ');
    print.Text("        LocalError = <BlockName><suffix>(hParam", {{"BlockName", block.BlockName}, {"suffix", p.suffix}});
    if (UsesScratch(block)) {
        print.Text(", hScratchParam");
    }
    for (int i = 0; i < block.NumInputs; ++i) {
        print.Line(",");
        std::string argument = "hBuf<i>";
        if (!block.Bitmap) {
            argument = block.Matrix ? "((mih<i>.miDTFlag == <code>) ? hBuf<i> : hBufx<i>)"
                                    : "((pPtr->DTFlagIn<i> == <code>) ? hBuf<i> : hBufx<i>)";
        }
        print.Text("<indent>" + argument, {{"indent", indent}, {"i", i}, {"code", p.dataType}});
    }
    for (int i = 0; i < block.NumOutputs; ++i) {
        print.Line(",");
        print.Text("<indent>hBufOut<i>", {{"indent", indent}, {"i", i}});
    }
    print.Line(");");
}

void WriteProcessingBranch(Printer& print, const BLOCKINFO& block, const Precision& p,
                           bool first) {
    WriteFrame(print, "//   Perform " + std::string(p.label) + " operation", 73);
    print.Raw("     " + std::string(first ? "" : "else ") + "if (nPrecision == " +
              p.dataType + "){ // " + p.label + " output procedure");
    if (!block.Bitmap) {
        for (int i = 0; i < block.NumInputs; ++i) {
            WriteConversion(print, block, p, i);
        }
    }
    print.Lines({"", "        // call " + std::string(p.label) + " routine"});
    WriteRoutineCall(print, block, p);
    if (!block.Bitmap) {
        WriteEmptyLine(print);
        if (block.NumInputs > 0) {
            print.Line("        // free global memory used by temporary buffers");
        }
        for (int i = 0; i < block.NumInputs; ++i) {
            print.Raw(Ch(print, "        if (hBufx<i> != NULL) GlobalFree(hBufx<i>);", i));
        }
    }
    print.Line("     }");
}

void WriteSimulationRun(Printer& print, const BLOCKINFO& block) {
    WriteFrame(print, "//   Call the " + block.BlockName + " routine");
    bool first = true;
    for (const Precision& p : PRECISIONS) {
        if (block.*(p.flag)) {
            WriteProcessingBranch(print, block, p, first);
            first = false;
        }
    }
    // Without any enabled precision the error branch stands alone: an "else"
    // with no "if" before it would not compile.
    print.Lines({
        first ? "     {" : "     else {",
        "        GlobalUnlock(hParam);",
        "        return(USR_ERR_PRC);   // return with error, data type mixup",
        "     }",
        "",
    });
    for (int i = 0; i < block.NumOutputs; ++i) {
        WriteFrame(print, Ch(print, "//   Set parameters for output channel <i>", i));
        WriteOutputQFlag(print, block, i, "     ");
        WriteOutputDescription(print, block, i, "     ");
        print.Line("     ");
    }
    print.Lines(
        {
            "     if (pPtr->LocalError != USR_NO_ERR){",
            "          LocalError = pPtr->LocalError;",
            "          pPtr->LocalError = USR_NO_ERR;   // reset local error condition",
            "          GlobalUnlock(hParam);",
            "          return(LocalError);   // return error condition",
            "     }",
            "",
        });
}

// ---------------------------------------------------------- real-time run

// The test of the precisions the DSP code was generated for. With neither
// integer nor floating point there is no DSP code to link, so every
// precision is refused.
std::string AcceptedDspPrecisions(const BLOCKINFO& block) {
    if (block.Integer && block.FloatingPoint) {
        return "        if (nPrecision == HDT_INT || nPrecision == HDT_FLOAT) {";
    }
    if (block.Integer) {
        return "        if (nPrecision == HDT_INT) {";
    }
    if (block.FloatingPoint) {
        return "        if (nPrecision == HDT_FLOAT) {";
    }
    return "        if (FALSE) {    // no DSP code: neither integer nor floating point is enabled";
}

void WriteLinkRun(Printer& print, const BLOCKINFO& block) {
    print.Lines(
        {
            "     if (pPtr->RunMode == RT_RUN_LINK) {",
            "        RTBLOCK_PARAM far *bPtr;",
            "",
            "        // lock real-time block structures",
            "        if ((bPtr = (RTBLOCK_PARAM far *)GlobalLock(sPtr->hRTParam))==NULL)  {",
            "           GlobalUnlock(hScratchParam);",
            "           GlobalUnlock(hParam);",
            "           return(USR_ERR_NPT);",
            "        }",
        });
    const std::string pad(8, ' ');
    for (int i = 0; i < block.NumOutputs; ++i) {
        WriteEmptyLine(print);
        WriteFrame(print, Ch(print, "//   Set parameters for output channel <i>", i));
        WriteOutputQFlag(print, block, i, pad);
        print.Raw(Ch(print, "        pPtr->DTFlagOut<i>", i) +
                  (block.Matrix ? " = HDT_MATRIX;" : " = nPrecision;"));
        WriteOutputDescription(print, block, i, pad);
    }
    WriteEmptyLine(print);
    WriteFrame(print, "//   Call routine to establish data flow (link)");
    print.Lines({
        // The DSP block's name, cut to the host's field.
        "        if (nPrecision == HDT_FLOAT) lstrcpyn(bPtr->BlockName,BFNAME,sizeof(bPtr->BlockName));",
        "        else                         lstrcpyn(bPtr->BlockName,BINAME,sizeof(bPtr->BlockName));",
        "        bPtr->wPrecision = nPrecision;",
        "",
    });
    print.Raw(AcceptedDspPrecisions(block));
    print.Lines(
        {
            "          RTDataFlowLink(hBioInfo, sPtr->hDriver, sPtr->hRTParam, (DriverCall *)sPtr->lpfnVexaSendCommand);",
            "        }",
            "        else {",
            "           // invalid data precision",
            "           GlobalUnlock(sPtr->hRTParam);",
            "           GlobalUnlock(hScratchParam);",
            "           GlobalUnlock(hParam);",
            "           return(USR_ERR_FPREC);   // return with error, invalid precision",
            "        }",
            "",
            "        // set run mode to run DSP next time",
            "        pPtr->RunMode = RT_RUN_DSP;",
            "        GlobalUnlock(sPtr->hRTParam);",
            "     }",
        });
}

void WriteRealTimeRun(Printer& print, const BLOCKINFO& block) {
    WriteFrame(print, "//   Determine run mode (link, DSP run, or PC run)");
    WriteLinkRun(print, block);
    print.Line("     else if (pPtr->RunMode == RT_RUN_DSP){");
    WriteFrame(print, "//   DSP Run");
    print.Lines({
        "        if (!(VexaSendCommand(sPtr->hDriver, DRV_RUNDSP, NULL, (LONG)sPtr->hRTParam))){",
        "             GlobalUnlock(hScratchParam);",
        "             GlobalUnlock(hParam);",
        "             return(USR_ERR_NPT);   // return error condition",
        "        }",
        "        // set run mode for PC next time",
        "        pPtr->RunMode = RT_RUN_PC;",
        "     }",
        "     else if (pPtr->RunMode == RT_RUN_PC){",
    });
    WriteFrame(print, "//   PC Run");
    print.Lines({"        // put optional PC-side run-time code here", "     }", ""});
}

}  // namespace

void WriteUserExecProc(OutputFile& file, const BLOCKINFO& block) {
    Printer print(file);
    WriteBanner(print, 77,
                {
                    "// Function   : UserExecProc()",
                    "// Purpose    : Main procedure for algorithm computation.",
                    "//              This function will handle all computation as well as i/o",
                    "//              function if required",
                    "// Parameters:  hBioInfo      - Block I/O information struct",
                    "//              hParam        - Parameter information struct",
                    "//              hScratchParam - Scratch Parameter struct",
                    "// Returns    : TRUE if initialization complete",
                    "//              FALSE otherwise",
                });
    print.Lines(
        {
            "int PASCAL UserExecProc(HANDLE hBioInfo, HANDLE hParam, HANDLE hScratchParam)",
            "{",
        });
    WriteDeclarations(print, block);
    WriteLocks(print, block);
    for (int i = 0; i < block.NumInputs; ++i) {
        WriteInputDescription(print, block, i);
    }
    WriteInputAgreement(print, block);
    WriteQCheck(print, block);
    WriteRealTimePrecisionCheck(print, block);
    WriteFramesize(print, block);
    WritePrecision(print, block);
    for (int i = 0; i < block.NumOutputs; ++i) {
        WriteOutputDefaults(print, block, i);
    }
    for (int i = 0; i < block.NumOutputs; ++i) {
        WriteOutputBuffer(print, block, i);
    }
    if (block.RealTime) {
        WriteRealTimeRun(print, block);
        print.Line("     GlobalUnlock(hScratchParam);");
    } else {
        WriteSimulationRun(print, block);
    }
    print.Lines({"     GlobalUnlock(hParam);", "     return(LocalError);", "}", ""});
}

}  // namespace bw
