#pragma once

// Text pieces that the block header and the user source share: the
// substitution helper, the separator lines and the bounded pool counts.

#include <initializer_list>
#include <string>
#include <string_view>

#include "definition/block_info.h"
#include "generation/output_file.h"

namespace bw::component {

// One placeholder of a line and the text that replaces it.
struct Field {
    std::string_view placeholder;
    std::string value;
};

// The line with every placeholder ("<i>", "<BlockName>" ...) replaced in one
// pass from the left, so that a value holding a placeholder stays as it is.
std::string Fill(std::string_view line, std::initializer_list<Field> fields);

// text followed by blanks up to width characters; longer texts stay whole.
std::string PadRight(std::string_view text, size_t width);

// Writes each fixed line of a group.
void WriteLines(OutputFile& file, std::initializer_list<std::string_view> lines);

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
