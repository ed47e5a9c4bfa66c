#pragma once

#include <string>
#include <vector>

#include "definition/block_info.h"

namespace bw {

// Which file of the run is being written, seen from outside the run: the
// files of the run's set are noted before it starts, and the last of them
// that has been created or replaced since is the one in hand (a run writes
// them in that order). Files a No answer leaves alone are passed over.
class RunProgress {
public:
    // Notes the current state of every file the run would produce.
    explicit RunProgress(const BLOCKINFO& block);

    // Looks at the files again; true when the file in hand has changed.
    bool update();

    // The run has come to path (as the run forms it, for instance in the
    // overwrite question); true when the file in hand has changed.
    bool reached(const std::string& path);

    int fileCount() const { return static_cast<int>(files_.size()); }
    // The position of the file in hand, -1 before the first.
    int current() const { return current_; }
    // The file in hand, relative to the block directory ("" before the first).
    std::string currentFile() const;

private:
    struct Noted {
        std::string relativePath;
        std::string path;        // as the run forms it
        std::string nativePath;  // on this file system, when noted
        bool existed = false;
        long long modified = 0;  // nanoseconds
        long long size = 0;
    };
    static bool Changed(const Noted& file);

    std::vector<Noted> files_;
    int current_ = -1;
};

}  // namespace bw
