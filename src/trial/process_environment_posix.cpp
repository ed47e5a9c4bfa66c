#include "trial/process_environment.h"

extern "C" char** environ;

namespace bw {

std::vector<std::string> ProcessEnvironment() {
    std::vector<std::string> variables;
    for (char** variable = environ; variable != nullptr && *variable != nullptr; ++variable) {
        variables.emplace_back(*variable);
    }
    return variables;
}

}  // namespace bw
