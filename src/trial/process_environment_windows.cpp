#include "trial/process_environment.h"

#include <cstdlib>

namespace bw {

std::vector<std::string> ProcessEnvironment() {
    std::vector<std::string> variables;
    for (char** variable = _environ; variable != nullptr && *variable != nullptr; ++variable) {
        variables.emplace_back(*variable);
    }
    return variables;
}

}  // namespace bw
