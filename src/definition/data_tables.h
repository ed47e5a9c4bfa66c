#pragma once

// The lists of the data page, each defined once: the template reader and
// writer, the wizard's data page, the edit rules, the checker and the
// generators all read these rows.

#include <cstddef>
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

}  // namespace bw
