#pragma once

// The lists of the data page, each defined once: the template reader and
// writer, the wizard's data page, the edit rules, the checker and the
// generators all read these rows.

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <span>
#include <string_view>

#include "definition/block_info.h"

namespace bw {

// A data type a block's channels carry.
struct DataType {
    int BLOCKINFO::*flag;     // the field that enables it
    const char* templateKey;  // its key in the template, and its name in texts
    const char* box;          // the data page's check box, "&" before its mnemonic
    const char* boxName;      // the check box's object name
};

inline constexpr DataType DATA_TYPES[] = {
    {&BLOCKINFO::Real, "Real", "&Real", "real"},
    {&BLOCKINFO::Complex, "Complex", "C&omplex", "complex"},
};

// A precision of the block's samples, or the bitmap's pixels (the last row,
// which only a template sets). The rows stand in the order of the template
// and the data page, of the branches of the interface source's processing
// section and of the user source's routines.
struct Precision {
    int BLOCKINFO::*flag;     // the field that enables it
    const char* templateKey;  // its key in the template
    const char* box;          // the data page's check box, "&" before its mnemonic
    const char* boxName;      // the check box's object name
    bool dspCapable;          // a DSP-based block may handle it
    int typeCode;             // the type code of the same C type; -1 for none
    const char* description;  // the channels' precision in the description text
    const char* label;        // as the interface source's comments name it
    const char* typeName;     // the C type of one sample in the interface source
    const char* dataType;     // the host's data type code
    const char* suffix;       // the suffix of its routine's name, after the block name
    const char* display;      // the word of the user source's markers and comments
    const char* elementType;  // the C type of one channel element in the user source
};

inline constexpr Precision PRECISIONS[] = {
    {&BLOCKINFO::Character, "Character", "C&haracter", "character", false, TYPE_CHAR, "Character",
     "character", "char", "HDT_CHAR", "Char", "Char", "char"},
    {&BLOCKINFO::Byte, "Byte", "B&yte", "byte", false, TYPE_BYTE, "Byte", "byte", "BYTE",
     "HDT_BYTE", "Byte", "Byte", "BYTE"},
    {&BLOCKINFO::ShortInteger, "Short Integer", "&Short Integer", "shortInteger", false, TYPE_SHORT,
     "Short", "short", "short", "HDT_SHORT", "Short", "Short", "short"},
    {&BLOCKINFO::Integer, "Integer", "&Integer", "integer", true, TYPE_INTEGER, "Integer",
     "integer", "int", "HDT_INT", "Int", "Integer", "int"},
    {&BLOCKINFO::LongInteger, "Long Integer", "&Long Integer", "longInteger", false, TYPE_LONG,
     "Long", "long", "long", "HDT_LONG", "Long", "Long", "long"},
    {&BLOCKINFO::FloatingPoint, "Floating point", "&Floating Point", "floatingPoint", true,
     TYPE_FLOAT, "Floating Point", "floating pont", "float", "HDT_FLOAT", "Float", "Float",
     "float"},
    {&BLOCKINFO::Double, "Double", "Doubl&e", "double", false, TYPE_DOUBLE, "Double", "double",
     "double", "HDT_DOUBLE", "Double", "Double", "double"},
    {&BLOCKINFO::Bitmap, "Bitmap", nullptr, nullptr, false, -1, nullptr, "Bitmap", "Bmp",
     "HDT_IMAGE_BMP", "Bmp", "Bitmap", "LPBITMAPINFOHEADER"},
};

// The precisions of samples: every row but the bitmap's.
inline constexpr size_t SAMPLE_PRECISION_COUNT = std::size(PRECISIONS) - 1;
inline constexpr std::span<const Precision, SAMPLE_PRECISION_COUNT> SAMPLE_PRECISIONS(
    PRECISIONS, SAMPLE_PRECISION_COUNT);

// The rows that rules name: Q and its level belong to Integer (and follow it
// in the template and on the page); an XDAIS block has Integer or Floating
// Point.
inline constexpr size_t INTEGER_PRECISION = 3;
inline constexpr size_t FLOATING_POINT_PRECISION = 5;
static_assert(PRECISIONS[INTEGER_PRECISION].flag == &BLOCKINFO::Integer);
static_assert(PRECISIONS[FLOATING_POINT_PRECISION].flag == &BLOCKINFO::FloatingPoint);
static_assert(PRECISIONS[std::size(PRECISIONS) - 1].flag == &BLOCKINFO::Bitmap);

// The row of the sample precision whose C type the type code names, or null.
constexpr const Precision* PrecisionOfType(int typeCode) {
    for (const Precision& precision : SAMPLE_PRECISIONS) {
        if (precision.typeCode == typeCode) {
            return &precision;
        }
    }
    return nullptr;
}

// How a number type's values are typed and checked.
enum class NumberKind {
    Whole,
    Floating,
    Character,
};

// A number type of parameters, persistent variables and local arrays (the
// codes 0 to 6). The rows stand in the order of the type radio buttons. The
// C type is the precision's of the same code (PrecisionOfType).
struct NumberType {
    int code;
    const char* radio;  // its radio button, "&" before its mnemonic
    const char* name;   // the type as messages name it
    NumberKind kind;
    long long low;  // a whole type's range
    long long high;
    const char* largest;  // a floating type's largest value, roughly
    const char* letter;   // of the typed calls: GetDlgItem<letter>, SaveParam<letter>
    const char* words;    // in comments: "<words> edit", "<words> elements"
    const char* zero;     // the C value that clears one element
};

// The host's types: BYTE is unsigned, int and long both 32 bits.
inline constexpr NumberType NUMBER_TYPES[] = {
    {TYPE_BYTE, "B&yte", "Byte", NumberKind::Whole, 0, 255, nullptr, "B", "byte", "0"},
    {TYPE_FLOAT, "&Floating Point", "Floating Point", NumberKind::Floating, 0, 0, "3.4e38", "F",
     "floating point", "(float)0.0"},
    {TYPE_SHORT, "&Short", "Short", NumberKind::Whole, -32768, 32767, nullptr, "S", "short integer",
     "0"},
    {TYPE_DOUBLE, "Do&uble Floating Point", "Double Floating Point", NumberKind::Floating, 0, 0,
     "1.8e308", "D", "double floating point", "(double)0.0"},
    {TYPE_INTEGER, "&Integer", "Integer", NumberKind::Whole, INT32_MIN, INT32_MAX, nullptr, "I",
     "integer", "0"},
    {TYPE_CHAR, "C&har", "Char", NumberKind::Character, 0, 0, nullptr, "C", "character", "'\\0'"},
    {TYPE_LONG, "&Long", "Long", NumberKind::Whole, INT32_MIN, INT32_MAX, nullptr, "L",
     "long integer", "0"},
};

// The row of a number type's code, or null for any other code.
constexpr const NumberType* NumberTypeOf(int code) {
    for (const NumberType& type : NUMBER_TYPES) {
        if (type.code == code) {
            return &type;
        }
    }
    return nullptr;
}

// A whole or floating number: the types a DSP-side member holds as int or
// float.
constexpr bool IsArithmeticType(int code) {
    const NumberType* type = NumberTypeOf(code);
    return type != nullptr && type->kind != NumberKind::Character;
}

}  // namespace bw
