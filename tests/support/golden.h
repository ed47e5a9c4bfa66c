#pragma once

#include <string>

namespace bw {

// Compares actual with tests/golden/<name> byte for byte; on a mismatch the
// failure names the file, the first differing line and both versions with CR
// and LF made visible. With UPDATE_GOLDEN=1 in the environment the golden file
// is rewritten instead.
void ExpectMatchesGolden(const std::string& name, const std::string& actual);

}  // namespace bw
