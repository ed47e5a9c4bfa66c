#pragma once

// What text a value of each type may hold before it becomes code: the
// defaults of parameters and persistent variables, the number of elements of
// a local array, and the file filters of a File Open parameter. The checker,
// the template reader and the wizard's fields all ask here, so a value is
// refused alike wherever it was typed.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "definition/block_info.h"

namespace bw {

// Why a value is refused: the value in double quotes, then what is expected,
// as in "\"1,5\" is not a number: use a point, \"1.5\"". Nothing when the
// value is taken.
using Refusal = std::optional<std::string>;

// A default as the generated code writes it for the type code. Numbers are C
// literals within the type's range (blank is 0); a Char is one character or
// an escape; Text, File Open and Other take any text; a Combo Box, Radio
// Buttons or Check Box default is one of the items its control offers (blank
// is the first). Codes without a default of their own take anything.
Refusal DefaultRefusal(int typeCode, std::string_view typed,
                       const std::vector<std::string>& items = {});
Refusal ParameterDefaultRefusal(const PARAMINFO& parameter);
Refusal PersistantDefaultRefusal(const PERSISTANTINFO& variable);

// True when text is one of C's escapes ("\\n", "\\x41", "\\0"), which a
// Char default may be in place of one character.
bool IsCharEscape(std::string_view text);

// The items a control of the type offers: the parameter's own, or where it
// has none (fewer than two for Radio Buttons, always for a Check Box) the
// ones the generated dialog shows in their place.
std::vector<std::string> OfferedItems(int typeCode, const std::vector<std::string>& items);

// True when a local array's size is written as a number (it begins with a
// digit or a sign) rather than as an expression over parameters.
bool IsLocalSizeNumber(std::string_view size);
// Such a size: a whole decimal number of elements, 1 to LOCAL_SIZE_LIMIT,
// blanks before it allowed (the header writes the text followed by "UL").
Refusal LocalSizeRefusal(std::string_view size);
inline constexpr long long LOCAL_SIZE_LIMIT = 2147483647;

// A decimal whole number, sign and blanks around it allowed, as long as a
// long long holds it.
std::optional<long long> WholeNumber(std::string_view text);

// A File Open parameter's item is a caption and a filter pattern joined by
// the one "|" the stored list holds; neither may hold another.
Refusal FilterTextRefusal(std::string_view text);
Refusal FilterItemRefusal(std::string_view item);

}  // namespace bw
