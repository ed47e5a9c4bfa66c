#include "gen_dsp/dsp_text.h"

#include "generation/shared_rules.h"

namespace bw::dsp {

void WriteDspFileHead(Printer& print, const BLOCKINFO& block, std::string_view purpose,
                      size_t closingRuleLength) {
    WriteFileHead(print, [&] {
        print.Block(R"(
/*
//============================================================================
//
//    FILE NAME : <FileName>
//
//    BLOCK NAME: <MenuName>
//
//    GROUP NAME: <GroupName>
//
//    PURPOSE   : <purpose>
//
//    <product>
//
//    Number of Inputs : <NumInputs>
//    Number of Outputs: <NumOutputs>
//
//    Creation Date: <date>
//    Creation Time: <time>
//)",
                    {{"purpose", purpose},
                     {"MenuName", block.MenuName},
                     {"GroupName", block.GroupName},
                     {"NumInputs", block.NumInputs},
                     {"NumOutputs", block.NumOutputs}});
        print.Raw("//" + std::string(closingRuleLength, '='));
        print.Lines({"*/", ""});
    });
}

namespace {

// The first precision flag set, in the order Double, FloatingPoint,
// LongInteger, Integer, ShortInteger, Byte, Character; -1 when none is.
int FirstPrecision(const BLOCKINFO& block) {
    const int flags[] = {block.Double, block.FloatingPoint, block.LongInteger, block.Integer,
                         block.ShortInteger, block.Byte, block.Character};
    for (int i = 0; i < 7; ++i) {
        if (flags[i] != 0) {
            return i;
        }
    }
    return -1;
}

std::string ByPrecision(const BLOCKINFO& block, const char* const (&texts)[7]) {
    const int first = FirstPrecision(block);
    return first < 0 ? std::string() : std::string(texts[first]);
}

}  // namespace

std::string PointerElementType(const BLOCKINFO& block) {
    static const char* const TYPES[7] = {"double", "float", "long", "int", "short", "BYTE", "char"};
    return ByPrecision(block, TYPES);
}

std::string MatrixDataType(const BLOCKINFO& block) {
    static const char* const TYPES[7] = {"HDT_DOUBLE", "HDT_FLOAT", "HDT_LONG", "HDT_INT",
                                         "HDT_SHORT", "HDT_BYTE", "HDT_CHAR"};
    return ByPrecision(block, TYPES);
}

std::string PrecisionType(const BLOCKINFO& block) {
    static const char* const TYPES[7] = {"  double       ", "  float        ", "  long         ",
                                         "  int          ", "  short        ", "  BYTE         ",
                                         "  char         "};
    return ByPrecision(block, TYPES);
}

std::string MemberName(std::string_view name, int index) {
    return Identifier(name, index);
}

}  // namespace bw::dsp
