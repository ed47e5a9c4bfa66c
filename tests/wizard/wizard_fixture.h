#pragma once

// A wizard over a scripted world: settings in memory, recorded prompts, a
// file dialog that answers from a list, a fixed clock, a launcher that starts
// nothing, no host catalogue, a try that passes, and the stock files of the
// source tree as the working directory.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "definition/block_info.h"
#include "definition/template_file.h"
#include "launch/launch_fakes.h"
#include "support/recording_prompts.h"
#include "wizard/cwizard.h"
#include "wizard/wizard_context.h"

namespace bw {

// Answers the Open dialog and the folder choosers from a script: a path, or
// nothing for Cancel; records where they started and the choosers' titles.
class ScriptedDialogs : public FileDialogs {
public:
    std::optional<std::string> openTemplate(QWidget*, const std::string& startFolder) override {
        openStartFolders.push_back(startFolder);
        return Next();
    }
    std::optional<std::string> chooseFolder(QWidget*, const QString& title,
                                            const std::string& startFolder) override {
        chooserTitles.push_back(title.toStdString());
        chooserStartFolders.push_back(startFolder);
        return Next();
    }

    std::optional<std::string> chooseProgram(QWidget*, const QString& title,
                                             const std::string& startFolder) override {
        chooserTitles.push_back(title.toStdString());
        chooserStartFolders.push_back(startFolder);
        return Next();
    }

    std::deque<std::optional<std::string>> answers;
    std::vector<std::string> openStartFolders;
    std::vector<std::string> chooserTitles;
    std::vector<std::string> chooserStartFolders;

private:
    std::optional<std::string> Next() {
        if (answers.empty()) {
            return std::nullopt;
        }
        std::optional<std::string> answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

// Recorded prompts that can also look at the window when the overwrite
// question comes (the run is then in the middle of its files).
class HookedPrompts : public RecordingPrompts {
public:
    OverwriteAnswer askOverwrite(const std::string& path) override {
        if (onOverwrite) {
            onOverwrite(path);
        }
        return RecordingPrompts::askOverwrite(path);
    }
    bool askYesNo(const std::string& text, MessageIcon icon) override {
        if (onQuestion) {
            onQuestion(text);
        }
        return RecordingPrompts::askYesNo(text, icon);
    }
    void showMessage(const std::string& text, MessageIcon icon) override {
        icons.push_back(icon);
        RecordingPrompts::showMessage(text, icon);
    }
    std::vector<MessageIcon> icons;  // of the messages, in order
    std::function<void(const std::string&)> onOverwrite;
    std::function<void(const std::string&)> onQuestion;
};

inline std::tm FixedTime() {
    std::tm time{};
    time.tm_year = 2024 - 1900;
    time.tm_mon = 2;
    time.tm_mday = 14;
    time.tm_hour = 9;
    time.tm_min = 30;
    return time;
}

// The fixed clock, which a test can make throw as a fault of the program's
// own inside a run or a preview would (every generated file reads it).
class FaultingClock : public FixedClock {
public:
    using FixedClock::FixedClock;
    std::tm localNow() const override {
        if (!fault.empty()) {
            throw std::logic_error(fault);
        }
        return FixedClock::localNow();
    }
    std::string fault;  // none while empty
};

class WizardFixture : public ::testing::Test {
protected:
    WizardFixture()
        : clock(FixedTime()),
          context{block,
                  settings,
                  prompts,
                  dialogs,
                  clock,
                  launcher,
                  WorkingDirectory(),
                  temp.path().toStdString() + "/",
                  {},
                  {}} {
        context.newBlockFolders = DefaultFolders(
            {temp.path().toStdString() + "/Documents", temp.path().toStdString() + "/host/"});
        context.ResetBlock();
        // The program always offers a try; this one passes without building anything.
        context.tryBlock = [](const TrialRequest&, const TrialEnvironment&) {
            TrialResult result;
            result.outcome = TrialOutcome::Passed;
            return result;
        };
    }

    static std::string WorkingDirectory() { return BLOCKWRIGHT_SOURCE_DIR "/assets/"; }

    // The wizard, made and shown on first use.
    CWizard& Wizard() {
        if (!wizard) {
            wizard = std::make_unique<CWizard>(context, QPixmap(49, 49));
            wizard->show();
        }
        return *wizard;
    }

    QAbstractButton* Button(QWizard::WizardButton which) { return Wizard().button(which); }
    void Next() { Button(QWizard::NextButton)->click(); }
    // Next until page shows; a Next refused on the way fails the test.
    void NextUntil(int page) {
        while (Wizard().currentId() != page) {
            const int before = Wizard().currentId();
            Next();
            ASSERT_NE(Wizard().currentId(), before) << "Next refused on page " << before + 1;
        }
    }
    void Back() { Button(QWizard::BackButton)->click(); }
    void Open() { Button(QWizard::CustomButton1)->click(); }

    // The block folder inside the temporary folder.
    std::string BlockDirectory() const { return temp.path().toStdString() + "/blocks/NTAdd"; }
    std::string BlockFile(const std::string& name) const { return BlockDirectory() + "/" + name; }

    // A small PC block whose files go into BlockDirectory().
    void DescribeBlock(BLOCKINFO& target) const {
        target.BlockName = "NTAdd";
        target.LibraryName = "Maths";
        target.GroupName = "Arithmetic";
        target.MenuName = "Add";
        target.Directory = BlockDirectory();
        target.HelpFilename = "NTAdd.hlp";
        target.IconFilename = "NTAdd.ico";
    }

    // Writes a template of the described block (changed by customise) and
    // opens it from page 1, which moves on to page 2.
    void OpenDescribedBlock(const std::function<void(BLOCKINFO&)>& customise = {}) {
        BLOCKINFO saved;
        saved.Reset(settings, context.newBlockFolders);
        DescribeBlock(saved);
        if (customise) {
            customise(saved);
        }
        const std::string path = temp.path().toStdString() + "/NTAdd.tbt";
        ASSERT_TRUE(WriteTemplate(saved, path));
        Wizard();
        dialogs.answers.push_back(path);
        Open();
        ASSERT_EQ(Wizard().currentId(), VisibleInfoPage);
    }

    QTemporaryDir temp;
    BLOCKINFO block;
    MemorySettings settings;
    HookedPrompts prompts;
    ScriptedDialogs dialogs;
    FaultingClock clock;
    FakeLauncher launcher;
    WizardContext context;
    std::unique_ptr<CWizard> wizard;
};

}  // namespace bw
