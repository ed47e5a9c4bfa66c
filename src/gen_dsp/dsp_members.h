#pragma once

// The members of PARAMS, the structure through which the host and the DSP
// exchange an instance's data, as the DSP header declares them: the checker
// reads this list to find names that would be declared twice.

#include <string>
#include <vector>

#include "definition/block_info.h"

namespace bw::dsp {

// Where a member of PARAMS comes from.
enum class MemberOrigin {
    Structure,  // the structure's own: synchronisation, channels, sizes, the XDAIS handle
    Parameter,
    Persistant,
    LocalArray,
};

struct Member {
    std::string name;
    MemberOrigin origin;
    int record;  // the parameter, persistent variable or local array; -1 for the structure's own
};

// Every member of the block's PARAMS, in the order the header declares them.
std::vector<Member> ParamsMembers(const BLOCKINFO& block);

// True for the parameter and persistent-variable types that have a member.
bool ParameterHasDspMember(int type);
bool PersistantHasDspMember(int type);

}  // namespace bw::dsp
