// The channel page: the counts and the labels.
#include "check/checker.h"

#include <algorithm>

namespace bw::check {

namespace {

void ChannelCount(Checker& c, const char* key, const char* what, int count) {
    if (count < 0 || count > MAX_CHANNELS) {
        c.Error({DefinitionPage::Channels, -1, key, ""}, "The number of " + std::string(what) +
                                                             " arrays must be 0 to " +
                                                             std::to_string(MAX_CHANNELS) + ".");
    }
}

}  // namespace

void CheckChannelsPage(Checker& c) {
    const BLOCKINFO& b = c.block;
    ChannelCount(c, "Inputs", "input", b.NumInputs);
    ChannelCount(c, "Outputs", "output", b.NumOutputs);
}

}  // namespace bw::check
