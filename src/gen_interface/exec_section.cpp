// UserExecProc: reads and checks every input, settles precision and frame
// size, (re)allocates the outputs, then calls the block's processing routine
// (simulation) or runs the link / DSP run / PC run cycle (real time).
#include <algorithm>

#include "gen_interface/section_text.h"
#include "gen_interface/sections.h"
#include "generation/shared_rules.h"

namespace bw {

using namespace section_text;

namespace {

// Per-channel lines: "<i>" is the channel, "<k>" a second channel.
std::string Ch(std::string_view line, int i, int k = 0) {
    return Fill(line, {{"<i>", Num(i)}, {"<k>", Num(k)}});
}

int Dimension(const std::vector<int>& dimensions, int i) {
    return i < static_cast<int>(dimensions.size()) ? dimensions[static_cast<size_t>(i)] : 1;
}

// The unlocks and return of a failure branch, at indent blanks; the caller
// closes the branch.
void WriteUnlockAndReturn(OutputFile& file, const BLOCKINFO& block, int indent,
                          std::string_view code) {
    const std::string pad(static_cast<size_t>(indent), ' ');
    if (block.RealTime) {
        WriteLine(file, pad + "GlobalUnlock(hScratchParam);");
    }
    WriteLine(file, pad + "GlobalUnlock(hParam);");
    WriteLine(file, pad + "return(" + std::string(code) + ");");
}

void WriteFailureBranch(OutputFile& file, const BLOCKINFO& block, std::string_view test,
                        std::string_view code, int indent = 8) {
    WriteLine(file, test);
    WriteUnlockAndReturn(file, block, indent, code);
    WriteLine(file, "     }");
}

// -------------------------------------------------------------- declarations

void WriteDeclarations(OutputFile& file, const BLOCKINFO& block) {
    if (block.Bitmap) {
        WriteLines(
            file, {"     DWORD              dwImageSize;", "     DWORD              dwNumColors;"});
        if (block.NumInputs > 0) {
            WriteLine(file, "     LPBITMAPINFOHEADER lpbmih;");
        }
    } else {
        WriteLine(file, "     int                nDSize;");
    }
    WriteLines(file, {
                         "     int                nPrecision;",
                         "     int                LocalError = USR_NO_ERR;",
                     });
    if (block.Matrix) {
        WriteLines(file, {
                             "     long               MaxRow;",
                             "     long               MaxCol;",
                             "     LPMATRIXINFOHEADER pMatrix;",
                         });
        if (block.NumInputs > 0) {
            WriteLine(file, "     BYTE              *pByte;");
        }
    }
    WriteLine(file, "     BLOCK_PARAM       *pPtr;");
    if (block.RealTime) {
        WriteLine(file, "     SCRATCH_PARAM     *sPtr;");
    }
    for (int i = 0; i < block.NumInputs; ++i) {
        WriteEmptyLine(file);
        WriteFrame(file, Ch("//         Define input variables for Channel <i>", i));
        WriteLine(file, Ch("     HANDLE             hBuf<i>;", i));
        if (!block.RealTime && !block.Bitmap) {
            WriteLine(file, Ch("     HANDLE             hBufx<i> = NULL;", i));
        }
        if (block.Matrix) {
            WriteLine(file, Ch("     MATRIXINFOHEADER   mih<i>;", i));
        }
        WriteLine(file, Ch("     long               lFlag<i>;", i));
        WriteLine(file, Ch("     long               QFlag<i>;", i));
    }
    for (int i = 0; i < block.NumOutputs; ++i) {
        WriteEmptyLine(file);
        WriteFrame(file, Ch("//         Define output variables for Channel <i>", i));
        WriteLine(file, Ch("     HANDLE             hBufOut<i> = NULL;", i));
        WriteLine(file, Ch("     long               lFlagout<i>;", i));
        WriteLine(file, Ch("     long               QFlagout<i>;", i));
    }
}

void WriteLocks(OutputFile& file, const BLOCKINFO& block) {
    WriteLines(file, {
                         "",
                         "     // get pointer to block parameter structure ",
                         "     if ((pPtr = (BLOCK_PARAM *)GlobalLock(hParam))==NULL)",
                         "        return(USR_ERR_NPT);",
                         "",
                     });
    if (block.RealTime) {
        WriteLines(file,
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

void WriteInputDescription(OutputFile& file, const BLOCKINFO& block, int i) {
    const char* attributeError = block.RealTime ? "USR_ERR_FDT" : "USR_ERR_DT";
    WriteFrame(file,
               Ch("//         Get input channel and framesize info from Block  - Channel <i>", i));
    WriteEmptyLine(file);
    WriteFailureBranch(file, block,
                       Ch("     if (!GetInputChannelFlag(hBioInfo,<i>,(long *)&lFlag<i>))  {", i),
                       "USR_ERR_FLAG");
    WriteFailureBranch(file, block,
                       Ch("     if (!GetInputQFlag(hBioInfo,<i>,(long *)&QFlag<i>))  {", i),
                       "USR_ERR_QFLAG");
    WriteFailureBranch(
        file, block,
        Ch("     if (!GetInputFrameSize(hBioInfo,<i>,(unsigned long *)&pPtr->FramesizeIn<i>))  {",
           i),
        "USR_ERR_FS");
    WriteLine(file, Ch("     hBuf<i> = GetInputDataHandle(hBioInfo,<i>);", i));
    WriteFailureBranch(file, block, Ch("     if (hBuf<i> == NULL) {", i), "USR_ERR_NPT");
    WriteLine(file, "     // get input channel context ");
    WriteLine(file, Ch("     pPtr->RCFlagIn<i> = GETRCFLAG(lFlag<i>);", i));
    WriteLine(file, Ch("     pPtr->DTFlagIn<i> = GETDTYPE(lFlag<i>);", i));
    WriteFailureBranch(
        file, block,
        Ch("     if (!GetInputSampFreq(hBioInfo,<i>,(double *)&pPtr->SampFreqIn<i>))  {", i),
        "USR_ERR_SMPF");
    // This branch never unlocks the scratch structure.
    WriteLine(file, "     // Check input dimension");
    WriteLine(file, Ch("     if (GETDIMENSION(lFlag<i>) != ", i) +
                        Num(Dimension(block.InputChannelDimension, i)) + "){");
    WriteLines(file,
               {"          GlobalUnlock(hParam);", "          return(USR_ERR_DIM);", "     }"});
    WriteLine(file, "     // check data type and complex type attribute");
    WriteFailureBranch(file, block, Ch("     if (pPtr->DTFlagIn<i>", i) + DataTypeTest(block),
                       attributeError, 10);
    if (block.Matrix) {
        WriteLine(file, Ch("     if((pByte = (BYTE *)GlobalLock(hBuf<i>)) == NULL){", i));
        WriteLines(file,
                   {"         GlobalUnlock(hParam);", "         return(USR_ERR_NPT);", "     }"});
        WriteLine(file, Ch("     memcpy(&mih<i>, pByte, sizeof(mih<i>));", i));
        WriteLine(file, Ch("     GlobalUnlock(hBuf<i>);", i));
        WriteEmptyLine(file);
    }
    const std::string rcFlag =
        block.Matrix ? "     if (mih<i>.miRCFlag" : "     if (pPtr->RCFlagIn<i>";
    WriteFailureBranch(file, block, Ch(rcFlag, i) + ComplexTest(block), attributeError, 10);
    WriteLines(file, {"", ""});
}

// Frame size and sampling rate mismatches are collected, not fatal.
void WriteInputAgreement(OutputFile& file, const BLOCKINFO& block) {
    if (block.NumInputs < 2) {
        return;
    }
    const std::string error =
        block.RealTime ? "          LocalError = " : "          pPtr->LocalError = ";
    WriteLine(file, "     // check for valid framesizes");
    for (int i = 1; i < block.NumInputs; ++i) {
        WriteLine(file, Ch("     if (pPtr->FramesizeIn0 != pPtr->FramesizeIn<i>){", i));
        WriteLine(file, error + "USR_ERR_FRSZ;  // set local framesize error");
        WriteLines(file, {"     }", ""});
    }
    WriteLine(file, "     // check for valid sampling rates");
    for (int i = 1; i < block.NumInputs; ++i) {
        WriteLine(file, Ch("     if (pPtr->SampFreqIn0 != pPtr->SampFreqIn<i>){", i));
        WriteLine(file, error + "USR_ERR_SMPF;  // set local sampling rate error");
        WriteLines(file, {"     }", ""});
    }
}

void WriteQCheck(OutputFile& file, const BLOCKINFO& block) {
    if (!block.Q || block.NumInputs == 0) {
        return;
    }
    const std::string level = "HDT_Q" + Num(block.QLevel);
    WriteLine(file, "     if (pPtr->Precision == HDT_INT){");
    Write(file, "       if(HDT_Q0+GETQVALUE(QFlag0) != " + level);
    for (int i = 1; i < block.NumInputs; ++i) {
        WriteLine(file, " ||");
        Write(file, Ch("          HDT_Q0+GETQVALUE(QFlag<i>) != ", i) + level);
    }
    WriteLines(file, {
                         "){",
                         "            GlobalUnlock(hScratchParam);",
                         "            GlobalUnlock(hParam);",
                         "            return(USR_ERR_QVALUE);",
                         "       }",
                         "     }",
                         "",
                     });
}

void WriteRealTimePrecisionCheck(OutputFile& file, const BLOCKINFO& block) {
    if (!block.RealTime || block.NumInputs == 0) {
        return;
    }
    WriteLine(file, "     if(pPtr->Precision != HDT_AUTO){");
    for (int i = 0; i < block.NumInputs; ++i) {
        WriteLine(file, block.Matrix ? Ch("       if(mih<i>.miDTFlag != pPtr->Precision){", i)
                                     : Ch("       if(pPtr->DTFlagIn<i> != pPtr->Precision){", i));
        WriteLines(file, {
                             "            GlobalUnlock(hScratchParam);",
                             "            GlobalUnlock(hParam);",
                             "            return(USR_ERR_FPREC);",
                             "       }",
                         });
    }
    WriteLines(file, {"     }", ""});
}

// ------------------------------------------------------ precision, framesize

void WriteFramesize(OutputFile& file, const BLOCKINFO& block) {
    WriteFrame(file, "//                   Set precision and framesize info");
    WriteEmptyLine(file);
    if (block.NumInputs > 0) {
        if (block.Native) {
            WriteLine(file, "     pPtr->Framesize = 1;");
        } else {
            WriteLine(file, "     pPtr->Framesize = ULONG_MAX;");
            for (int i = 0; i < block.NumInputs; ++i) {
                WriteLine(file, Ch("     pPtr->Framesize = min(pPtr->Framesize, (unsigned long)pPtr->FramesizeIn<i>);",
                                   i));
            }
        }
    } else if (block.UserControl || block.Bitmap || block.Native) {
        WriteLine(file, "     pPtr->Framesize = 1;");
    }
    WriteEmptyLine(file);
}

void WriteBitmapSizes(OutputFile& file, const BLOCKINFO& block) {
    for (int i = 0; i < block.NumInputs; ++i) {
        WriteEmptyLine(file);
        for (std::string_view line : {
                 "     if(pPtr->DTFlagIn<i> != HDT_IMAGE_BMP)",
                 "       return(USR_ERR_PRC);",
                 "     else{",
                 "       if((lpbmih = (LPBITMAPINFOHEADER)GlobalLock(hBuf<i>)) == NULL){",
                 "         GlobalUnlock(hParam);",
                 "         return(USR_ERR_NPT);",
                 "       }",
                 "       pPtr->dwNumColorsIn<i> = 1 << lpbmih->biBitCount;",
                 "       pPtr->dwBitmapSizeIn<i> = lpbmih->biSize + lpbmih->biSizeImage + pPtr->dwNumColorsIn<i>*sizeof(RGBQUAD);",
                 "       dwNumColors = max(dwNumColors, pPtr->dwNumColorsIn<i>);",
                 "       dwImageSize = max(dwImageSize, lpbmih->biSizeImage);",
                 "       GlobalUnlock(hBuf<i>);",
                 "     }",
             }) {
            WriteLine(file, Ch(line, i));
        }
    }
}

// The processing precision from the inputs when the user chose automatic.
void WriteAutomaticPrecision(OutputFile& file, const BLOCKINFO& block) {
    if (block.NumInputs == 0) {
        return;
    }
    WriteLine(file, "     if (pPtr->Precision == HDT_AUTO){");
    WriteLine(file, block.Matrix ? "         nPrecision = mih0.miDTFlag;"
                                 : "         nPrecision = pPtr->DTFlagIn0;");
    for (int i = 1; i < block.NumInputs; ++i) {
        if (block.RealTime) {
            WriteLine(file, block.Matrix ? Ch("       if(mih<i>.miDTFlag != nPrecision){", i)
                                         : Ch("         if(pPtr->DTFlagIn<i> != nPrecision){", i));
            WriteLines(file, {
                                 "              GlobalUnlock(hScratchParam);",
                                 "              GlobalUnlock(hParam);",
                                 "              return(USR_ERR_FPREC);",
                                 "         }",
                             });
        } else {
            WriteLine(
                file,
                block.Matrix
                    ? Ch("         nPrecision = GetMaxPrecision(nPrecision, mih<i>.miDTFlag);", i)
                    : Ch("         nPrecision = GetMaxPrecision(nPrecision, pPtr->DTFlagIn<i>);",
                         i));
        }
    }
    WriteLines(file, {"     }", ""});
}

void WriteSampleSize(OutputFile& file, const BLOCKINFO& block) {
    static const std::pair<const char*, const char*> OTHER_SIZES[] = {
        {"HDT_INT", "int"},
        {"HDT_DOUBLE", "double"},
        {"HDT_LONG", "long"},
        {"HDT_SHORT", "short"},
        {"HDT_BYTE", "BYTE"},
        {"HDT_CHAR", "char"},
    };
    WriteLines(file,
               {"     if (nPrecision == HDT_FLOAT){", "        nDSize = sizeof(float);", "     }"});
    for (const auto& [code, type] : OTHER_SIZES) {
        WriteLine(file, "     else if (nPrecision == " + std::string(code) + "){");
        WriteLine(file, "        nDSize = sizeof(" + std::string(type) + ");");
        WriteLine(file, "     }");
    }
    WriteLine(file, "     else {");
    WriteUnlockAndReturn(file, block, 8, "USR_ERR_PRC");
    WriteLine(file, "     }");
}

void WritePrecision(OutputFile& file, const BLOCKINFO& block) {
    if (block.Bitmap) {
        if (block.NumInputs == 0) {
            WriteLines(file, {
                                 "     dwNumColors = MAXCOLORS;",
                                 "     dwImageSize = pPtr->ImageHeight*pPtr->ImageWidth;",
                             });
        } else {
            WriteLines(file, {"     dwNumColors = 0;", "     dwImageSize = 0;"});
        }
        WriteLine(file, "     pPtr->Precision = HDT_IMAGE_BMP;");
    }
    WriteLine(file, "     nPrecision = pPtr->Precision;");
    if (block.Bitmap) {
        WriteBitmapSizes(file, block);
    } else {
        WriteEmptyLine(file);
        WriteAutomaticPrecision(file, block);
        WriteSampleSize(file, block);
    }
    if (block.Matrix && block.NumInputs == 0) {
        WriteLines(file, {"", "     MaxRow = pPtr->Rows;", "     MaxCol = pPtr->Columns;"});
    }
}

// ------------------------------------------------------------------ outputs

void WriteOutputDefaults(OutputFile& file, const BLOCKINFO& block, int i) {
    const bool inputs = block.NumInputs > 0;
    WriteEmptyLine(file);
    WriteFrame(file, Ch("//   Get output channel and framesize info from Block - Channel <i>", i));
    WriteFailureBranch(file, block,
                       Ch("     if (!GetOutputChannelFlag(hBioInfo,<i>,(long *)&lFlagout<i>)){", i),
                       "USR_ERR_FLAG", 9);
    WriteLine(file, Ch("     pPtr->SampFreqOut<i>", i) +
                        (inputs ? " = pPtr->SampFreqIn0;" : " = (double)8000.0;"));
    WriteLines(file, {"", "",
                      "     // set output framesize for buffer allocation (default to channel 0)"});
    WriteLine(file, Ch("     pPtr->RCFlagOut<i>", i) +
                        (inputs ? " = pPtr->RCFlagIn0;   // default to channel 0"
                                : " = RC_REAL;  // default to real output"));
}

// A line output i writes once per input k. With many channels these lines
// are most of the source, so the text around the input's number is filled
// once per output.
void WriteForEachInput(OutputFile& file, std::string_view line, const BLOCKINFO& block, int i) {
    const LinePattern pattern(Fill(line, {{"<i>", Num(i)}}), {"<k>"});
    for (int k = 0; k < block.NumInputs; ++k) {
        pattern.WriteLine(file, {NumberText(k)});
    }
}

constexpr std::string_view FRAMESIZE_MAXIMUM =
    "     pPtr->FramesizeOut<i> = max(pPtr->FramesizeOut<i>, pPtr->FramesizeIn<k>);    // find default framesize for output channel <i>";

void WriteOutputShape(OutputFile& file, const BLOCKINFO& block, int i) {
    const int inputs = block.NumInputs;
    if (inputs == 0) {
        WriteLine(file, Ch(block.RealTime && block.Matrix
                               ? "     pPtr->FramesizeOut<i> = 1;"
                               : "     pPtr->FramesizeOut<i> = pPtr->Framesize;",
                           i));
        return;
    }
    if (!(block.RealTime && block.Matrix)) {
        WriteLine(file, Ch("     pPtr->FramesizeOut<i>", i) + (block.Native ? " = 1;" : " = 0;"));
        WriteEmptyLine(file);
        WriteForEachInput(file, FRAMESIZE_MAXIMUM, block, i);
    }
    WriteForEachInput(file,
                      "     pPtr->RCFlagOut<i> = max(pPtr->RCFlagOut<i>, pPtr->RCFlagIn<k>);    // find default RC Flag for output channel <i>",
                      block, i);
    if (block.Matrix) {
        WriteLine(file, "     MaxRow = 0;");
        WriteForEachInput(file,
                          "     MaxRow = max(MaxRow, mih<k>.miRows);    // find maximum number of rows",
                          block, i);
        WriteLine(file, "     MaxCol = 0;");
        WriteForEachInput(file,
                          "     MaxCol = max(MaxCol, mih<k>.miColumns);    // find maximum number of columns",
                          block, i);
        if (block.RealTime) {
            WriteLine(file, Ch("     pPtr->FramesizeOut<i> = 0;", i));
            WriteForEachInput(file, FRAMESIZE_MAXIMUM, block, i);
        }
    }
}

void WriteOutputBuffer(OutputFile& file, const BLOCKINFO& block, int i) {
    if (i == 0) {
        WriteEmptyLine(file);
    }
    WriteFrame(file, Ch("//   Allocate/reallocate memory if needed for output buffer <i>", i));
    WriteEmptyLine(file);
    WriteOutputShape(file, block, i);
    WriteEmptyLine(file);
    WriteLine(file, "     // get output buffer handle and reallocate if necessary");
    WriteLine(file, Ch("     hBufOut<i> = GetOutputDataHandle(hBioInfo,<i>);", i));
    std::string allocation;
    if (block.Bitmap) {
        WriteLine(file, Ch("     pPtr->dwNumColorsOut<i> = dwNumColors;", i));
        WriteLine(
            file,
            Ch("     pPtr->dwBitmapSizeOut<i> = sizeof(BITMAPINFOHEADER)+dwImageSize+pPtr->dwNumColorsOut<i>*sizeof(RGBQUAD);",
               i));
        allocation =
            Ch("     if ((hBufOut<i> = CheckDataBuffer(hBufOut<i>,(WORD)1,(DWORD)pPtr->dwBitmapSizeOut<i>)) == NULL){",
               i);
    } else if (block.Matrix) {
        allocation =
            Ch("     if ((hBufOut<i> = CheckDataBuffer(hBufOut<i>,1,(DWORD)(pPtr->RCFlagOut<i>+1)*nDSize*MaxRow*MaxCol+sizeof(MATRIXINFOHEADER))) == NULL){",
               i);
    } else {
        // A real-time block's buffers hold one sample more.
        allocation =
            Ch("     if ((hBufOut<i> = CheckDataBuffer(hBufOut<i>,(WORD)nDSize,(DWORD)(pPtr->RCFlagOut<i>+1)*pPtr->FramesizeOut<i>",
               i) +
            (block.RealTime ? "+1)) == NULL){" : ")) == NULL){");
    }
    WriteFailureBranch(file, block, allocation, "USR_ERR_MEM");
    if (block.Matrix) {
        WriteLine(
            file,
            Ch("     if((pMatrix = (LPMATRIXINFOHEADER)GlobalLock(hBufOut<i>)) == NULL){", i));
        WriteLines(file, {
                             "       GlobalUnlock(hParam);",
                             "       return(USR_ERR_NPT);",
                             "     }",
                             "     pMatrix->miSize = sizeof(MATRIXINFOHEADER);",
                             "     pMatrix->miRows = MaxRow;",
                             "     pMatrix->miColumns = MaxCol;",
                             "     pMatrix->miRCFlag = RC_REAL;",
                             "     pMatrix->miDTFlag = nPrecision;",
                         });
        WriteLine(file, Ch("     GlobalUnlock(hBufOut<i>);", i));
    }
    WriteLine(file, "     // set buffer allocation flag");
    WriteLine(file, Ch("     lFlagout<i> = SETBFLAG(lFlagout<i>,1);", i));
    WriteLine(file, Ch("     SetOutputDataHandle(hBioInfo,<i>,hBufOut<i>);", i));
    WriteEmptyLine(file);
}

// "QFlagout<i> = 0;" and, with Q or inputs, the Q value of the output.
void WriteOutputQFlag(OutputFile& file, const BLOCKINFO& block, int i, const std::string& pad) {
    WriteLine(file, pad + Ch("QFlagout<i> = 0;", i));
    if (!block.Q && block.NumInputs == 0) {
        return;
    }
    const int source = std::min(i, block.NumInputs - 1);
    WriteLine(file, pad + Ch("QFlagout<i> = (nPrecision == HDT_INT ? SETQVALUE(QFlagout<i>,", i) +
                        (block.Q ? "HDT_Q" + Num(block.QLevel) + "-HDT_Q0) : 0);"
                                 : "QFlag" + Num(source) + ") : 0);"));
}

void WriteOutputDescription(OutputFile& file, const BLOCKINFO& block, int i,
                            const std::string& pad) {
    const std::string dimension = Num(Dimension(block.OutputChannelDimension, i));
    WriteEmptyLine(file);
    for (std::string_view line : {
             "lFlagout<i> = SETDRFLAG(lFlagout<i>,1);",
             "lFlagout<i> = SETDTYPE(lFlagout<i>,pPtr->DTFlagOut<i>);",
             "lFlagout<i> = SETRCFLAG(lFlagout<i>,pPtr->RCFlagOut<i>);",
         }) {
        WriteLine(file, pad + Ch(line, i));
    }
    WriteLine(file, pad + Ch("lFlagout<i> = SETDIMENSION(lFlagout<i>,", i) + dimension + ");");
    WriteEmptyLine(file);
    for (std::string_view line : {
             "SetOutputQFlag(hBioInfo,<i>,QFlagout<i>);",
             "SetOutputFrameSize(hBioInfo,<i>,pPtr->FramesizeOut<i>);",
             "SetOutputChannelFlag(hBioInfo,<i>,lFlagout<i>);",
             "SetOutputSampFreq(hBioInfo,<i>,(double *)&pPtr->SampFreqOut<i>);",
         }) {
        WriteLine(file, pad + Ch(line, i));
    }
}

// --------------------------------------------------------- simulation run

void WriteConversion(OutputFile& file, const BLOCKINFO& block, const ProcessingPrecision& p,
                     int i) {
    const Field fields[] = {
        {"<i>", Num(i)}, {"<code>", p.dataType}, {"<label>", p.label}, {"<type>", p.typeName}};
    const auto line = [&](std::string_view text) { WriteFilled(file, text, fields); };
    if (block.Matrix) {
        line("        if (mih<i>.miDTFlag != <code>){    // perform conversion to <label>");
        line(
            "           if ((hBufx<i> = CheckDataBuffer(hBufx<i>, 1, (DWORD)sizeof(<type>)*(pPtr->RCFlagIn<i>+1)*mih<i>.miRows*mih<i>.miColumns + sizeof(MATRIXINFOHEADER)))   == NULL){");
    } else {
        line("        if (pPtr->DTFlagIn<i> != <code>){    // perform conversion to <label>");
        line(
            "           if ((hBufx<i> = CheckDataBuffer(hBufx<i>, (WORD)sizeof(<type>),(DWORD)(pPtr->RCFlagIn<i>+1)*pPtr->FramesizeIn<i>))   == NULL){");
    }
    WriteLines(file, {"               GlobalUnlock(hParam);", "               return(USR_ERR_MEM);",
                      "           }"});
    line(block.Matrix ? "           LocalError = ConvertData(hBuf<i>, hBufx<i>, pPtr->DTFlagIn<i>, <code>, (pPtr->RCFlagIn<i>+1)*mih<i>.miRows*mih<i>.miColumns);"
                      : "           LocalError = ConvertData(hBuf<i>, hBufx<i>, pPtr->DTFlagIn<i>, <code>, (pPtr->RCFlagIn<i>+1)*pPtr->FramesizeIn<i>);");
    WriteLines(file, {"           if (LocalError != USR_NO_ERR)",
                      "               pPtr->LocalError = LocalError;", "        }"});
}

void WriteRoutineCall(OutputFile& file, const BLOCKINFO& block, const ProcessingPrecision& p) {
    const std::string indent(21, ' ');
    Write(file, "        LocalError = " + block.BlockName + p.suffix + "(hParam");
    if (UsesScratch(block)) {
        Write(file, ", hScratchParam");
    }
    for (int i = 0; i < block.NumInputs; ++i) {
        WriteLine(file, ",");
        std::string argument = "hBuf<i>";
        if (!block.Bitmap) {
            argument = block.Matrix ? "((mih<i>.miDTFlag == <code>) ? hBuf<i> : hBufx<i>)"
                                    : "((pPtr->DTFlagIn<i> == <code>) ? hBuf<i> : hBufx<i>)";
        }
        Write(file, indent + Fill(argument, {{"<i>", Num(i)}, {"<code>", p.dataType}}));
    }
    for (int i = 0; i < block.NumOutputs; ++i) {
        WriteLine(file, ",");
        Write(file, indent + Ch("hBufOut<i>", i));
    }
    WriteLine(file, ");");
}

void WriteProcessingBranch(OutputFile& file, const BLOCKINFO& block, const ProcessingPrecision& p,
                           bool first) {
    WriteFrame(file, "//   Perform " + std::string(p.label) + " operation", 73);
    WriteLine(file, "     " + std::string(first ? "" : "else ") + "if (nPrecision == " +
                        p.dataType + "){ // " + p.label + " output procedure");
    if (!block.Bitmap) {
        for (int i = 0; i < block.NumInputs; ++i) {
            WriteConversion(file, block, p, i);
        }
    }
    WriteLines(file, {"", "        // call " + std::string(p.label) + " routine"});
    WriteRoutineCall(file, block, p);
    if (!block.Bitmap) {
        WriteEmptyLine(file);
        if (block.NumInputs > 0) {
            WriteLine(file, "        // free global memory used by temporary buffers");
        }
        for (int i = 0; i < block.NumInputs; ++i) {
            WriteLine(file, Ch("        if (hBufx<i> != NULL) GlobalFree(hBufx<i>);", i));
        }
    }
    WriteLine(file, "     }");
}

void WriteSimulationRun(OutputFile& file, const BLOCKINFO& block) {
    WriteFrame(file, "//   Call the " + block.BlockName + " routine");
    bool first = true;
    for (const ProcessingPrecision& p : PROCESSING_PRECISIONS) {
        if (block.*(p.flag)) {
            WriteProcessingBranch(file, block, p, first);
            first = false;
        }
    }
    // Without any enabled precision the error branch stands alone: an "else"
    // with no "if" before it would not compile.
    WriteLines(file, {
                         first ? "     {" : "     else {",
                         "        GlobalUnlock(hParam);",
                         "        return(USR_ERR_PRC);   // return with error, data type mixup",
                         "     }",
                         "",
                     });
    for (int i = 0; i < block.NumOutputs; ++i) {
        WriteFrame(file, Ch("//   Set parameters for output channel <i>", i));
        WriteOutputQFlag(file, block, i, "     ");
        WriteOutputDescription(file, block, i, "     ");
        WriteLine(file, "     ");
    }
    WriteLines(file,
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

void WriteLinkRun(OutputFile& file, const BLOCKINFO& block) {
    WriteLines(file,
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
        WriteEmptyLine(file);
        WriteFrame(file, Ch("//   Set parameters for output channel <i>", i));
        WriteOutputQFlag(file, block, i, pad);
        WriteLine(file, Ch("        pPtr->DTFlagOut<i>", i) +
                            (block.Matrix ? " = HDT_MATRIX;" : " = nPrecision;"));
        WriteOutputDescription(file, block, i, pad);
    }
    WriteEmptyLine(file);
    WriteFrame(file, "//   Call routine to establish data flow (link)");
    WriteLines(file, {
                         "        if (nPrecision == HDT_FLOAT) lstrcpy(bPtr->BlockName,BFNAME);",
                         "        else                         lstrcpy(bPtr->BlockName,BINAME);",
                         "        bPtr->wPrecision = nPrecision;",
                         "",
                     });
    WriteLine(file, AcceptedDspPrecisions(block));
    WriteLines(file,
               {
                   "          RTDataFlowLink(hBioInfo, sPtr->hDriver, sPtr->hRTParam, (DriverCall *)sPtr->lpfnVexaSendCommand);",
                   "        }",
                   "        else {",
                   "           // invalid data precision",
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

void WriteRealTimeRun(OutputFile& file, const BLOCKINFO& block) {
    WriteFrame(file, "//   Determine run mode (link, DSP run, or PC run)");
    WriteLinkRun(file, block);
    WriteLine(file, "     else if (pPtr->RunMode == RT_RUN_DSP){");
    WriteFrame(file, "//   DSP Run");
    WriteLines(file, {
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
    WriteFrame(file, "//   PC Run");
    WriteLines(file, {"        // put optional PC-side run-time code here", "     }", ""});
}

}  // namespace

void WriteUserExecProc(OutputFile& file, const BLOCKINFO& block) {
    WriteBanner(file, 77,
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
    WriteLines(file,
               {
                   "int PASCAL UserExecProc(HANDLE hBioInfo, HANDLE hParam, HANDLE hScratchParam)",
                   "{",
               });
    WriteDeclarations(file, block);
    WriteLocks(file, block);
    for (int i = 0; i < block.NumInputs; ++i) {
        WriteInputDescription(file, block, i);
    }
    WriteInputAgreement(file, block);
    WriteQCheck(file, block);
    WriteRealTimePrecisionCheck(file, block);
    WriteFramesize(file, block);
    WritePrecision(file, block);
    for (int i = 0; i < block.NumOutputs; ++i) {
        WriteOutputDefaults(file, block, i);
    }
    for (int i = 0; i < block.NumOutputs; ++i) {
        WriteOutputBuffer(file, block, i);
    }
    if (block.RealTime) {
        WriteRealTimeRun(file, block);
        WriteLine(file, "     GlobalUnlock(hScratchParam);");
    } else {
        WriteSimulationRun(file, block);
    }
    WriteLines(file, {"     GlobalUnlock(hParam);", "     return(LocalError);", "}", ""});
}

}  // namespace bw
