// The wizard's start-up as the program does it (display check, single
// instance, settings, working directory, header picture, a new block, the
// sheet), ending when the first page has been painted.
#include <QApplication>
#include <cstdio>

#include "app/qt_launcher.h"
#include "app/qt_prompts.h"
#include "platform/settings_store.h"
#include "app/single_instance.h"
#include "app/startup.h"
#include "definition/settings_rules.h"
#include "first_paint.h"
#include "wizard/cwizard.h"
#include "wizard/header_picture.h"
#include "platform/host_catalogue.h"
#include "wizard/qt_file_dialogs.h"
#include "wizard/wizard_page.h"

int main(int argc, char** argv) {
    if (!bw::DisplayAvailable()) {
        std::fputs(bw::NO_DISPLAY_MESSAGE, stderr);
        return bw::EXIT_NO_DISPLAY;
    }
    QApplication application(argc, argv);
    bw::SingleInstance instance(bw::SingleInstance::DefaultFolder());
    if (instance.start() != bw::SingleInstance::Start::First) {
        std::fputs("wizard_start_bench: another wizard is running\n", stderr);
        return 1;
    }
    bw::NativeSettings settings;
    const std::string programFolder =
        QCoreApplication::applicationDirPath().toLocal8Bit().toStdString() + "/";
    const std::string workingDirectory = bw::WorkingDirectory(settings, programFolder);
    const QPixmap header = bw::HeaderPicture(workingDirectory, bw::ScreenDepth());

    bw::BLOCKINFO block;
    bw::QtPrompts prompts;
    bw::QtFileDialogs dialogs;
    bw::SystemClock clock;
    bw::QtLauncher launcher;
    bw::WizardContext context{
        block,
        settings,
        prompts,
        dialogs,
        clock,
        launcher,
        workingDirectory,
        bw::SettingsDirectory(),
        [] { return bw::ReadHostCatalogue(bw::FamilyFolders::FromEnvironment()); },
        {}};
    context.ResetBlock();

    bw::CWizard wizard(context, header);
    prompts.setParent(&wizard);
    QuitOnFirstPaint quit(wizard.wizardPage(bw::OpenFilePage));
    wizard.show();
    return QApplication::exec();
}
