#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "platform/typed_folder.h"

namespace bw {

std::optional<std::string> SystemHomeFolder(const std::string& user) {
    if (user.empty()) {
        if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
            return std::string(home);
        }
    }
    passwd entry{};
    passwd* found = nullptr;
    std::vector<char> buffer(16384);
    const int failed = user.empty()
                           ? getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found)
                           : getpwnam_r(user.c_str(), &entry, buffer.data(), buffer.size(), &found);
    if (failed != 0 || found == nullptr || found->pw_dir == nullptr) {
        return std::nullopt;
    }
    return std::string(found->pw_dir);
}

}  // namespace bw
