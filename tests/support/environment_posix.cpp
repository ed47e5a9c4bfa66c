#include <cstdlib>

#include "support/generate.h"

namespace bw {

void SetEnvironmentVariable(const char* name, const char* value) {
    if (value != nullptr) {
        setenv(name, value, 1);
    } else {
        unsetenv(name);
    }
}

}  // namespace bw
