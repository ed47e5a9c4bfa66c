#include "gen_dsp/dsp_members.h"

#include <algorithm>

#include "gen_dsp/dsp_text.h"

namespace bw::dsp {

namespace {

class MemberList {
public:
    void Own(const std::string& name) { members_.push_back({name, MemberOrigin::Structure, -1}); }
    // stem0 ... stem(count - 1)
    void Numbered(const char* stem, int count) {
        for (int i = 0; i < std::clamp(count, 0, MAX_CHANNELS); ++i) {
            Own(stem + std::to_string(i));
        }
    }
    void Record(const std::string& name, MemberOrigin origin, int record) {
        members_.push_back({MemberName(name, record), origin, record});
    }
    std::vector<Member> Take() { return std::move(members_); }

private:
    std::vector<Member> members_;
};

}  // namespace

std::vector<Member> ParamsMembers(const BLOCKINFO& block) {
    MemberList members;
    const bool framesizes = block.Native == 0;
    if (framesizes) {
        members.Own("SyncIn");
        members.Own("SyncOut");
    }
    members.Numbered("PtrIn", block.NumInputs);
    members.Numbered("FramesizeIn", framesizes ? block.NumInputs : 0);
    members.Numbered("PtrOut", block.NumOutputs);
    members.Numbered("FramesizeOut", framesizes ? block.NumOutputs : 0);
    for (int p = 0; p < std::clamp(block.NumParameters, 0, MAX_PARAMETERS); ++p) {
        const PARAMINFO& parameter = block.Parameters[static_cast<size_t>(p)];
        if (ParameterHasDspMember(parameter.ParameterType)) {
            members.Record(parameter.ParameterName, MemberOrigin::Parameter, p);
        }
    }
    if (block.Matrix != 0 && block.NumInputs == 0) {
        members.Own("Rows");
        members.Own("Columns");
    }
    if (block.xDAIS != 0) {
        members.Own("Changed");
        members.Own("handle");
    }
    for (int v = 0; v < std::clamp(block.NumPersistants, 0, MAX_PERSISTANTS); ++v) {
        const PERSISTANTINFO& variable = block.Persistants[static_cast<size_t>(v)];
        if (PersistantHasDspMember(variable.PersistantType)) {
            members.Record(variable.PersistantName, MemberOrigin::Persistant, v);
        }
    }
    if (block.Matrix != 0) {
        members.Numbered("PtrPixelIn", block.NumInputs);
        members.Numbered("PtrPixelOut", block.NumOutputs);
    }
    for (int a = 0; block.xDAIS == 0 && a < std::clamp(block.NumLocalArrays, 0, MAX_LOCAL_ARRAYS);
         ++a) {
        const LOCALARRAYINFO& array = block.LocalArrays[static_cast<size_t>(a)];
        if (!array.isExcluded()) {
            members.Record(array.ArrayName, MemberOrigin::LocalArray, a);
        }
    }
    return members.Take();
}

bool ParameterHasDspMember(int type) {
    switch (type) {
        case TYPE_INTEGER:
        case TYPE_LONG:
        case TYPE_SHORT:
        case TYPE_BYTE:
        case TYPE_RADIO_BUTTONS:
        case TYPE_COMBO_BOX:
        case TYPE_FLOAT:
        case TYPE_DOUBLE:
        case TYPE_CHECK_BOX:
            return true;
        default:
            return false;
    }
}

bool PersistantHasDspMember(int type) {
    switch (type) {
        case TYPE_FLOAT:
        case TYPE_DOUBLE:
        case TYPE_INTEGER:
        case TYPE_LONG:
        case TYPE_SHORT:
        case TYPE_BYTE:
        case TYPE_OTHER:
            return true;
        default:
            return false;  // Char, Text and the controls have no member
    }
}

}  // namespace bw::dsp
