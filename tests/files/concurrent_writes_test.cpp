// Writers of one file at the same time, each through its own opening of the
// block folder as separate runs would: every round the file holds exactly
// one writer's text, never a mixture. A few rounds by default;
// BW_CONCURRENT_ROUNDS asks for more.
#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>
#include <vector>

#include "files/block_folder.h"
#include "files_test_support.h"

namespace bw {
namespace {

using ConcurrentWritesTest = FilesTest;

int Rounds() {
    const char* asked = std::getenv("BW_CONCURRENT_ROUNDS");
    return asked != nullptr ? std::max(1, std::atoi(asked)) : 4;
}

// A large text of its own per writer, handed over in pieces.
std::string TextOf(int writer) {
    std::string text;
    for (int line = 0; line < 20000; ++line) {
        text += "writer " + std::to_string(writer) + " line " + std::to_string(line) + "\r\n";
    }
    return text;
}

void WriteInPieces(BlockFolder& folder, const std::string& relative, const std::string& text) {
    NewFile file(folder, relative);
    if (!file.Open()) {
        return;
    }
    for (size_t at = 0; at < text.size(); at += 4096) {
        if (!file.Write(std::string_view(text).substr(at, 4096))) {
            return;
        }
    }
    file.Commit();
}

TEST_F(ConcurrentWritesTest, EveryFileHoldsOneWritersTextWhole) {
    constexpr int WRITERS = 3;
    std::vector<std::string> texts;
    for (int writer = 0; writer < WRITERS; ++writer) {
        texts.push_back(TextOf(writer));
    }
    for (int round = 0; round < Rounds(); ++round) {
        std::vector<std::unique_ptr<BlockFolder>> folders;
        for (int writer = 0; writer < WRITERS; ++writer) {
            folders.push_back(OpenBlock());
        }
        std::vector<std::thread> writers;
        for (int writer = 0; writer < WRITERS; ++writer) {
            writers.emplace_back([&, writer] {
                WriteInPieces(*folders[writer], "Gain.c", texts[writer]);
                WriteInPieces(*folders[writer], "KRSave/Gain.c", texts[writer]);
            });
        }
        for (std::thread& writer : writers) {
            writer.join();
        }
        for (const char* file : {"Gain.c", "KRSave/Gain.c"}) {
            const std::string bytes = Bytes(Block() / file);
            EXPECT_NE(std::find(texts.begin(), texts.end(), bytes), texts.end())
                << file << " mixes the writers' texts in round " << round;
        }
        EXPECT_EQ(Tree(Block()).size(), 3u) << "temporaries left in round " << round;
    }
}

}  // namespace
}  // namespace bw
