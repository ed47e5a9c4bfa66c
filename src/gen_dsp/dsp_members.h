#pragma once

// The members of PARAMS, the structure through which the host and the DSP
// exchange an instance's data: the DSP header declares them from this list,
// and the checker reads it to find names that would be declared twice.

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

// The part of PARAMS a member stands in, in the order of the parts; the
// header heads some of them with a banner.
enum class MemberGroup {
    Sync,
    Inputs,
    Outputs,
    Parameters,
    MatrixSize,
    Xdais,
    Persistents,
    Pixels,
    LocalArrays,
};

struct Member {
    std::string name;
    MemberOrigin origin;
    int record;  // the parameter, persistent variable or local array; -1 for the structure's own
    MemberGroup group;
    std::string declaration;  // the header's line, with its comment where it has one
};

// Every member of the block's PARAMS, in the order the header declares them:
// the host's real-time driver fills PARAMS by position.
std::vector<Member> ParamsMembers(const BLOCKINFO& block);

// True for the parameter and persistent-variable types that have a member.
bool ParameterHasDspMember(int type);
bool PersistantHasDspMember(int type);

}  // namespace bw::dsp
