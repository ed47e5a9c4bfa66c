#include <gtest/gtest.h>

#include "gen_dsp/dsp_files.h"
#include "gen_dsp/dsp_test_blocks.h"
#include "gen_dsp/xdais.h"

namespace bw {
namespace {

using namespace dsp_test;
using Strings = std::vector<std::string>;

Strings SourceLines(const BLOCKINFO& block) {
    return Lines(Generate(WriteDspSource, block, "_NFFir.c"));
}

TEST(Xdais, DirectlyCallableNeedsVoidOneChannelPointerEachOfTheChipsType) {
    BLOCKINFO block = XdaisBlock();
    block.NumInputs = 2;
    const Strings names = {"ptrIn0", "ptrIn1", "ptrOut0"};
    const Strings wide(3, "XDAS_Int32 *");
    EXPECT_TRUE(dsp::IsDirectlyCallable(Prototype("apply", "XDAS_Void", names, wide), block));

    Strings fourNames = names;
    fourNames.push_back("gain");
    Strings fourTypes = wide;
    fourTypes.push_back("XDAS_Int32 *");
    EXPECT_FALSE(
        dsp::IsDirectlyCallable(Prototype("apply", "XDAS_Void", fourNames, fourTypes), block));
    EXPECT_FALSE(dsp::IsDirectlyCallable(Prototype("apply", "XDAS_Int32", names, wide), block));
    EXPECT_FALSE(dsp::IsDirectlyCallable(
        Prototype("apply", "XDAS_Void", names, {"XDAS_Int32 *", "XDAS_Int16 *", "XDAS_Int32 *"}),
        block));
    // Fewer types than names: never callable, and no type is read past the list.
    EXPECT_FALSE(
        dsp::IsDirectlyCallable(Prototype("apply", "XDAS_Void", names, {"XDAS_Int32 *"}), block));

    // 6000 and below use 16-bit integers.
    block.Chip = 6000;
    EXPECT_STREQ(dsp::ChipIntegerPointerType(block), "XDAS_Int16 *");
    EXPECT_FALSE(dsp::IsDirectlyCallable(Prototype("apply", "XDAS_Void", names, wide), block));
    EXPECT_TRUE(dsp::IsDirectlyCallable(
        Prototype("apply", "XDAS_Void", names, Strings(3, "XDAS_Int16 *")), block));
}

TEST(Xdais, SourceCallsCallableMethodsLiveAndOthersInComments) {
    BLOCKINFO block = XdaisBlock();
    block.NumInputs = 2;
    block.Prototypes = {
        Prototype("apply", "XDAS_Void", {"ptrIn0", "ptrIn1", "ptrOut0"},
                  Strings(3, "XDAS_Int32 *")),
        Prototype("apply4", "XDAS_Void", {"ptrIn0", "ptrIn1", "ptrOut0", "n"},
                  {"XDAS_Int32 *", "XDAS_Int32 *", "XDAS_Int32 *", "XDAS_Int32"}),
        Prototype("reset", "XDAS_Bool", {}, {}),
        Prototype("short", "XDAS_Void", {"a"}, {}),
    };
    const std::string text = Generate(WriteDspSource, block, "_NFFir.c");
    const Strings lines = Lines(text);
    const Strings tail = {
        "        /* Call XDAIS algorithm specific routine(s) */",
        "        /* For example: */",
        "        FIR_apply(pPtr->handle, (XDAS_Int32 *)pPtr->PtrIn0, (XDAS_Int32 *)pPtr->PtrIn1, "
        "(XDAS_Int32 *)pPtr->PtrOut0);",
        "        //FIR_apply4(pPtr->handle, (XDAS_Int32 *)pPtr->PtrIn0, (XDAS_Int32 "
        "*)pPtr->PtrIn1, "
        "(XDAS_Int32 *)pPtr->PtrOut0);",
        "        //FIR_reset(pPtr->handle);",
        "        //FIR_short(pPtr->handle, ()pPtr->PtrIn0);",
        "    }",
        "}",
    };
    EXPECT_EQ(LinesFrom(lines, tail[0], 100), tail);
    // The file ends right after the routine.
    EXPECT_TRUE(text.ends_with("    }\r\n}\r\n"));
}

TEST(Xdais, ParameterConstSelectsCreationBannerAndStatus) {
    const std::string creation = "    params.Gain = pPtr->_Gain;";
    const std::string banner =
        "/*     pPtr->_Gain = ...;                                                     */";
    const std::string status = "            status.Gain = pPtr->_Gain;";
    struct Case {
        int constness;
        bool inCreation, inBanner, inStatus;
    };
    for (const Case c :
         {Case{0, true, true, true}, Case{1, true, true, false}, Case{2, false, false, false}}) {
        BLOCKINFO block = XdaisBlock();
        AddParameter(block, "Gain", TYPE_INTEGER, c.constness);
        const Strings lines = SourceLines(block);
        EXPECT_EQ(Has(lines, creation), c.inCreation) << c.constness;
        EXPECT_EQ(Has(lines, banner), c.inBanner) << c.constness;
        EXPECT_EQ(Has(lines, status), c.inStatus) << c.constness;
    }
}

TEST(Xdais, CheckBoxAndTextParametersInTheAlgorithmStructures) {
    BLOCKINFO block = XdaisBlock();
    AddParameter(block, "Enable", TYPE_CHECK_BOX, 2);
    AddParameter(block, "Bypass", TYPE_CHECK_BOX, 1);
    AddParameter(block, "Title", TYPE_TEXT, 0);
    const Strings lines = SourceLines(block);
    EXPECT_FALSE(Has(lines, "    params.Enable = pPtr->_Enable;"));
    EXPECT_FALSE(Has(lines, "            status.Enable = pPtr->_Enable;"));
    EXPECT_TRUE(Has(lines, "    params.Bypass = pPtr->_Bypass;"));
    EXPECT_FALSE(Has(lines, "            status.Bypass = pPtr->_Bypass;"));
    for (const std::string& line : lines) {
        EXPECT_EQ(line.find("Title"), std::string::npos) << line;
    }
}

TEST(Xdais, InitialisationCreatesTheInstanceAndMainCopiesTheStatus) {
    BLOCKINFO block = XdaisBlock();
    block.NumOutputs = 2;
    AddParameter(block, "Gain", TYPE_FLOAT, 0);
    AddParameter(block, "%%", TYPE_INTEGER, 1);  // nothing usable: member Parameter1
    AddLocalArray(block, "taps", "32");          // an XDAIS block lists no local arrays
    const Strings lines = SourceLines(block);
    const Strings init = {
        "",
        "static IFIR_Fxns   fxns;",
        "static FIR_Params  params;",
        "",
        "void NFFir_INIT(PARAMS *pPtr)",
        "{",
        "    fxns = FIR_TI_IFIR;",
        "    params = FIR_PARAMS;",
        "",
        "    params.framesizeIn0 = pPtr->FramesizeIn0;",
        "    params.framesizeOut0 = pPtr->FramesizeOut0;",
        "    params.framesizeOut1 = pPtr->FramesizeOut1;",
        "    params.Gain = pPtr->_Gain;",
        "    params.Parameter1 = pPtr->Parameter1;",
        "",
        "    pPtr->handle = FIR_create(&fxns, &params);",
        "}",
        "",
        "",
    };
    const long at = IndexOf(lines, init[1]);
    ASSERT_GT(at, 1);
    EXPECT_EQ(lines[static_cast<size_t>(at - 2)], std::string("/*") + std::string(76, '-') + "*/");
    EXPECT_EQ(
        Strings(lines.begin() + at - 1, lines.begin() + at - 1 + static_cast<long>(init.size())),
        init);

    const Strings main = {
        "void NFFir(PARAMS *pPtr)",
        "{",
        "    if(pPtr->handle){",
        "        if(pPtr->Changed){",
        "            FIR_Status\tstatus;",
        "",
        "            pPtr->Changed = FALSE;",
        "            status.Gain = pPtr->_Gain;",
        "            FIR_control(pPtr->handle, FIR_SETSTATUS, &status);",
        "        }",
        "",
    };
    EXPECT_EQ(LinesFrom(lines, main[0], main.size()), main);
    EXPECT_FALSE(Has(
        lines, "/*     pPtr->_taps = ...;                                                     */"));
}

}  // namespace
}  // namespace bw
