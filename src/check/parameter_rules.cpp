// The parameter page: type codes, names and radio items.
#include "check/checker.h"

#include "check/reserved_names.h"
#include "gen_dsp/xdais.h"

namespace bw::check {

namespace {

void AlgorithmSideName(Checker& c, int p, const PARAMINFO& parameter) {
    const std::string name = dsp::AlgorithmSideName(parameter, p);
    if (IsDigit(name.front()) || IsCKeyword(name)) {
        c.Error(c.ParameterSource(p), "The " + c.ParameterSource(p).what +
                                          " becomes the algorithm parameter " + name +
                                          ", which is not a name in C.  Please begin the name "
                                          "with a letter.");
    }
}

}  // namespace

void CheckParametersPage(Checker& c) {
    const BLOCKINFO& b = c.block;
    for (int p = 0; p < c.ParameterCount(); ++p) {
        const PARAMINFO& parameter = b.Parameters[static_cast<size_t>(p)];
        if (!IsParameterType(parameter.ParameterType)) {
            c.Error(c.ParameterSource(p, "ParameterType"),
                    "The " + c.ParameterSource(p).what + " has the type code " +
                        std::to_string(parameter.ParameterType) + ", which is no parameter type.");
            continue;
        }
        if (parameter.isExcluded()) {
            continue;
        }
        c.IdentifierForm(c.ParameterSource(p), parameter.ParameterName, p);
        if (b.RealTime != 0 && b.xDAIS != 0 && dsp::ReachesAlgorithm(parameter)) {
            AlgorithmSideName(c, p, parameter);
        }
    }
}

}  // namespace bw::check
