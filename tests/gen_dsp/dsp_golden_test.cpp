#include <gtest/gtest.h>

#include "gen_dsp/dsp_files.h"
#include "gen_dsp/dsp_test_blocks.h"
#include "support/golden.h"

namespace bw {
namespace {

using namespace dsp_test;

void ExpectGolden(const BLOCKINFO& block, const std::string& name) {
    const std::string file = "_" + block.BlockName;
    ExpectMatchesGolden("dsp/" + name + ".c", Generate(WriteDspSource, block, file + ".c"));
    ExpectMatchesGolden("dsp/" + name + ".h", Generate(WriteDspHeader, block, file + ".h"));
}

// A two-input floating-point native block with parameters, persistent
// variables and a local array.
BLOCKINFO NativeBlock() {
    BLOCKINFO block = RealTimeBlock("NFMix");
    block.MenuName = "Mixer";
    block.Native = 1;
    block.NumInputs = 2;
    AddParameter(block, "Left Gain", TYPE_FLOAT);
    AddParameter(block, "Name", TYPE_CHAR);
    AddParameter(block, "Mode", TYPE_COMBO_BOX);
    AddPersistant(block, "acc", TYPE_OTHER).PersistantTypeOther = "COMPLEX";
    AddPersistant(block, "count", TYPE_INTEGER);
    AddLocalArray(block, "history", "64");
    return block;
}

// A three-input block on a synchronised DSP, with a name that outgrows the
// routine banner, persistent variables of every type and a local array.
TEST(DspGolden, FloatingPointBlockWithThreeInputs) {
    BLOCKINFO block = RealTimeBlock();
    block.NumInputs = 3;
    AddParameter(block, "Gain", TYPE_FLOAT);
    AddParameter(block,
                 "A really quite extraordinarily long parameter name for the master gain stage",
                 TYPE_INTEGER);
    AddParameter(block, "Label", TYPE_TEXT);  // never reaches the structure
    AddPersistant(block, "level", TYPE_DOUBLE);
    AddPersistant(block, "acc", TYPE_OTHER).PersistantTypeOther = "COMPLEX";
    AddPersistant(block, "letter", TYPE_CHAR);
    AddPersistant(block, "steps", TYPE_SHORT);
    AddPersistant(block, "note", TYPE_TEXT);
    AddLocalArray(block, "delay line", "64");
    ExpectGolden(block, "float_three_inputs");
}

TEST(DspGolden, FloatingPointNativeBlock) {
    ExpectGolden(NativeBlock(), "native_float");
}

TEST(DspGolden, IntegerVariantOfAMatrixBlock) {
    BLOCKINFO block = RealTimeBlock("NFScale");
    block.Matrix = 1;
    block.NumOutputs = 2;
    AddParameter(block, "Scale", TYPE_DOUBLE);
    AddPersistant(block, "frames", TYPE_LONG);
    ExpectGolden(IntegerVariant(block), "integer_matrix");
}

TEST(DspGolden, XdaisBlock) {
    BLOCKINFO block = XdaisBlock();
    block.NumInputs = 2;
    AddParameter(block, "Gain", TYPE_INTEGER);
    AddParameter(block, "Taps", TYPE_INTEGER).ParameterConst = 1;
    AddParameter(block, "Enable", TYPE_CHECK_BOX).ParameterConst = 2;
    AddParameter(block, "File", TYPE_FILE_OPEN);
    AddPersistant(block, "state", TYPE_INTEGER);
    block.Prototypes = {
        Prototype("apply", "XDAS_Void", {"ptrIn0", "ptrIn1", "ptrOut0"},
                  std::vector<std::string>(3, "XDAS_Int32 *")),
        Prototype("reset", "XDAS_Int32", {"mode"}, {"XDAS_Int32"}),
    };
    ExpectGolden(block, "xdais");
}

}  // namespace
}  // namespace bw
