#pragma once

#include <string>
#include <vector>

#include "definition/block_info.h"

namespace bw {

// Which file of the run is in hand, as the run names each one it comes to:
// the position in the run's set that the progress bar shows.
class RunProgress {
public:
    // The files the run would produce, none in hand yet.
    explicit RunProgress(const BLOCKINFO& block);

    // The run has come to relativePath (relative to the block directory);
    // true when the file in hand has changed. It never moves back.
    bool reached(const std::string& relativePath);

    int fileCount() const { return static_cast<int>(files_.size()); }
    // The position of the file in hand, -1 before the first.
    int current() const { return current_; }
    // The file in hand, relative to the block directory ("" before the first).
    std::string currentFile() const;

private:
    std::vector<std::string> files_;
    int current_ = -1;
};

}  // namespace bw
