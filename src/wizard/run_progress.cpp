#include "wizard/run_progress.h"

#include <sys/stat.h>

#include "generation/paths.h"
#include "run/file_set.h"

namespace bw {

namespace {

struct Status {
    bool exists = false;
    long long modified = 0;
    long long size = 0;
};

Status StatusOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return {};
    }
    const long long modified =
        static_cast<long long>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec;
    return {true, modified, static_cast<long long>(info.st_size)};
}

}  // namespace

RunProgress::RunProgress(const BLOCKINFO& block) {
    const std::string directory = DirectoryPrefix(block);
    for (const BlockFile& file : RunFileSet(block)) {
        Noted noted;
        noted.relativePath = file.path;
        noted.path = directory + file.path;
        noted.nativePath = NativePath(noted.path);
        const Status status = StatusOf(noted.nativePath);
        noted.existed = status.exists;
        noted.modified = status.modified;
        noted.size = status.size;
        files_.push_back(noted);
    }
}

bool RunProgress::Changed(const Noted& file) {
    // A folder made by the run may be spelt differently from the file's path
    // ("DSPCODE" and "DSPCode"): look the new ones up again.
    const Status now = StatusOf(file.existed ? file.nativePath : NativePath(file.path));
    if (!now.exists) {
        return false;
    }
    return !file.existed || now.modified != file.modified || now.size != file.size;
}

bool RunProgress::update() {
    for (int i = fileCount() - 1; i > current_; --i) {
        if (Changed(files_[static_cast<size_t>(i)])) {
            current_ = i;
            return true;
        }
    }
    return false;
}

bool RunProgress::reached(const std::string& path) {
    for (int i = fileCount() - 1; i > current_; --i) {
        if (files_[static_cast<size_t>(i)].path == path) {
            current_ = i;
            return true;
        }
    }
    return false;
}

std::string RunProgress::currentFile() const {
    return current_ < 0 ? std::string() : files_[static_cast<size_t>(current_)].relativePath;
}

}  // namespace bw
