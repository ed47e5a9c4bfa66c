#include "definition/seams.h"

#include <cstdlib>

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
    std::time_t now = std::time(nullptr);
    std::tm result{};
    if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH")) {
        char* end = nullptr;
        long long seconds = std::strtoll(epoch, &end, 10);
        if (end != epoch && *end == '\0') {
            // A fixed epoch is read in UTC so every machine writes the same head.
            now = static_cast<std::time_t>(seconds);
            gmtime_r(&now, &result);
            return result;
        }
    }
    localtime_r(&now, &result);
    return result;
}

}  // namespace bw
