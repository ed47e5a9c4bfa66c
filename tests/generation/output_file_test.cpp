#include <gtest/gtest.h>

#include <filesystem>

#include "generation/output_file.h"
#include "generation/paths.h"
#include "generation/text_lines.h"
#include "support/generate.h"

namespace bw {
namespace {

namespace fs = std::filesystem;

// An output file in a temporary folder whose pump counts its calls.
class OutputFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        environment_.pump = [this] {
            ++pumps_;
            if (stopAtPump_ != 0 && pumps_ == stopAtPump_) {
                environment_.Stopping = true;
            }
        };
    }
    std::string PathOf(const std::string& name) const { return dir_.path() + name; }
    // Writes through a fresh open of name and returns the file's bytes.
    template <typename Body>
    std::string WriteFile(Body body, const std::string& name = "out.txt") {
        OutputFile file(environment_);
        EXPECT_TRUE(file.Open(PathOf(name)));
        body(file);
        EXPECT_TRUE(SaveOutputFile(file));
        return ReadFileBytes(NativePath(PathOf(name)));
    }

    TempDir dir_;
    RunEnvironment environment_;
    int pumps_ = 0;
    int stopAtPump_ = 0;  // the pump call that sets Stopping (0: never)
};

TEST_F(OutputFileTest, WritesTextsWithExplicitCrLf) {
    const std::string bytes = WriteFile([](OutputFile& file) {
        WriteLine(file, "", "");
        WriteLine(file, "name ", "MyAdd");
        Write(file, "no ", "end");
        Write(file, "");
        WriteLine(file, "|");
    });
    EXPECT_EQ(bytes, "\r\nname MyAdd\r\nno end|\r\n");
}

TEST(MakeIdentifier, KeepsLettersDigitsAndUnderscores) {
    EXPECT_EQ(MakeIdentifier("Gain", 0), "_Gain");
    EXPECT_EQ(MakeIdentifier("9lives", 0), "_9lives");
    EXPECT_EQ(MakeIdentifier("my gain (dB)", 1), "_mygaindB");
    EXPECT_EQ(MakeIdentifier("a_b-c\xC3\xA9", 1), "_a_bc");
    EXPECT_EQ(MakeIdentifier("", 5), "Parameter5");
    EXPECT_EQ(MakeIdentifier("()", 3), "Parameter3");
}

TEST_F(OutputFileTest, SavingCreatesDirectoriesAndReplacesTheFile) {
    WriteFileBytes(PathOf("Sub/old.c"), "old contents");
    EXPECT_EQ(WriteFile([](OutputFile& file) { WriteLine(file, "new"); }, "sub\\old.c"), "new\r\n");
    EXPECT_EQ(WriteFile([](OutputFile& file) { WriteLine(file, "x"); }, "a\\b/c.h"), "x\r\n");
    if (!FILE_NAMES_IGNORE_CASE) {
        EXPECT_FALSE(fs::exists(PathOf("sub")));  // "Sub" was found, not made again
    }
}

// The pump may set Stopping (a Cancel): that write and every later one are
// dropped, and everything before it belongs to the file, even past the
// buffer's size. Nothing reaches the disk.
TEST_F(OutputFileTest, NothingIsWrittenAfterStoppingIsSet) {
    const std::string line(99, 'x');  // 101 bytes with CR LF
    const int lines = 4000;           // about 400 KB, beyond the buffer
    stopAtPump_ = 3500;
    OutputFile file(environment_);
    ASSERT_TRUE(file.Open(PathOf("out.txt")));
    for (int i = 0; i < lines; i += 2) {  // every kind of write is pumped first
        Printer(file).Line("<line>", {{"line", line}});
        Write(file, line + "\r\n");
    }
    EXPECT_EQ(pumps_, lines);
    const size_t expected = static_cast<size_t>(stopAtPump_ - 1) * (line.size() + 2);
    EXPECT_FALSE(fs::exists(PathOf("out.txt")));
    EXPECT_TRUE(SaveOutputFile(file));
    EXPECT_EQ(ReadFileBytes(PathOf("out.txt")).size(), expected);
}

}  // namespace
}  // namespace bw
