// The member list that the checker reads is the list the DSP header declares.
#include "gen_dsp/dsp_members.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "gen_dsp/dsp_files.h"
#include "gen_dsp/dsp_test_blocks.h"

namespace bw {
namespace {

using namespace dsp_test;

// The names declared between "typedef struct" / "{" and "} PARAMS;": the
// identifier before the ";" or the "[" of every line that declares one.
std::vector<std::string> DeclaredMembers(const std::string& header) {
    const std::vector<std::string> lines = Lines(header);
    std::vector<std::string> names;
    auto line = std::find(lines.begin(), lines.end(), "typedef struct");
    EXPECT_NE(line, lines.end());
    for (; line != lines.end() && *line != "} PARAMS;"; ++line) {
        const std::string code = line->substr(0, line->find("/*"));
        const size_t end = code.find_first_of(";[");
        if (end == std::string::npos) {
            continue;
        }
        size_t start = end;
        while (start > 0 && (std::isalnum(static_cast<unsigned char>(code[start - 1])) != 0 ||
                             code[start - 1] == '_')) {
            --start;
        }
        names.push_back(code.substr(start, end - start));
    }
    return names;
}

std::vector<std::string> ListedMembers(const BLOCKINFO& block) {
    std::vector<std::string> names;
    for (const dsp::Member& member : dsp::ParamsMembers(block)) {
        names.push_back(member.name);
    }
    return names;
}

// Every parameter and persistent-variable type, excluded entries, and every
// kind of block whose structure differs.
BLOCKINFO WithEveryKindOfRecord(BLOCKINFO block) {
    for (int type : {TYPE_INTEGER, TYPE_FLOAT, TYPE_DOUBLE, TYPE_CHAR, TYPE_LONG, TYPE_SHORT,
                     TYPE_BYTE, TYPE_TEXT, TYPE_RADIO_BUTTONS, TYPE_COMBO_BOX, TYPE_FILE_OPEN,
                     TYPE_CHECK_BOX, TYPE_EXCLUDED}) {
        AddParameter(block, "p" + std::to_string(type), type);
    }
    for (int type : {TYPE_INTEGER, TYPE_FLOAT, TYPE_DOUBLE, TYPE_CHAR, TYPE_LONG, TYPE_SHORT,
                     TYPE_BYTE, TYPE_TEXT, TYPE_OTHER, TYPE_EXCLUDED}) {
        AddPersistant(block, "v" + std::to_string(type), type, "struct state");
    }
    AddLocalArray(block, "taps", "32");
    AddLocalArray(block, "gone", "8");
    block.LocalArrays[1].LocalPrecision = TYPE_EXCLUDED;
    AddLocalArray(block, "delay", "16");
    return block;
}

TEST(DspMembers, AreTheMembersTheHeaderDeclaresInItsOrder) {
    const auto shaped = [](void (*shape)(BLOCKINFO&)) {
        BLOCKINFO block = WithEveryKindOfRecord(RealTimeBlock());
        shape(block);
        return block;
    };
    const BLOCKINFO blocks[] = {
        shaped([](BLOCKINFO&) {}),
        shaped([](BLOCKINFO& b) { b.Native = 1; }),
        shaped([](BLOCKINFO& b) {
            b.Matrix = 1;
            b.NumInputs = 0;
            b.NumOutputs = 3;
        }),
        shaped([](BLOCKINFO& b) {
            b.Matrix = 1;
            b.NumInputs = 2;
        }),
        WithEveryKindOfRecord(XdaisBlock()),
    };
    for (const BLOCKINFO& block : blocks) {
        const std::vector<std::string> declared =
            DeclaredMembers(Generate(WriteDspHeader, block, "_" + block.BlockName + ".h"));
        EXPECT_GT(declared.size(), 10u);
        EXPECT_EQ(ListedMembers(block), declared)
            << "native " << block.Native << ", matrix " << block.Matrix << ", xDAIS " << block.xDAIS
            << ", inputs " << block.NumInputs;
    }
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
