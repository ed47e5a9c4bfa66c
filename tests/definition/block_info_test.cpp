#include "definition/block_info.h"

#include <gtest/gtest.h>

#include "definition/settings_rules.h"
#include "support/generate.h"
#include "support/recording_prompts.h"

namespace bw {
namespace {

TEST(BlockInfo, ResetGivesTheNewBlockStateWithDefaultsFromTheSettings) {
    MemorySettings settings;
    BLOCKINFO block;
    block.Reset(settings, {"/docs/blocks/", "/host/lib/", "/host/include/"});
    EXPECT_EQ(block.OutputChannelLabel[128], "Out128");
    EXPECT_EQ(block.Parameters[255].ParameterName, "Parameter255");
    EXPECT_EQ(block.LocalArrays[9].ArrayName, "hLocalBuffer9");
    EXPECT_EQ(block.Directory, "/docs/blocks/");
    EXPECT_EQ(block.LibraryPath, "/host/lib/");
    EXPECT_EQ(block.IncludePath, "/host/include/");
    EXPECT_EQ(block.CompanyName, "Calderic, Inc.");

    settings.write("Settings", "Block Directory", "/blocks");
    settings.write("Settings", "Include Directory", "/sdk/include");
    settings.write("Settings", "Company Name", "Acme");
    settings.write("Settings", "Vendor Name", "ACME");
    block.Reset(settings, {"/docs/blocks/", "/host/lib/", "/host/include/"});
    EXPECT_EQ(block.Directory, "/blocks");
    EXPECT_EQ(block.LibraryPath, "/host/lib/");
    EXPECT_EQ(block.IncludePath, "/sdk/include");
    EXPECT_EQ(block.CompanyName, "Acme");
    EXPECT_EQ(block.VendorName, "ACME");
}

TEST(BlockInfo, NewBlocksGoToTheUsersDocumentsAndLookForTheHostWhereItIs) {
    const FolderDefaults known = DefaultFolders({"/home/u/Documents", "/opt/host/"});
    EXPECT_EQ(known.block, "/home/u/Documents/Blockwright/");
    EXPECT_EQ(known.library, "/opt/host/");
    EXPECT_EQ(known.include, "/opt/host/");

    // Without a known host both name the stand-in, which the checker tells
    // from a real folder.
    const FolderDefaults unknown = DefaultFolders({"/home/u/", ""});
    EXPECT_EQ(unknown.block, "/home/u/Blockwright/");
    EXPECT_EQ(unknown.library, "/home/u/Blockwright/host-sdk-not-set/");
    EXPECT_EQ(unknown.include, unknown.library);
    EXPECT_TRUE(IsUnsetHostFolder(unknown.library));
    EXPECT_FALSE(IsUnsetHostFolder(known.library));

    // A Windows documents folder keeps its kind of separator.
    EXPECT_EQ(DefaultFolders({"C:\\Users\\u\\Documents", ""}).library,
              "C:\\Users\\u\\Documents\\Blockwright\\host-sdk-not-set\\");
}

TEST(BlockInfo, PoolsStopAtTheirLimitsWithAMessage) {
    MemorySettings settings;
    RecordingPrompts prompts;
    BLOCKINFO block;
    block.Reset(settings, {"/", "/", "/"});
    const auto fill = [&](auto add, int limit, const char* message) {
        for (int i = 0; i < limit; ++i) {
            ASSERT_TRUE(add());
        }
        prompts.messages.clear();
        EXPECT_FALSE(add());
        EXPECT_EQ(prompts.messages, std::vector<std::string>{message});
    };
    fill([&] { return block.AddParameter(prompts); }, MAX_PARAMETERS, PARAMETER_LIMIT_MESSAGE);
    fill([&] { return block.AddLocalArray(prompts); }, MAX_LOCAL_ARRAYS, LOCAL_ARRAY_LIMIT_MESSAGE);
    fill([&] { return block.AddPersistant(prompts); }, MAX_PERSISTANTS, PARAMETER_LIMIT_MESSAGE);
    EXPECT_EQ(block.NumParameters, MAX_PARAMETERS);
    EXPECT_EQ(block.NumLocalArrays, MAX_LOCAL_ARRAYS);
}

TEST(BlockInfo, DeletingMovesLaterRecordsDownWhole) {
    BLOCKINFO block = NewBlock();
    RecordingPrompts prompts;
    for (int i = 0; i < 3; ++i) {
        block.AddParameter(prompts);
    }
    block.Parameters[2].ParameterType = TYPE_COMBO_BOX;
    block.Parameters[2].ParameterItems = {"a", "b"};
    block.Parameters[2].ParameterDesc = "first\r\nsecond";
    block.Parameters[2].ParameterSign = 0;
    block.DeleteParameter(0);
    block.DeleteParameter(5);
    block.DeleteParameter(-1);
    EXPECT_EQ(block.NumParameters, 2);
    EXPECT_EQ(block.Parameters[0].ParameterName, "Parameter1");
    EXPECT_EQ(block.Parameters[1].ParameterName, "Parameter2");
    EXPECT_EQ(block.Parameters[1].ParameterItems.size(), 2u);
    EXPECT_EQ(block.Parameters[1].ParameterDesc, "first\r\nsecond");
    EXPECT_EQ(block.Parameters[1].ParameterSign, 0);
}

TEST(BlockInfo, PoolsShowTheUsedRecordsAndLeaveTheRestAsTheyWere) {
    BLOCKINFO block = NewBlock();
    RecordingPrompts prompts;
    block.AddLocalArray(prompts);
    block.AddLocalArray(prompts);
    block.LocalArrays[1].ArrayName = "Last";
    block.DeleteLocalArray(0);
    ASSERT_EQ(block.LocalArrayPool().used().size(), 1u);
    EXPECT_EQ(block.LocalArrays[0].ArrayName, "Last");
    EXPECT_EQ(block.LocalArrays[1].ArrayName, "Last");  // beyond the count, as it was
    block.AddLocalArray(prompts);
    EXPECT_EQ(block.LocalArrays[1].ArrayName, "hLocalBuffer1");

    // Counts that only a damaged definition holds read as the nearest bound.
    block.NumPersistants = MAX_PERSISTANTS + 4;
    EXPECT_EQ(block.PersistantPool().used().size(), static_cast<size_t>(MAX_PERSISTANTS));
    EXPECT_FALSE(block.AddPersistant(prompts));
    block.NumParameters = -3;
    EXPECT_TRUE(block.ParameterPool().used().empty());
    block.DeleteParameter(0);
    EXPECT_TRUE(block.AddParameter(prompts));
    EXPECT_EQ(block.NumParameters, 1);
    EXPECT_EQ(block.Parameters[0].ParameterName, "Parameter0");
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
    block.Reset(settings, {"/", "/", "/"});
    block.AddParameter(prompts);
    block.Parameters[0].ParameterName = "N";
    const std::pair<const char*, int> cases[] = {{"N*2", 1}, {"N", 0}, {"256", 0}, {"n", 1}};
    for (const auto& [size, isExpression] : cases) {
        block.AddLocalArray(prompts);
        block.LocalArrays[static_cast<size_t>(block.NumLocalArrays - 1)].LocalSize = size;
    }
    block.DeriveLocalSizeIsExpression();
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(block.LocalArrays[i].LocalSizeIsExpression, cases[i].second) << cases[i].first;
    }
}

TEST(BlockInfo, ChipIndexesMapBothWays) {
    EXPECT_EQ(ChipForIndex(1), 6400);
    EXPECT_STREQ(ChipNameForIndex(5), "C2xx");
    EXPECT_EQ(IndexForChip(5500), 4);
    EXPECT_EQ(IndexForChip(1234), 0);
}

}  // namespace
}  // namespace bw
