#include "gen_dsp/dsp_text.h"

#include "generation/shared_rules.h"

namespace bw::dsp {

void WriteDspFileHead(OutputFile& file, const BLOCKINFO& block, std::string_view purpose,
                      size_t closingRuleLength) {
    // The time is read once, before the first line.
    const SystemClock systemClock;
    const Clock* clock = file.Environment().clock;
    const std::tm now = (clock != nullptr ? clock : &systemClock)->localNow();
    const std::string openingRule = "//" + std::string(76, '=');

    WriteLine(file, "/*");
    WriteLine(file, openingRule);
    WriteLine(file, "//");
    WriteLine(file, "//    FILE NAME : ", file.FileName());
    WriteLine(file, "//");
    WriteLine(file, "//    BLOCK NAME: ", block.MenuName);
    WriteLine(file, "//");
    WriteLine(file, "//    GROUP NAME: ", block.GroupName);
    WriteLine(file, "//");
    WriteLine(file, "//    PURPOSE   : ", purpose);
    WriteLine(file, "//");
    WriteLine(file, "//    ", ProductLine());
    WriteLine(file, "//");
    WriteLine(file, "//    Number of Inputs : ", std::to_string(block.NumInputs));
    WriteLine(file, "//    Number of Outputs: ", std::to_string(block.NumOutputs));
    WriteLine(file, "//");
    WriteLine(file, "//    Creation Date: ", CreationDate(now));
    WriteLine(file, "//    Creation Time: ", CreationTime(now));
    WriteLine(file, "//");
    WriteLine(file, "//" + std::string(closingRuleLength, '='));
    WriteLine(file, "*/");
    WriteLine(file, "");
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
