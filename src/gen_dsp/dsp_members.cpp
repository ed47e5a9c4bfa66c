#include "gen_dsp/dsp_members.h"

#include <algorithm>
#include <string_view>

#include "definition/data_tables.h"
#include "gen_dsp/dsp_text.h"

namespace bw::dsp {

namespace {

class MemberList {
public:
    // The members that follow belong to group.
    void Enter(MemberGroup group) { group_ = group; }
    void Own(const std::string& name, std::string declaration) {
        members_.push_back({name, MemberOrigin::Structure, -1, group_, std::move(declaration)});
    }
    // One member per channel, stem0 ... stem(count - 1), declared as type +
    // its name + ";" + comment, whose "<i>" is the channel (its leading
    // blanks put it in the header's column).
    void Channels(int count, const std::string& type, const std::string& stem,
                  std::string_view comment) {
        for (int i = 0; i < std::clamp(count, 0, MAX_CHANNELS); ++i) {
            const std::string name = stem + std::to_string(i);
            Own(name, type + name + ";" + ChannelComment(comment, i));
        }
    }
    // A member of a record, declared as type + its name + bounds + ";".
    void Record(const std::string& name, MemberOrigin origin, int record,
                const std::string& type, const std::string& bounds = "") {
        const std::string member = MemberName(name, record);
        members_.push_back({member, origin, record, group_, type + member + bounds + ";"});
    }
    std::vector<Member> Take() { return std::move(members_); }

private:
    static std::string ChannelComment(std::string_view comment, int channel) {
        std::string text(comment);
        const size_t at = text.find("<i>");
        return text.replace(at, 3, std::to_string(channel));
    }

    MemberGroup group_ = MemberGroup::Sync;
    std::vector<Member> members_;
};

// The declared type of a data pointer, with the blanks up to the name.
std::string DataPointerType(const BLOCKINFO& block) {
    return block.Matrix != 0 ? "  LPMATRIXINFOHEADER " : PrecisionType(block) + "*";
}

// The member type of a parameter with a member.
const char* ParameterMemberType(const BLOCKINFO& block, int type) {
    if (type == TYPE_CHECK_BOX) {
        return "  BOOL         ";
    }
    const NumberType* number = NumberTypeOf(type);
    const bool floating = number != nullptr && number->kind == NumberKind::Floating;
    return floating && block.FloatingPoint != 0 ? "  float        " : "  int          ";
}

// The member type of a persistent variable with a member.
std::string PersistantMemberType(const PERSISTANTINFO& variable) {
    if (variable.PersistantType == TYPE_OTHER) {
        return variable.PersistantTypeOther + " ";
    }
    const NumberType* number = NumberTypeOf(variable.PersistantType);
    return number->kind == NumberKind::Floating ? "  float        " : "  int          ";
}

void ListChannels(MemberList& members, const BLOCKINFO& block) {
    const bool framesizes = block.Native == 0;
    if (framesizes) {
        members.Enter(MemberGroup::Sync);
        members.Own("SyncIn", "  unsigned int *SyncIn;                  /* ptr to input sync value  */");
        members.Own("SyncOut", "  unsigned int *SyncOut;                 /* ptr to output sync value */");
    }
    const std::string pointer = DataPointerType(block);
    members.Enter(MemberGroup::Inputs);
    members.Channels(block.NumInputs, pointer, "PtrIn", "                  /* input <i> data pointer */");
    members.Channels(framesizes ? block.NumInputs : 0, "  unsigned int ", "FramesizeIn",
                     "             /* input <i> framesize */");
    members.Enter(MemberGroup::Outputs);
    members.Channels(block.NumOutputs, pointer, "PtrOut", "                 /* output <i> data pointer */");
    members.Channels(framesizes ? block.NumOutputs : 0, "  unsigned int ", "FramesizeOut",
                     "            /* output <i> framesize */");
}

}  // namespace

std::vector<Member> ParamsMembers(const BLOCKINFO& block) {
    MemberList members;
    ListChannels(members, block);
    members.Enter(MemberGroup::Parameters);
    for (int p = 0; p < std::clamp(block.NumParameters, 0, MAX_PARAMETERS); ++p) {
        const PARAMINFO& parameter = block.Parameters[static_cast<size_t>(p)];
        if (ParameterHasDspMember(parameter.ParameterType)) {
            members.Record(parameter.ParameterName, MemberOrigin::Parameter, p,
                           ParameterMemberType(block, parameter.ParameterType));
        }
    }
    members.Enter(MemberGroup::MatrixSize);
    if (block.Matrix != 0 && block.NumInputs == 0) {
        members.Own("Rows", "  int          Rows;");
        members.Own("Columns", "  int          Columns;");
    }
    members.Enter(MemberGroup::Xdais);
    if (block.xDAIS != 0) {
        members.Own("Changed", "  int          Changed; /* Please Don't Move or Remove !!  */");
        members.Own("handle", "  " + block.AlgorithmName + "_Handle  handle;");
    }
    members.Enter(MemberGroup::Persistents);
    for (int v = 0; v < std::clamp(block.NumPersistants, 0, MAX_PERSISTANTS); ++v) {
        const PERSISTANTINFO& variable = block.Persistants[static_cast<size_t>(v)];
        if (PersistantHasDspMember(variable.PersistantType)) {
            members.Record(variable.PersistantName, MemberOrigin::Persistant, v,
                           PersistantMemberType(variable));
        }
    }
    members.Enter(MemberGroup::Pixels);
    if (block.Matrix != 0) {
        const std::string pixel = PrecisionType(block) + "*";
        members.Channels(block.NumInputs, pixel, "PtrPixelIn", "                  /* input <i> pixel data */");
        members.Channels(block.NumOutputs, pixel, "PtrPixelOut", "                 /* output <i> pixel data */");
    }
    members.Enter(MemberGroup::LocalArrays);
    for (int a = 0; block.xDAIS == 0 && a < std::clamp(block.NumLocalArrays, 0, MAX_LOCAL_ARRAYS);
         ++a) {
        const LOCALARRAYINFO& array = block.LocalArrays[static_cast<size_t>(a)];
        if (!array.isExcluded()) {
            members.Record(array.ArrayName, MemberOrigin::LocalArray, a, PrecisionType(block),
                           "[" + array.LocalSize + "]");
        }
    }
    return members.Take();
}

bool ParameterHasDspMember(int type) {
    return IsArithmeticType(type) || type == TYPE_RADIO_BUTTONS || type == TYPE_COMBO_BOX ||
           type == TYPE_CHECK_BOX;
}

bool PersistantHasDspMember(int type) {
    return IsArithmeticType(type) || type == TYPE_OTHER;  // not Char, Text or the controls
}

}  // namespace bw::dsp
