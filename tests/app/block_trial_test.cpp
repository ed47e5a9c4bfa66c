// The wizard's try as the program wires it: the stand-in and Wine's folder
// where `blockwright try` looks, and a scratch folder that goes afterwards.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "app/block_trial.h"

namespace bw {
namespace {

// Sets an environment variable for the test's length.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const QByteArray& value)
        : name_(name), before_(qgetenv(name)), had_(qEnvironmentVariableIsSet(name)) {
        qputenv(name, value);
    }
    ~ScopedVariable() {
        if (had_) {
            qputenv(name_, before_);
        } else {
            qunsetenv(name_);
        }
    }

private:
    const char* name_;
    QByteArray before_;
    bool had_;
};

TEST(BlockTrialTest, TheStandInAndWinesFolderAreWhereTheCommandLooks) {
    const ScopedVariable cache("XDG_CACHE_HOME", "/home/u/cache");
    const TrialSetting setting =
        ProgramTrialSetting("/opt/bw/share/blockwright/", "/home/u/Blocks/");
    EXPECT_EQ(setting.standinFolder, "/opt/bw/share/blockwright/standin/");
    EXPECT_EQ(setting.winePrefix, "/home/u/cache/blockwright/wine");
    EXPECT_EQ(setting.installedFolder, "/opt/bw/share/blockwright/");
    EXPECT_EQ(setting.newBlocksFolder, "/home/u/Blocks/");
}

// A cache folder that is not absolute is no folder to rely on: the home's
// cache, as the command line takes it too.
TEST(BlockTrialTest, WinesFolderIsInTheHomesCacheWithoutAnAbsoluteCacheFolder) {
    const ScopedVariable home("HOME", "/home/u");
    for (const char* cache : {"", "relative/cache"}) {
        const ScopedVariable variable("XDG_CACHE_HOME", cache);
        EXPECT_EQ(ProgramTrialSetting("/opt/bw/", "").winePrefix, "/home/u/.cache/blockwright/wine")
            << cache;
    }
}

TEST(BlockTrialTest, AFailedTryLeavesNoScratchFolderBehind) {
    QTemporaryDir temporary;
    ASSERT_TRUE(temporary.isValid());
    const ScopedVariable tmp("TMPDIR", temporary.path().toLocal8Bit());
    TrialRequest request;
    request.source = temporary.filePath("nowhere/Gain.TBT").toStdString();
    TrialEnvironment given;
    given.progress = [](const std::string&, int, int) { return true; };
    const TrialResult result = TryWithStandIn(
        request, given, ProgramTrialSetting(temporary.path().toStdString() + "/", ""));
    EXPECT_EQ(result.outcome, TrialOutcome::BadRequest);
    EXPECT_NE(result.message.find("nowhere"), std::string::npos) << result.message;
    EXPECT_TRUE(
        QDir(temporary.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
}

}  // namespace
}  // namespace bw
