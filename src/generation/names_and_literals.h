#pragma once

// How the block's names, types and defaults are spelled in generated code,
// shared by the generators so that a name turns into the same identifier,
// and a default into the same literal, in every generated file.

#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include "definition/block_info.h"
#include "definition/data_tables.h"

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
// "long", "short", "BYTE": the precision table's); "int" for any other code.
const char* TypeName(int typeCode);

// The zero assigned to one element of that type, with its semicolon
// ("'\0';", "0;", "(float)0.0;", "(double)0.0;").
std::string ZeroValue(int typeCode);

// `<ident>` and `<IDENT>` of the parameter, persistent variable or other named
// entry at position index.
std::string Identifier(std::string_view name, int index);
std::string UpperIdentifier(std::string_view name, int index);

// The block name of the integer DSP variant: the second character replaced by
// "I", or "i" appended to a one-character name; a second character that is an
// i keeps its place behind an inserted "I", so the two names differ also
// without regard to case.
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

// The product line of generated file heads, without its "//    ": the program
// title with trailing digits, periods and blanks removed, then
// " Version 4.30.00 Auto-Generated Block".
std::string ProductLine();

// The creation date ("%a - %d %B %Y") and time ("%I:%M %p") of file heads,
// with English names whatever the process locale.
std::string CreationDate(const std::tm& when);
std::string CreationTime(const std::tm& when);

// The program's title as generated file heads name it.
inline constexpr const char* PRODUCT_TITLE = "Tessaline Blockwright";

// True for the types whose value the parameter dialog edits in a text field
// (types 0 to 7 and File Open): only these have "IDC_EDIT" and "IDC_VAR" controls.
bool HasEditControl(int typeCode);

// The block's icon file, completed by ".ico" when its name holds no "."; and
// its second icon: that name cut before its last "." + "1.ico" (the run copies
// both under these names, and the resource script names them).
std::string IconFileName(const BLOCKINFO& block);
std::string SecondIconFileName(const BLOCKINFO& block);

// Positions of the used local arrays and parameters (code other than 524)
// among the counted records. A skipped entry still holds its position, so
// generated numbering always equals list position.
std::vector<int> UsedLocalArrays(const BLOCKINFO& block);
std::vector<int> UsedParameters(const BLOCKINFO& block);

// Defaults typed by the user, as written into generated C. Templates and
// untouched records can hold empty defaults, and a typed text can hold a
// character that ends its literal early.
// A number: as typed, or "0" when blank; a whole number typed with leading
// zeros loses them, so that C does not read it as octal.
std::string NumericDefault(std::string_view typed);
// A character literal, quotes included: the text as typed unless that would
// break the literal (an unescaped quote, a lone backslash, a line end), in
// which case every backslash, quote and line end is escaped so that the
// literal holds exactly what was typed. An empty character is '\0'.
std::string CharLiteral(std::string_view typed);
// A string literal, quotes included, that holds exactly what was typed:
// every backslash, quote and line end escaped.
std::string StringLiteral(std::string_view typed);

}  // namespace bw
