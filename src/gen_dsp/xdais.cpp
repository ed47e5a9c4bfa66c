#include "gen_dsp/xdais.h"

#include "gen_dsp/dsp_text.h"

namespace bw::dsp {

const char* ChipIntegerPointerType(const BLOCKINFO& block) {
    return block.Chip > 6000 ? "XDAS_Int32 *" : "XDAS_Int16 *";
}

bool ReachesAlgorithm(const PARAMINFO& parameter) {
    switch (parameter.ParameterType) {
        case TYPE_CHAR:
        case TYPE_TEXT:
        case TYPE_FILE_OPEN:
        case TYPE_EXCLUDED:
            return false;
        default:
            return true;
    }
}

bool InCreationList(const PARAMINFO& parameter) {
    return ReachesAlgorithm(parameter) && parameter.ParameterConst != 2;
}

bool InCommentList(const PARAMINFO& parameter) {
    return ReachesAlgorithm(parameter) && parameter.ParameterConst < 2;
}

bool InStatusList(const PARAMINFO& parameter) {
    return ReachesAlgorithm(parameter) && parameter.ParameterConst == 0;
}

std::string AlgorithmSideName(const PARAMINFO& parameter, int index) {
    const std::string member = MemberName(parameter.ParameterName, index);
    return member.front() == '_' ? member.substr(1) : member;
}

bool IsDirectlyCallable(const PROTOTYPEINFO& prototype, const BLOCKINFO& block) {
    const size_t channels = static_cast<size_t>(block.NumInputs + block.NumOutputs);
    if (prototype.ReturnType != "XDAS_Void" || prototype.ParamNames.size() != channels ||
        prototype.ParamTypes.size() < channels) {
        return false;
    }
    for (const std::string& type : prototype.ParamTypes) {
        if (type != ChipIntegerPointerType(block)) {
            return false;
        }
    }
    return true;
}

}  // namespace bw::dsp
