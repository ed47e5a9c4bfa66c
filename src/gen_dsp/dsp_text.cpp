#include "gen_dsp/dsp_text.h"

#include "definition/data_tables.h"
#include "generation/names_and_literals.h"
#include "generation/text_contexts.h"

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
                     {"MenuName", Escaped(TextContext::CComment, block.MenuName)},
                     {"GroupName", Escaped(TextContext::CComment, block.GroupName)},
                     {"NumInputs", block.NumInputs},
                     {"NumOutputs", block.NumOutputs}});
        print.Raw("//" + std::string(closingRuleLength, '='));
        print.Lines({"*/", ""});
    });
}

namespace {

// The first precision set, from Double down to Character; null when none is.
const Precision* WidestPrecision(const BLOCKINFO& block) {
    for (auto it = SAMPLE_PRECISIONS.rbegin(); it != SAMPLE_PRECISIONS.rend(); ++it) {
        if (block.*(it->flag)) {
            return &*it;
        }
    }
    return nullptr;
}

}  // namespace

std::string PointerElementType(const BLOCKINFO& block) {
    const Precision* widest = WidestPrecision(block);
    return widest != nullptr ? widest->typeName : "";
}

std::string MatrixDataType(const BLOCKINFO& block) {
    const Precision* widest = WidestPrecision(block);
    return widest != nullptr ? widest->dataType : "";
}

std::string PrecisionType(const BLOCKINFO& block) {
    const Precision* widest = WidestPrecision(block);
    return widest != nullptr ? "  " + PadRight(widest->typeName, 13) : "";
}

std::string MemberName(std::string_view name, int index) {
    return Identifier(name, index);
}

}  // namespace bw::dsp
