#include "wizard/run_progress.h"

#include "run/file_set.h"

namespace bw {

RunProgress::RunProgress(const BLOCKINFO& block) {
    for (const BlockFile& file : RunFileSet(block)) {
        files_.push_back(file.path);
    }
}

bool RunProgress::reached(const std::string& relativePath) {
    for (int i = fileCount() - 1; i > current_; --i) {
        if (files_[static_cast<size_t>(i)] == relativePath) {
            current_ = i;
            return true;
        }
    }
    return false;
}

std::string RunProgress::currentFile() const {
    return current_ < 0 ? std::string() : files_[static_cast<size_t>(current_)];
}

}  // namespace bw
