// The generation through the wizard's generate page, the pump active: opens
// TEMPLATE on the first page, sets the block folder to FOLDER, goes on page by
// page to the generate page and presses "&Generate Code", answering Yes to
// All and No to splicing, as `blockwright generate --overwrite all --splice
// no` does.
//
//   wizard_generate_bench TEMPLATE FOLDER
#include <QAbstractButton>
#include <QApplication>
#include <cstdio>

#include "app/qt_settings.h"
#include "definition/settings_rules.h"
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

private:
    std::string path_;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc != 3) {
        std::fputs("usage: wizard_generate_bench TEMPLATE FOLDER\n", stderr);
        return 2;
    }
    bw::QtSettingsStore settings;
    const std::string programFolder =
        QCoreApplication::applicationDirPath().toLocal8Bit().toStdString() + "/";
    bw::BLOCKINFO block;
    AnsweringPrompts prompts;
    TemplateDialogs dialogs(argv[1]);
    bw::SystemClock clock;
    bw::WizardContext context{block,
                              settings,
                              prompts,
                              dialogs,
                              clock,
                              bw::WorkingDirectory(settings, programFolder),
                              bw::SettingsDirectory()};
    context.ResetBlock();

    bw::CWizard wizard(context, QPixmap());
    wizard.show();
    wizard.button(QWizard::CustomButton1)->click();  // Open...
    if (wizard.currentId() != bw::VisibleInfoPage) {
        std::fputs("wizard_generate_bench: the template did not open\n", stderr);
        return 2;
    }
    block.Directory = argv[2];
    while (wizard.currentId() != bw::GeneratePage) {
        const int before = wizard.currentId();
        wizard.button(QWizard::NextButton)->click();
        if (wizard.currentId() == before) {
            std::fprintf(stderr, "wizard_generate_bench: stuck on page %d\n", before);
            return 2;
        }
    }
    wizard.generatePage()->generate();
    const auto& result = wizard.generatePage()->lastResult();
    return result && result->outcome == bw::RunOutcome::Completed ? 0 : 1;
}
