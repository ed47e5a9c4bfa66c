#pragma once

// Text pieces that the block header and the user source share: the
// separator lines and the bounded pool counts.

#include <initializer_list>
#include <string>
#include <string_view>

#include "definition/block_info.h"
#include "generation/output_file.h"
#include "generation/text_lines.h"

namespace bw::component {

using bw::PadRight;

// "//" + 76 "=", "//" + 78 "-" (80 characters), "//" + 75 "-" (77 characters).
inline const std::string EQUALS_LINE = "//" + std::string(76, '=');
inline const std::string LONG_DASH_LINE = "//" + std::string(78, '-');
inline const std::string SHORT_DASH_LINE = "//" + std::string(75, '-');

// The counts of the definition, never more than the pools hold (records
// beyond a count are ignored) nor more channels than a block can have.
int ParameterCount(const BLOCKINFO& block);
int PersistantCount(const BLOCKINFO& block);
int LocalArrayCount(const BLOCKINFO& block);
int InputCount(const BLOCKINFO& block);
int OutputCount(const BLOCKINFO& block);

}  // namespace bw::component
