// The members of PARAMS name the record each comes from, for the checker.
#include "gen_dsp/dsp_members.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "gen_dsp/dsp_test_blocks.h"

namespace bw {
namespace {

using namespace dsp_test;

// Every parameter and persistent-variable type, and excluded entries.
BLOCKINFO WithEveryKindOfRecord(BLOCKINFO block) {
    for (int type : {TYPE_INTEGER, TYPE_FLOAT, TYPE_DOUBLE, TYPE_CHAR, TYPE_LONG, TYPE_SHORT,
                     TYPE_BYTE, TYPE_TEXT, TYPE_RADIO_BUTTONS, TYPE_COMBO_BOX, TYPE_FILE_OPEN,
                     TYPE_CHECK_BOX, TYPE_EXCLUDED}) {
        AddParameter(block, "p" + std::to_string(type), type);
    }
    for (int type : {TYPE_INTEGER, TYPE_FLOAT, TYPE_DOUBLE, TYPE_CHAR, TYPE_LONG, TYPE_SHORT,
                     TYPE_BYTE, TYPE_TEXT, TYPE_OTHER, TYPE_EXCLUDED}) {
        AddPersistant(block, "v" + std::to_string(type), type).PersistantTypeOther = "struct state";
    }
    AddLocalArray(block, "taps", "32");
    AddLocalArray(block, "gone", "8");
    block.LocalArrays[1].LocalPrecision = TYPE_EXCLUDED;
    AddLocalArray(block, "delay", "16");
    return block;
}

TEST(DspMembers, NameTheRecordTheyComeFrom) {
    BLOCKINFO block = WithEveryKindOfRecord(RealTimeBlock());
    const std::vector<dsp::Member> members = dsp::ParamsMembers(block);
    const auto find = [&](const std::string& name) {
        return *std::find_if(members.begin(), members.end(),
                             [&](const dsp::Member& m) { return m.name == name; });
    };
    EXPECT_EQ(find("SyncIn").origin, dsp::MemberOrigin::Structure);
    EXPECT_EQ(find("_p1").origin, dsp::MemberOrigin::Parameter);
    EXPECT_EQ(find("_p1").record, 1);
    EXPECT_EQ(find("_v523").origin, dsp::MemberOrigin::Persistant);
    EXPECT_EQ(find("_v523").record, 8);
    EXPECT_EQ(find("_delay").origin, dsp::MemberOrigin::LocalArray);
    EXPECT_EQ(find("_delay").record, 2);
}

}  // namespace
}  // namespace bw
