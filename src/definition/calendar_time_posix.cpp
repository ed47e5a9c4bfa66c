#include "definition/calendar_time.h"

namespace bw {

std::tm LocalTime(std::time_t moment) {
    std::tm result{};
    localtime_r(&moment, &result);
    return result;
}

std::tm UniversalTime(std::time_t moment) {
    std::tm result{};
    gmtime_r(&moment, &result);
    return result;
}

}  // namespace bw
