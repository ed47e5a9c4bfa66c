// The default content of a routine's "Local Routine" section: an example
// algorithm that the user replaces. One branch per combination of real and
// complex inputs; all-real inputs give a real output, any complex input a
// complex output.
#include <string>
#include <vector>

#include "gen_component/user_source_routine.h"
#include "generation/names_and_literals.h"

namespace bw::component {

namespace {

// Up to this many inputs every combination gets its branch (2 to the power
// of the inputs); beyond it only all-real and all-complex inputs do, so that
// the file stays of a usable size.
constexpr int MAX_ENUMERATED_INPUTS = 12;

struct Combination {
    std::vector<bool> complexInputs;
    bool complexOutput;
};

std::vector<Combination> CombinationsOf(int inputs) {
    if (inputs == 0) {
        return {{{}, false}, {{}, true}};
    }
    std::vector<Combination> combinations;
    if (inputs > MAX_ENUMERATED_INPUTS) {
        combinations.push_back({std::vector<bool>(static_cast<size_t>(inputs), false), false});
        combinations.push_back({std::vector<bool>(static_cast<size_t>(inputs), true), true});
        return combinations;
    }
    const unsigned count = 1u << inputs;
    for (unsigned k = 0; k < count; ++k) {
        Combination combination{{}, k != 0};
        for (int i = 0; i < inputs; ++i) {
            combination.complexInputs.push_back(((k >> i) & 1u) != 0);
        }
        combinations.push_back(combination);
    }
    return combinations;
}

// The header that gives a matrix example its dimensions.
std::string MatrixDimensions(const Routine& r) {
    return r.inputs > 0 ? "pMihIn0" : "pMihOut0";
}

// The bitmap whose size the bitmap example walks.
std::string BitmapReference(const Routine& r) {
    return r.inputs > 0 ? "PtrIn0" : "PtrOut0";
}

// The position of the element in the channel data; complex data holds real
// and imaginary parts side by side.
std::string Offset(const Routine& r, bool complex, bool imaginary) {
    if (r.kind == DataKind::Frame) {
        return complex ? (imaginary ? "index*2+1" : "index*2") : "index";
    }
    const std::string base = r.kind == DataKind::Matrix
                                 ? "row*" + MatrixDimensions(r) + "->miColumns+col"
                                 : "row*AlignedWidth+col";
    return complex ? "(" + base + ")*2" + (imaginary ? "+1" : "") : base;
}

// Whether channel data of that flag is stored as real and imaginary parts:
// bitmap pixels never are.
bool Interleaved(const Routine& r, bool complex) {
    return complex && r.kind != DataKind::Bitmap;
}

std::string DataPointer(const Routine& r, bool input, int channel) {
    const char* name = r.kind == DataKind::Bitmap ? (input ? "PtrBitsIn" : "PtrBitsOut")
                                                  : (input ? "PtrIn" : "PtrOut");
    return name + std::to_string(channel);
}

std::string Element(const Routine& r, bool input, int channel, bool complex, bool imaginary) {
    return "*(" + DataPointer(r, input, channel) + "+" + Offset(r, complex, imaginary) + ")";
}

// The indentation of the statements inside the example loop.
std::string StatementIndent(const Routine& r) {
    return r.kind == DataKind::Frame ? "         " : "           ";
}

// The first parameter a user control can send: not skipped, not text.
int ControlParameter(const BLOCKINFO& block) {
    const int count = ParameterCount(block);
    for (int i = 0; i < count; ++i) {
        const int type = block.Parameters[static_cast<size_t>(i)].ParameterType;
        if (type != TYPE_EXCLUDED && type != TYPE_TEXT && type != TYPE_FILE_OPEN) {
            return i;
        }
    }
    return -1;
}

bool SendsControlValue(const Routine& r) {
    return r.block.UserControl && r.outputs > 0 && r.kind != DataKind::Bitmap &&
           ControlParameter(r.block) >= 0;
}

// ---------------------------------------------------------------------------

void WriteSquareCheck(const Routine& r) {
    if (r.kind != DataKind::Matrix || !r.block.Square || r.inputs == 0) {
        return;
    }
    const char* reason = "      return(USR_ERR_MTXSIZE);  // matrix isn't square";
    if (r.inputs == 1) {
        r.print.Line("    if(pMihIn0->miRows != pMihIn0->miColumns){");
    } else {
        reason = "      return(USR_ERR_MTXSIZE);  // matrix dimensions do not match";
        for (int i = 1; i < r.inputs; ++i) {
            const std::string lead = i == 1 ? "    if(" : "       ";
            const std::string tail = i + 1 < r.inputs ? " ||" : "){";
            r.print.Line("<lead>pMihIn0->miRows!=pMihIn<i>->miRows || pMihIn0->miColumns!=pMihIn<i>->miColumns<tail>",
                         {{"lead", lead}, {"i", i}, {"tail", tail}});
        }
    }
    r.print.Line("//; Skipped Source Code");
    WriteAllUnlocks(r, "      ");
    r.print.Line("//; End of Skipped Source Code");
    r.print.Lines({reason, "    }"});
}

std::string BranchCondition(const Routine& r, const Combination& combination, bool first) {
    if (r.inputs == 0) {
        return combination.complexOutput ? "    if (pPtr->RCFlagOut0==RC_COMPLEX){"
                                         : "    if (pPtr->RCFlagOut0==RC_REAL){";
    }
    std::string condition;
    for (int i = 0; i < r.inputs; ++i) {
        const bool complex = combination.complexInputs[static_cast<size_t>(i)];
        condition += (i > 0 ? " && " : "") +
                     r.print.Fill("(pPtr->RCFlagIn<i> == <flag>)", {{"i", i}, {"flag", complex ? "RC_COMPLEX" : "RC_REAL"}});
    }
    return std::string(first ? "    if (" : "    else if (") + condition + "){";
}

// Output headers that the example fills in before its loop.
void WriteOutputSetUp(const Routine& r) {
    if (r.kind == DataKind::Matrix) {
        const bool source = r.inputs == 0;
        for (int o = 0; o < r.outputs; ++o) {
            r.print.Line("       pMihOut<o>->miRows    = <rows>;",
                         {{"o", o}, {"rows", source ? "pPtr->Rows" : "pMihIn0->miRows"}});
            r.print.Line("       pMihOut<o>->miColumns = <columns>;",
                         {{"o", o},
                          {"columns", source ? "pPtr->Columns" : "pMihIn0->miColumns"}});
        }
    }
    if (r.kind == DataKind::Bitmap && r.inputs == 0) {
        r.print.Line("       // set up the output bitmap header and a grey-scale color table");
        for (int o = 0; o < r.outputs; ++o) {
            static const char* const LINES[] = {
                "       PtrOut<o>->biWidth       = pPtr->ImageWidth;",
                "       PtrOut<o>->biHeight      = pPtr->ImageHeight;",
                "       PtrOut<o>->biPlanes      = 1;",
                "       PtrOut<o>->biBitCount    = 8;",
                "       PtrOut<o>->biCompression = BI_RGB;",
                "       PtrOut<o>->biClrUsed     = pPtr->dwNumColorsOut<o>;",
                "       for(ColorTable = 0; ColorTable<pPtr->dwNumColorsOut<o>; ColorTable++){",
                "         PtrColorOut<o>[ColorTable].rgbBlue     = (BYTE)ColorTable;",
                "         PtrColorOut<o>[ColorTable].rgbGreen    = (BYTE)ColorTable;",
                "         PtrColorOut<o>[ColorTable].rgbRed      = (BYTE)ColorTable;",
                "         PtrColorOut<o>[ColorTable].rgbReserved = 0;",
                "       }",
            };
            for (const char* line : LINES) {
                r.print.Line(line, {{"o", o}});
            }
        }
    }
}

void WriteLoopOpening(const Routine& r) {
    switch (r.kind) {
        case DataKind::Frame:
            r.print.Line("       for(index = 0; index<pPtr->Framesize; index++){");
            return;
        case DataKind::Matrix:
            r.print.Line("       for(row = 0; row<<dims>->miRows; row++){",
                         {{"dims", MatrixDimensions(r)}});
            r.print.Line("         for(col = 0; col<<dims>->miColumns; col++){",
                         {{"dims", MatrixDimensions(r)}});
            return;
        case DataKind::Bitmap:
            r.print.Line("       AlignedWidth = ((<bmp>->biWidth+3)/4)*4;  // row width raised to a multiple of 4",
                         {{"bmp", BitmapReference(r)}});
            r.print.Line("       for(row = 0; row<<bmp>->biHeight; row++){",
                         {{"bmp", BitmapReference(r)}});
            r.print.Line("         for(col = 0; col<<bmp>->biWidth; col++){",
                         {{"bmp", BitmapReference(r)}});
            return;
    }
}

void WriteLoopClosing(const Routine& r) {
    if (r.kind != DataKind::Frame) {
        r.print.Line("         }");
    }
    r.print.Line("       }");
}

// Every output gets value (its imaginary part zero when complex).
void WriteFillOutputs(const Routine& r, bool complexOutput, const std::string& value) {
    const bool complex = Interleaved(r, complexOutput);
    const std::string cast = "(" + r.ElementType() + ")";
    const auto names = r.print.With({{"indent", StatementIndent(r)}, {"cast", cast}});
    for (int o = 0; o < r.outputs; ++o) {
        r.print.Line("<indent><element>   = <cast><value>;", {{"element", Element(r, false, o, complex, false)}, {"value", value}});
        if (complex) {
            r.print.Line("<indent><element>   = <cast>0;", {{"element", Element(r, false, o, true, true)}});
        }
    }
}

// Output 0 gets the sum of the inputs; its imaginary part the sum of the
// complex inputs' imaginary parts.
void WriteSumOfInputs(const Routine& r, const Combination& combination) {
    std::string real;
    std::string imaginary;
    for (int i = 0; i < r.inputs; ++i) {
        const bool complex = Interleaved(r, combination.complexInputs[static_cast<size_t>(i)]);
        real += (i > 0 ? " + " : "") + Element(r, true, i, complex, false);
        if (complex) {
            imaginary += (imaginary.empty() ? "" : " + ") + Element(r, true, i, true, true);
        }
    }
    const bool complexOutput = Interleaved(r, combination.complexOutput);
    const auto names = r.print.With({{"indent", StatementIndent(r)}});
    r.print.Line("<indent><element>   = <sum>;    // example loop to fill output - real", {{"element", Element(r, false, 0, complexOutput, false)}, {"sum", real}});
    if (complexOutput) {
        r.print.Line("<indent><element>   = <sum>;  // example loop to fill output - imag", {{"element", Element(r, false, 0, true, true)}, {"sum", imaginary}});
    }
}

void WriteReadInputs(const Routine& r, const Combination& combination) {
    for (int i = 0; i < r.inputs; ++i) {
        const bool complex = Interleaved(r, combination.complexInputs[static_cast<size_t>(i)]);
        r.print.Line("<indent>dummy = <element>;", {{"indent", StatementIndent(r)}, {"element", Element(r, true, i, complex, false)}});
    }
}

void WriteExample(const Routine& r, const Combination& combination) {
    const bool complexOutput = combination.complexOutput;
    if (SendsControlValue(r)) {
        const int p = ControlParameter(r.block);
        r.print.Line("       // send out user control value");
        WriteOutputSetUp(r);
        WriteLoopOpening(r);
        WriteFillOutputs(
            r, complexOutput,
            "pPtr->" + Identifier(r.block.Parameters[static_cast<size_t>(p)].ParameterName, p));
    } else if (r.inputs == 0) {
        r.print.Line("       // create ramp example");
        WriteOutputSetUp(r);
        WriteLoopOpening(r);
        WriteFillOutputs(r, complexOutput, r.kind == DataKind::Frame ? "index" : "col");
    } else if (r.outputs == 0) {
        r.print.Line("       // example loop to show usage");
        WriteLoopOpening(r);
        WriteReadInputs(r, combination);
    } else {
        WriteOutputSetUp(r);
        WriteLoopOpening(r);
        WriteSumOfInputs(r, combination);
    }
    WriteLoopClosing(r);
}

void WriteOutputFlags(const Routine& r, bool complexOutput) {
    const char* flag = complexOutput ? "RC_COMPLEX" : "RC_REAL";
    for (int o = 0; o < r.outputs; ++o) {
        r.print.Line("       pPtr->RCFlagOut<o> = <flag>;",
                     {{"o", o}, {"flag", flag}});
        if (r.kind == DataKind::Matrix) {
            r.print.Line("       pMihOut<o>->miRCFlag = <flag>;",
                         {{"o", o}, {"flag", flag}});
        }
    }
}

void WriteAlgorithm(const Routine& r) {
    if (r.inputs == 0 && r.outputs == 0) {
        return;  // no channel to fill or read
    }
    const std::vector<Combination> combinations = CombinationsOf(r.inputs);
    bool first = true;
    bool complexOpen = false;
    for (const Combination& combination : combinations) {
        const bool complex = combination.complexOutput;
        if (!(complex ? r.block.Complex : r.block.Real)) {
            continue;
        }
        if (!complex) {
            r.print.Line("//; Real Section of Algorithm");
        } else if (!complexOpen) {
            r.print.Line("//; Complex Section of Algorithm");
            complexOpen = true;
        }
        r.print.Raw(BranchCondition(r, combination, first));
        first = false;
        WriteExample(r, combination);
        WriteOutputFlags(r, complex);
        r.print.Line("    }");
        if (!complex) {
            r.print.Line("//; End of Real Section of Algorithm");
        }
    }
    if (complexOpen) {
        r.print.Line("//; End of Complex Section of Algorithm");
    }
}

}  // namespace

void WriteDefaultLocalRoutine(const Routine& r) {
    WriteSquareCheck(r);
    WriteAlgorithm(r);
    for (int o = 0; o < r.outputs; ++o) {
        r.print.Line("    pPtr->DTFlagOut<o> = <flag>;",
                     {{"o", o}, {"flag", r.precision.dataType}});
    }
}

}  // namespace bw::component
