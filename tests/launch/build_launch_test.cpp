#include <gtest/gtest.h>

#include <string>

#include "definition/settings_rules.h"
#include "generation/paths.h"
#include "launch/build_launch.h"
#include "launch/code_composer_automation.h"
#include "launch/launch_fakes.h"
#include "support/generate.h"
#include "support/recording_prompts.h"

namespace bw {
namespace {

using namespace std::string_literals;

constexpr const char* MSDEV =
    "C:\\Program Files\\Microsoft Visual Studio\\Common\\MSDev98\\Bin\\MSDEV.EXE";
constexpr const char* ROOT = "C:\\Program Files\\Microsoft Visual Studio";
constexpr const char* CREATE_FAILED =
    "Failed to create the compiler process.  The block has not been compiled. The operating "
    "system returned the following error.\n\n";

class BuildAndLaunchTest : public ::testing::Test {
protected:
    BuildAndLaunchTest() {
        block = NewBlock();
        block.BlockName = "NFAdd";
        block.Directory = "/blocks/NFAdd";
        block.IncludePath = "/host/include";
        block.RealTime = 1;
        settings.write(setting::SECTION, setting::MSDEV_PATH, MSDEV);
    }

    BuildAndLaunch Actions() {
        return BuildAndLaunch(
            block, LaunchServices{settings, prompts, launcher, [this] { ++pumps; }, "/win"});
    }

