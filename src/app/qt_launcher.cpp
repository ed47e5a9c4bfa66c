#include "app/qt_launcher.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QUrl>
#include <cctype>
#include <cerrno>
#include <cstring>

#include "app/launch_system.h"
#include "generation/paths.h"

namespace bw {

namespace {

// What Windows reports for a process that has not ended yet.
constexpr int STILL_ACTIVE = 259;
// What an ended program that crashed reports.
constexpr int CRASHED = -1;

// Variables of ours that Wine itself needs to run a program.
const char* const WINE_NEEDS[] = {"HOME", "USER", "DISPLAY", "WAYLAND_DISPLAY", "XDG_RUNTIME_DIR"};

QString FromLocal(const std::string& text) {
    return QString::fromLocal8Bit(text);
}

std::string SystemText(int error) {
    return std::strerror(error);
}

class QtProcess : public Process {
public:
    explicit QtProcess(std::unique_ptr<QProcess> process) : process_(std::move(process)) {}

    bool WaitFor(int milliseconds) override {
        if (process_->state() == QProcess::NotRunning) {
            return true;
        }
        return process_->waitForFinished(milliseconds) || process_->state() == QProcess::NotRunning;
    }
    bool IsActive() override { return process_->state() != QProcess::NotRunning; }
    int ExitCode() override {
        if (IsActive()) {
            return STILL_ACTIVE;
        }
        return process_->exitStatus() == QProcess::CrashExit ? CRASHED : process_->exitCode();
    }
    void Terminate() override {
        // Where the program leads its own group (see Start), its children go too.
        StopProgram(*process_);
        process_->waitForFinished(1000);
    }
    std::string Output() override {
        output_ += process_->readAllStandardOutput().toStdString();
        return output_;
    }
    std::string ErrorOutput() override {
        errorOutput_ += process_->readAllStandardError().toStdString();
        return errorOutput_;
    }

private:
    std::unique_ptr<QProcess> process_;
    std::string output_;
    std::string errorOutput_;
};

// The environment a block gives; entries are "NAME=value" separated by zero
// bytes (a leading "=" belongs to the name, as in Windows' "=C:=C:\").
QProcessEnvironment BlockEnvironment(const std::string& block) {
    QProcessEnvironment environment;
    size_t start = 0;
    while (start < block.size()) {
        size_t end = block.find('\0', start);
        if (end == std::string::npos) {
            end = block.size();
        }
        const std::string entry = block.substr(start, end - start);
        const size_t equals = entry.find('=', 1);
        if (equals != std::string::npos) {
            environment.insert(FromLocal(entry.substr(0, equals)),
                               FromLocal(entry.substr(equals + 1)));
        }
        start = end + 1;
    }
    return environment;
}

void AddWhatWineNeeds(QProcessEnvironment& environment) {
    const QProcessEnvironment ours = QProcessEnvironment::systemEnvironment();
    for (const char* name : WINE_NEEDS) {
        if (ours.contains(name)) {
            environment.insert(name, ours.value(name));
        }
    }
    for (const QString& name : ours.keys()) {
        if (name.startsWith(QStringLiteral("WINE"))) {
            environment.insert(name, ours.value(name));
        }
    }
    if (environment.contains(QStringLiteral("PATH"))) {
        environment.insert(QStringLiteral("WINEPATH"), environment.value(QStringLiteral("PATH")));
    }
}

// A program path on this file system; a drive-letter path is left to Wine.
QString ProgramPath(const std::string& program) {
    return FromLocal(HasDriveLetter(program) ? program : NativePath(program));
}

bool IsWindowsProgram(const QString& program) {
    return program.endsWith(QStringLiteral(".exe"), Qt::CaseInsensitive);
}

// Wine's folder when the settings name none: our WINEPREFIX, if any.
QString EnvironmentWinePrefix() {
    const QString prefix = qEnvironmentVariable("WINEPREFIX");
    return prefix.isEmpty() ? QDir::homePath() + QStringLiteral("/.wine") : prefix;
}

// A folder as the user knows it: the home folder written "~".
QString ShownFolder(const QString& folder) {
    const QString home = QDir::homePath();
    if (folder == home || folder.startsWith(home + QLatin1Char('/'))) {
        return QLatin1Char('~') + folder.mid(home.size());
    }
    return folder;
}

// Sets up process for start; false with the reason when it cannot run.
bool Prepare(QProcess& process, const ProcessStart& start, const QString& wine,
             const QString& prefix, std::string& error) {
    std::vector<std::string> words = SplitCommandLine(start.commandLine);
    if (words.empty() || words.front().empty()) {
        error = SystemText(ENOENT);
        return false;
    }
    const QString program = ProgramPath(words.front());
    QStringList arguments;
    for (size_t i = 1; i < words.size(); ++i) {
        arguments << FromLocal(words[i]);
    }
    const bool throughWine = IsWindowsProgram(program) && !wine.isEmpty();
    if (throughWine) {
        arguments.prepend(program);
        process.setProgram(wine);
    } else {
        const QFileInfo file(program);
        if (!file.exists() || file.isDir()) {
            error = SystemText(ENOENT);
            return false;
        }
        process.setProgram(program);
    }
    process.setArguments(arguments);
    if (!start.currentDirectory.empty()) {
        const QString directory = FromLocal(NativePath(start.currentDirectory));
        if (!QFileInfo(directory).isDir()) {
            error = SystemText(ENOENT) + ": " + start.currentDirectory;
            return false;
        }
        process.setWorkingDirectory(directory);
    }
    QProcessEnvironment environment = start.environmentBlock
                                          ? BlockEnvironment(*start.environmentBlock)
                                          : QProcessEnvironment::systemEnvironment();
    if (throughWine) {
        AddWhatWineNeeds(environment);
        environment.insert(QStringLiteral("WINEPREFIX"), prefix);
    }
    if (start.environmentBlock || throughWine) {
        process.setProcessEnvironment(environment);
    }
    // A QProcess never opens a window of its own, so hidden needs nothing here.
    return true;
}

}  // namespace

QtLauncher::QtLauncher() : wine_(WineProgram()), lockDirectory_(QDir::tempPath()) {}

std::unique_ptr<Process> QtLauncher::Start(const ProcessStart& start, std::string& error) {
    auto process = std::make_unique<QProcess>();
    if (!Prepare(*process, start, wine_, winePrefix(), error)) {
        return nullptr;
    }
    process->setStandardInputFile(QProcess::nullDevice());
    LeadOwnGroup(*process);
    process->start();
    if (!process->waitForStarted()) {
        error = process->errorString().toStdString();
        return nullptr;
    }
    return std::make_unique<QtProcess>(std::move(process));
}

bool QtLauncher::StartDetached(const ProcessStart& start, std::string& error) {
    QProcess process;
    if (!Prepare(process, start, wine_, winePrefix(), error)) {
        return false;
    }
    process.setStandardInputFile(QProcess::nullDevice());
    if (!process.startDetached()) {
        error = process.errorString().toStdString();
        return false;
    }
    return true;
}

int QtLauncher::OpenFile(const std::string& path, const std::string& /*directory*/) {
    if (IsForeignPath(path)) {
        return SHELL_PATH_NOT_FOUND;
    }
    const QFileInfo file(FromLocal(NativePath(path)));
    if (!file.exists() || file.isDir()) {
        return file.dir().exists() ? SHELL_FILE_NOT_FOUND : SHELL_PATH_NOT_FOUND;
    }
    if (!file.isReadable()) {
        return SHELL_ACCESS_DENIED;
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(file.absoluteFilePath()))
               ? SHELL_OPENED
               : SHELL_NO_ASSOCIATION;
}

int QtLauncher::OpenFolder(const std::string& folder) {
    if (IsForeignPath(folder)) {
        return SHELL_PATH_NOT_FOUND;
    }
    const QFileInfo directory(FromLocal(NativePath(folder)));
    if (!directory.isDir()) {
        return SHELL_PATH_NOT_FOUND;
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(directory.absoluteFilePath()))
               ? SHELL_OPENED
               : SHELL_NO_ASSOCIATION;
}

int QtLauncher::OpenManual(const std::string& path, const std::string& section) {
    const QFileInfo manual(FromLocal(NativePath(path)));
    if (!manual.isFile()) {
        return manual.dir().exists() ? SHELL_FILE_NOT_FOUND : SHELL_PATH_NOT_FOUND;
    }
    QUrl url = QUrl::fromLocalFile(manual.absoluteFilePath());
    url.setFragment(FromLocal(section));
    return QDesktopServices::openUrl(url) ? SHELL_OPENED : SHELL_NO_ASSOCIATION;
}

std::string QtLauncher::OpenerName() const {
    return "xdg-open";
}

std::string QtLauncher::FirstStartQuestion(const ProcessStart& start) {
    const std::vector<std::string> words = SplitCommandLine(start.commandLine);
    if (wine_.isEmpty() || words.empty() || !IsWindowsProgram(ProgramPath(words.front()))) {
        return {};
    }
    const QString prefix = winePrefix();
    if (QFileInfo::exists(prefix)) {
        return {};
    }
    return (QStringLiteral("Wine will set up its folder ") + ShownFolder(prefix) +
            QStringLiteral(", about 700 MB; continue?"))
        .toLocal8Bit()
        .toStdString();
}

QString QtLauncher::winePrefix() const {
    const std::string set = prefixSetting_ ? prefixSetting_() : std::string();
    return set.empty() ? EnvironmentWinePrefix() : FromLocal(NativePath(set));
}

bool QtLauncher::ProgramExists(const std::string& program) {
    if (!HasDriveLetter(program) || wine_.isEmpty()) {
        return !IsForeignPath(program) && FileExists(program);
    }
    // Wine's drives are links in the prefix's dosdevices folder ("c:", "z:").
    const std::string drive(1, static_cast<char>(std::tolower(program.front())));
    const std::string inPrefix =
        winePrefix().toLocal8Bit().toStdString() + "/dosdevices/" + drive + ":" + program.substr(2);
    return FileExists(inPrefix);
}

bool QtLauncher::IsLockHeld(const std::string& lockName) {
    QLockFile lock(QDir(lockDirectory_).filePath(FromLocal(lockName) + QStringLiteral(".lock")));
    if (lock.tryLock(0)) {
        lock.unlock();  // nobody held it: let it go again
        return false;
    }
    return lock.error() == QLockFile::LockFailedError;
}

}  // namespace bw
