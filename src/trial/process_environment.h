#pragma once

// This program's own environment variables, each "NAME=value", as the
// system keeps them.

#include <string>
#include <vector>

namespace bw {

std::vector<std::string> ProcessEnvironment();

}  // namespace bw