    BLOCKINFO block;
    MemorySettings settings;
    RecordingPrompts prompts;
    FakeLauncher launcher;
    int pumps = 0;
};

TEST_F(BuildAndLaunchTest, RootIsCutFromTheIdePathFourTimes) {
    EXPECT_EQ(VisualStudioRoot(MSDEV), ROOT);
    EXPECT_EQ(VisualStudioRoot("/opt/vs/Common/MSDev98/Bin/MSDEV.EXE"), "/opt/vs");
    // Cuts stop when no separator is left; a missing entry gives an empty root.
    EXPECT_EQ(VisualStudioRoot("Bin\\MSDEV.EXE"), "Bin");
    EXPECT_EQ(VisualStudioRoot(""), "");
    EXPECT_EQ(NmakeCommandLine("", block), "\"\\VC98\\Bin\\NMAKE.EXE\" /f \"NFAdd.mak\"");
}

TEST_F(BuildAndLaunchTest, BuildRunsNmakeHiddenInTheBlockDirectoryWithOnlyItsOwnEnvironment) {
    launcher.programs.push_back({.waitSteps = 3, .exitCode = 0});
    BuildAndLaunch actions = Actions();
    actions.PressVisualCpp();

    ASSERT_EQ(launcher.started.size(), 1u);
    const ProcessStart& nmake = launcher.started[0];
    EXPECT_EQ(nmake.commandLine,
              "\"C:\\Program Files\\Microsoft Visual Studio\\VC98\\Bin\\NMAKE.EXE\" /f "
              "\"NFAdd.mak\"");
    EXPECT_EQ(nmake.currentDirectory, "/blocks/NFAdd\\");
    EXPECT_TRUE(nmake.hidden);
    const std::string V = ROOT;
    // The tools run under Wine here: they see our folders on its drive Z:.
    const std::string W = WindowsToolPath("/win\\");
    ASSERT_TRUE(nmake.environmentBlock.has_value());
    EXPECT_EQ(*nmake.environmentBlock,
              "MSDevDir=" + V + "\\Common\\msdev98\0"s +                                   //
                  "MSVCDir=" + V + "\\VC98\0"s +                                           //
                  "PATH=" + V + "\\Common\\msdev98\\BIN;" + V + "\\VC98\\BIN;" + V +       //
                  "\\Common\\TOOLS;" + W + ";" + W + "system;" + W + "system32\0"s +       //
                  "INCLUDE=" + V + "\\VC98\\ATL\\INCLUDE;" + V + "\\VC98\\INCLUDE;" + V +  //
                  "\\VC98\\MFC\\INCLUDE;" + WindowsToolPath("/host/include") + "\0"s +     //
                  "LIB=" + V + "\\VC98\\LIB;" + V + "\\VC98\\MFC\\LIB\0"s);
    EXPECT_TRUE(launcher.detached.empty());

    // Waited in 25 ms steps, pumping after each step that timed out.
    EXPECT_EQ(launcher.logs[0].waits, (std::vector<int>{25, 25, 25, 25}));
    EXPECT_EQ(pumps, 3);
    EXPECT_FALSE(launcher.logs[0].terminated);
    EXPECT_EQ(prompts.messages, std::vector<std::string>{"The block compiled successfully."});
    EXPECT_TRUE(prompts.questions.empty());
}

TEST_F(BuildAndLaunchTest, AWindowsDirectoryEndingInASlashKeepsIt) {
    const std::string W = WindowsToolPath("/cfg/");
    EXPECT_NE(BuildEnvironmentBlock("V", "/cfg/", block)
                  .find(";" + W + ";" + W + "system;" + W + "system32\0"s),
              std::string::npos);
}

TEST_F(BuildAndLaunchTest, FailedBuildOffersTheIdeAndStartsItOnYes) {
    launcher.programs.push_back({.exitCode = 2});
    launcher.programs.push_back({.exitCode = 1});
    prompts.yesNoAnswers = {false, true};
    BuildAndLaunch actions = Actions();
    actions.PressVisualCpp();
    EXPECT_TRUE(launcher.detached.empty());
    actions.PressVisualCpp();

    const std::string offer = "\n\nWould you like to start the IDE to fix the error ?";
    EXPECT_EQ(prompts.questions,
              (std::vector<std::string>{
                  "Program error: NMAKE.EXE ended with exit status 2. It wrote nothing." + offer,
                  "Program error: NMAKE.EXE ended with exit status 1. It wrote nothing." + offer}));
    EXPECT_TRUE(prompts.messages.empty());
    ASSERT_EQ(launcher.detached.size(), 1u);
    // A DSP-based block has no user source to open with the workspace.
    EXPECT_EQ(
        launcher.detached[0].commandLine,
        "\"" + std::string(MSDEV) + "\" \"" + WindowsToolPath("/blocks/NFAdd\\NFAdd.dsw") + "\"");
    EXPECT_EQ(launcher.detached[0].currentDirectory, "/blocks/NFAdd\\");
    EXPECT_FALSE(launcher.detached[0].environmentBlock.has_value());
}

// The tool's own words, not a guess at its cause: its last lines of each
// output, CR LF line ends made plain.
TEST_F(BuildAndLaunchTest, AFailedBuildIsReportedWithTheLastLinesTheToolWrote) {
    std::string output;
    for (int line = 1; line <= 20; ++line) {
        output += "line " + std::to_string(line) + "\r\n";
    }
    output += "NFAdd.c(12) : error C2065: 'gain' : undeclared identifier\r\n";
    launcher.programs.push_back(
        {.exitCode = 2, .output = output, .errorOutput = "wine: could not load kernel32.dll\n"});
    prompts.yesNoAnswers = {false};
    Actions().PressVisualCpp();
    ASSERT_EQ(prompts.questions.size(), 1u);
    std::string expected =
        "Program error: NMAKE.EXE ended with exit status 2.\n\nThe last lines "
        "of its output:\n";
    for (int line = 10; line <= 20; ++line) {
        expected += "line " + std::to_string(line) + "\n";
    }
    expected +=
        "NFAdd.c(12) : error C2065: 'gain' : undeclared identifier\n\nThe last lines of "
        "its error output:\nwine: could not load kernel32.dll\n\nWould you like to "
        "start the IDE to fix the error ?";
    EXPECT_EQ(prompts.questions[0], expected);
}

TEST(LastLinesTest, KeepsTheLastLinesWithoutTheFinalLineEnd) {
    EXPECT_EQ(LastLines("a\nb\nc\n", 2), "b\nc");
    EXPECT_EQ(LastLines("a\nb\nc", 1), "c");
    EXPECT_EQ(LastLines("a\nb", 5), "a\nb");
    EXPECT_EQ(LastLines("\nb", 2), "\nb");
    EXPECT_EQ(LastLines("", 3), "");
    EXPECT_EQ(LastLines("x\r\ny\r\n", 2), "x\ny");
}

// The status line follows the program; Cancel stops it and nothing is
// reported as its result.
TEST_F(BuildAndLaunchTest, ABuildShowsItsLastLineAndStopsWhenCancelled) {
    launcher.programs.push_back({.waitSteps = 1000000, .output = "Compiling...\nNFAdd.c\n"});
    std::vector<std::string> statuses;
    int waitsBeforeCancel = 3;
    BuildAndLaunch actions(
        block, LaunchServices{settings, prompts, launcher, [this] { ++pumps; }, "/win",
                              [&](const std::string& status) { statuses.push_back(status); },
                              [&] { return --waitsBeforeCancel <= 0; }});
    actions.PressVisualCpp();

    EXPECT_TRUE(launcher.logs[0].terminated);
    EXPECT_EQ(launcher.logs[0].waits.size(), 3u);
    EXPECT_EQ(
        statuses,
        (std::vector<std::string>{
            "Building NFAdd with NMAKE.EXE", "Building NFAdd with NMAKE.EXE: NFAdd.c",
            "Building NFAdd with NMAKE.EXE: NFAdd.c", "Building NFAdd with NMAKE.EXE: NFAdd.c", "",
            "NMAKE.EXE was stopped: the block has not been compiled."}));
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_TRUE(prompts.questions.empty());
}

// Before a first start that sets something large up (Wine's folder) the
// launcher's question is asked; No starts nothing and says nothing more.
TEST_F(BuildAndLaunchTest, NoToTheFirstStartQuestionStartsNothing) {
    launcher.firstStartQuestion = "Wine will set up its folder ~/.wine, about 700 MB; continue?";
    prompts.yesNoAnswers = {false, false, false};
    BuildAndLaunch actions = Actions();
    actions.PressVisualCpp();  // the build
    actions.StartIde();
    settings.write(setting::SECTION, setting::CODE_COMPOSER_PATH, "C:\\ti\\cc_app.exe");
    actions.OpenDspProject();
    EXPECT_EQ(prompts.questions, std::vector<std::string>(3, launcher.firstStartQuestion));
    EXPECT_TRUE(launcher.started.empty());
    EXPECT_TRUE(launcher.detached.empty());
    EXPECT_TRUE(launcher.lockQueries.empty());
    EXPECT_TRUE(prompts.messages.empty());

    // Yes goes on as if nothing had been asked.
    prompts.yesNoAnswers = {true};
    actions.PressVisualCpp();
    EXPECT_EQ(launcher.started.size(), 1u);
    EXPECT_EQ(prompts.messages, std::vector<std::string>{"The block compiled successfully."});
}

// The wizard asks it with No as the default answer, through its own asker.
TEST_F(BuildAndLaunchTest, TheFirstStartQuestionGoesToTheAskerGiven) {
    launcher.firstStartQuestion = "Wine will set up its folder ~/.wine, about 700 MB; continue?";
    std::vector<std::string> asked;
    BuildAndLaunch(block, LaunchServices{settings,
                                         prompts,
                                         launcher,
                                         [] {},
                                         "/win",
                                         {},
                                         {},
                                         [&](const std::string& question) {
                                             asked.push_back(question);
                                             return false;
                                         }})
        .PressVisualCpp();
    EXPECT_EQ(asked, std::vector<std::string>{launcher.firstStartQuestion});
    EXPECT_TRUE(prompts.questions.empty());
    EXPECT_TRUE(launcher.started.empty());
}

TEST_F(BuildAndLaunchTest, CompilerThatStillRunsAfterTheWaitIsTerminatedAndReported) {
    launcher.programs.push_back({.exitCode = 259, .activeAfterEnd = true});
    prompts.yesNoAnswers = {false};
    BuildAndLaunch actions = Actions();
    actions.PressVisualCpp();
    EXPECT_TRUE(launcher.logs[0].terminated);
    EXPECT_EQ(prompts.questions.size(), 1u);
}

// A tool whose setting is empty, or names nothing, is reported before any
// question (Wine's set-up would be for nothing) and nothing starts; the
// message names the setting and the Tools dialog's field that sets it.
TEST_F(BuildAndLaunchTest, AToolThatIsNotThereIsReportedBeforeAnythingIsAskedOrStarted) {
    launcher.firstStartQuestion = "Wine will set up its folder ~/.wine, about 700 MB; continue?";
    settings.values.clear();
    BuildAndLaunch actions = Actions();
    actions.PressVisualCpp();
    actions.StartIde();
    const std::string notSet =
        "\n\nThe setting \"MSDev Path\", which names the MSDEV.EXE of Visual C++ 6, is not "
        "set.\nSet it in the Tools dialog (the Tools button of the completion page): Visual C++ "
        "folder.";
    EXPECT_EQ(prompts.messages, (std::vector<std::string>{
                                    "NMAKE.EXE cannot be started." + notSet,
                                    "The MSDEV.EXE of Visual C++ 6 cannot be started." + notSet}));

    prompts.messages.clear();
    settings.write(setting::SECTION, setting::MSDEV_PATH, MSDEV);
    launcher.missingPrograms = {ROOT + "\\VC98\\Bin\\NMAKE.EXE"s, MSDEV};
    actions.PressVisualCpp();
    actions.StartIde();
    settings.write(setting::SECTION, setting::CODE_COMPOSER_PATH, "C:\\ti\\cc_app.exe");
    launcher.missingPrograms.insert("C:\\ti\\cc_app.exe");
    actions.OpenDspProject();
    ASSERT_EQ(prompts.messages.size(), 3u);
    EXPECT_EQ(prompts.messages[0],
              "NMAKE.EXE cannot be started: it is not there.\n\nThe program tried was "s + ROOT +
                  "\\VC98\\Bin\\NMAKE.EXE, located by the setting \"MSDev Path\".\nSet it in the "
                  "Tools dialog (the Tools button of the completion page): Visual C++ folder.");
    EXPECT_EQ(prompts.messages[1].substr(0, 46), "MSDEV.EXE cannot be started: it is not there.\n");
    EXPECT_NE(prompts.messages[2].find("cc_app.exe cannot be started: it is not there."),
              std::string::npos);
    EXPECT_NE(prompts.messages[2].find("Tools dialog (the Tools button of the completion page): "
                                       "Code Composer Studio."),
              std::string::npos);
    EXPECT_TRUE(prompts.questions.empty());
    EXPECT_TRUE(launcher.started.empty());
    EXPECT_TRUE(launcher.detached.empty());
}

TEST_F(BuildAndLaunchTest, AnIdeThatCannotStartHasItsOwnMessage) {
    launcher.startErrors = {"No such file or directory"};
    launcher.detachedError = "No such file or directory";
    prompts.yesNoAnswers = {true};
    Actions().PressVisualCpp();
    EXPECT_EQ(prompts.questions.size(), 1u);
    EXPECT_EQ(launcher.detached.size(), 1u);
    EXPECT_EQ(prompts.messages,
              std::vector<std::string>{
                  CREATE_FAILED + "No such file or directory\n\nThe program tried was "s + MSDEV +
                  ", located by the setting \"MSDev Path\".\nSet it in the Tools dialog (the Tools "
                  "button of the completion page): Visual C++ folder."});
}

TEST_F(BuildAndLaunchTest, ACompilerThatCannotStartIsNamedWithTheSettingThatLocatesIt) {
    launcher.startErrors = {"No such file or directory"};
    prompts.yesNoAnswers = {false};
    Actions().PressVisualCpp();
    ASSERT_EQ(prompts.questions.size(), 1u);
    EXPECT_NE(prompts.questions[0].find("The program tried was "s + ROOT +
                                        "\\VC98\\Bin\\NMAKE.EXE, located by the setting "
                                        "\"MSDev Path\"."),
              std::string::npos)
        << prompts.questions[0];
}

TEST_F(BuildAndLaunchTest, EveryPressOnADspBlockBuilds) {
    BuildAndLaunch actions = Actions();
    for (int press = 1; press <= 4; ++press) {
        actions.PressVisualCpp();
    }
    EXPECT_EQ(launcher.started.size(), 4u);
    EXPECT_TRUE(launcher.detached.empty());
    EXPECT_EQ(prompts.messages.size(), 4u);
}

TEST_F(BuildAndLaunchTest, EveryPressOnAPcOnlyBlockOpensWorkspaceAndUserSourceWithoutBuilding) {
    block.RealTime = 0;
    block.Directory = "/blocks/NFAdd/";
    BuildAndLaunch actions = Actions();
    actions.PressVisualCpp();
    actions.PressVisualCpp();
    EXPECT_TRUE(launcher.started.empty());
    ASSERT_EQ(launcher.detached.size(), 2u);
    EXPECT_EQ(launcher.detached[1].commandLine,
              "\"" + std::string(MSDEV) + "\" \"" + WindowsToolPath("/blocks/NFAdd/NFAdd.dsw") +
                  "\" \"" + WindowsToolPath("/blocks/NFAdd/NFAdd.c") + "\"");
    EXPECT_TRUE(prompts.messages.empty());
}

// Code Composer Studio through the automation layer.
class CodeComposerTest : public BuildAndLaunchTest {
protected:
    CodeComposerTest() {
        settings.write(setting::SECTION, setting::CODE_COMPOSER_PATH, "/ti/cc_app");
        block.Chip = 6400;
    }
    std::vector<std::string> CommandLines() const {
        std::vector<std::string> lines;
        for (const ProcessStart& start : launcher.started) {
            lines.push_back(start.commandLine);
        }
        return lines;
    }
};

TEST_F(CodeComposerTest, StartsAnInstanceAsksItsVersionAndOpensTheProjectWithTheFamily) {
    launcher.programs.push_back({.waitSteps = 2, .output = "2.20\n"});
    launcher.programs.push_back({});
    Actions().OpenDspProject();

    EXPECT_EQ(
        launcher.lockQueries,
        std::vector<std::string>{"TiGoCodeComposerMutex{5EA74970-F353-4E1A-83A0-0D59097FD1FC}"});
    ASSERT_EQ(launcher.detached.size(), 1u);
    EXPECT_EQ(launcher.detached[0].commandLine, "\"/ti/cc_app\" -Automation");
    EXPECT_EQ(CommandLines(),
              (std::vector<std::string>{
                  "\"/ti/cc_app\" -Automation -Version",
                  "\"/ti/cc_app\" -Automation -OpenProject \"/blocks/NFAdd\\DSPCode\\NFAdd.pjt\" "
                  "\"TMS320C64XX\" 1"}));
    EXPECT_EQ(pumps, 2);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(CodeComposerTest, AttachesToARunningInstanceAndOpensTheAlgorithmsProject) {
    launcher.heldLocks.insert(CodeComposerLockName());
    launcher.programs.push_back({.output = "1.0"});
    block.xDAIS = 1;
    block.AlgorithmName = "FIR";
    block.Chip = 2000;
    Actions().OpenDspProject();
    EXPECT_TRUE(launcher.detached.empty());
    ASSERT_EQ(launcher.started.size(), 2u);
    EXPECT_EQ(launcher.started[1].commandLine,
              "\"/ti/cc_app\" -Automation -OpenProject \"/blocks/NFAdd\\DSPCode\\FIR.pjt\" \"\" 1");
}

TEST_F(CodeComposerTest, VersionBelowOneIsRefusedBeforeAnyProjectIsOpened) {
    launcher.programs.push_back({.output = "0.99"});
    Actions().OpenDspProject();
    EXPECT_EQ(launcher.started.size(), 1u);
    EXPECT_EQ(prompts.messages,
              std::vector<std::string>{
                  "This version of Tessaline Blockwright is not compatible with the version of "
                  "Code Composer you are running, so the project will not be created."});
}

TEST_F(CodeComposerTest, FailuresAreToldWithoutTheWrappersClassNames) {
    const std::string unreachable =
        "Code Composer Studio could not be started or did not answer, so the DSP project was not "
        "opened.\n\n";
    // Nothing configured: the application object never becomes valid.
    settings.values.clear();
    Actions().OpenDspProject();
    // An instance that cannot be started.
    settings.write(setting::SECTION, setting::CODE_COMPOSER_PATH, "/ti/cc_app");
    launcher.detachedError = "No such file or directory";
    Actions().OpenDspProject();
    // A version answer that is not one; then an open that fails.
    launcher.detachedError.clear();
    launcher.programs = {{.output = "unknown"}, {.output = "2.0"}, {.exitCode = 1}};
    Actions().OpenDspProject();
    Actions().OpenDspProject();
    const std::string setIt =
        "\nSet it in the Tools dialog (the Tools button of the completion page): Code Composer "
        "Studio.";
    const std::string tried =
        "The program tried was /ti/cc_app, located by the setting \"Code Composer Path\".";
    EXPECT_EQ(
        prompts.messages,
        (std::vector<std::string>{
            unreachable +
                "The setting \"Code Composer Path\", which names the Code Composer Studio "
                "program, is not set." +
                setIt,
            unreachable + tried + setIt, unreachable + tried + setIt,
            "Code Composer Studio could not open the project " + DspProjectPath(block) + "."}));
    EXPECT_EQ(AutomationError("CCProject2").Code(), 0x80040200u);
}

TEST_F(CodeComposerTest, ACancelledCallIsStoppedWithoutAFailureMessage) {
    launcher.programs.push_back({.waitSteps = 1000000});
    std::vector<std::string> statuses;
    BuildAndLaunch(block,
                   LaunchServices{settings, prompts, launcher, [] {}, "/win",
                                  [&](const std::string& status) { statuses.push_back(status); },
                                  [] { return true; }})
        .OpenDspProject();
    EXPECT_TRUE(launcher.logs[0].terminated);
    EXPECT_EQ(launcher.logs[0].waits.size(), 1u);
    EXPECT_EQ(launcher.started.size(), 1u);  // no call after the cancelled one
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(statuses.back(),
              "Stopped waiting for Code Composer Studio: the DSP project was not opened.");
}

TEST_F(CodeComposerTest, AHungCallIsTerminated) {
    launcher.programs.push_back({.waitSteps = 1000000, .output = "2.0"});
    Actions().OpenDspProject();
    EXPECT_TRUE(launcher.logs[0].terminated);
    EXPECT_EQ(launcher.logs[0].waits.size(),
              static_cast<size_t>(AUTOMATION_CALL_LIMIT_MILLISECONDS / WAIT_STEP_MILLISECONDS));
    EXPECT_EQ(prompts.messages.size(), 1u);
}

TEST_F(BuildAndLaunchTest, DoubleClickOpensTheItemsFileInBothTrees) {
    BuildAndLaunch actions = Actions();
    actions.OpenFileItem(FileTree::PcSide, "", "NFAdd.tbt", false);
    // Folders that only group files add nothing to the path; the XDAIS
    // tree's folders are directories below DSPCode.
    actions.OpenFileItem(FileTree::PcSide, "Source Files", "NFAdd.c", false);
    actions.OpenFileItem(FileTree::DspSide, "Header Files", "_NFAdd.h", false);
    actions.OpenFileItem(FileTree::DspSide, "src", "fir_ti_ialg.c", false);
    actions.OpenFileItem(FileTree::DspSide, "", "src", true);  // a folder
    EXPECT_EQ(launcher.opened,
              (std::vector<std::vector<std::string>>{
                  {"/blocks/NFAdd\\NFAdd.tbt", "/blocks/NFAdd"},
                  {"/blocks/NFAdd\\NFAdd.c", "/blocks/NFAdd"},
                  {"/blocks/NFAdd\\DSPCODE\\_NFAdd.h", "/blocks/NFAdd\\DSPCODE"},
                  {"/blocks/NFAdd\\DSPCODE\\src\\fir_ti_ialg.c", "/blocks/NFAdd\\DSPCODE\\src"}}));
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(BuildAndLaunchTest, FailedOpenIsReportedWithTheTablesText) {
    launcher.openResult = SHELL_FILE_NOT_FOUND;
    Actions().OpenFileItem(FileTree::PcSide, "", "NFAdd.h", false);
    launcher.openResult = 17;
    Actions().OpenFileItem(FileTree::PcSide, "", "NFAdd.h", false);
    EXPECT_EQ(prompts.messages,
              (std::vector<std::string>{"The following error occurred while attempting to execute "
                                        "/usr/bin/xdg-open\n\nThe specified file was not found.",
                                        "The following error occurred while attempting to execute "
                                        "/usr/bin/xdg-open\n\nAn unidentifiable error occurred."}));
    EXPECT_EQ(ShellErrorText(SHELL_NO_ASSOCIATION),
              "There is no application associated with the given filename extension.");
}

TEST(CommandLineTest, SplitsOnBlanksOutsideQuotesAndKeepsEmptyArgumentsAndBackslashes) {
    EXPECT_EQ(SplitCommandLine("\"C:\\Program Files\\NMAKE.EXE\" /f \"My Block.mak\""),
              (std::vector<std::string>{"C:\\Program Files\\NMAKE.EXE", "/f", "My Block.mak"}));
    EXPECT_EQ(SplitCommandLine("\"p\" -OpenProject \"a\\b.pjt\" \"\" 1"),
              (std::vector<std::string>{"p", "-OpenProject", "a\\b.pjt", "", "1"}));
    EXPECT_EQ(SplitCommandLine("  "), std::vector<std::string>{});
}

}  // namespace
}  // namespace bw
