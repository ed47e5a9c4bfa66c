#include "app/startup.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QTimer>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <utility>

#include "app/block_trial.h"
#include "app/qt_launcher.h"
#include "app/qt_prompts.h"
#include "app/single_instance.h"
#include "app/system_menu.h"
#include "cli/install_layout.h"
#include "definition/settings_rules.h"
#include "files/this_system.h"
#include "generation/paths.h"
#include "launch/build_launch.h"
#include "platform/host_catalogue.h"
#include "platform/settings_store.h"
#include "wizard/cwizard.h"
#include "wizard/header_picture.h"
#include "wizard/open_file.h"
#include "wizard/qt_file_dialogs.h"

namespace bw {

namespace {

bool IsSet(const char* name) {
    return !qEnvironmentVariableIsEmpty(name);
}

// While the application object is made, a platform that cannot start is a
// missing display: say so instead of Qt's abort.
void StartupMessages(QtMsgType type, const QMessageLogContext&, const QString&) {
    if (type == QtFatalMsg) {
        std::fputs(NO_DISPLAY_MESSAGE, stderr);
        std::_Exit(EXIT_NO_DISPLAY);
    }
}

std::unique_ptr<QApplication> MakeApplication(int& argc, char** argv) {
    const QtMessageHandler previous = qInstallMessageHandler(StartupMessages);
    auto application = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previous);
    return application;
}

// The file dialogs, except that the first template asked for is the one the
// program was started with (on Windows, a double-clicked .tbt file).
class StartTemplateDialogs : public FileDialogs {
public:
    StartTemplateDialogs(FileDialogs& dialogs, std::string startTemplate)
        : dialogs_(dialogs), startTemplate_(std::move(startTemplate)) {}

    std::optional<std::string> openTemplate(QWidget* parent,
                                            const std::string& startFolder) override {
        if (!startTemplate_.empty()) {
            return std::exchange(startTemplate_, std::string());
        }
        return dialogs_.openTemplate(parent, startFolder);
    }
    std::optional<std::string> chooseFolder(QWidget* parent, const QString& title,
                                            const std::string& startFolder) override {
        return dialogs_.chooseFolder(parent, title, startFolder);
    }
    std::optional<std::string> chooseProgram(QWidget* parent, const QString& title,
                                             const std::string& startFolder) override {
        return dialogs_.chooseProgram(parent, title, startFolder);
    }

private:
    FileDialogs& dialogs_;
    std::string startTemplate_;
};

// The template named after the program's name, if any.
std::string StartTemplate() {
    const QStringList arguments = QCoreApplication::arguments();
    return arguments.size() > 1 ? arguments[1].toLocal8Bit().toStdString() : std::string();
}

std::string ProgramFolder() {
    return QCoreApplication::applicationDirPath().toLocal8Bit().toStdString() + "/";
}

}  // namespace

bool DisplayAvailable() {
    if (RUNNING_ON_WINDOWS) {
        return true;  // a Windows session always has its display
    }
    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    if (platform.startsWith(QLatin1String("xcb"))) {
        return IsSet("DISPLAY");
    }
    if (platform.startsWith(QLatin1String("wayland"))) {
        return IsSet("WAYLAND_DISPLAY");
    }
    if (!platform.isEmpty()) {
        return true;  // offscreen, vnc, framebuffer platforms need no display server
    }
    return IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY");
}

int RunWizardProgram(int& argc, char** argv) {
    if (!DisplayAvailable()) {
        std::fputs(NO_DISPLAY_MESSAGE, stderr);
        return EXIT_NO_DISPLAY;
    }
    const std::unique_ptr<QApplication> application = MakeApplication(argc, argv);

    SingleInstance instance(SingleInstance::DefaultFolder(), SingleInstance::UserAndDisplayKey());
    const std::string startTemplate = StartTemplate();
    // A running wizard opens it instead: its folder is not ours.
    const QString handedOn =
        startTemplate.empty()
            ? QString()
            : QFileInfo(QString::fromLocal8Bit(startTemplate.c_str())).absoluteFilePath();
    switch (instance.start(handedOn)) {
        case SingleInstance::Start::First:
            break;
        case SingleInstance::Start::OtherRaised:
            return 0;  // the running wizard has come forward
        case SingleInstance::Start::OtherSilent:
            // Said on the terminal too, for a start from a shell.
            std::fprintf(stderr, "blockwright: %s\n", INSTANCE_UNREACHABLE_MESSAGE);
            QMessageBox::warning(nullptr, QString::fromUtf8(PROGRAM_TITLE),
                                 QString::fromUtf8(INSTANCE_UNREACHABLE_MESSAGE));
            return 1;
    }

    NativeSettings settings;
    const std::string stockFolder = StockFolder(ProgramFolder());
    const std::string workingDirectory = WorkingDirectory(settings, stockFolder);
    const QPixmap header = HeaderPicture(workingDirectory, ScreenDepth());

    BLOCKINFO block;
    QtPrompts prompts;
    QtFileDialogs platformDialogs;
    StartTemplateDialogs dialogs(platformDialogs, startTemplate);
    SystemClock clock;
    QtLauncher launcher;
    WizardContext context{block,
                          settings,
                          prompts,
                          dialogs,
                          clock,
                          launcher,
                          workingDirectory,
                          SettingsDirectory(),
                          [] { return ReadHostCatalogue(FamilyFolders::FromEnvironment()); },
                          {}};
    context.newBlockFolders = DefaultFolders(FindUserFolders(ProgramFolder()));
    context.askToDiscard = [&prompts](const std::string& question) {
        return prompts.askYesNoKeepingWork(question, MessageIcon::Question);
    };
    context.askBeforeSetUp = context.askToDiscard;
    context.toolsRunThroughWine = !RUNNING_ON_WINDOWS;
    const std::unique_ptr<SystemMenu> systemMenu = MakeSystemMenu();
    context.systemMenu = systemMenu.get();
    launcher.setPrefixSetting(
        [&settings] { return settings.read(setting::SECTION, setting::WINE_PREFIX, ""); });
    context.manualPath = stockFolder + MANUAL_FILE;
    context.installedFolder = stockFolder;
    context.tryBlock = [setting = ProgramTrialSetting(stockFolder, context.newBlockFolders.block)](
                           const TrialRequest& request, const TrialEnvironment& environment) {
        return TryWithStandIn(request, environment, setting);
    };
    context.ResetBlock();

    CWizard wizard(context, header);
    prompts.setParent(&wizard);
    QObject::connect(&instance, &SingleInstance::raiseRequested, &wizard, &CWizard::bringToFront);
    QObject::connect(&instance, &SingleInstance::openRequested, &wizard,
                     &CWizard::openTemplateFile);
    if (!startTemplate.empty()) {
        // Opened as the Open button opens a template, once the sheet shows.
        QTimer::singleShot(0, wizard.openFilePage(), &COpenFile::open);
    }
    wizard.exec();
    return 0;
}

}  // namespace bw
