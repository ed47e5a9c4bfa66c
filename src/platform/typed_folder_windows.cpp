#include "platform/typed_folder.h"

namespace bw {

// Windows has no "~user" folders.
std::optional<std::string> SystemHomeFolder(const std::string&) {
    return std::nullopt;
}

}  // namespace bw
