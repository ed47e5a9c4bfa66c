#include "definition/seams.h"

#include <cstdlib>

#include "definition/calendar_time.h"

namespace bw {

std::string MemorySettings::read(const std::string& section, const std::string& name,
                                 const std::string& defaultValue) const {
    auto it = values.find(section + "/" + name);
    return it == values.end() ? defaultValue : it->second;
}

void MemorySettings::write(const std::string& section, const std::string& name,
                           const std::string& value) {
    values[section + "/" + name] = value;
}

std::tm SystemClock::localNow() const {
    if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH")) {
        char* end = nullptr;
        long long seconds = std::strtoll(epoch, &end, 10);
        if (end != epoch && *end == '\0') {
            // A fixed epoch is read in UTC so every machine writes the same head.
            return UniversalTime(static_cast<std::time_t>(seconds));
        }
    }
    return LocalTime(std::time(nullptr));
}

}  // namespace bw
