// Stopping a tool a try started (on cancel or when it runs too long) stops
// what the tool started in turn, as the compiler starts cc1, as and ld: left
// running, they would write on and hold files in the scratch folder.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "cli/console_launcher.h"
#include "files/this_system.h"
#include "support/generate.h"

namespace bw {
namespace {

namespace fs = std::filesystem;

TEST(ConsoleLauncher, StoppingAProgramStopsWhatItStarted) {
    TempDir dir;
    ProcessStart start;
    start.currentDirectory = dir.path();
    start.hidden = true;
    // A shell that starts another, which marks that it runs, waits about
    // three seconds and then writes late.txt.
    if (RUNNING_ON_WINDOWS) {
        WriteFileBytes(dir.path() + "grandchild.bat",
                       "echo on>started.txt\r\nping -n 4 127.0.0.1 >nul\r\necho late>late.txt\r\n");
        start.commandLine = QuotedCommandLine("cmd.exe", "/c cmd /c grandchild.bat");
    } else {
        WriteFileBytes(dir.path() + "grandchild.sh",
                       "echo on >started.txt\nsleep 3\necho late >late.txt\n");
        start.commandLine = QuotedCommandLine("/bin/sh", "-c \"sh grandchild.sh; true\"");
    }
    ConsoleLauncher launcher;
    std::string error;
    std::unique_ptr<Process> process = launcher.Start(start, error);
    ASSERT_NE(process, nullptr) << error;
    for (int wait = 0; wait < 600 && !fs::exists(dir.path() + "started.txt"); ++wait) {
        ASSERT_FALSE(process->WaitFor(50)) << "the program ended before its grandchild started";
    }
    ASSERT_TRUE(fs::exists(dir.path() + "started.txt"));
    process->Terminate();
    EXPECT_FALSE(process->IsActive());
    // Past the grandchild's wait, with a margin.
    std::this_thread::sleep_for(std::chrono::seconds(5));
    EXPECT_FALSE(fs::exists(dir.path() + "late.txt")) << "the grandchild ran on";
}

}  // namespace
}  // namespace bw
