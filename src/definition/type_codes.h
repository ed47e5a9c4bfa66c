#pragma once

namespace bw {

// One numbering for parameter types, persistent-variable types and local-array
// precisions.
inline constexpr int TYPE_INTEGER = 0;
inline constexpr int TYPE_FLOAT = 1;
inline constexpr int TYPE_DOUBLE = 2;
inline constexpr int TYPE_CHAR = 3;
inline constexpr int TYPE_LONG = 4;
inline constexpr int TYPE_SHORT = 5;
inline constexpr int TYPE_BYTE = 6;
inline constexpr int TYPE_TEXT = 7;
inline constexpr int TYPE_RADIO_BUTTONS = 519;
inline constexpr int TYPE_COMBO_BOX = 520;
inline constexpr int TYPE_FILE_OPEN = 521;
inline constexpr int TYPE_CHECK_BOX = 522;
inline constexpr int TYPE_OTHER = 523;
// An entry every generator skips (while it keeps its position).
inline constexpr int TYPE_EXCLUDED = 524;

// Other codes a template may hold for Integer, Double and Text: reading turns
// them into the codes above.
inline constexpr int ALIAS_TYPE_INTEGER = 516;
inline constexpr int ALIAS_TYPE_DOUBLE = 517;
inline constexpr int ALIAS_TYPE_TEXT = 518;

// 499 plus the host's block type number.
inline constexpr int BLOCK_INPUT = 500;
inline constexpr int BLOCK_PROCESS = 501;
inline constexpr int BLOCK_OUTPUT = 502;
inline constexpr int BLOCK_CONTROL = 506;

// Warning types.
inline constexpr int WARNING_NONE = 0;
inline constexpr int WARNING_STANDARD = 1;
inline constexpr int WARNING_ERROR = 2;
inline constexpr int WARNING_ONE_TIME = 3;

// Pool sizes.
inline constexpr int MAX_PARAMETERS = 256;
inline constexpr int MAX_PERSISTANTS = 256;
inline constexpr int MAX_LOCAL_ARRAYS = 10;
inline constexpr int MAX_CHANNELS = 129;

}  // namespace bw
