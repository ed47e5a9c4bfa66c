// The commands the completion page shows for the CMake project work as
// shown: run by a shell, as a user would paste them, they build the block's
// DLL with MinGW-w64 against a stand-in host SDK.
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>

#include "generation/paths.h"
#include "run/file_set.h"
#include "wizard/finish.h"
#include "wizard/generate.h"
#include "wizard/wrapping_text.h"
#include "wizard_fixture.h"

namespace bw {
namespace {

// Runs program with arguments; its exit status, with what it wrote in output.
int RunTool(const QString& program, const QStringList& arguments, QString& output) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForStarted() || !process.waitForFinished(-1)) {
        output = process.errorString();
        return -1;
    }
    output = QString::fromLocal8Bit(process.readAll());
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

class CMakeCommandsTest : public WizardFixture {
protected:
    void SetUp() override {
        if (RUNNING_ON_WINDOWS) {
            GTEST_SKIP() << "the commands shown on Windows are Visual C++'s";
        }
        for (const char* tool : {"cmake", "ninja", "i686-w64-mingw32-gcc"}) {
            QString output;
            if (RunTool(QString::fromLatin1(tool), {QStringLiteral("--version")}, output) != 0) {
                GTEST_SKIP() << tool << " absent: install cmake, ninja-build, gcc-mingw-w64-i686 "
                             << "and binutils-mingw-w64-i686 (scripts/install-deps.sh)";
            }
        }
    }

    // The host's headers and Bddk.lib, the import library of the stub routines.
    void BuildHostSdk() {
        const QString sdk = QStringLiteral(BLOCKWRIGHT_SOURCE_DIR "/src/standin/sdk/");
        ASSERT_TRUE(QDir().mkpath(temp.filePath("host/include")));
        ASSERT_TRUE(QDir().mkpath(temp.filePath("host/lib")));
        for (const char* header : {"bddk.h", "bddrv.h"}) {
            ASSERT_TRUE(QFile::copy(sdk + header, temp.filePath("host/include/") + header));
        }
        QString output;
        ASSERT_EQ(
            RunTool(
                QStringLiteral("i686-w64-mingw32-gcc"),
                {QStringLiteral("-shared"), QStringLiteral("-I") + temp.filePath("host/include"),
                 QStringLiteral(BLOCKWRIGHT_SOURCE_DIR "/tests/host_sdk/host_stubs.c"),
                 QStringLiteral("-o"), temp.filePath("host/lib/bdhost.dll"),
                 QStringLiteral("-Wl,--out-implib,") + temp.filePath("host/lib/Bddk.lib")},
                output),
            0)
            << output.toStdString();
    }
};

TEST_F(CMakeCommandsTest, TheShownCommandsBuildTheBlock) {
    BuildHostSdk();
    const std::string host = temp.path().toStdString() + "/host/";
    OpenDescribedBlock([&](BLOCKINFO& b) {
        b.IncludePath = host + "include/";
        b.LibraryPath = host + "lib/";
    });
    NextUntil(GeneratePage);
    Wizard().generatePage()->cmakeBox()->setChecked(true);
    Wizard().generatePage()->generateButton()->click();
    ASSERT_EQ(Wizard().currentId(), FinishPage);
    EXPECT_TRUE(QFile::exists(QString::fromStdString(BlockFile(CMAKE_TOOLCHAIN_FILE))));

    const WrappingText* shown = Wizard().finishPage()->buildCommandsText();
    ASSERT_TRUE(shown->isVisibleTo(Wizard().finishPage()));
    QStringList lines = shown->text().split(u'\n');
    ASSERT_EQ(lines.takeFirst(), "To build the CMake project:");
    // The commands as they stand, one after the other, in a shell.
    QString output;
    const int status =
        RunTool(QStringLiteral("sh"),
                {QStringLiteral("-e"), QStringLiteral("-c"), lines.join(u'\n')}, output);
    EXPECT_EQ(status, 0) << lines.join(u'\n').toStdString() << "\n" << output.toStdString();
    EXPECT_TRUE(QFile::exists(QString::fromStdString(BlockFile("build/NTAdd.dll"))));
}

}  // namespace
}  // namespace bw
