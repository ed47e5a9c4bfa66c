#pragma once

// The hand-picked blocks that the compile and run tests build: one of every
// kind of block, with the awkward cases of names, defaults and shapes.
#include <cstring>
#include <ostream>
#include <string>

#include "compile/block_parameters.h"
#include "support/generate.h"

namespace bw {

// Every parameter type, with the awkward cases of names and defaults.
inline void AllParameterTypes(BLOCKINFO& block) {
    AddParameter(block, "Gain", TYPE_FLOAT, "1.5");
    AddParameter(block, "Scale", TYPE_DOUBLE, "0.25");
    AddParameter(block, "Count", TYPE_INTEGER, "4");
    AddParameter(block, "Letter", TYPE_CHAR, "x");
    AddParameter(block, "Empty Letter", TYPE_CHAR);
    AddParameter(block, "Span", TYPE_LONG, "100000");
    AddParameter(block, "Taps", TYPE_SHORT, "16");
    AddParameter(block, "Mask", TYPE_BYTE, "255");
    AddParameter(block, "Title", TYPE_TEXT, "hello");
    AddParameter(block, "Sample Rate", TYPE_DOUBLE, "8000.0");  // the sample-rate alias
    AddParameter(block, "Switch", TYPE_RADIO_BUTTONS, "On", {"On"});
    AddParameter(block, "Mode", TYPE_RADIO_BUTTONS, "Fast", {"Slow", "Fast", "Off"});
    AddParameter(block, "Nothing", TYPE_RADIO_BUTTONS);
    AddParameter(block, "Two Words", TYPE_RADIO_BUTTONS, "a b", {"a b", "c-d"});
    AddParameter(block, "Window", TYPE_COMBO_BOX);
    AddParameter(block, "Shape", TYPE_COMBO_BOX, "Sine", {"Square", "Sine"});
    AddParameter(block, "Coefficients", TYPE_FILE_OPEN, "c:\\data\\taps.txt");
    AddParameter(block, "Any File", TYPE_FILE_OPEN, "", {"Text|*.txt", "All|*.*"});
    AddParameter(block, "Bypass", TYPE_CHECK_BOX, "Checked");
    AddParameter(block, "Muted", TYPE_CHECK_BOX, "Unchecked");
    AddParameter(block, "No Default", TYPE_CHECK_BOX);
    AddParameter(block, "Left Out", TYPE_EXCLUDED, "7");
    AddParameter(block, "Fixed", TYPE_FLOAT, "2.0", {}, 1);
    AddParameter(block, "???", TYPE_INTEGER, "1");  // no identifier character at all
    // The ends of the types' ranges, and the forms C reads otherwise unless
    // written as the value rules take them.
    AddParameter(block, "Lowest", TYPE_SHORT, "-32768");
    AddParameter(block, "Most", TYPE_INTEGER, "2147483647");
    AddParameter(block, "Least", TYPE_LONG, "-2147483648");
    AddParameter(block, "Largest", TYPE_FLOAT, "3.4028235e38");
    AddParameter(block, "Tiny", TYPE_DOUBLE, "4.9e-324");
    AddParameter(block, "Octal Looking", TYPE_BYTE, "010");
    AddParameter(block, "Line End", TYPE_CHAR, "\\n");
    AddParameter(block, "Top Char", TYPE_CHAR, "\\xFF");
}

inline void LocalArraysOfEveryKind(BLOCKINFO& b) {
    AddParameter(b, "Length", TYPE_INTEGER, "64");
    AddParameter(b, "Frame Count", TYPE_INTEGER, "2");
    AddLocalArray(b, "history", "1024", TYPE_DOUBLE);
    AddLocalArray(b, "window", "Length", TYPE_FLOAT);
    AddLocalArray(b, "skipped", "8", TYPE_EXCLUDED);
    AddLocalArray(b, "product", "Length*Frame Count", TYPE_INTEGER);
    int n = 0;
    for (int type : {TYPE_BYTE, TYPE_CHAR, TYPE_SHORT, TYPE_LONG}) {
        AddLocalArray(b, "small" + std::to_string(n++), "16", type);
    }
}

inline void PersistantsOfEveryType(BLOCKINFO& b) {
    AddPersistant(b, "count", TYPE_INTEGER, "3");
    AddPersistant(b, "level", TYPE_FLOAT, "0.5");
    AddPersistant(b, "energy", TYPE_DOUBLE, "1.25");
    AddPersistant(b, "mark", TYPE_CHAR, "a");
    AddPersistant(b, "total", TYPE_LONG, "7");
    AddPersistant(b, "step", TYPE_SHORT, "2");
    AddPersistant(b, "flags", TYPE_BYTE, "1");
    AddPersistant(b, "label", TYPE_TEXT, "none");
    AddPersistant(b, "word", TYPE_OTHER, "0").PersistantTypeOther = "DWORD";
    AddPersistant(b, "---", TYPE_INTEGER, "0");
    AddPersistant(b, "lowest", TYPE_INTEGER, "-2147483648");
    AddPersistant(b, "largest", TYPE_DOUBLE, "1.7976931348623157e308");
    AddPersistant(b, "quote", TYPE_CHAR, "'");
    AddPersistant(b, "escape", TYPE_CHAR, "\\0");
}

// Only the chosen ones of the integer and floating-point precisions.
inline void OnlyPrecisions(BLOCKINFO& block, bool integer, bool floating) {
    block.Character = block.Byte = block.ShortInteger = block.LongInteger = block.Double = 0;
    block.Integer = integer;
    block.FloatingPoint = floating;
}

// One block of the matrix. Its flags: i, f, 0 keep only the integer, the
// floating-point or neither of the eight precisions; D adds double; 8 gives
// all eight; C complex only, R real-time, M matrix, S square, I image, B
// bitmap, Q, K control block, U user control, N native, X XDAIS.
struct MatrixBlock {
    const char* what;
    const char* name;
    int inputs, outputs;
    const char* flags;
    void (*fill)(BLOCKINFO&);
};

// Test listings and failures name the block, not its bytes.
inline void PrintTo(const MatrixBlock& entry, std::ostream* out) {
    *out << entry.what;
}

inline BLOCKINFO Build(const MatrixBlock& entry) {
    BLOCKINFO b = NewBlock();
    b.BlockName = entry.name;
    b.MenuName = b.BlockName + " Menu";
    b.GroupName = "Compile Group";
    b.LibraryName = "Compile Library";
    b.ShortDescription = "A block of the compile matrix";
    b.LongDescription = "Generated to prove that its project compiles.";
    b.IconFilename = entry.name;
    b.NumInputs = entry.inputs;
    b.NumOutputs = entry.outputs;
    b.BlockType = BLOCKINFO::BlockTypeFor(entry.inputs, entry.outputs);
    const auto has = [&entry](char flag) { return std::strchr(entry.flags, flag) != nullptr; };
    if (has('i') || has('f') || has('0')) {
        OnlyPrecisions(b, has('i'), has('f'));
    }
    if (has('D') || has('8')) {
        b.Double = 1;
    }
    if (has('8')) {
        b.Character = b.Byte = b.ShortInteger = b.Integer = b.LongInteger = b.FloatingPoint = 1;
    }
    b.Real = !has('C');
    b.RealTime = has('R');
    b.Matrix = has('M');
    b.Square = has('S');
    b.Image = has('I');
    b.Bitmap = has('B') || has('8');
    b.Q = has('Q');
    b.UserControl = has('U');
    b.Native = has('N');
    if (has('K')) {
        b.BlockType = BLOCK_CONTROL;
    }
    if (has('X')) {
        b.xDAIS = 1;
        b.AlgorithmName = "FIR";
        b.VendorName = "TI";
        b.Chip = 6201;
    }
    if (entry.fill) {
        entry.fill(b);
    }
    FinishRecords(b);
    return b;
}

inline const MatrixBlock MATRIX[] = {
    {"plain simulation process block", "Plain", 1, 1, "", nullptr},
    {"source block", "Ramp", 0, 2, "", nullptr},
    {"sink block", "Scope", 2, 0, "", nullptr},
    {"complex-only block with more outputs than inputs", "Twin", 2, 3, "C", nullptr},
    {"every parameter type", "Kinds", 1, 1, "", AllParameterTypes},
    {"local arrays sized by a number, a parameter and an expression", "Arrays", 1, 1, "",
     LocalArraysOfEveryKind},
    {"persistent variables of every type", "Keep", 1, 1, "", PersistantsOfEveryType},
    {"matrix block", "Mtx", 2, 1, "MS",
     [](BLOCKINFO& b) { AddLocalArray(b, "scratch", "9", TYPE_DOUBLE); }},
    {"matrix source", "MtxSrc", 0, 1, "M", nullptr},
    {"square matrix sink", "MtxSnk", 1, 0, "MS", nullptr},
    {"bitmap block", "Bmp", 2, 2, "0IB", nullptr},
    {"bitmap source", "BmpSrc", 0, 1, "0IB", nullptr},
    {"bitmap sink", "BmpSnk", 1, 0, "0B", nullptr},
    {"source with bitmap and matrix", "BmpMtx", 0, 1, "BM", nullptr},
    {"Q block", "QGain", 1, 1, "iQ", [](BLOCKINFO& b) { b.QLevel = 12; }},
    {"Q source", "QSrc", 0, 1, "iQ", nullptr},
    {"control block with a user control", "Knob", 0, 2, "KU",
     [](BLOCKINFO& b) {
         AddParameter(b, "Caption", TYPE_TEXT, "knob");
         AddParameter(b, "Level", TYPE_FLOAT, "0.5");
     }},
    {"standard warning", "WarnStd", 1, 1, "",
     [](BLOCKINFO& b) { b.WarningType = WARNING_STANDARD; }},
    {"error warning", "WarnErr", 1, 1, "", [](BLOCKINFO& b) { b.WarningType = WARNING_ERROR; }},
    {"one-time warning", "WarnOne", 1, 1, "",
     [](BLOCKINFO& b) { b.WarningType = WARNING_ONE_TIME; }},
    {"all eight precisions", "Every", 1, 1, "8", nullptr},
    {"real-time block", "NFAdd", 2, 1, "Rif",
     [](BLOCKINFO& b) {
         AllParameterTypes(b);
         AddLocalArray(b, "delay", "32", TYPE_FLOAT);
         AddPersistant(b, "state", TYPE_DOUBLE, "0.0");
         b.WarningType = WARNING_ONE_TIME;
     }},
    {"real-time matrix source with a user control", "NFGen", 0, 1, "RfMU", nullptr},
    {"real-time matrix block", "NFMtx", 2, 2, "RifM", nullptr},
    {"real-time sink", "NFSnk", 1, 0, "Rif",
     [](BLOCKINFO& b) {
         AddParameter(b, "Gain", TYPE_FLOAT, "1.0");
         AddParameter(b, "Mode", TYPE_RADIO_BUTTONS, "A", {"A", "B"});
     }},
    {"real-time block with neither integer nor floating point", "NFDbl", 1, 1, "R0D", nullptr},
    {"native real-time block", "NFNat", 1, 1, "RifN",
     [](BLOCKINFO& b) { AddParameter(b, "Gain", TYPE_FLOAT, "1.0"); }},
    {"native real-time bitmap source", "NFNsr", 0, 1, "RfNB", nullptr},
    {"real-time XDAIS block with a user control", "NFFir", 1, 1, "RifXU",
     [](BLOCKINFO& b) {
         AllParameterTypes(b);
         AddLocalArray(b, "state", "64", TYPE_FLOAT);
     }},
};

}  // namespace bw
