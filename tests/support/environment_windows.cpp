#include <cstdlib>

#include "support/generate.h"

namespace bw {

void SetEnvironmentVariable(const char* name, const char* value) {
    _putenv_s(name, value != nullptr ? value : "");
}

}  // namespace bw
