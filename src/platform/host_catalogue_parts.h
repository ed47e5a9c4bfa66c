#pragma once

// The parts of reading the host's catalogue that the systems share, and the
// one each system adds (platform/host_catalogue.h describes both).

#include <functional>
#include <string>
#include <vector>

#include "platform/host_catalogue.h"

namespace bw::catalogue {

// Adds a non-empty name that the list does not hold yet, whatever its case.
void AddName(std::vector<std::string>& list, const std::string& name);
// The group names of a library's catalogue file, added to groups.
void ReadGroups(const std::string& catalogueFile, std::vector<std::string>& groups);
// The libraries a product lists ("Library Count", "Lib<n>", "LibFile<n>",
// each read through value) and the groups of their catalogue files, which
// lie in productFolder (ending in a separator).
void ReadLibraries(const std::function<std::string(const std::string& name)>& value,
                   const std::string& productFolder, HostCatalogue& catalogue);

// What the system keeps of the catalogue outside the family's settings files
// (the registry, on Windows), read before them.
void ReadSystemCatalogue(HostCatalogue& catalogue);

}  // namespace bw::catalogue
