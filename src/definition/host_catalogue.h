#pragma once

// The host's library catalogue: the library and group names that the installed
// products of the Calderic family know, offered by the library, group and name
// page. The platform layer reads it (platform/host_catalogue.h).

#include <cstddef>
#include <string>
#include <vector>

namespace bw {

struct HostCatalogue {
    std::vector<std::string> libraries;  // each name once, in the order found
    std::vector<std::string> groups;
};

// Group names longer than this are cut, as the host's catalogue reader does.
inline constexpr size_t MAX_GROUP_NAME = 99;

}  // namespace bw
