// BlockName + ".c": one data-processing routine per precision the block
// supports, with locking, pointer set-up, an example algorithm, warning
// processing and the unlock-and-return tail. The previous version is rewound
// before every user-section search, so sections are found wherever they stand.
#include <string>
#include <string_view>
#include <vector>

#include "gen_component/component_files.h"
#include "gen_component/user_source_routine.h"
#include "generation/names_and_literals.h"
#include "generation/splice.h"
#include "generation/text_contexts.h"

namespace bw {

namespace {

using component::DataKind;
using component::EQUALS_LINE;
using component::PadRight;
using component::Routine;
using component::SHORT_DASH_LINE;

const LOCALARRAYINFO& LocalArrayAt(const BLOCKINFO& block, int i) {
    return block.LocalArrays[static_cast<size_t>(i)];
}

// A user section: its marker lines around the previous version's lines, or
// around the default content when the section is not carried over.
template <typename WriteDefault>
void WriteUserSection(Printer& print, PreviousVersion* previous,
                      const std::vector<std::string>& markers, WriteDefault writeDefault) {
    print.Raw(markers.back());
    bool copied = false;
    if (previous != nullptr) {
        previous->Rewind();
        copied = CopyNestedSection(print.File(), *previous, markers);
    }
    if (!copied) {
        writeDefault();
    }
    print.Raw(EndMarkerFor(markers.back()));
}

// "    %-14s" of a type; a longer type gets one blank and then blanks up to an
// even length.
std::string TypeColumn(std::string_view type) {
    if (type.size() <= 14) {
        return "    " + PadRight(type, 14);
    }
    std::string column = "    " + std::string(type) + " ";
    if (column.size() % 2 != 0) {
        column += ' ';
    }
    return column;
}

// The words of the size comment of a local array's elements; a code that is
// no number type's makes int elements, as TypeName says.
std::string ElementWords(int precision) {
    const NumberType* type = NumberTypeOf(precision);
    return std::string(type != nullptr ? type->words : NumberTypeOf(TYPE_INTEGER)->words) +
           " elements";
}

// Calls visit(i, array) for every local array that is not skipped.
template <typename Visit>
void ForEachLocalArray(const BLOCKINFO& block, Visit visit) {
    const int count = component::LocalArrayCount(block);
    for (int i = 0; i < count; ++i) {
        const LOCALARRAYINFO& array = LocalArrayAt(block, i);
        if (!array.isExcluded()) {
            visit(i, array);
        }
    }
}

// ---------------------------------------------------------------------------
// File head and tail

void WriteFileHead(Printer& print, const BLOCKINFO& block, PreviousVersion* previous) {
    const auto names = print.With({{"MenuName", Escaped(TextContext::CComment, block.MenuName)},
                                   {"GroupName", Escaped(TextContext::CComment, block.GroupName)},
                                   {"NumInputs", block.NumInputs},
                                   {"NumOutputs", block.NumOutputs}});
    WriteFileHead(print, [&] {
        print.Block(R"(
//;[<MenuName> Start]

//============================================================================
//
//    FILE NAME : <FileName>
//
//    BLOCK NAME: <MenuName>
//
//    GROUP NAME: <GroupName>
//
//    <product>
//
//    Number of Inputs : <NumInputs>
//    Number of Outputs: <NumOutputs>
//
//    Creation Date: <date>
//    Creation Time: <time>
//
//
//============================================================================
//    NOTE: Do not modify lines starting with "//;".  This information is)");
        // The blank at the end of this line belongs to it.
        print.Line("//          required by the C Code Generator for block importing.  If you ");
        print.Block(R"(
//          add any #include files or user-defined variables, you must place
//          them in their identified sections.
//============================================================================)");
    });
    print.Lines({"", "#include <windows.h>", "#include \"bddk.h\""});
    print.Raw("#include \"" + block.BlockName + ".h\"");
    print.Line("");
    print.Line(EQUALS_LINE);
    print.Line("//  NOTE: User-added #include files should be placed in the following section.");
    print.Line(EQUALS_LINE);
    WriteUserSection(print, previous, {"//; Include Libraries"}, [&] { print.Line(""); });
}

void WriteFileTail(Printer& print, const BLOCKINFO& block, PreviousVersion* previous) {
    print.Line("");
    WriteUserSection(print, previous, {"//; External Routines"}, [&] { print.Line(""); });
    print.Line("");
    print.Raw("//;[" + Escaped(TextContext::CComment, block.MenuName) + " End]");
}

// ---------------------------------------------------------------------------
// Routine head and declarations

std::string PrecisionMarker(const Routine& r) {
    return "//; " + std::string(r.precision.display) + " Precision";
}

std::string RoutineName(const Routine& r) {
    return r.block.BlockName + r.precision.suffix;
}

void WriteRoutineBanner(const Routine& r) {
    r.print.Lines({"", PrecisionMarker(r), ""});
    r.print.Line(EQUALS_LINE);
    r.print.Raw("// Function   : " + RoutineName(r) + "()");
    r.print.Line("// Purpose    : <D> Precision <menu> Auto Generated routine",
                 {{"D", r.precision.display}, {"menu", Escaped(TextContext::CComment, r.block.MenuName)}});
    r.print.Raw(PadRight("// Parameters : hParam - Parameter Structure Pointer", 77));
    if (r.scratch) {
        r.print.Line("//              hScratchParam - Scratch Parameter Structure Pointer");
    }
    if (r.inputs > 0) {
        r.print.Line("//              hBufx - Input Buffer Pointer(s)");
    }
    if (r.outputs > 0) {
        r.print.Line("//              hBufOutx - Output Buffer Pointer(s)");
    }
    r.print.Lines({"// Returns    : USR_NO_ERR if no error", "//              Error Code if error"});
    r.print.Line(EQUALS_LINE);
}

void WriteRoutineHead(const Routine& r) {
    std::string head = "int PASCAL " + RoutineName(r) + "(HANDLE hParam";
    if (r.scratch) {
        head += ", HANDLE hScratchParam";
    }
    for (int i = 0; i < r.inputs; ++i) {
        head += ", HANDLE hBuf" + std::to_string(i);
    }
    for (int i = 0; i < r.outputs; ++i) {
        head += ", HANDLE hBufOut" + std::to_string(i);
    }
    r.print.Raw(head + ")");
    r.print.Line("{");
}

void WriteChannelPointers(const Routine& r, int channel, bool input) {
    const bool bitmap = r.kind == DataKind::Bitmap;
    const auto names = r.print.With({{"type", TypeColumn(r.precision.elementType)}, {"star", bitmap ? "" : "*"}, {"i", channel}});
    r.print.Line(input ? "<type>     <star>PtrIn<i>;           // ptr to input channel <i> data"
                       : "<type>     <star>PtrOut<i>;          // ptr to output channel <i> data");
    if (!bitmap) {
        return;
    }
    if (input) {
        r.print.Line("    LPRGBQUAD           PtrColorIn<i>;      // ptr to color table for input channel <i>");
        r.print.Line("    BYTE               *PtrBitsIn<i>;       // ptr to bitmap bits for input channel <i>");
    } else {
        r.print.Line("    LPRGBQUAD           PtrColorOut<i>;     // ptr to color table for output channel <i>");
        r.print.Line("    BYTE               *PtrBitsOut<i>;      // ptr to bitmap bits for output channel <i>");
    }
}

void WriteFixedLocals(const Routine& r) {
    r.print.Line("    BLOCK_PARAM        *pPtr;             // ptr to block parameters");
    if (r.scratch) {
        r.print.Line("    SCRATCH_PARAM      *sPtr;             // ptr to scratch parameters");
    }
    for (int i = 0; i < r.inputs; ++i) {
        WriteChannelPointers(r, i, true);
    }
    for (int i = 0; i < r.outputs; ++i) {
        WriteChannelPointers(r, i, false);
    }
}

// The loop variables of the example algorithm. The bitmap example uses row,
// col, AlignedWidth and (in a source) ColorTable, so a bitmap routine declares
// them as image data does.
void WriteLoopVariables(const Routine& r) {
    const bool image = r.block.Image || r.kind == DataKind::Bitmap;
    if (image) {
        if (r.inputs == 0 && r.outputs > 0) {
            r.print.Line("    DWORD               ColorTable;");
        }
        r.print.Lines({"    long                row;", "    long                col;",
                       "    long                AlignedWidth;"});
    }
    if (r.kind == DataKind::Matrix) {
        if (!image) {
            r.print.Lines({"    long                row;", "    long                col;"});
        }
        for (int i = 0; i < r.inputs; ++i) {
            r.print.Raw("    LPMATRIXINFOHEADER  pMihIn" + std::to_string(i) + ";");
        }
        for (int i = 0; i < r.outputs; ++i) {
            r.print.Raw("    LPMATRIXINFOHEADER  pMihOut" + std::to_string(i) + ";");
        }
    } else if (r.kind == DataKind::Frame) {
        r.print.Line("    unsigned long       index;");
    }
    if (r.inputs > 0 && r.outputs == 0) {
        if (r.kind == DataKind::Bitmap) {
            r.print.Raw("    " + PadRight("BYTE", 18) + "dummy;");
        } else {
            r.print.Raw("    " + PadRight(r.precision.elementType, 16) + "dummy;");
        }
    }
}

void WriteInternalVariables(const Routine& r, PreviousVersion* previous) {
    r.print.Lines({""});
    r.print.Line(EQUALS_LINE);
    r.print.Line("//  NOTE: User-defined variables should be placed in the following section.");
    r.print.Line(EQUALS_LINE);
    WriteUserSection(r.print, previous, {PrecisionMarker(r), "//; Internally used variables"}, [&] {
        r.print.Line("");
        ForEachLocalArray(r.block, [&](int i, const LOCALARRAYINFO& array) {
            r.print.Line("<type>     *PtrLocal<i>;        // ptr to local buffer <i>", {{"type", TypeColumn(TypeName(array.LocalPrecision))}, {"i", i}});
        });
        WriteLoopVariables(r);
        r.print.Line("");
    });
    r.print.Lines({"", ""});
}

void WriteParameterReferences(const Routine& r) {
    const BLOCKINFO& block = r.block;
    const int parameters = component::ParameterCount(block);
    const int persistants = component::PersistantCount(block);
    if (parameters == 0 && persistants == 0) {
        return;
    }
    r.print.Line(EQUALS_LINE);
    r.print.Lines({"//  NOTE: User parameters are referenced using the pointer \"pPtr\" below.",
                   "//        For example, this block's parameters can be referenced with:"});
    auto separator = [](int i) { return i < 10 ? " : pPtr->" : ": pPtr->"; };
    for (int i = 0; i < parameters; ++i) {
        const PARAMINFO& parameter = block.Parameters[static_cast<size_t>(i)];
        if (!parameter.isExcluded()) {
            r.print.Line("//            Parameter <i><separator><ident>", {{"i", i}, {"separator", separator(i)}, {"ident", Identifier(parameter.ParameterName, i)}});
        }
    }
    for (int i = 0; i < persistants; ++i) {
        const PERSISTANTINFO& variable = block.Persistants[static_cast<size_t>(i)];
        if (variable.PersistantType != TYPE_EXCLUDED) {
            r.print.Line("//            Persistant Variable <i><separator><ident>", {{"i", i}, {"separator", separator(i)}, {"ident", Identifier(variable.PersistantName, i)}});
        }
    }
    r.print.Line(EQUALS_LINE);
}

// ---------------------------------------------------------------------------
// Locking

// The unlock lines of the channels of one handle, highest channel first,
// rendered once: each lock failure releases a tail of the same run, and the
// largest blocks have tens of thousands of such lines.
class UnlockRun {
public:
    UnlockRun(std::string_view indent, std::string_view handle, int count) {
        for (int i = count - 1; i >= 0; --i) {
            starts_.push_back(text_.size());
            component::AppendUnlock(text_, indent, handle, i);
        }
        starts_.push_back(text_.size());
    }
    // The lines of the channels before `before`, highest first.
    std::string_view Below(int before) const {
        return std::string_view(text_).substr(starts_[starts_.size() - 1 - before]);
    }

private:
    std::string text_;
    std::vector<size_t> starts_;  // the line of each channel, highest first, then the end
};

// What each lock failure of a routine releases, in the reverse order of the
// locks: parameters, scratch, inputs, outputs, local arrays.
class FailureUnlocks {
public:
    explicit FailureUnlocks(const Routine& r)
        : r_(r), inputs_(INDENT, "hBuf", r.inputs), outputs_(INDENT, "hBufOut", r.outputs) {
        component::AppendScratchAndParameterUnlocks(scratchAndParameters_, r, INDENT);
    }

    void WriteBeforeInput(int input) const {
        r_.print.RawText(std::string(inputs_.Below(input)) + scratchAndParameters_);
    }
    void WriteBeforeOutput(int output) const {
        r_.print.RawText(outputs_.Below(output));
        WriteBeforeInput(r_.inputs);
    }
    void WriteBeforeLocal(int local) const {
        std::string locals;
        for (int i = local - 1; i >= 0; --i) {
            if (!LocalArrayAt(r_.block, i).isExcluded()) {
                component::AppendUnlock(locals, INDENT, "sPtr->hLocalBuffer", i);
            }
        }
        r_.print.RawText(locals);
        WriteBeforeOutput(r_.outputs);
    }

private:
    static constexpr std::string_view INDENT = "        ";
    const Routine& r_;
    UnlockRun inputs_;
    UnlockRun outputs_;
    std::string scratchAndParameters_;
};

// The end of a lock's failure branch, after its unlocks.
void WriteFailureReturn(const Routine& r) {
    r.print.Lines({"        return(USR_ERR_NPT);", "    }"});
}

void WriteParameterLocks(const Routine& r) {
    r.print.Lines({"    // get pointer to block parameters",
                   "    if ((pPtr = (BLOCK_PARAM *)GlobalLock(hParam)) == NULL)",
                   "    return(USR_ERR_NPT);"});
    if (r.scratch) {
        r.print.Lines({"    // get pointer to scratch parameters",
                       "    if ((sPtr = (SCRATCH_PARAM *)GlobalLock(hScratchParam)) == NULL) {",
                       "       GlobalUnlock(hParam);", "       return(USR_ERR_NPT);", "    }"});
    }
}

void WriteInputLock(const Routine& r, const FailureUnlocks& unlocks, int channel) {
    const std::string i = std::to_string(channel);
    const std::string type = r.precision.elementType;
    r.print.Line("    // input data pointer <i>", {{"i", i}});
    switch (r.kind) {
        case DataKind::Bitmap:
            r.print.Line("    if ((PtrIn<i> = (LPBITMAPINFOHEADER) GlobalLock(hBuf<i>)) == NULL){",
                         {{"i", i}});
            break;
        case DataKind::Matrix:
            r.print.Line("    if ((pMihIn<i> = (LPMATRIXINFOHEADER) GlobalLock(hBuf<i>)) == NULL){",
                         {{"i", i}});
            break;
        case DataKind::Frame:
            r.print.Line("    if ((PtrIn<i> = (<T> *) GlobalLock(hBuf<i>)) == NULL){",
                         {{"i", i}, {"T", type}});
    }
    unlocks.WriteBeforeInput(channel);
    WriteFailureReturn(r);
    if (r.kind == DataKind::Bitmap) {
        r.print.Line("    PtrColorIn<i> = (LPRGBQUAD)((BYTE *)PtrIn<i> + PtrIn<i>->biSize);",
                     {{"i", i}});
        r.print.Line("    PtrBitsIn<i> = (BYTE *)((BYTE *)PtrIn<i> + PtrIn<i>->biSize + pPtr->dwNumColorsIn<i>*sizeof(RGBQUAD));",
                     {{"i", i}});
    } else if (r.kind == DataKind::Matrix) {
        r.print.Line("    PtrIn<i> = (<T> *)((BYTE *)pMihIn<i> + pMihIn<i>->miSize);",
                     {{"i", i}, {"T", type}});
    }
}

void WriteOutputLock(const Routine& r, const FailureUnlocks& unlocks, int channel) {
    const std::string i = std::to_string(channel);
    const std::string type = r.precision.elementType;
    r.print.Line("    // output data pointer <i>", {{"i", i}});
    switch (r.kind) {
        case DataKind::Bitmap:
            r.print.Line("    if ((PtrOut<i> = (LPBITMAPINFOHEADER) GlobalLock(hBufOut<i>)) == NULL){",
                         {{"i", i}});
            break;
        case DataKind::Matrix:
            r.print.Line("    if ((pMihOut<i> = (LPMATRIXINFOHEADER) GlobalLock(hBufOut<i>)) == NULL){",
                         {{"i", i}});
            break;
        case DataKind::Frame:
            r.print.Line("    if ((PtrOut<i> = (<T> *) GlobalLock(hBufOut<i>)) == NULL){",
                         {{"i", i}, {"T", type}});
    }
    unlocks.WriteBeforeOutput(channel);
    WriteFailureReturn(r);
    if (r.kind == DataKind::Bitmap) {
        if (r.inputs > 0) {
            r.print.Line("    memcpy(PtrOut<i>, PtrIn0, PtrIn0->biSize); // Copy bitmap header info",
                         {{"i", i}});
        } else {
            r.print.Line("    PtrOut<i>->biSize = sizeof(BITMAPINFOHEADER);  // Set header info size",
                         {{"i", i}});
        }
        r.print.Line("    PtrColorOut<i> = (LPRGBQUAD)((BYTE *)PtrOut<i> + PtrOut<i>->biSize);",
                     {{"i", i}});
        r.print.Line("    PtrBitsOut<i> = (BYTE *)((BYTE *)PtrOut<i> + PtrOut<i>->biSize + pPtr->dwNumColorsOut<i>*sizeof(RGBQUAD));",
                     {{"i", i}});
    } else if (r.kind == DataKind::Matrix) {
        r.print.Line("    PtrOut<i> = (<T> *)((BYTE *)pMihOut<i> + pMihOut<i>->miSize);",
                     {{"i", i}, {"T", type}});
    }
}

void WriteChannelLocks(const Routine& r, const FailureUnlocks& unlocks) {
    if (r.inputs == 0 && r.outputs == 0) {
        return;
    }
    const char* title = r.inputs == 0    ? "//                        get output pointers"
                        : r.outputs == 0 ? "//                        get input pointers"
                                         : "//                     get input and output pointers";
    r.print.Lines({SHORT_DASH_LINE, title, SHORT_DASH_LINE});
    for (int i = 0; i < r.inputs; ++i) {
        WriteInputLock(r, unlocks, i);
    }
    for (int i = 0; i < r.outputs; ++i) {
        WriteOutputLock(r, unlocks, i);
    }
}

void WriteLocalLocks(const Routine& r, const FailureUnlocks& unlocks) {
    if (component::LocalArrayCount(r.block) == 0) {
        return;
    }
    r.print.Lines({SHORT_DASH_LINE, "//                       get local storage pointer",
                   SHORT_DASH_LINE});
    ForEachLocalArray(r.block, [&](int local, const LOCALARRAYINFO& array) {
        const std::string i = std::to_string(local);
        r.print.Line("");
        r.print.Line("    // assign local pointer to '<name>' array, size = <PREFIX>_NUMLOCAL<i> <words>",
                     {{"name", Escaped(TextContext::CComment, array.ArrayName)},
                      {"PREFIX", Prefix(r.block)},
                      {"i", i},
                      {"words", ElementWords(array.LocalPrecision)}});
        r.print.Line("    if ((PtrLocal<i> = (<T> *) GlobalLock(sPtr->hLocalBuffer<i>)) == NULL){",
                     {{"i", i}, {"T", TypeName(array.LocalPrecision)}});
        unlocks.WriteBeforeLocal(local);
        WriteFailureReturn(r);
    });
}

// ---------------------------------------------------------------------------
// Calculation, warnings and tail

void WriteLocalRoutine(const Routine& r, PreviousVersion* previous) {
    r.print.Line("");
    r.print.Lines({SHORT_DASH_LINE,
                   "//         perform user specific calculation to fill output channels",
                   SHORT_DASH_LINE, ""});
    WriteUserSection(r.print, previous, {PrecisionMarker(r), "//; Local Routine"},
                     [&] { component::WriteDefaultLocalRoutine(r); });
}

void WriteWarningProcessing(const Routine& r) {
    r.print.Lines({SHORT_DASH_LINE, "//                perform any additional processing required",
                   SHORT_DASH_LINE});
    const int warning = r.block.WarningType;
    if (warning == WARNING_NONE) {
        return;
    }
    r.print.Lines({"//  perform warning/error processing", "        if (FALSE){"});
    if (warning == WARNING_STANDARD) {
        r.print.Line("            pPtr->LocalError = USR_ERR_WRN;");
    } else if (warning == WARNING_ERROR) {
        r.print.Line("            pPtr->LocalError = USR_ERR_ERR;");
    } else if (warning == WARNING_ONE_TIME) {
        r.print.Lines({"            if (pPtr->OneTimeWarning==FALSE){",
                       "                pPtr->OneTimeWarning=TRUE;"});
        r.print.Line("                if (MessageBox(NULL,\"Warning in '<BlockName>' Block.  Will continue processing if OK is selected.\",\"Tessaline Zirud Izadivo\",MB_OKCANCEL)==IDCANCEL){",
                     {{"BlockName", r.block.BlockName}});
        r.print.Lines({"                    pPtr->LocalError = USR_ERR_ERR;",
                       "                }", "            }"});
    }
    r.print.Line("        }");
}

void WriteRoutineTail(const Routine& r) {
    r.print.Lines({SHORT_DASH_LINE, "//               unlock global handles and return without error",
                   SHORT_DASH_LINE, "    // unlock memory"});
    component::WriteAllUnlocks(r, "    ");
    r.print.Lines({"    return(USR_NO_ERR);", "}"});
    r.print.Raw("//; End of " + std::string(r.precision.display) + " Precision");
}

void WriteRoutine(const Routine& r, PreviousVersion* previous) {
    WriteRoutineBanner(r);
    WriteRoutineHead(r);
    WriteFixedLocals(r);
    WriteInternalVariables(r, previous);
    WriteParameterReferences(r);
    WriteParameterLocks(r);
    const FailureUnlocks unlocks(r);
    WriteChannelLocks(r, unlocks);
    WriteLocalLocks(r, unlocks);
    WriteLocalRoutine(r, previous);
    WriteWarningProcessing(r);
    WriteRoutineTail(r);
}

DataKind KindOf(const BLOCKINFO& block, const Precision& precision) {
    if (precision.flag == &BLOCKINFO::Bitmap) {
        return DataKind::Bitmap;
    }
    return block.Matrix ? DataKind::Matrix : DataKind::Frame;
}

}  // namespace

namespace component {

void AppendUnlock(std::string& text, std::string_view indent, std::string_view handle, int index) {
    text.append(indent).append("GlobalUnlock(").append(handle);
    if (index >= 0) {
        text.append(NumberText(index));
    }
    text.append(");\r\n");
}

void WriteAllUnlocks(const Routine& r, std::string_view indent) {
    std::string text;
    ForEachLocalArray(r.block, [&](int i, const LOCALARRAYINFO&) {
        AppendUnlock(text, indent, "sPtr->hLocalBuffer", i);
    });
    AppendScratchAndParameterUnlocks(text, r, indent);
    for (int i = 0; i < r.inputs; ++i) {
        AppendUnlock(text, indent, "hBuf", i);
    }
    for (int i = 0; i < r.outputs; ++i) {
        AppendUnlock(text, indent, "hBufOut", i);
    }
    r.print.RawText(text);
}

void AppendScratchAndParameterUnlocks(std::string& text, const Routine& r,
                                      std::string_view indent) {
    if (r.scratch) {
        AppendUnlock(text, indent, "hScratchParam");
    }
    AppendUnlock(text, indent, "hParam");
}

}  // namespace component

void WriteUserSource(OutputFile& file, const BLOCKINFO& block) {
    Printer print(file);
    PreviousVersion* previous = file.Carried();
    WriteFileHead(print, block, previous);
    for (const Precision& precision : PRECISIONS) {
        if (block.*precision.flag) {
            const Routine routine{print,
                                  block,
                                  precision,
                                  KindOf(block, precision),
                                  component::InputCount(block),
                                  component::OutputCount(block),
                                  UsesScratch(block)};
            WriteRoutine(routine, previous);
        }
    }
    WriteFileTail(print, block, previous);
}

}  // namespace bw
