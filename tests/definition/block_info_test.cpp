#include "definition/block_info.h"

#include <gtest/gtest.h>

#include "support/recording_prompts.h"

namespace bw {
namespace {

TEST(BlockInfo, ResetGivesTheNewBlockState) {
    MemorySettings settings;
    BLOCKINFO block;
    block.Reset(settings, "/opt/blockwright/");
    EXPECT_EQ(block.NumInputs, 1);
    EXPECT_EQ(block.NumOutputs, 1);
    EXPECT_EQ(block.BlockType, BLOCK_PROCESS);
    EXPECT_EQ(block.InputChannelLabel[0], "In0");
    EXPECT_EQ(block.OutputChannelLabel[128], "Out128");
    EXPECT_EQ(block.Directory, "/opt/blockwright/");
    EXPECT_EQ(block.LibraryPath, "/opt/blockwright/");
    EXPECT_EQ(block.IncludePath, "/opt/blockwright/");
    EXPECT_EQ(block.Revision, "4.00");
    EXPECT_EQ(block.CompanyName, "Calderic, Inc.");
    EXPECT_EQ(block.LibraryName, "Simulation Library");
    EXPECT_EQ(block.Parameters[255].ParameterName, "Parameter255");
    EXPECT_EQ(block.Parameters[3].ParameterDefault, "0");
    EXPECT_EQ(block.Persistants[7].PersistantName, "Persistant7");
    EXPECT_EQ(block.LocalArrays[9].ArrayName, "hLocalBuffer9");
    EXPECT_EQ(block.LocalArrays[9].LocalSize, "1000");
    EXPECT_EQ(block.QLevel, 15);
    EXPECT_TRUE(block.Real && block.Complex && block.Integer && block.FloatingPoint);
    EXPECT_FALSE(block.Character || block.RealTime || block.xDAIS || block.Native);
}

TEST(BlockInfo, ResetTakesDefaultsFromTheSettings) {
    MemorySettings settings;
    settings.write("Settings", "Block Directory", "/blocks");
    settings.write("Settings", "Company Name", "Acme");
    settings.write("Settings", "Vendor Name", "ACME");
    BLOCKINFO block;
    block.Reset(settings, "/wd/");
    EXPECT_EQ(block.Directory, "/blocks");
    EXPECT_EQ(block.LibraryPath, "/wd/");
    EXPECT_EQ(block.CompanyName, "Acme");
    EXPECT_EQ(block.VendorName, "ACME");
}

TEST(BlockInfo, PoolsStopAtTheirLimitsWithAMessage) {
    MemorySettings settings;
    RecordingPrompts prompts;
    BLOCKINFO block;
    block.Reset(settings, "/");
    for (int i = 0; i < MAX_PARAMETERS; ++i) {
        ASSERT_TRUE(block.AddParameter(prompts));
    }
    EXPECT_FALSE(block.AddParameter(prompts));
    EXPECT_EQ(block.NumParameters, 256);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0], PARAMETER_LIMIT_MESSAGE);

    for (int i = 0; i < MAX_LOCAL_ARRAYS; ++i) {
        ASSERT_TRUE(block.AddLocalArray(prompts));
    }
    EXPECT_FALSE(block.AddLocalArray(prompts));
    EXPECT_EQ(block.NumLocalArrays, 10);
    EXPECT_EQ(prompts.messages.back(), LOCAL_ARRAY_LIMIT_MESSAGE);

    for (int i = 0; i < MAX_PERSISTANTS; ++i) {
        ASSERT_TRUE(block.AddPersistant(prompts));
    }
    EXPECT_FALSE(block.AddPersistant(prompts));
    EXPECT_EQ(prompts.messages.back(), PARAMETER_LIMIT_MESSAGE);
}

TEST(BlockInfo, DeletingMovesLaterRecordsDown) {
    MemorySettings settings;
    RecordingPrompts prompts;
    BLOCKINFO block;
    block.Reset(settings, "/");
    for (int i = 0; i < 3; ++i) {
        block.AddParameter(prompts);
    }
    block.Parameters[1].ParameterType = TYPE_COMBO_BOX;
    block.Parameters[1].ParameterItems = {"a", "b"};
    block.Parameters[1].ParameterDesc = "first\r\nsecond";
    block.Parameters[2].ParameterDefault = "7";
    block.Parameters[2].ParameterSign = 0;

    block.DeleteParameter(0);
    EXPECT_EQ(block.NumParameters, 2);
    EXPECT_EQ(block.Parameters[0].ParameterName, "Parameter1");
    EXPECT_EQ(block.Parameters[0].ParameterType, TYPE_COMBO_BOX);
    EXPECT_EQ(block.Parameters[0].ParameterItems.size(), 2u);
    EXPECT_EQ(block.Parameters[0].ParameterDesc, "first\r\nsecond");
    EXPECT_EQ(block.Parameters[1].ParameterName, "Parameter2");
    EXPECT_EQ(block.Parameters[1].ParameterDefault, "7");
    EXPECT_EQ(block.Parameters[1].ParameterSign, 0);

    block.DeleteParameter(5);
    block.DeleteParameter(-1);
    EXPECT_EQ(block.NumParameters, 2);
}

TEST(BlockInfo, BlockTypeFollowsTheChannelCounts) {
    EXPECT_EQ(BLOCKINFO::BlockTypeFor(0, 2), BLOCK_INPUT);
    EXPECT_EQ(BLOCKINFO::BlockTypeFor(2, 0), BLOCK_OUTPUT);
    EXPECT_EQ(BLOCKINFO::BlockTypeFor(0, 0), BLOCK_INPUT);
    EXPECT_EQ(BLOCKINFO::BlockTypeFor(1, 1), BLOCK_PROCESS);
}

TEST(BlockInfo, LocalSizeIsAnExpressionUnlessANumberOrAParameterName) {
    MemorySettings settings;
    RecordingPrompts prompts;
    BLOCKINFO block;
    block.Reset(settings, "/");
    block.AddParameter(prompts);
    block.Parameters[0].ParameterName = "N";
    for (int i = 0; i < 4; ++i) {
        block.AddLocalArray(prompts);
    }
    block.LocalArrays[0].LocalSize = "N*2";
    block.LocalArrays[1].LocalSize = "N";
    block.LocalArrays[2].LocalSize = "256";
    block.LocalArrays[3].LocalSize = "n";
    block.DeriveLocalSizeIsExpression();
    EXPECT_EQ(block.LocalArrays[0].LocalSizeIsExpression, 1);
    EXPECT_EQ(block.LocalArrays[1].LocalSizeIsExpression, 0);
    EXPECT_EQ(block.LocalArrays[2].LocalSizeIsExpression, 0);
    EXPECT_EQ(block.LocalArrays[3].LocalSizeIsExpression, 1);
}

TEST(BlockInfo, ChipIndexesMapBothWays) {
    EXPECT_EQ(ChipForIndex(1), 6400);
    EXPECT_STREQ(ChipNameForIndex(5), "C2xx");
    EXPECT_EQ(IndexForChip(5500), 4);
    EXPECT_EQ(IndexForChip(1234), 0);
}

}  // namespace
}  // namespace bw
