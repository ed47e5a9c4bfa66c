#pragma once

// Refusals that name the field and the value typed, so that the user knows
// which of a page's fields to mend and why.

#include <string>

namespace bw {

// "# of Input Arrays: "500" is out of range (0 to 129).", "... "1.5" is not
// a whole number (0 to 129)." or, for an empty field, "# of Input Arrays: a
// whole number is needed (0 to 129)." The field is named as its page labels it.
std::string WholeNumberRefusal(const std::string& field, const std::string& typed, long long low,
                               long long high);

}  // namespace bw
