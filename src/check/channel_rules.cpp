// The channel page: the counts and the labels.
#include "check/checker.h"

#include <algorithm>

namespace bw::check {

namespace {

void ChannelCount(Checker& c, const char* key, const char* what, int count) {
    if (count < 0 || count > MAX_CHANNELS) {
        c.Error({DefinitionPage::Channels, -1, key, ""}, "The number of " + std::string(what) +
                                                             " arrays must be between 0 and " +
                                                             std::to_string(MAX_CHANNELS) + ".");
    }
}

}  // namespace

void CheckChannelsPage(Checker& c) {
    const BLOCKINFO& b = c.block;
    ChannelCount(c, "Inputs", "input", b.NumInputs);
    ChannelCount(c, "Outputs", "output", b.NumOutputs);
    const int inputs = std::clamp(b.NumInputs, 0, MAX_CHANNELS);
    const int outputs = std::clamp(b.NumOutputs, 0, MAX_CHANNELS);
    for (int i = 0; i < inputs; ++i) {
        c.QuotedText({DefinitionPage::Channels, i, Indexed("Input Channel Label", i),
                      "label of input " + std::to_string(i)},
                     b.InputChannelLabel[static_cast<size_t>(i)]);
    }
    for (int o = 0; o < outputs; ++o) {
        c.QuotedText({DefinitionPage::Channels, inputs + o, Indexed("Output Channel Label", o),
                      "label of output " + std::to_string(o)},
                     b.OutputChannelLabel[static_cast<size_t>(o)]);
    }
}

}  // namespace bw::check
