#pragma once

#include <algorithm>
#include <map>
#include <sstream>
#include <string>

namespace bw {

// What a module definition exports: name -> ordinal, from the lines after
// EXPORTS ("    UserExecProc  @5").
inline std::map<std::string, int> DefinitionExports(const std::string& definition) {
    std::map<std::string, int> exports;
    std::istringstream lines(
        definition.substr(std::min(definition.find("EXPORTS"), definition.size())));
    std::string line;
    std::getline(lines, line);
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string name, ordinal;
        if (fields >> name >> ordinal && ordinal.size() > 1 && ordinal[0] == '@') {
            exports[name] = std::stoi(ordinal.substr(1));
        }
    }
    return exports;
}

}  // namespace bw
