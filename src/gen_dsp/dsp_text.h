#pragma once

// Text pieces that the DSP source and the DSP header share.

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "definition/block_info.h"
#include "generation/output_file.h"
#include "generation/text_lines.h"

namespace bw::dsp {

using bw::PadRight;

// The file head of both DSP files: the purpose line differs, and so does the
// number of "=" in the closing rule.
void WriteDspFileHead(Printer& print, const BLOCKINFO& block, std::string_view purpose,
                      size_t closingRuleLength);

// The element type of a matrix pixel pointer ("double" ... "char"): the C type
// of the widest precision set, from Double down to Character; empty when none is.
std::string PointerElementType(const BLOCKINFO& block);
// The matrix data-type constant ("HDT_DOUBLE" ... "HDT_CHAR") of that precision.
std::string MatrixDataType(const BLOCKINFO& block);
// The 15-character member type of the header ("  double       " ...) of that precision.
std::string PrecisionType(const BLOCKINFO& block);

// The PARAMS member name of the parameter or local array at index.
std::string MemberName(std::string_view name, int index);

}  // namespace bw::dsp
