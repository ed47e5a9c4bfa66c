// The generation through the wizard's generate page, the pump active, against
// the command line's generation of the same template, in one process so that
// neither start-up counts (the start-up budgets measure those): opens
// TEMPLATE on the first page, sets the block folder to FOLDER/wizard, goes on
// page by page to the generate page, then RUNS times alternately presses
// "&Generate Code" (answering Yes to All and No to splicing) and runs
// `blockwright generate TEMPLATE --directory FOLDER/cli --overwrite all
// --splice no`, each into an emptied folder. Prints the two medians in
// microseconds.
//
//   wizard_generate_bench TEMPLATE FOLDER RUNS
#include <QAbstractButton>
#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <sstream>
#include <vector>

#include "cli/command_line.h"

#include "app/qt_launcher.h"
#include "definition/settings_rules.h"
#include "platform/settings_store.h"
#include "wizard/cwizard.h"
#include "wizard/generate.h"
#include "wizard/wizard_context.h"

namespace {

class AnsweringPrompts : public bw::UserPrompts {
public:
    bw::OverwriteAnswer askOverwrite(const std::string&) override {
        return bw::OverwriteAnswer::YesToAll;
    }
    bool askYesNo(const std::string&, bw::MessageIcon) override { return false; }
    void showMessage(const std::string& text, bw::MessageIcon) override {
        std::fprintf(stderr, "%s\n", text.c_str());
    }
};

class TemplateDialogs : public bw::FileDialogs {
public:
    explicit TemplateDialogs(std::string path) : path_(std::move(path)) {}
    std::optional<std::string> openTemplate(QWidget*, const std::string&) override { return path_; }
    std::optional<std::string> chooseFolder(QWidget*, const QString&, const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::string> chooseProgram(QWidget*, const QString&,
                                             const std::string&) override {
        return std::nullopt;
    }

private:
    std::string path_;
};

// Microseconds that run takes, folder emptied beforehand.
long long TimeInto(const std::string& folder, const std::function<bool()>& run) {
    std::filesystem::remove_all(folder);
    const auto start = std::chrono::steady_clock::now();
    if (!run()) {
        std::fprintf(stderr, "wizard_generate_bench: the run into %s failed\n", folder.c_str());
        std::exit(2);
    }
    const auto elapsed = std::chrono::steady_clock::now() - start;
    return std::chrono::duration_cast<std::chrono::microseconds>(elapsed).count();
}

long long Median(std::vector<long long> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc != 4 || std::atoi(argv[3]) < 1) {
        std::fputs("usage: wizard_generate_bench TEMPLATE FOLDER RUNS\n", stderr);
        return 2;
    }
    const std::string wizardFolder = std::string(argv[2]) + "/wizard";
    const std::string cliFolder = std::string(argv[2]) + "/cli";
    bw::NativeSettings settings;
    const std::string programFolder =
        QCoreApplication::applicationDirPath().toLocal8Bit().toStdString() + "/";
    bw::BLOCKINFO block;
    AnsweringPrompts prompts;
    TemplateDialogs dialogs(argv[1]);
    bw::SystemClock clock;
    bw::QtLauncher launcher;
    bw::WizardContext context{block,
                              settings,
                              prompts,
                              dialogs,
                              clock,
                              launcher,
                              bw::WorkingDirectory(settings, programFolder),
                              bw::SettingsDirectory(),
                              {},
                              {}};
    context.ResetBlock();

    bw::CWizard wizard(context, QPixmap());
    wizard.show();
    wizard.button(QWizard::CustomButton1)->click();  // Open...
    if (wizard.currentId() != bw::VisibleInfoPage) {
        std::fputs("wizard_generate_bench: the template did not open\n", stderr);
        return 2;
    }
    block.Directory = wizardFolder;
    while (wizard.currentId() != bw::GeneratePage) {
        const int before = wizard.currentId();
        wizard.button(QWizard::NextButton)->click();
        if (wizard.currentId() == before) {
            std::fprintf(stderr, "wizard_generate_bench: stuck on page %d\n", before);
            return 2;
        }
    }
    const auto generatePage = [&] {
        wizard.generatePage()->generate();
        const auto& result = wizard.generatePage()->lastResult();
        return result && result->outcome == bw::RunOutcome::Completed;
    };
    const std::vector<std::string> arguments{argv[1], "--directory", cliFolder, "--overwrite",
                                             "all",   "--splice",    "no"};
    const auto commandLine = [&] {
        std::istringstream in;
        std::ostringstream out;
        std::ostringstream err;
        bw::Console console{in, out, err, false};
        return bw::RunGenerateCommand(arguments, programFolder, console) == bw::EXIT_COMPLETED;
    };
    std::vector<long long> pumped;
    std::vector<long long> plain;
    for (int run = 0; run < std::atoi(argv[3]); ++run) {
        pumped.push_back(TimeInto(wizardFolder, generatePage));
        plain.push_back(TimeInto(cliFolder, commandLine));
    }
    std::printf("%lld %lld\n", Median(pumped), Median(plain));
    return 0;
}
