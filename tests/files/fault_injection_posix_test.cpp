// The block folder against a full disk, failing syncs and renames and
// read-only files, made by the fault-injection library linked into this
// program (see tests/fault). Whatever fails, the message names the path and
// gives the system's reason, and the previous file stays as it was with no
// temporary beside it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>

#include "files/block_folder.h"
#include "files_test_support.h"

namespace bw {
namespace {

using ::testing::AllOf;
using ::testing::EndsWith;
using ::testing::MatchesRegex;
using ::testing::StartsWith;

// A fault for the lifetime of the object.
class Fault {
public:
    Fault(const char* name, const std::string& prefix) : name_(name) {
        setenv(name, prefix.c_str(), 1);
    }
    ~Fault() { unsetenv(name_); }
    Fault(const Fault&) = delete;
    Fault& operator=(const Fault&) = delete;

private:
    const char* name_;
};

class FaultInjectionTest : public FilesTest {
protected:
    FaultInjectionTest() {
        Put(Block() / "Gain.c", "the user's source");
        before_ = Tree(Block());
    }

    std::string Prefix() const { return Block().string() + "/"; }
    // "Cannot <doing> <the temporary of Gain.c>: <reason>".
    std::string TemporaryFault(const std::string& doing, int error) const {
        return "Cannot " + doing + " " + Prefix() +
               "Gain\\.c\\.[0-9a-f]{8}\\.tmp~: " + SystemReason(error);
    }

    std::map<std::string, std::string> before_;
};

TEST_F(FaultInjectionTest, AFullDiskLeavesThePreviousFile) {
    auto folder = OpenBlock();
    const Fault full("BW_FAULT_FULL", Prefix());

    const FileResult written = folder->Write("Gain.c", "the generated text");

    EXPECT_THAT(written.Message(), MatchesRegex(TemporaryFault("write", ENOSPC)));
    EXPECT_EQ(Tree(Block()), before_);
}

TEST_F(FaultInjectionTest, AFailedSyncLeavesThePreviousFile) {
    auto folder = OpenBlock();
    const Fault sync("BW_FAULT_SYNC", Prefix());

    const FileResult written = folder->Write("Gain.c", "the generated text");

    EXPECT_THAT(written.Message(), MatchesRegex(TemporaryFault("sync", EIO)));
    EXPECT_EQ(Tree(Block()), before_);
}

TEST_F(FaultInjectionTest, AFailedRenameLeavesThePreviousFile) {
    auto folder = OpenBlock();
    const Fault rename("BW_FAULT_RENAME", Prefix() + "Gain.c:" + Prefix() + "KRSave/");

    const FileResult written = folder->Write("Gain.c", "the generated text");
    EXPECT_THAT(written.Message(),
                MatchesRegex("Cannot rename " + Prefix() + "Gain\\.c\\.[0-9a-f]{8}\\.tmp~ to " +
                             Prefix() + "Gain\\.c: " + SystemReason(EIO)));
    const FileResult copied = folder->Copy("Gain.c", "KRSave/Gain.c", COPY_LIMIT);
    EXPECT_THAT(copied.Message(), StartsWith("Cannot rename " + Prefix() + "KRSave/Gain.c."));

    EXPECT_EQ(Bytes(Block() / "Gain.c"), "the user's source");
    EXPECT_EQ(Tree(Block() / "KRSave").size(), 0u);
}

TEST_F(FaultInjectionTest, AReadOnlyFolderIsReportedWithTheSystemsReason) {
    auto folder = OpenBlock();
    const Fault readOnly("BW_FAULT_READONLY", Prefix());

    EXPECT_THAT(folder->Write("Gain.c", "the generated text").Message(),
                MatchesRegex(TemporaryFault("create", EROFS)));
    EXPECT_THAT(folder->Write("KRSave/Gain.c", "a backup").Message(),
                AllOf(StartsWith("Cannot create the folder " + Prefix() + "KRSave: "),
                      EndsWith(SystemReason(EROFS))));
    EXPECT_EQ(Tree(Block()), before_);
}

TEST_F(FaultInjectionTest, ALeftoverThatCannotBeRemovedIsReportedAsWhatItIs) {
    Put(Block() / "Gain.c.0badf00d.tmp~", "half a text");
    auto folder = OpenBlock();
    const Fault readOnly("BW_FAULT_READONLY", Prefix() + "Gain.c.0badf00d.tmp~");

    const FileResult removed = folder->RemoveLeftovers(folder->Leftovers({""}));

    EXPECT_EQ(removed.Message(), "Cannot remove " + Prefix() +
                                     "Gain.c.0badf00d.tmp~, a temporary file left by an earlier "
                                     "run that was stopped: " +
                                     SystemReason(EROFS));
}

}  // namespace
}  // namespace bw
