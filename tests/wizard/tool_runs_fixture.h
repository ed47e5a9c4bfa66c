#pragma once

// The completion page's tool runs: a DSP-based block whose Visual C++ button
// builds, and shell scripts standing for the Windows tools.

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <string>

#include "definition/settings_rules.h"
#include "wizard/finish.h"
#include "wizard/generate.h"
#include "wizard_fixture.h"

namespace bw {

class ToolRunsTest : public WizardFixture {
protected:
    ToolRunsTest() {
        settings.write(setting::SECTION, setting::MSDEV_PATH,
                       temp.path().toStdString() + "/vs/Common/MSDev98/Bin/MSDEV.EXE");
    }

    static void WriteFile(const std::string& path, const std::string& bytes) {
        QFile file(QString::fromStdString(path));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }

    // A shell script standing for a Windows tool, relative to the temporary folder.
    void WriteScript(const QString& relative, const std::string& body) {
        const QString path = temp.filePath(relative);
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
        WriteFile(path.toStdString(), "#!/bin/sh\n" + body);
        ASSERT_TRUE(
            QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    }

    // The completion page after generating a DSP-based block, whose Visual
    // C++ button builds.
    CFinish& Finish() {
        OpenDescribedBlock([](BLOCKINFO& b) {
            b.RealTime = 1;
            b.Integer = 1;
            b.FloatingPoint = 1;
        });
        NextUntil(GeneratePage);
        Wizard().generatePage()->generateButton()->click();
        EXPECT_EQ(Wizard().currentId(), FinishPage);
        CFinish& page = *Wizard().finishPage();
        EXPECT_TRUE(page.visualCppButton()->isEnabled());
        return page;
    }

    // The block, DSP-based, with its folder, for the actions on their own.
    void DescribeDspBlock() {
        DescribeBlock(block);
        block.RealTime = 1;
        ASSERT_TRUE(QDir().mkpath(QString::fromStdString(BlockDirectory())));
    }

    // Runs during the next wait step of a program, as a click would.
    static void DuringTheRun(const std::function<void()>& step) { QTimer::singleShot(0, step); }
};

}  // namespace bw
