#pragma once

// The host's real-time driver reads the order of a block's parameter members
// from "_rtparam.ini" in the settings directory: key k of the block's section
// names member k. The run records it there for every DSP header it produces.

#include <string>
#include <vector>

#include "files/file_result.h"

namespace bw {

struct ParameterOrder {
    std::string blockName;
    std::vector<std::string> members;
};

// The record's path in the settings directory.
std::string ParameterOrderFile(const std::string& settingsDirectory);

// Sets the keys of the block's section in file; other keys of the section,
// and the records of other blocks, stay as they are. A file that is there but
// cannot be read is left alone rather than replaced by this block's record
// alone. An empty order records nothing.
FileResult RecordParameterOrder(const std::string& file, const ParameterOrder& order);

}  // namespace bw
