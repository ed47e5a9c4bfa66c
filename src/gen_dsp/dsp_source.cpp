// The DSP-side source of a real-time block: the optional interrupt,
// initialisation, stop and restart routines and the main block routine, with
// an example algorithm chosen from the block's shape, or for an XDAIS block
// the creation of the algorithm instance and calls of its methods.
#include <string>

#include "gen_dsp/dsp_files.h"
#include "gen_dsp/dsp_text.h"
#include "gen_dsp/xdais.h"
#include "generation/names_and_literals.h"

namespace bw {

using dsp::MemberName;

namespace {

const char* const RULE =
    "/*----------------------------------------------------------------------------*/";

const PARAMINFO& ParameterAt(const BLOCKINFO& block, int i) {
    return block.Parameters[static_cast<size_t>(i)];
}
const LOCALARRAYINFO& LocalArrayAt(const BLOCKINFO& block, int i) {
    return block.LocalArrays[static_cast<size_t>(i)];
}

// An optional routine that is written inside a comment, so that it is not
// compiled until the user activates it.
void WriteCommentedRoutine(Printer& print, std::string_view head) {
    print.Line("/*");
    print.Line(head);
    print.Line("{");
    print.Line("");
    print.Line("}");
    print.Line("*/");
    print.Line("");
    print.Line("");
}

void WriteIncludeAndParams(Printer& print) {
    // Written with the header's own case, so that builds on case-sensitive
    // file systems find it too.
    print.Line("#include \"_<BlockName>.h\"");
    print.Line("");
    print.Line("#pragma DATA_SECTION(Params, \".tessa:ignore\")");
    print.Line("PARAMS Params;");
    print.Line("");
}

void WriteInterruptRoutine(Printer& print) {
    static const char* const BANNER[] = {
        RULE,
        "/*               Optional real-time block interrupt routine                   */",
        RULE,
        "/* If this routine is activated, it will be called in response to a selected  */",
        "/* DSP interrupt.  If this routine in not activated, the main block routine   */",
        "/* will be called in response to a selected DSP interrupt.                    */",
        RULE,
    };
    print.Lines(BANNER);
    WriteCommentedRoutine(print, "void <BlockName>_INT(PARAMS *pPtr)");
}

// The pixel data follow the matrix header in each channel.
void WriteMatrixInitBody(Printer& print, const BLOCKINFO& block) {
    const std::string type = dsp::PointerElementType(block);
    for (int i = 0; i < block.NumInputs; ++i) {
        print.Line("  pPtr->PtrPixelIn<i> = (<type> *)(pPtr->PtrIn<i>+1);",
                   {{"i", i}, {"type", type}});
    }
    for (int o = 0; o < block.NumOutputs; ++o) {
        print.Line("  pPtr->PtrPixelOut<o> = (<type> *)(pPtr->PtrOut<o>+1);",
                   {{"o", o}, {"type", type}});
    }
}

void WriteXdaisInitBody(Printer& print, const BLOCKINFO& block) {
    print.Lines({"    fxns = <alg>_<vendor>_I<alg>;", "    params = <alg>_PARAMS;", ""});
    for (int i = 0; i < block.NumInputs; ++i) {
        print.Line("    params.framesizeIn<i> = pPtr->FramesizeIn<i>;", {{"i", i}});
    }
    for (int o = 0; o < block.NumOutputs; ++o) {
        print.Line("    params.framesizeOut<o> = pPtr->FramesizeOut<o>;", {{"o", o}});
    }
    for (int p = 0; p < block.NumParameters; ++p) {
        const PARAMINFO& parameter = ParameterAt(block, p);
        if (dsp::InCreationList(parameter)) {
            print.Line("    params.<field> = pPtr-><member>;",
                       {{"field", dsp::AlgorithmSideName(parameter, p)},
                        {"member", MemberName(parameter.ParameterName, p)}});
        }
    }
    print.Lines({"", "    pPtr->handle = <alg>_create(&fxns, &params);"});
}

void WriteInitRoutine(Printer& print, const BLOCKINFO& block) {
    static const char* const BANNER[] = {
        RULE,
        "/*               Optional real-time block initialization routine              */",
        RULE,
        "/* If this routine is activated, it will be called one time before the main   */",
        "/* application begins.  This allows for any required software or hardware     */",
        "/* initialization to be performed before the block executes.                  */",
        RULE,
    };
    print.Lines(BANNER);
    const bool commented = block.xDAIS == 0 && block.Matrix == 0;
    if (commented) {
        print.Line("/*");
    }
    if (block.xDAIS != 0) {
        print.Line("");
        print.Lines({"static I<alg>_Fxns   fxns;", "static <alg>_Params  params;"});
        print.Line("");
    }
    print.Line("void <BlockName>_INIT(PARAMS *pPtr)");
    print.Line("{");
    // An XDAIS block creates its algorithm instance whatever its data; a
    // matrix one first points at its pixels.
    if (block.Matrix != 0) {
        WriteMatrixInitBody(print, block);
    }
    if (block.xDAIS != 0) {
        WriteXdaisInitBody(print, block);
    }
    if (commented) {
        print.Line("");
    }
    print.Line("}");
    if (commented) {
        print.Line("*/");
    }
    print.Line("");
    print.Line("");
}

void WriteStopRoutine(Printer& print) {
    static const char* const BANNER[] = {
        RULE,
        "/*                    Optional real-time block stop routine                   */",
        RULE,
        "/* If this routine is activated, it will be called whenever the block diagram */",
        "/* worksheet's execution is stopped.  Blocks that deal with hardware may need */",
        "/* this routine to stop the hardware's execution.                             */",
        RULE,
    };
    print.Lines(BANNER);
    WriteCommentedRoutine(print, "void <BlockName>_STOP(PARAMS *pPtr)");
}

void WriteRestartRoutine(Printer& print) {
    static const char* const BANNER[] = {
        RULE,
        "/*                    Optional real-time block restart routine                */",
        RULE,
        "/* If this routine is activated, it will be called whenever a block diagram   */",
        "/* worksheet is executed after being stopped.  Blocks that deal with hardware */",
        "/* may need this routine to restart the hardware's execution.                 */",
        RULE,
    };
    print.Lines(BANNER);
    WriteCommentedRoutine(print, "void <BlockName>_RESTART(PARAMS *pPtr)");
}

// "/*     pPtr-><field> = ...;" filled up to 78 characters, then "*/"; a longer
// line is not cut.
void WriteFieldLine(Printer& print, const std::string& field) {
    // Padded as a whole: the field may hold anything the user typed.
    print.Raw(dsp::PadRight("/*     pPtr->" + field + " = ...;", 78) + "*/");
}

void WriteMainBanner(Printer& print, const BLOCKINFO& block) {
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
    print.Lines(BANNER);
    for (int i = 0; i < block.NumInputs; ++i) {
        WriteFieldLine(print, "FramesizeIn" + std::to_string(i));
    }
    for (int o = 0; o < block.NumOutputs; ++o) {
        WriteFieldLine(print, "FramesizeOut" + std::to_string(o));
    }
    for (int p = 0; p < block.NumParameters; ++p) {
        const PARAMINFO& parameter = ParameterAt(block, p);
        if (dsp::InCommentList(parameter)) {
            WriteFieldLine(print, MemberName(parameter.ParameterName, p));
        }
    }
    if (block.xDAIS == 0) {
        for (int a = 0; a < block.NumLocalArrays; ++a) {
            const LOCALARRAYINFO& array = LocalArrayAt(block, a);
            if (!array.isExcluded()) {
                WriteFieldLine(print, MemberName(array.ArrayName, a));
            }
        }
    }
    print.Line(RULE);
}

// One call of an extended method: live when it can take the channel pointers
// as they are, else commented out for the user to complete.
void WritePrototypeCall(Printer& print, const BLOCKINFO& block, const PROTOTYPEINFO& prototype) {
    std::string call = print.Fill("        <comment><alg>_<method>(pPtr->handle",
                                  {{"comment", dsp::IsDirectlyCallable(prototype, block) ? "" : "//"},
                                   {"method", prototype.Name}});
    for (size_t j = 0; j < prototype.ParamNames.size(); ++j) {
        const int channel = static_cast<int>(j);
        const std::string type = j < prototype.ParamTypes.size() ? prototype.ParamTypes[j] : "";
        if (channel < block.NumInputs) {
            call += print.Fill(", (<type>)pPtr->PtrIn<i>", {{"type", type}, {"i", channel}});
        } else if (channel < block.NumInputs + block.NumOutputs) {
            call += print.Fill(", (<type>)pPtr->PtrOut<o>", {{"type", type}, {"o", channel - block.NumInputs}});
        }
    }
    print.Raw(call + ");");
}

void WriteXdaisBody(Printer& print, const BLOCKINFO& block) {
    print.Line("    if(pPtr->handle){");
    print.Line("        if(pPtr->Changed){");
    print.Line("            <alg>_Status\tstatus;");
    print.Line("");
    print.Line("            pPtr->Changed = FALSE;");
    for (int p = 0; p < block.NumParameters; ++p) {
        const PARAMINFO& parameter = ParameterAt(block, p);
        if (dsp::InStatusList(parameter)) {
            print.Line("            status.<field> = pPtr-><member>;",
                       {{"field", dsp::AlgorithmSideName(parameter, p)},
                        {"member", MemberName(parameter.ParameterName, p)}});
        }
    }
    print.Line("            <alg>_control(pPtr->handle, <alg>_SETSTATUS, &status);");
    print.Line("        }");
    print.Line("");
    print.Line("        /* Call XDAIS algorithm specific routine(s) */");
    print.Line("        /* For example: */");
    for (const PROTOTYPEINFO& prototype : block.Prototypes) {
        WritePrototypeCall(print, block, prototype);
    }
    print.Line("    }");
    print.Line("}");
}

// The output matrices take the size of the largest input (or the block's own
// size for a source) and the block's data type.
void WriteMatrixStatements(Printer& print, const BLOCKINFO& block) {
    static const char* const HEAD[] = {
        "    int  row;",
        "    int  col;",
        "    int  RowIndex;",
        "",
        "    /* If the calculation of row or col changes, then the code in the   */",
        "    /* PC's interface file (if*.c) will also need to be changed.              */",
    };
    print.Lines(HEAD);
    if (block.NumInputs != 0) {
        print.Line("    row = pPtr->PtrIn0->miRows;");
        print.Line("    col = pPtr->PtrIn0->miColumns;");
        for (int i = 1; i < block.NumInputs; ++i) {
            print.Line("    row = max(row, pPtr->PtrIn<i>->miRows);", {{"i", i}});
            print.Line("    col = max(col, pPtr->PtrIn<i>->miColumns);", {{"i", i}});
        }
    } else {
        print.Line("    row = pPtr->Rows;");
        print.Line("    col = pPtr->Columns;");
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
            print.Line(line, {{"o", o}, {"type", dataType}});
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

void WriteDeclarationsAndTitle(Printer& print, const BLOCKINFO& block) {
    if (block.NumInputs > 0 && block.NumOutputs == 0) {
        print.Line("  float        dummy;       /* variable filled as example */");
    }
    if (block.UserControl != 0) {
        print.Line("  unsigned int ParamOfs;    /* offset of parameters in structure */");
    }
    print.Line("");
    print.Line("");
    const std::string dashes = "    /*" + std::string(59, '-') + "*/";
    print.Raw(dashes);
    print.Raw(ExampleTitle(block.NumInputs, block.NumOutputs));
    print.Raw(dashes);
}

// A native block has no frame-size members: it processes one sample a call.
void WriteFrameLoopHead(Printer& print, const BLOCKINFO& block, std::string_view o) {
    if (block.Native != 0) {
        print.Line("    for (index = 0; index<1; index++) {");
    } else {
        print.Line("    for (index = 0; index<pPtr->FramesizeOut<o>; index++) {", {{"o", o}});
    }
}

void WriteMatrixSumExample(Printer& print, const BLOCKINFO& block) {
    for (int o = 0; o < block.NumOutputs; ++o) {
        const auto output = print.With({{"o", o}});
        print.Block(R"(
    RowIndex = 0;
    for(row=0; row<pPtr->PtrOut<o>->miRows; row++){
      for(col=0; col<pPtr->PtrOut<o>->miColumns; col++){)");
        for (int i = 0; i < block.NumInputs; ++i) {
            print.Block(R"(
        if(row<pPtr->PtrIn<i>->miRows && col<pPtr->PtrIn<i>->miColumns)
          *(pPtr->PtrPixelOut<o>+col+RowIndex) += *(pPtr->PtrPixelIn<i>+col+row*pPtr->PtrIn<i>->miColumns);)",
                        {{"i", i}});
        }
        print.Block(R"(
      }
      RowIndex += pPtr->PtrOut<o>->miColumns;
    })");
    }
}

// Each output is the sum of all inputs, one input a line.
void WriteFrameSumExample(Printer& print, const BLOCKINFO& block) {
    for (int o = 0; o < block.NumOutputs; ++o) {
        const NumberText output(o);
        WriteFrameLoopHead(print, block, output);
        for (int i = 0; i < block.NumInputs; ++i) {
            const Vars vars = {{"o", output}, {"i", NumberText(i)}, {"end", i + 1 == block.NumInputs ? ");" : ")"}};
            print.Line(i == 0 ? "       *(pPtr->PtrOut<o>+index) = *(pPtr->PtrIn<i>+index<end>"
                              : "                                + *(pPtr->PtrIn<i>+index<end>",
                       vars);
        }
        print.Line("    }");
        print.Line("");
        print.Line("");
    }
}

// The user control values are the structure's 32-bit slots that follow the
// synchronisation addresses and the output pointers and frame sizes.
void WriteUserControlExample(Printer& print, const BLOCKINFO& block) {
    const int channels = block.NumInputs + block.NumOutputs;
    const int offset = block.Native != 0 ? channels : 2 * channels + 2;
    const std::string type = dsp::PointerElementType(block);
    const char* const target = block.Matrix != 0 ? "*pPtr->PtrPixelOut<o>" : "*pPtr->PtrOut<o>";
    print.Line("");
    print.Line("    /* set parameter offset into pPtr structure */");
    print.Line("    ParamOfs = <offset>;", {{"offset", offset}});
    print.Line("");
    print.Line("    /* set output data with user control data */");
    for (int o = 0; o < block.NumOutputs; ++o) {
        print.Line("    <target> = *((<type> *)pPtr+ParamOfs+<o>);  /* user control value <o> */",
                   {{"target", print.Fill(target, {{"o", o}})}, {"o", o}, {"type", type}});
    }
}

void WriteMatrixRampExample(Printer& print, const BLOCKINFO& block) {
    for (int o = 0; o < block.NumOutputs; ++o) {
        print.Block(R"(
    RowIndex = 0;
    for(row=0; row<pPtr->PtrOut<o>->miRows; row++){
      for(col=0; col<pPtr->PtrOut<o>->miColumns; col++){
        *(pPtr->PtrPixelOut<o>+col+RowIndex) = col*10; /* Create ramp example */
      }
      RowIndex += pPtr->PtrOut<o>->miColumns;
    }

)",
                    {{"o", o}});
    }
}

void WriteFrameRampExample(Printer& print, const BLOCKINFO& block) {
    for (int o = 0; o < block.NumOutputs; ++o) {
        const NumberText output(o);
        WriteFrameLoopHead(print, block, output);
        print.Line("       *(pPtr->PtrOut<o>+index) = index;  /* create ramp example */", {{"o", output}});
        print.Line("    }");
        print.Line("");
    }
}

void WriteMatrixReadExample(Printer& print, const BLOCKINFO& block) {
    for (int i = 0; i < block.NumInputs; ++i) {
        print.Block(R"(
    RowIndex = 0;
    for(row=0; row<pPtr->PtrIn<i>->miRows; row++){
      for(col=0; col<pPtr->PtrIn<i>->miColumns; col++){
        dummy = *(pPtr->PtrPixelIn<i>+col+RowIndex);
      }
      RowIndex += pPtr->PtrIn<i>->miColumns;
    }

)",
                    {{"i", i}});
    }
}

void WriteFrameReadExample(Printer& print, const BLOCKINFO& block) {
    for (int i = 0; i < block.NumInputs; ++i) {
        print.Line("    dummy = *(pPtr->PtrIn<i>);         /* accessing input data <i> */",
                   {{"i", i}});
    }
}

void WriteExample(Printer& print, const BLOCKINFO& block) {
    const bool matrix = block.Matrix != 0;
    if (block.NumInputs > 0 && block.NumOutputs > 0) {
        matrix ? WriteMatrixSumExample(print, block) : WriteFrameSumExample(print, block);
    } else if (block.NumOutputs > 0) {
        if (block.UserControl != 0) {
            WriteUserControlExample(print, block);
        } else {
            matrix ? WriteMatrixRampExample(print, block) : WriteFrameRampExample(print, block);
        }
    } else if (block.NumInputs > 0) {
        matrix ? WriteMatrixReadExample(print, block) : WriteFrameReadExample(print, block);
    }
}

void WriteOrdinaryBody(Printer& print, const BLOCKINFO& block) {
    if (block.Matrix != 0) {
        WriteMatrixStatements(print, block);
    } else {
        print.Line("    unsigned int index;       /* index for frame processing loop */");
    }
    WriteDeclarationsAndTitle(print, block);
    WriteExample(print, block);
    print.Line("");
    print.Line("}");
    print.Line("");
}

}  // namespace

void WriteDspSource(OutputFile& file, const BLOCKINFO& block) {
    Printer print(file);
    print.Set("BlockName", block.BlockName);
    print.Set("alg", block.AlgorithmName);
    print.Set("vendor", block.VendorName);
    dsp::WriteDspFileHead(print, block, "Provides the real-time block's DSP C source code.", 76);
    WriteIncludeAndParams(print);
    WriteInterruptRoutine(print);
    WriteInitRoutine(print, block);
    WriteStopRoutine(print);
    WriteRestartRoutine(print);
    WriteMainBanner(print, block);
    print.Line("void <BlockName>(PARAMS *pPtr)");
    print.Line("{");
    if (block.xDAIS != 0) {
        WriteXdaisBody(print, block);
    } else {
        WriteOrdinaryBody(print, block);
    }
}

}  // namespace bw
