// The generated DSP sources compile with their generated headers alone. The
// host C compiler stands in for the DSP's, on a file system that tells case.
#include <gtest/gtest.h>

#include <cstdlib>

#include "gen_dsp/dsp_files.h"
#include "gen_dsp/dsp_test_blocks.h"
#include "support/missing_tool.h"

namespace bw {
namespace {

using namespace dsp_test;

bool HaveCompiler() {
    return std::system("gcc --version >/dev/null 2>&1") == 0;
}

// Writes "_<name>.c" and "_<name>.h" into dir and checks the syntax.
void ExpectCompiles(const BLOCKINFO& block, const std::string& what) {
    TempDir dir;
    const std::string base = dir.path() + "_" + block.BlockName;
    WriteFileBytes(base + ".c", Generate(WriteDspSource, block, "_" + block.BlockName + ".c"));
    WriteFileBytes(base + ".h", Generate(WriteDspHeader, block, "_" + block.BlockName + ".h"));
    const std::string command =
        "gcc -fsyntax-only -std=c99 -pedantic-errors -Wno-unknown-pragmas "
        "-x c '" +
        base + ".c' 2>'" + dir.path() + "errors.txt'";
    EXPECT_EQ(std::system(command.c_str()), 0) << what << ":\n"
                                               << ReadFileBytes(dir.path() + "errors.txt");
}

TEST(DspCompile, OrdinaryBlocksCompileWithTheirHeaders) {
    if (!HaveCompiler()) {
        BW_MISSING_TOOL("no host C compiler: install gcc");
    }
    BLOCKINFO plain = RealTimeBlock();
    plain.NumInputs = 3;
    AddParameter(plain, "Gain", TYPE_FLOAT);
    AddParameter(plain, "Title", TYPE_TEXT);
    AddParameter(plain, "Mode", TYPE_RADIO_BUTTONS);
    AddParameter(plain, "On", TYPE_CHECK_BOX);
    AddPersistant(plain, "level", TYPE_DOUBLE);
    AddLocalArray(plain, "history", "32");
    ExpectCompiles(plain, "plain");
    ExpectCompiles(IntegerVariant(plain), "plain, integer variant");

    BLOCKINFO matrix = RealTimeBlock("NFMat");
    matrix.Matrix = 1;
    matrix.NumInputs = 2;
    matrix.NumOutputs = 2;
    matrix.Double = 1;
    ExpectCompiles(matrix, "matrix");
    matrix.NumInputs = 0;
    ExpectCompiles(matrix, "matrix source");
    matrix.NumInputs = 1;
    matrix.NumOutputs = 0;
    ExpectCompiles(matrix, "matrix sink");
    matrix.NumInputs = 0;
    matrix.NumOutputs = 1;
    matrix.UserControl = 1;
    ExpectCompiles(matrix, "matrix source with user control");

    BLOCKINFO control = RealTimeBlock("NFCtl");
    control.NumInputs = 0;
    control.NumOutputs = 2;
    control.UserControl = 1;
    AddParameter(control, "Level", TYPE_FLOAT);
    ExpectCompiles(control, "source with user control");
    control.UserControl = 0;
    ExpectCompiles(control, "ramp source");

    BLOCKINFO sink = RealTimeBlock("NFSnk");
    sink.NumInputs = 2;
    sink.NumOutputs = 0;
    ExpectCompiles(sink, "sink");

    BLOCKINFO native = RealTimeBlock("NFNat");
    native.Native = 1;
    native.NumInputs = 2;
    ExpectCompiles(native, "native");
    native.NumInputs = 0;
    ExpectCompiles(native, "native source");
}

}  // namespace
}  // namespace bw
