#pragma once

// A scratch folder per test, with the block folder inside it and room beside
// it for what must never change: what links planted in the block folder point
// at.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <sstream>
#include <string>

#include "files/block_folder.h"

namespace bw {

namespace fs = std::filesystem;

// The bound the run gives a backup's copy.
inline constexpr std::uint64_t COPY_LIMIT = std::uint64_t{16} << 20;

inline std::string Bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

inline void Put(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// Every entry below folder by relative path: a file's bytes, a link's target
// marked "->", a folder "/". Links are not followed.
inline std::map<std::string, std::string> Tree(const fs::path& folder) {
    std::map<std::string, std::string> entries;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(folder, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        const std::string name = fs::relative(it->path(), folder).generic_string();
        if (it->is_symlink()) {
            entries[name] = "-> " + fs::read_symlink(it->path()).generic_string();
        } else if (it->is_directory()) {
            entries[name] = "/";
        } else {
            entries[name] = Bytes(it->path());
        }
    }
    return entries;
}

class FilesTest : public ::testing::Test {
protected:
    FilesTest() {
        static std::random_device seed;
        std::mt19937_64 random(seed());
        for (int attempt = 0; attempt < 100 && root_.empty(); ++attempt) {
            const fs::path folder = fs::temp_directory_path() /
                                    ("blockwright-files-" + std::to_string(random() % 1000000007));
            if (fs::create_directory(folder)) {
                root_ = folder;
            }
        }
        fs::create_directories(Block());
        fs::create_directories(Outside());
    }
    ~FilesTest() override {
        std::error_code ec;
        fs::remove_all(root_, ec);
    }

    fs::path Block() const { return root_ / "Gain"; }
    fs::path Outside() const { return root_ / "outside"; }

    std::unique_ptr<BlockFolder> OpenBlock() {
        std::unique_ptr<BlockFolder> folder;
        const FileResult opened = BlockFolder::Open(Block().string(), false, folder);
        EXPECT_TRUE(opened) << opened.Message();
        return folder;
    }

    fs::path root_;
};

}  // namespace bw
