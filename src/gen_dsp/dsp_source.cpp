// The DSP-side source of a real-time block: the optional interrupt,
// initialisation, stop and restart routines and the main block routine, with
// an example algorithm chosen from the block's shape, or for an XDAIS block
// the creation of the algorithm instance and calls of its methods.
#include <string>

#include "gen_dsp/dsp_files.h"
#include "gen_dsp/dsp_text.h"
#include "gen_dsp/xdais.h"
#include "generation/shared_rules.h"

namespace bw {

using dsp::Fill;
using dsp::MemberName;
using dsp::WriteLines;

namespace {

const char* const RULE =
    "/*----------------------------------------------------------------------------*/";

std::string Num(int value) {
    return std::to_string(value);
}

const PARAMINFO& ParameterAt(const BLOCKINFO& block, int i) {
    return block.Parameters[static_cast<size_t>(i)];
}
const LOCALARRAYINFO& LocalArrayAt(const BLOCKINFO& block, int i) {
    return block.LocalArrays[static_cast<size_t>(i)];
}

// An optional routine that is written inside a comment, so that it is not
// compiled until the user activates it.
void WriteCommentedRoutine(OutputFile& file, const std::string& head) {
    WriteLine(file, "/*");
    WriteLine(file, head);
    WriteLine(file, "{");
    WriteLine(file, "");
    WriteLine(file, "}");
    WriteLine(file, "*/");
    WriteLine(file, "");
    WriteLine(file, "");
}

void WriteIncludeAndParams(OutputFile& file, const BLOCKINFO& block) {
    // The Windows tools that build the DSP code ignore case.
    WriteLine(file, LowerCase("#include \"_" + block.BlockName + ".h\""));
    WriteLine(file, "");
    WriteLine(file, "#pragma DATA_SECTION(Params, \".tessa:ignore\")");
    WriteLine(file, "PARAMS Params;");
    WriteLine(file, "");
}

void WriteInterruptRoutine(OutputFile& file, const BLOCKINFO& block) {
    static const char* const BANNER[] = {
        RULE,
        "/*               Optional real-time block interrupt routine                   */",
        RULE,
        "/* If this routine is activated, it will be called in response to a selected  */",
        "/* DSP interrupt.  If this routine in not activated, the main block routine   */",
        "/* will be called in response to a selected DSP interrupt.                    */",
        RULE,
    };
    WriteLines(file, BANNER);
    WriteCommentedRoutine(file, "void " + block.BlockName + "_INT(PARAMS *pPtr)");
}

// The pixel data follow the matrix header in each channel.
void WriteMatrixInitBody(OutputFile& file, const BLOCKINFO& block) {
    const std::string type = dsp::PointerElementType(block);
    for (int i = 0; i < block.NumInputs; ++i) {
        WriteFilled(file, "  pPtr->PtrPixelIn<i> = (<type> *)(pPtr->PtrIn<i>+1);",
                    {{"<i>", Num(i)}, {"<type>", type}});
    }
    for (int o = 0; o < block.NumOutputs; ++o) {
        WriteFilled(file, "  pPtr->PtrPixelOut<o> = (<type> *)(pPtr->PtrOut<o>+1);",
                    {{"<o>", Num(o)}, {"<type>", type}});
    }
}

void WriteXdaisInitBody(OutputFile& file, const BLOCKINFO& block) {
    const std::string& alg = block.AlgorithmName;
    WriteTemplateLine(file, "    fxns = %1_%2_I%1;", alg, block.VendorName);
    WriteTemplateLine(file, "    params = %1_PARAMS;", alg);
    WriteLine(file, "");
    const char* const copy = "    params.%1 = pPtr->%2;";
    for (int i = 0; i < block.NumInputs; ++i) {
        WriteTemplateLine(file, copy, "framesizeIn" + Num(i), "FramesizeIn" + Num(i));
    }
    for (int o = 0; o < block.NumOutputs; ++o) {
        WriteTemplateLine(file, copy, "framesizeOut" + Num(o), "FramesizeOut" + Num(o));
    }
    for (int p = 0; p < block.NumParameters; ++p) {
        const PARAMINFO& parameter = ParameterAt(block, p);
        if (dsp::InCreationList(parameter)) {
            WriteTemplateLine(file, copy, dsp::AlgorithmSideName(parameter, p),
                              MemberName(parameter.ParameterName, p));
        }
    }
    WriteLine(file, "");
    WriteTemplateLine(file, "    pPtr->handle = %1_create(&fxns, &params);", alg);
}

void WriteInitRoutine(OutputFile& file, const BLOCKINFO& block) {
    static const char* const BANNER[] = {
        RULE,
        "/*               Optional real-time block initialization routine              */",
        RULE,
        "/* If this routine is activated, it will be called one time before the main   */",
        "/* application begins.  This allows for any required software or hardware     */",
        "/* initialization to be performed before the block executes.                  */",
        RULE,
    };
    WriteLines(file, BANNER);
    const bool commented = block.xDAIS == 0 && block.Matrix == 0;
    if (commented) {
        WriteLine(file, "/*");
    }
    if (block.xDAIS != 0) {
        WriteLine(file, "");
        WriteTemplateLine(file, "static I%1_Fxns   fxns;", block.AlgorithmName);
        WriteTemplateLine(file, "static %1_Params  params;", block.AlgorithmName);
        WriteLine(file, "");
    }
    WriteLine(file, "void " + block.BlockName + "_INIT(PARAMS *pPtr)");
    WriteLine(file, "{");
    if (block.Matrix != 0) {
        WriteMatrixInitBody(file, block);
    } else if (block.xDAIS != 0) {
        WriteXdaisInitBody(file, block);
    } else {
        WriteLine(file, "");
    }
    WriteLine(file, "}");
    if (commented) {
        WriteLine(file, "*/");
    }
    WriteLine(file, "");
    WriteLine(file, "");
}

void WriteStopRoutine(OutputFile& file, const BLOCKINFO& block) {
    static const char* const BANNER[] = {
        RULE,
        "/*                    Optional real-time block stop routine                   */",
        RULE,
        "/* If this routine is activated, it will be called whenever the block diagram */",
        "/* worksheet's execution is stopped.  Blocks that deal with hardware may need */",
        "/* this routine to stop the hardware's execution.                             */",
        RULE,
    };
    WriteLines(file, BANNER);
    WriteCommentedRoutine(file, "void " + block.BlockName + "_STOP(PARAMS *pPtr)");
}

void WriteRestartRoutine(OutputFile& file, const BLOCKINFO& block) {
    static const char* const BANNER[] = {
        RULE,
        "/*                    Optional real-time block restart routine                */",
        RULE,
        "/* If this routine is activated, it will be called whenever a block diagram   */",
        "/* worksheet is executed after being stopped.  Blocks that deal with hardware */",
        "/* may need this routine to restart the hardware's execution.                 */",
        RULE,
    };
    WriteLines(file, BANNER);
    WriteCommentedRoutine(file, "void " + block.BlockName + "_RESTART(PARAMS *pPtr)");
}

// "/*     pPtr-><field> = ...;" filled up to 78 characters, then "*/"; a longer
// line is not cut.
void WriteFieldLine(OutputFile& file, const std::string& field) {
    WriteLine(file, dsp::PadRight("/*     pPtr->" + field + " = ...;", 78), "*/");
}

void WriteMainBanner(OutputFile& file, const BLOCKINFO& block) {
    static const char* const BANNER[] = {
        RULE,
        "/*                           Real-time block routine                          */",
        RULE,
        "/* This is the main block routine.  It is called during each loop of the main */",
        "/* application.  If an interrupt is selected, and the interrupt routine above */",
        "/* is not activated, this routine will be called in response to the selected  */",
        "/* interrupt instead of during the main application loop.                     */",
        "/* Custom fields of the pPtr structure may be accessed as follows:            */",
    };
    WriteLines(file, BANNER);
    for (int i = 0; i < block.NumInputs; ++i) {
        WriteFieldLine(file, "FramesizeIn" + Num(i));
    }
    for (int o = 0; o < block.NumOutputs; ++o) {
        WriteFieldLine(file, "FramesizeOut" + Num(o));
    }
    for (int p = 0; p < block.NumParameters; ++p) {
        const PARAMINFO& parameter = ParameterAt(block, p);
        if (dsp::InCommentList(parameter)) {
            WriteFieldLine(file, MemberName(parameter.ParameterName, p));
        }
    }
    if (block.xDAIS == 0) {
        for (int a = 0; a < block.NumLocalArrays; ++a) {
            const LOCALARRAYINFO& array = LocalArrayAt(block, a);
            if (!array.isExcluded()) {
                WriteFieldLine(file, MemberName(array.ArrayName, a));
            }
        }
    }
    WriteLine(file, RULE);
}

// One call of an extended method: live when it can take the channel pointers
// as they are, else commented out for the user to complete.
void WritePrototypeCall(OutputFile& file, const BLOCKINFO& block, const PROTOTYPEINFO& prototype) {
    std::string call = "        ";
    if (!dsp::IsDirectlyCallable(prototype, block)) {
        call += "//";
    }
    call += block.AlgorithmName + "_" + prototype.Name + "(pPtr->handle";
    for (size_t j = 0; j < prototype.ParamNames.size(); ++j) {
        const int channel = static_cast<int>(j);
        const std::string type = j < prototype.ParamTypes.size() ? prototype.ParamTypes[j] : "";
        if (channel < block.NumInputs) {
            call += Fill(", (<type>)pPtr->PtrIn<i>", {{"<type>", type}, {"<i>", Num(channel)}});
        } else if (channel < block.NumInputs + block.NumOutputs) {
            call += Fill(", (<type>)pPtr->PtrOut<o>",
                         {{"<type>", type}, {"<o>", Num(channel - block.NumInputs)}});
        }
    }
    WriteLine(file, call, ");");
}

void WriteXdaisBody(OutputFile& file, const BLOCKINFO& block) {
    const std::string& alg = block.AlgorithmName;
    WriteLine(file, "    if(pPtr->handle){");
    WriteLine(file, "        if(pPtr->Changed){");
    WriteTemplateLine(file, "            %1_Status\tstatus;", alg);
    WriteLine(file, "");
    WriteLine(file, "            pPtr->Changed = FALSE;");
    for (int p = 0; p < block.NumParameters; ++p) {
        const PARAMINFO& parameter = ParameterAt(block, p);
        if (dsp::InStatusList(parameter)) {
            WriteTemplateLine(file, "            status.%1 = pPtr->%2;",
                              dsp::AlgorithmSideName(parameter, p),
                              MemberName(parameter.ParameterName, p));
        }
    }
    WriteTemplateLine(file, "            %1_control(pPtr->handle, %1_SETSTATUS, &status);", alg);
    WriteLine(file, "        }");
    WriteLine(file, "");
    WriteLine(file, "        /* Call XDAIS algorithm specific routine(s) */");
    WriteLine(file, "        /* For example: */");
    for (const PROTOTYPEINFO& prototype : block.Prototypes) {
        WritePrototypeCall(file, block, prototype);
    }
    WriteLine(file, "    }");
    WriteLine(file, "}");
}

// The output matrices take the size of the largest input (or the block's own
// size for a source) and the block's data type.
void WriteMatrixStatements(OutputFile& file, const BLOCKINFO& block) {
    static const char* const HEAD[] = {
        "    int  row;",
        "    int  col;",
        "    int  RowIndex;",
        "",
        "    /* If the calculation of row or col changes, then the code in the   */",
        "    /* PC's interface file (if*.c) will also need to be changed.              */",
    };
    WriteLines(file, HEAD);
    if (block.NumInputs != 0) {
        WriteLine(file, "    row = pPtr->PtrIn0->miRows;");
        WriteLine(file, "    col = pPtr->PtrIn0->miColumns;");
        for (int i = 1; i < block.NumInputs; ++i) {
            WriteFilled(file, "    row = max(row, pPtr->PtrIn<i>->miRows);", {{"<i>", Num(i)}});
            WriteFilled(file, "    col = max(col, pPtr->PtrIn<i>->miColumns);", {{"<i>", Num(i)}});
        }
    } else {
        WriteLine(file, "    row = pPtr->Rows;");
        WriteLine(file, "    col = pPtr->Columns;");
    }
    static const char* const OUTPUT_HEADER[] = {
        "",
        "    /* Initialize matrix information for output channel <o> */",
        "    pPtr->PtrOut<o>->miSize = sizeof(MATRIXINFOHEADER);",
        "    pPtr->PtrOut<o>->miRows = row;",
        "    pPtr->PtrOut<o>->miColumns = col;",
        "    pPtr->PtrOut<o>->miDTFlag = <type>;",
        "    pPtr->PtrOut<o>->miRCFlag = RC_REAL;",
        "    pPtr->PtrOut<o>->miReserved4 = 0;",
        "    pPtr->PtrOut<o>->miReserved3 = 0;",
        "    pPtr->PtrOut<o>->miReserved2 = 0;",
        "    pPtr->PtrOut<o>->miReserved1 = 0;",
    };
    const std::string dataType = dsp::MatrixDataType(block);
    for (int o = 0; o < block.NumOutputs; ++o) {
        for (const char* line : OUTPUT_HEADER) {
            WriteFilled(file, line, {{"<o>", Num(o)}, {"<type>", dataType}});
        }
    }
}

const char* ExampleTitle(int inputs, int outputs) {
    if (inputs == 0) {
        return "    /* Example algorithm to process inputs/fill output           */";
    }
    if (inputs == 1) {
        if (outputs == 0) {
            return "    /* Example of accessing input data                           */";
        }
        return outputs == 1 ? "    /* Example algorithm to process input/fill output            */"
                            : "    /* Example algorithm to process input/fill outputs           */";
    }
    if (outputs == 0) {
        return "    /* Examples of accessing input data                          */";
    }
    return outputs == 1 ? "    /* Example algorithm to process inputs/fill output           */"
                        : "    /* Example algorithm to process inputs/fill outputs          */";
}

void WriteDeclarationsAndTitle(OutputFile& file, const BLOCKINFO& block) {
    if (block.NumInputs > 0 && block.NumOutputs == 0) {
        WriteLine(file, "  float        dummy;       /* variable filled as example */");
    }
    if (block.UserControl != 0) {
        WriteLine(file, "  unsigned int ParamOfs;    /* offset of parameters in structure */");
    }
    WriteLine(file, "");
    WriteLine(file, "");
    const std::string dashes = "    /*" + std::string(59, '-') + "*/";
    WriteLine(file, dashes);
    WriteLine(file, ExampleTitle(block.NumInputs, block.NumOutputs));
    WriteLine(file, dashes);
}

// A native block has no frame-size members: it processes one sample a call.
std::string FrameLoopHead(const BLOCKINFO& block, int o) {
    if (block.Native != 0) {
        return "    for (index = 0; index<1; index++) {";
    }
    return Fill("    for (index = 0; index<pPtr->FramesizeOut<o>; index++) {", {{"<o>", Num(o)}});
}

void WriteMatrixSumExample(OutputFile& file, const BLOCKINFO& block) {
    for (int o = 0; o < block.NumOutputs; ++o) {
        const std::string out = Num(o);
        WriteLine(file, "    RowIndex = 0;");
        WriteFilled(file, "    for(row=0; row<pPtr->PtrOut<o>->miRows; row++){", {{"<o>", out}});
        WriteFilled(file, "      for(col=0; col<pPtr->PtrOut<o>->miColumns; col++){",
                    {{"<o>", out}});
        for (int i = 0; i < block.NumInputs; ++i) {
            const std::initializer_list<dsp::Field> fields = {{"<o>", out}, {"<i>", Num(i)}};
            WriteFilled(file,
                        "        if(row<pPtr->PtrIn<i>->miRows && col<pPtr->PtrIn<i>->miColumns)",
                        fields);
            WriteFilled(file,
                        "          *(pPtr->PtrPixelOut<o>+col+RowIndex) += *(pPtr->PtrPixelIn<i>+col+row*pPtr->PtrIn<i>->miColumns);",
                        fields);
        }
        WriteLine(file, "      }");
        WriteFilled(file, "      RowIndex += pPtr->PtrOut<o>->miColumns;", {{"<o>", out}});
        WriteLine(file, "    }");
    }
}

// Each output is the sum of all inputs, one input a line.
void WriteFrameSumExample(OutputFile& file, const BLOCKINFO& block) {
    // A line per input for every output: the lines are split once.
    const LinePattern first("       *(pPtr->PtrOut<o>+index) = *(pPtr->PtrIn<i>+index<end>",
                            {"<o>", "<i>", "<end>"});
    const LinePattern next(std::string(32, ' ') + "+ *(pPtr->PtrIn<i>+index<end>",
                           {"<o>", "<i>", "<end>"});
    for (int o = 0; o < block.NumOutputs; ++o) {
        WriteLine(file, FrameLoopHead(block, o));
        const NumberText output(o);
        for (int i = 0; i < block.NumInputs; ++i) {
            const char* end = i + 1 == block.NumInputs ? ");" : ")";
            (i == 0 ? first : next).WriteLine(file, {output, NumberText(i), end});
        }
        WriteLine(file, "    }");
        WriteLine(file, "");
        WriteLine(file, "");
    }
}

// The user control values are the structure's 32-bit slots that follow the
// synchronisation addresses and the output pointers and frame sizes.
void WriteUserControlExample(OutputFile& file, const BLOCKINFO& block) {
    const int channels = block.NumInputs + block.NumOutputs;
    const int offset = block.Native != 0 ? channels : 2 * channels + 2;
    const std::string type = dsp::PointerElementType(block);
    const char* const target = block.Matrix != 0 ? "*pPtr->PtrPixelOut<o>" : "*pPtr->PtrOut<o>";
    WriteLine(file, "");
    WriteLine(file, "    /* set parameter offset into pPtr structure */");
    WriteLine(file, "    ParamOfs = " + Num(offset) + ";");
    WriteLine(file, "");
    WriteLine(file, "    /* set output data with user control data */");
    for (int o = 0; o < block.NumOutputs; ++o) {
        WriteFilled(file,
                    std::string("    ") + target +
                        " = *((<type> *)pPtr+ParamOfs+<o>);  /* user control value <o> */",
                    {{"<o>", Num(o)}, {"<type>", type}});
    }
}

void WriteMatrixRampExample(OutputFile& file, const BLOCKINFO& block) {
    for (int o = 0; o < block.NumOutputs; ++o) {
        const std::string out = Num(o);
        WriteLine(file, "    RowIndex = 0;");
        WriteFilled(file, "    for(row=0; row<pPtr->PtrOut<o>->miRows; row++){", {{"<o>", out}});
        WriteFilled(file, "      for(col=0; col<pPtr->PtrOut<o>->miColumns; col++){",
                    {{"<o>", out}});
        WriteFilled(file,
                    "        *(pPtr->PtrPixelOut<o>+col+RowIndex) = col*10; /* Create ramp example */",
                    {{"<o>", out}});
        WriteLine(file, "      }");
        WriteFilled(file, "      RowIndex += pPtr->PtrOut<o>->miColumns;", {{"<o>", out}});
        WriteLine(file, "    }");
        WriteLine(file, "");
    }
}

void WriteFrameRampExample(OutputFile& file, const BLOCKINFO& block) {
    for (int o = 0; o < block.NumOutputs; ++o) {
        WriteLine(file, FrameLoopHead(block, o));
        WriteFilled(file, "       *(pPtr->PtrOut<o>+index) = index;  /* create ramp example */",
                    {{"<o>", Num(o)}});
        WriteLine(file, "    }");
        WriteLine(file, "");
    }
}

void WriteMatrixReadExample(OutputFile& file, const BLOCKINFO& block) {
    for (int i = 0; i < block.NumInputs; ++i) {
        const std::string in = Num(i);
        WriteLine(file, "    RowIndex = 0;");
        WriteFilled(file, "    for(row=0; row<pPtr->PtrIn<i>->miRows; row++){", {{"<i>", in}});
        WriteFilled(file, "      for(col=0; col<pPtr->PtrIn<i>->miColumns; col++){", {{"<i>", in}});
        WriteFilled(file, "        dummy = *(pPtr->PtrPixelIn<i>+col+RowIndex);", {{"<i>", in}});
        WriteLine(file, "      }");
        WriteFilled(file, "      RowIndex += pPtr->PtrIn<i>->miColumns;", {{"<i>", in}});
        WriteLine(file, "    }");
        WriteLine(file, "");
    }
}

void WriteFrameReadExample(OutputFile& file, const BLOCKINFO& block) {
    for (int i = 0; i < block.NumInputs; ++i) {
        WriteFilled(file, "    dummy = *(pPtr->PtrIn<i>);         /* accessing input data <i> */",
                    {{"<i>", Num(i)}});
    }
}

void WriteExample(OutputFile& file, const BLOCKINFO& block) {
    const bool matrix = block.Matrix != 0;
    if (block.NumInputs > 0 && block.NumOutputs > 0) {
        matrix ? WriteMatrixSumExample(file, block) : WriteFrameSumExample(file, block);
    } else if (block.NumOutputs > 0) {
        if (block.UserControl != 0) {
            WriteUserControlExample(file, block);
        } else {
            matrix ? WriteMatrixRampExample(file, block) : WriteFrameRampExample(file, block);
        }
    } else if (block.NumInputs > 0) {
        matrix ? WriteMatrixReadExample(file, block) : WriteFrameReadExample(file, block);
    }
}

void WriteOrdinaryBody(OutputFile& file, const BLOCKINFO& block) {
    if (block.Matrix != 0) {
        WriteMatrixStatements(file, block);
    } else {
        WriteLine(file, "    unsigned int index;       /* index for frame processing loop */");
    }
    WriteDeclarationsAndTitle(file, block);
    WriteExample(file, block);
    WriteLine(file, "");
    WriteLine(file, "}");
    WriteLine(file, "");
}

}  // namespace

bool WriteDspSource(OutputFile& file, const BLOCKINFO& block) {
    dsp::WriteDspFileHead(file, block, "Provides the real-time block's DSP C source code.", 76);
    WriteIncludeAndParams(file, block);
    WriteInterruptRoutine(file, block);
    WriteInitRoutine(file, block);
    WriteStopRoutine(file, block);
    WriteRestartRoutine(file, block);
    WriteMainBanner(file, block);
    WriteLine(file, "void " + block.BlockName + "(PARAMS *pPtr)");
    WriteLine(file, "{");
    if (block.xDAIS != 0) {
        WriteXdaisBody(file, block);
    } else {
        WriteOrdinaryBody(file, block);
    }
    return true;
}

}  // namespace bw
