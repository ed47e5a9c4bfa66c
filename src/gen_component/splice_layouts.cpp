#include "gen_component/splice_layouts.h"

#include "gen_component/user_source_routine.h"

namespace bw {

namespace {

std::string PrecisionTitle(const Precision& precision) {
    return std::string(precision.display) + " Precision";
}

// A routine the previous version has but the definition no longer asks for
// is written as well, so that its default sections can be told from user code.
void AddRoutines(BLOCKINFO& block, const std::vector<std::string>& outerTitles) {
    for (const Precision& precision : PRECISIONS) {
        for (const std::string& title : outerTitles) {
            if (title == PrecisionTitle(precision)) {
                block.*precision.flag = 1;
            }
        }
    }
}

SpliceLayout MakeUserSourceSplice() {
    SpliceLayout layout;
    layout.question = USER_SOURCE_SPLICE_QUESTION;
    for (const Precision& precision : PRECISIONS) {
        layout.outerTitles.push_back(PrecisionTitle(precision));
    }
    layout.sectionTitles = {"Include Libraries", "Internally used variables", "Local Routine",
                            "External Routines"};
    layout.nestedTitles = {"Internally used variables", "Local Routine"};
    layout.widen = AddRoutines;
    return layout;
}

}  // namespace

const SpliceLayout& HeaderSplice() {
    static const SpliceLayout layout{
        HEADER_SPLICE_QUESTION,
        {"Block Parameter Structure", "Scratch Parameter Structure"},
        {"Definitions", "Added Variables", "External Routine Prototypes"},
        nullptr,
        {"Added Variables"}};
    return layout;
}

const SpliceLayout& UserSourceSplice() {
    static const SpliceLayout layout = MakeUserSourceSplice();
    return layout;
}

}  // namespace bw
