#pragma once

// The calendar time of a moment, through the system's thread-safe calls.

#include <ctime>

namespace bw {

std::tm LocalTime(std::time_t moment);
std::tm UniversalTime(std::time_t moment);

}  // namespace bw
