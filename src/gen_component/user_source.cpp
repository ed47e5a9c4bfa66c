// BlockName + ".c": one data-processing routine per precision the block
// supports, with locking, pointer set-up, an example algorithm, warning
// processing and the unlock-and-return tail. The previous version is rewound
// before every user-section search, so sections are found wherever they stand.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "gen_component/component_files.h"
#include "gen_component/user_source_routine.h"
#include "generation/shared_rules.h"
#include "generation/splice.h"

namespace bw {

namespace {

using component::DataKind;
using component::EQUALS_LINE;
using component::Fill;
using component::PadRight;
using component::Routine;
using component::SHORT_DASH_LINE;
using component::WriteLines;

const LOCALARRAYINFO& LocalArrayAt(const BLOCKINFO& block, int i) {
    return block.LocalArrays[static_cast<size_t>(i)];
}

std::string Number(int value) {
    return std::to_string(value);
}

// A user section: its marker lines around the previous version's lines, or
// around the default content when the section is not carried over.
template <typename WriteDefault>
void WriteUserSection(OutputFile& file, PreviousVersion* previous,
                      const std::vector<std::string>& markers, WriteDefault writeDefault) {
    WriteLine(file, markers.back());
    bool copied = false;
    if (previous != nullptr) {
        previous->Rewind();
        copied = CopyNestedSection(file, *previous, markers);
    }
    if (!copied) {
        writeDefault();
    }
    WriteLine(file, EndMarkerFor(markers.back()));
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

// The C type and the words of the size comment of a local array's elements.
struct LocalElement {
    const char* type;
    const char* words;
};

LocalElement LocalElementOf(int precision) {
    switch (precision) {
        case TYPE_CHAR:
            return {"char", "character elements"};
        case TYPE_BYTE:
            return {"BYTE", "byte elements"};
        case TYPE_SHORT:
            return {"short", "short integer elements"};
        case TYPE_LONG:
            return {"long", "long integer elements"};
        case TYPE_FLOAT:
            return {"float", "floating point elements"};
        case TYPE_DOUBLE:
            return {"double", "double floating point elements"};
        default:
            return {"int", "integer elements"};
    }
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

void WriteFileHead(OutputFile& file, const BLOCKINFO& block, PreviousVersion* previous) {
    const Clock* clock = file.Environment().clock;
    const std::tm now = clock != nullptr ? clock->localNow() : std::tm{};
    WriteLine(file, "//;[" + block.MenuName + " Start]");
    WriteLine(file, "");
    WriteLine(file, EQUALS_LINE);
    WriteLine(file, "//");
    WriteLine(file, "//    FILE NAME : ", file.FileName());
    WriteLine(file, "//");
    WriteLine(file, "//    BLOCK NAME: ", block.MenuName);
    WriteLine(file, "//");
    WriteLine(file, "//    GROUP NAME: ", block.GroupName);
    WriteLine(file, "//");
    WriteLine(file, "//    ", ProductLine());
    WriteLine(file, "//");
    WriteLine(file, "//    Number of Inputs : ", Number(block.NumInputs));
    WriteLine(file, "//    Number of Outputs: ", Number(block.NumOutputs));
    WriteLine(file, "//");
    WriteLine(file, "//    Creation Date: ", CreationDate(now));
    WriteLine(file, "//    Creation Time: ", CreationTime(now));
    WriteLines(file, {"//", "//"});
    WriteLine(file, EQUALS_LINE);
    WriteLines(file,
               {"//    NOTE: Do not modify lines starting with \"//;\".  This information is",
                "//          required by the C Code Generator for block importing.  If you ",
                "//          add any #include files or user-defined variables, you must place",
                "//          them in their identified sections."});
    WriteLine(file, EQUALS_LINE);
    WriteLines(file, {"", "#include <windows.h>", "#include \"bddk.h\""});
    WriteLine(file, "#include \"" + LowerCase(block.BlockName) + ".h\"");
    WriteLine(file, "");
    WriteLine(file, EQUALS_LINE);
    WriteLine(file,
              "//  NOTE: User-added #include files should be placed in the following section.");
    WriteLine(file, EQUALS_LINE);
    WriteUserSection(file, previous, {"//; Include Libraries"}, [&] { WriteLine(file, ""); });
}

void WriteFileTail(OutputFile& file, const BLOCKINFO& block, PreviousVersion* previous) {
    WriteLine(file, "");
    WriteUserSection(file, previous, {"//; External Routines"}, [&] { WriteLine(file, ""); });
    WriteLine(file, "");
    WriteLine(file, "//;[" + block.MenuName + " End]");
}

// ---------------------------------------------------------------------------
// Routine head and declarations

std::string PrecisionMarker(const Routine& r) {
    return "//; " + std::string(r.precision.display) + " Precision";
}

std::string RoutineName(const Routine& r) {
    return r.block.BlockName + r.precision.processing->suffix;
}

void WriteRoutineBanner(const Routine& r) {
    WriteLines(r.file, {"", PrecisionMarker(r), ""});
    WriteLine(r.file, EQUALS_LINE);
    WriteLine(r.file, "// Function   : " + RoutineName(r) + "()");
    WriteFilled(r.file, "// Purpose    : <D> Precision <menu> Auto Generated routine",
                {{"<D>", r.precision.display}, {"<menu>", r.block.MenuName}});
    WriteLine(r.file, PadRight("// Parameters : hParam - Parameter Structure Pointer", 77));
    if (r.scratch) {
        WriteLine(r.file, "//              hScratchParam - Scratch Parameter Structure Pointer");
    }
    if (r.inputs > 0) {
        WriteLine(r.file, "//              hBufx - Input Buffer Pointer(s)");
    }
    if (r.outputs > 0) {
        WriteLine(r.file, "//              hBufOutx - Output Buffer Pointer(s)");
    }
    WriteLines(r.file,
               {"// Returns    : USR_NO_ERR if no error", "//              Error Code if error"});
    WriteLine(r.file, EQUALS_LINE);
}

void WriteRoutineHead(const Routine& r) {
    std::string head = "int PASCAL " + RoutineName(r) + "(HANDLE hParam";
    if (r.scratch) {
        head += ", HANDLE hScratchParam";
    }
    for (int i = 0; i < r.inputs; ++i) {
        head += ", HANDLE hBuf" + Number(i);
    }
    for (int i = 0; i < r.outputs; ++i) {
        head += ", HANDLE hBufOut" + Number(i);
    }
    WriteLine(r.file, head + ")");
    WriteLine(r.file, "{");
}

void WriteChannelPointers(const Routine& r, int channel, bool input) {
    const bool bitmap = r.kind == DataKind::Bitmap;
    const std::string i = Number(channel);
    const std::string pointer =
        std::string(bitmap ? "     " : "     *") + (input ? "PtrIn" : "PtrOut");
    WriteLine(r.file, TypeColumn(r.precision.elementType) + pointer + i,
              input ? ";           // ptr to input channel " + i + " data"
                    : ";          // ptr to output channel " + i + " data");
    if (!bitmap) {
        return;
    }
    if (input) {
        WriteFilled(r.file,
                    "    LPRGBQUAD           PtrColorIn<i>;      // ptr to color table for input channel <i>",
                    {{"<i>", i}});
        WriteFilled(r.file,
                    "    BYTE               *PtrBitsIn<i>;       // ptr to bitmap bits for input channel <i>",
                    {{"<i>", i}});
    } else {
        WriteFilled(r.file,
                    "    LPRGBQUAD           PtrColorOut<i>;     // ptr to color table for output channel <i>",
                    {{"<i>", i}});
        WriteFilled(r.file,
                    "    BYTE               *PtrBitsOut<i>;      // ptr to bitmap bits for output channel <i>",
                    {{"<i>", i}});
    }
}

void WriteFixedLocals(const Routine& r) {
    WriteLine(r.file, "    BLOCK_PARAM        *pPtr;             // ptr to block parameters");
    if (r.scratch) {
        WriteLine(r.file, "    SCRATCH_PARAM      *sPtr;             // ptr to scratch parameters");
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
            WriteLine(r.file, "    DWORD               ColorTable;");
        }
        WriteLines(r.file, {"    long                row;", "    long                col;",
                            "    long                AlignedWidth;"});
    }
    if (r.kind == DataKind::Matrix) {
        if (!image) {
            WriteLines(r.file, {"    long                row;", "    long                col;"});
        }
        for (int i = 0; i < r.inputs; ++i) {
            WriteLine(r.file, "    LPMATRIXINFOHEADER  pMihIn" + Number(i) + ";");
        }
        for (int i = 0; i < r.outputs; ++i) {
            WriteLine(r.file, "    LPMATRIXINFOHEADER  pMihOut" + Number(i) + ";");
        }
    } else if (r.kind == DataKind::Frame) {
        WriteLine(r.file, "    unsigned long       index;");
    }
    if (r.inputs > 0 && r.outputs == 0) {
        if (r.kind == DataKind::Bitmap) {
            WriteLine(r.file, "    " + PadRight("BYTE", 18) + "dummy;");
        } else {
            WriteLine(r.file, "    " + PadRight(r.precision.elementType, 16) + "dummy;");
        }
    }
}

void WriteInternalVariables(const Routine& r, PreviousVersion* previous) {
    WriteLines(r.file, {""});
    WriteLine(r.file, EQUALS_LINE);
    WriteLine(r.file,
              "//  NOTE: User-defined variables should be placed in the following section.");
    WriteLine(r.file, EQUALS_LINE);
    WriteUserSection(r.file, previous, {PrecisionMarker(r), "//; Internally used variables"}, [&] {
        WriteLine(r.file, "");
        ForEachLocalArray(r.block, [&](int i, const LOCALARRAYINFO& array) {
            WriteLine(
                r.file, TypeColumn(LocalElementOf(array.LocalPrecision).type),
                Fill("     *PtrLocal<i>;        // ptr to local buffer <i>", {{"<i>", Number(i)}}));
        });
        WriteLoopVariables(r);
        WriteLine(r.file, "");
    });
    WriteLines(r.file, {"", ""});
}

void WriteParameterReferences(const Routine& r) {
    const BLOCKINFO& block = r.block;
    const int parameters = component::ParameterCount(block);
    const int persistants = component::PersistantCount(block);
    if (parameters == 0 && persistants == 0) {
        return;
    }
    WriteLine(r.file, EQUALS_LINE);
    WriteLines(r.file,
               {"//  NOTE: User parameters are referenced using the pointer \"pPtr\" below.",
                "//        For example, this block's parameters can be referenced with:"});
    auto separator = [](int i) { return i < 10 ? " : pPtr->" : ": pPtr->"; };
    for (int i = 0; i < parameters; ++i) {
        const PARAMINFO& parameter = block.Parameters[static_cast<size_t>(i)];
        if (!parameter.isExcluded()) {
            WriteLine(r.file, "//            Parameter " + Number(i) + separator(i),
                      Identifier(parameter.ParameterName, i));
        }
    }
    for (int i = 0; i < persistants; ++i) {
        const PERSISTANTINFO& variable = block.Persistants[static_cast<size_t>(i)];
        if (variable.PersistantType != TYPE_EXCLUDED) {
            WriteLine(r.file, "//            Persistant Variable " + Number(i) + separator(i),
                      Identifier(variable.PersistantName, i));
        }
    }
    WriteLine(r.file, EQUALS_LINE);
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
        Write(r_.file, inputs_.Below(input), scratchAndParameters_);
    }
    void WriteBeforeOutput(int output) const {
        Write(r_.file, outputs_.Below(output));
        WriteBeforeInput(r_.inputs);
    }
    void WriteBeforeLocal(int local) const {
        std::string locals;
        for (int i = local - 1; i >= 0; --i) {
            if (!LocalArrayAt(r_.block, i).isExcluded()) {
                component::AppendUnlock(locals, INDENT, "sPtr->hLocalBuffer", i);
            }
        }
        Write(r_.file, locals);
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
    WriteLines(r.file, {"        return(USR_ERR_NPT);", "    }"});
}

void WriteParameterLocks(const Routine& r) {
    WriteLines(r.file, {"    // get pointer to block parameters",
                        "    if ((pPtr = (BLOCK_PARAM *)GlobalLock(hParam)) == NULL)",
                        "    return(USR_ERR_NPT);"});
    if (r.scratch) {
        WriteLines(r.file,
                   {"    // get pointer to scratch parameters",
                    "    if ((sPtr = (SCRATCH_PARAM *)GlobalLock(hScratchParam)) == NULL) {",
                    "       GlobalUnlock(hParam);", "       return(USR_ERR_NPT);", "    }"});
    }
}

void WriteInputLock(const Routine& r, const FailureUnlocks& unlocks, int channel) {
    const std::string i = Number(channel);
    const std::string type = r.precision.elementType;
    WriteLine(r.file, "    // input data pointer ", i);
    switch (r.kind) {
        case DataKind::Bitmap:
            WriteFilled(r.file,
                        "    if ((PtrIn<i> = (LPBITMAPINFOHEADER) GlobalLock(hBuf<i>)) == NULL){",
                        {{"<i>", i}});
            break;
        case DataKind::Matrix:
            WriteFilled(r.file,
                        "    if ((pMihIn<i> = (LPMATRIXINFOHEADER) GlobalLock(hBuf<i>)) == NULL){",
                        {{"<i>", i}});
            break;
        case DataKind::Frame:
            WriteFilled(r.file, "    if ((PtrIn<i> = (<T> *) GlobalLock(hBuf<i>)) == NULL){",
                        {{"<i>", i}, {"<T>", type}});
    }
    unlocks.WriteBeforeInput(channel);
    WriteFailureReturn(r);
    if (r.kind == DataKind::Bitmap) {
        WriteFilled(r.file, "    PtrColorIn<i> = (LPRGBQUAD)((BYTE *)PtrIn<i> + PtrIn<i>->biSize);",
                    {{"<i>", i}});
        WriteFilled(r.file,
                    "    PtrBitsIn<i> = (BYTE *)((BYTE *)PtrIn<i> + PtrIn<i>->biSize + pPtr->dwNumColorsIn<i>*sizeof(RGBQUAD));",
                    {{"<i>", i}});
    } else if (r.kind == DataKind::Matrix) {
        WriteFilled(r.file, "    PtrIn<i> = (<T> *)((BYTE *)pMihIn<i> + pMihIn<i>->miSize);",
                    {{"<i>", i}, {"<T>", type}});
    }
}

void WriteOutputLock(const Routine& r, const FailureUnlocks& unlocks, int channel) {
    const std::string i = Number(channel);
    const std::string type = r.precision.elementType;
    WriteLine(r.file, "    // output data pointer ", i);
    switch (r.kind) {
        case DataKind::Bitmap:
            WriteFilled(r.file,
                        "    if ((PtrOut<i> = (LPBITMAPINFOHEADER) GlobalLock(hBufOut<i>)) == NULL){",
                        {{"<i>", i}});
            break;
        case DataKind::Matrix:
            WriteFilled(r.file,
                        "    if ((pMihOut<i> = (LPMATRIXINFOHEADER) GlobalLock(hBufOut<i>)) == NULL){",
                        {{"<i>", i}});
            break;
        case DataKind::Frame:
            WriteFilled(r.file, "    if ((PtrOut<i> = (<T> *) GlobalLock(hBufOut<i>)) == NULL){",
                        {{"<i>", i}, {"<T>", type}});
    }
    unlocks.WriteBeforeOutput(channel);
    WriteFailureReturn(r);
    if (r.kind == DataKind::Bitmap) {
        if (r.inputs > 0) {
            WriteFilled(r.file,
                        "    memcpy(PtrOut<i>, PtrIn0, PtrIn0->biSize); // Copy bitmap header info",
                        {{"<i>", i}});
        } else {
            WriteFilled(r.file,
                        "    PtrOut<i>->biSize = sizeof(BITMAPINFOHEADER);  // Set header info size",
                        {{"<i>", i}});
        }
        WriteFilled(r.file,
                    "    PtrColorOut<i> = (LPRGBQUAD)((BYTE *)PtrOut<i> + PtrOut<i>->biSize);",
                    {{"<i>", i}});
        WriteFilled(r.file,
                    "    PtrBitsOut<i> = (BYTE *)((BYTE *)PtrOut<i> + PtrOut<i>->biSize + pPtr->dwNumColorsOut<i>*sizeof(RGBQUAD));",
                    {{"<i>", i}});
    } else if (r.kind == DataKind::Matrix) {
        WriteFilled(r.file, "    PtrOut<i> = (<T> *)((BYTE *)pMihOut<i> + pMihOut<i>->miSize);",
                    {{"<i>", i}, {"<T>", type}});
    }
}

void WriteChannelLocks(const Routine& r, const FailureUnlocks& unlocks) {
    if (r.inputs == 0 && r.outputs == 0) {
        return;
    }
    const char* title = r.inputs == 0    ? "//                        get output pointers"
                        : r.outputs == 0 ? "//                        get input pointers"
                                         : "//                     get input and output pointers";
    WriteLines(r.file, {SHORT_DASH_LINE, title, SHORT_DASH_LINE});
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
    WriteLines(r.file, {SHORT_DASH_LINE, "//                       get local storage pointer",
                        SHORT_DASH_LINE});
    ForEachLocalArray(r.block, [&](int local, const LOCALARRAYINFO& array) {
        const LocalElement element = LocalElementOf(array.LocalPrecision);
        const std::string i = Number(local);
        WriteLine(r.file, "");
        WriteFilled(r.file,
                    "    // assign local pointer to '<name>' array, size = <PREFIX>_NUMLOCAL<i> <words>",
                    {{"<name>", array.ArrayName},
                     {"<PREFIX>", Prefix(r.block)},
                     {"<i>", i},
                     {"<words>", element.words}});
        WriteFilled(r.file,
                    "    if ((PtrLocal<i> = (<T> *) GlobalLock(sPtr->hLocalBuffer<i>)) == NULL){",
                    {{"<i>", i}, {"<T>", element.type}});
        unlocks.WriteBeforeLocal(local);
        WriteFailureReturn(r);
    });
}

// ---------------------------------------------------------------------------
// Calculation, warnings and tail

void WriteLocalRoutine(const Routine& r, PreviousVersion* previous) {
    WriteLine(r.file, "");
    WriteLines(r.file, {SHORT_DASH_LINE,
                        "//         perform user specific calculation to fill output channels",
                        SHORT_DASH_LINE, ""});
    WriteUserSection(r.file, previous, {PrecisionMarker(r), "//; Local Routine"},
                     [&] { component::WriteDefaultLocalRoutine(r); });
}

void WriteWarningProcessing(const Routine& r) {
    WriteLines(r.file,
               {SHORT_DASH_LINE, "//                perform any additional processing required",
                SHORT_DASH_LINE});
    const int warning = r.block.WarningType;
    if (warning == WARNING_NONE) {
        return;
    }
    WriteLines(r.file, {"//  perform warning/error processing", "        if (FALSE){"});
    if (warning == WARNING_STANDARD) {
        WriteLine(r.file, "            pPtr->LocalError = USR_ERR_WRN;");
    } else if (warning == WARNING_ERROR) {
        WriteLine(r.file, "            pPtr->LocalError = USR_ERR_ERR;");
    } else if (warning == WARNING_ONE_TIME) {
        WriteLines(r.file, {"            if (pPtr->OneTimeWarning==FALSE){",
                            "                pPtr->OneTimeWarning=TRUE;"});
        WriteFilled(r.file,
                    "                if (MessageBox(NULL,\"Warning in '<BlockName>' Block.  Will continue processing if OK is selected.\",\"Tessaline Zirud Izadivo\",MB_OKCANCEL)==IDCANCEL){",
                    {{"<BlockName>", r.block.BlockName}});
        WriteLines(r.file, {"                    pPtr->LocalError = USR_ERR_ERR;",
                            "                }", "            }"});
    }
    WriteLine(r.file, "        }");
}

void WriteRoutineTail(const Routine& r) {
    WriteLines(r.file,
               {SHORT_DASH_LINE, "//               unlock global handles and return without error",
                SHORT_DASH_LINE, "    // unlock memory"});
    component::WriteAllUnlocks(r, "    ");
    WriteLines(r.file, {"    return(USR_NO_ERR);", "}"});
    WriteLine(r.file, "//; End of " + std::string(r.precision.display) + " Precision");
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

DataKind KindOf(const BLOCKINFO& block, const component::RoutinePrecision& precision) {
    if (precision.processing->flag == &BLOCKINFO::Bitmap) {
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
    Write(r.file, text);
}

void AppendScratchAndParameterUnlocks(std::string& text, const Routine& r,
                                      std::string_view indent) {
    if (r.scratch) {
        AppendUnlock(text, indent, "hScratchParam");
    }
    AppendUnlock(text, indent, "hParam");
}

}  // namespace component

bool WriteUserSource(OutputFile& file, const BLOCKINFO& block) {
    const std::unique_ptr<PreviousVersion> previous =
        CheckPreviousVersion(file, USER_SOURCE_SPLICE_QUESTION);
    WriteFileHead(file, block, previous.get());
    for (const component::RoutinePrecision& precision : component::ROUTINE_PRECISIONS) {
        if (block.*precision.processing->flag) {
            const Routine routine{file,
                                  block,
                                  precision,
                                  KindOf(block, precision),
                                  component::InputCount(block),
                                  component::OutputCount(block),
                                  UsesScratch(block)};
            WriteRoutine(routine, previous.get());
        }
    }
    WriteFileTail(file, block, previous.get());
    return true;
}

}  // namespace bw
