#include "definition/calendar_time.h"

namespace bw {

std::tm LocalTime(std::time_t moment) {
    std::tm result{};
    localtime_s(&result, &moment);
    return result;
}

std::tm UniversalTime(std::time_t moment) {
    std::tm result{};
    gmtime_s(&result, &moment);
    return result;
}

}  // namespace bw
