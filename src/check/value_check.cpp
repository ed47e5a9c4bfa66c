#include "check/value_check.h"

#include <algorithm>
#include <string>

#include "check/checker.h"
#include "definition/value_rules.h"

namespace bw {

using check::Quoted;

namespace {

Finding ValueError(DefinitionPage page, int record, std::string key, const std::string& what,
                   const std::string& refusal) {
    return {Severity::Error, page, record, std::move(key), "The " + what + ": " + refusal + "."};
}

void CheckFilterItems(const PARAMINFO& parameter, int p, std::vector<Finding>& findings) {
    for (size_t item = 0; item < parameter.ParameterItems.size(); ++item) {
        if (const Refusal refusal = FilterItemRefusal(parameter.ParameterItems[item])) {
            findings.push_back(
                ValueError(DefinitionPage::Parameters, p,
                           "ParameterItems" + std::to_string(p) + "-" + std::to_string(item),
                           "file filter " + std::to_string(item) + " of the parameter " +
                               Quoted(parameter.ParameterName),
                           *refusal));
        }
    }
}

void CheckParameterValues(const BLOCKINFO& block, std::vector<Finding>& findings) {
    const int count = std::clamp(block.NumParameters, 0, MAX_PARAMETERS);
    for (int p = 0; p < count; ++p) {
        const PARAMINFO& parameter = block.Parameters[static_cast<size_t>(p)];
        if (const Refusal refusal = ParameterDefaultRefusal(parameter)) {
            findings.push_back(ValueError(
                DefinitionPage::Parameters, p, "ParameterDefault" + std::to_string(p),
                "default of the parameter " + Quoted(parameter.ParameterName), *refusal));
        }
        if (parameter.ParameterType == TYPE_FILE_OPEN) {
            CheckFilterItems(parameter, p, findings);
        }
    }
}

void CheckPersistantValues(const BLOCKINFO& block, std::vector<Finding>& findings) {
    const int count = std::clamp(block.NumPersistants, 0, MAX_PERSISTANTS);
    for (int v = 0; v < count; ++v) {
        const PERSISTANTINFO& variable = block.Persistants[static_cast<size_t>(v)];
        if (const Refusal refusal = PersistantDefaultRefusal(variable)) {
            findings.push_back(ValueError(
                DefinitionPage::Persistants, v, "PersistantDefault" + std::to_string(v),
                "default of the persistent variable " + Quoted(variable.PersistantName), *refusal));
        }
    }
}

}  // namespace

std::vector<Finding> CheckValues(const BLOCKINFO& block) {
    std::vector<Finding> findings;
    CheckParameterValues(block, findings);
    CheckPersistantValues(block, findings);
    return findings;
}

}  // namespace bw
