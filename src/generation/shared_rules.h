#pragma once

// Rules that several generators share, so that a name turns into the same
// identifier in every generated file.

#include <string>
#include <string_view>

#include "definition/block_info.h"

namespace bw {

// ASCII letters only are changed; other bytes pass through.
std::string UpperCase(std::string_view text);
std::string LowerCase(std::string_view text);

// `<PREFIX>`: the block name upper-cased.
std::string Prefix(const BLOCKINFO& block);

// The scratch rule: SCRATCH_PARAM exists when the block has local arrays or is
// real-time.
bool UsesScratch(const BLOCKINFO& block);

// The C type name of a type code 0 to 6 ("int", "float", "double", "char",
// "long", "short", "BYTE"); "int" for any other code.
const char* TypeName(int typeCode);

// The zero assigned to one element of that type, with its semicolon
// ("'\0';", "0;", "(float)0.0;", "(double)0.0;").
const char* ZeroValue(int typeCode);

// `<ident>` and `<IDENT>` of the parameter, persistent variable or other named
// entry at position index.
std::string Identifier(std::string_view name, int index);
std::string UpperIdentifier(std::string_view name, int index);

// The block name of the integer DSP variant: the second character replaced by
// "I", or "i" appended to a one-character name.
std::string IntegerName(std::string_view blockName);

// True when some used parameter is a File Open control (the interface source
// then includes the common dialog header).
bool UsesFileOpen(const BLOCKINFO& block);

// The dialog control identifier of the parameter at index: "IDC_RADIO",
// "IDC_COMBO", "IDC_CHECK" or "IDC_EDIT" by type, followed by `<IDENT>`.
std::string ControlIdentifier(const PARAMINFO& parameter, int index);

// The identifier of radio item `item` of a Radio Buttons parameter:
// "IDC_RADIO" + `<IDENT>` + the item text made into an upper-cased identifier.
std::string RadioItemIdentifier(const PARAMINFO& parameter, int index, int item);

}  // namespace bw
