// `blockwright check` and the checks of `blockwright generate`, through the
// built program: exit statuses, one line per finding on standard error, and
// nothing written for a definition with errors.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

#include "cli/command_line.h"
#include "app/program_run.h"

namespace bw {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

// The example with the value of key replaced (key and value without line end).
std::string Changed(std::string text, const std::string& key, const std::string& value) {
    const size_t at = text.find("\n" + key + "=");
    EXPECT_NE(at, std::string::npos) << key;
    const size_t end = text.find_first_of("\r\n", at + 1);
    text.replace(at + 1, end - at - 1, key + "=" + value);
    return text;
}

class CheckCommandTest : public ::testing::Test {
protected:
    // The program with its settings in a folder of this test.
    Outcome Blockwright(const QStringList& arguments) {
        return RunProgram(arguments, ProgramEnvironment(temp_.filePath("config")));
    }
    // A template file in the test's folder.
    QString Template(const std::string& name, const std::string& text) {
        const QString path = temp_.filePath(QString::fromStdString(name));
        std::ofstream(path.toStdString(), std::ios::binary) << text;
        return path;
    }
    // The setting that locates the stock icons and bitmaps.
    void SetWorkingDirectory(const QString& folder) {
        QDir().mkpath(temp_.filePath("config/Calderic"));
        std::ofstream(temp_.filePath("config/Calderic/Tessaline Blockwright.conf").toStdString())
            << "[Settings]\nWorking Directory=" << folder.toStdString() << "\n";
    }
    QString Out() const { return temp_.filePath("out"); }
    bool Exists(const QString& path) const { return fs::exists(path.toStdString()); }

    QTemporaryDir temp_;
};

TEST_F(CheckCommandTest, ExitStatusSaysWhetherAnythingWasFound) {
    const Outcome clean = Blockwright({"check", QString::fromStdString(EXAMPLE)});
    EXPECT_EQ(clean.status, 0) << clean.err;
    EXPECT_EQ(clean.err, "");

    const QString coerced = Template("coerced.tbt", Changed(FileBytes(EXAMPLE), "Inputs", "abc"));
    const Outcome warned = Blockwright({"check", coerced});
    EXPECT_EQ(warned.status, 1);
    EXPECT_EQ(warned.err, "blockwright: " + coerced.toStdString() +
                              ": Inputs: warning: \"abc\" is not a number; it was read as 0.\n");

    const QString blank =
        Template("blank.tbt", Changed(FileBytes(EXAMPLE), "Block Name", "My Echo"));
    const Outcome refused = Blockwright({"check", blank});
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(refused.err,
              "blockwright: " + blank.toStdString() +
                  ": Block Name: The block file name \"My Echo\" names the block's routines, so it "
                  "must begin with a letter or an underscore and hold only letters, digits and "
                  "underscores.\n");
    EXPECT_EQ(refused.out, "");

    EXPECT_THAT(Blockwright({"check", "--help"}).out, HasSubstr("Usage: blockwright check"));
}

TEST_F(CheckCommandTest, GenerateRefusesErrorsBeforeWritingAnything) {
    // The example's parameter 0 is "Gain": the same dialog control names.
    const QString collide =
        Template("collide.tbt", Changed(FileBytes(EXAMPLE), "ParameterName3", "gain"));
    const Outcome outcome =
        Blockwright({"generate", collide, "--directory", Out(), "--overwrite", "all"});
    EXPECT_EQ(outcome.status, 2);
    EXPECT_THAT(outcome.err, HasSubstr(collide.toStdString() + ": ParameterName3: The parameter "
                                                               "\"gain\" and the parameter"));
    EXPECT_EQ(outcome.out, "");
    EXPECT_FALSE(Exists(Out()));
}

TEST_F(CheckCommandTest, GeneratePrintsWarningsAndGoesOn) {
    const QString cut = Template("cut.tbt", Changed(FileBytes(EXAMPLE), "Outputs", "900"));
    const Outcome outcome =
        Blockwright({"generate", cut, "--directory", Out(), "--overwrite", "all"});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.err,
              "blockwright: " + cut.toStdString() +
                  ": Outputs: warning: 900 is outside 0 to 129; it was read as 129.\n");
    EXPECT_TRUE(Exists(Out() + "/IFGain.c"));
}

TEST_F(CheckCommandTest, AMissingStockIconIsAnErrorNamingTheFileAndTheSetting) {
    QDir().mkpath(temp_.filePath("empty"));
    SetWorkingDirectory(temp_.filePath("empty"));
    const Outcome checked = Blockwright({"check", QString::fromStdString(EXAMPLE)});
    EXPECT_EQ(checked.status, 2);
    EXPECT_THAT(checked.err, HasSubstr("Working Directory: The stock file \"process.ico\""));
    EXPECT_THAT(checked.err, HasSubstr("the setting \"Working Directory\""));

    const Outcome generated = Blockwright(
        {"generate", QString::fromStdString(EXAMPLE), "--directory", Out(), "--overwrite", "all"});
    EXPECT_EQ(generated.status, 2);
    EXPECT_FALSE(Exists(Out()));
}

// A stock icon that cannot be copied (its copy cannot be created) is reported,
// and the run ends with 1, not 0.
TEST_F(CheckCommandTest, AStockIconThatCannotBeCopiedEndsTheRunWithOne) {
    QProcessEnvironment environment = ProgramEnvironment(temp_.filePath("config"));
    PreloadFaults(environment, {{"BW_FAULT_READONLY", (Out() + "/gain.ico").toStdString()}});
    const Outcome outcome = RunProgram(
        {"generate", QString::fromStdString(EXAMPLE), "--directory", Out(), "--overwrite", "all"},
        environment);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_THAT(outcome.err, HasSubstr("Cannot copy file "));
    EXPECT_THAT(outcome.err, HasSubstr("gain.ico."));
    EXPECT_TRUE(Exists(Out() + "/gain1.ico"));
    EXPECT_FALSE(Exists(Out() + "/gain.ico"));
    EXPECT_TRUE(Exists(Out() + "/Gain.dsp"));  // the run went on
}

}  // namespace
}  // namespace bw
