// Start-up: the single instance, a missing display, the header picture.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLocalSocket>
#include <QLockFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <thread>

#include "cli/command_line.h"
#include "app/single_instance.h"
#include "app/startup.h"
#include "files/this_system.h"
#include "wizard/header_picture.h"

namespace bw {
namespace {

// Where the program started by a test keeps its instance: the runtime folder
// that XDG_RUNTIME_DIR names on Linux; on Windows the user's profile, which
// no variable moves.
QString ProgramInstanceFolder(const QTemporaryDir& runtime) {
    return RUNNING_ON_WINDOWS ? SingleInstance::DefaultFolder() : runtime.path();
}

// The program on this test's platform: through QT_QPA_PLATFORM on Linux,
// where any argument would be a command; on the command line on Windows,
// whose wizard program takes Qt's arguments and where Wine passes no QT_
// variable on.
QStringList PlatformArguments() {
    if (RUNNING_ON_WINDOWS) {
        return {QStringLiteral("-platform"), QGuiApplication::platformName()};
    }
    return {};
}

// Whether a wizard listens for later starts at socket.
bool Listening(const QString& socket) {
    QLocalSocket probe;
    probe.connectToServer(socket);
    return probe.waitForConnected(100);
}

// A start of another process, beside this event loop (it waits for its answer).
SingleInstance::Start StartBeside(const QString& folder, const QString& templatePath = {}) {
    std::atomic<int> start{-1};
    std::thread other(
        [&] { start = static_cast<int>(SingleInstance(folder).start(templatePath)); });
    EXPECT_TRUE(QTest::qWaitFor([&] { return start != -1; }, 5000));
    other.join();
    return static_cast<SingleInstance::Start>(start.load());
}

TEST(SingleInstance, ASecondStartAsksTheFirstToComeForwardAndEnds) {
    QTemporaryDir folder;
    SingleInstance first(folder.path());
    ASSERT_EQ(first.start(), SingleInstance::Start::First);
    int raised = 0;
    QObject::connect(&first, &SingleInstance::raiseRequested, [&] { ++raised; });

    EXPECT_EQ(StartBeside(folder.path()), SingleInstance::Start::OtherRaised);
    EXPECT_TRUE(QTest::qWaitFor([&] { return raised == 1; }, 1000));
}

// A double-clicked template is handed on to the running wizard.
TEST(SingleInstance, ASecondStartHandsItsTemplateToTheFirst) {
    QTemporaryDir folder;
    SingleInstance first(folder.path());
    ASSERT_EQ(first.start(), SingleInstance::Start::First);
    QStringList opened;
    QObject::connect(&first, &SingleInstance::openRequested,
                     [&](const QString& path) { opened << path; });
    const QString path = QStringLiteral("/home/ann/Blöcke/Gain 2.tbt");
    EXPECT_EQ(StartBeside(folder.path(), path), SingleInstance::Start::OtherRaised);
    EXPECT_TRUE(QTest::qWaitFor([&] { return opened.size() == 1; }, 1000));
    EXPECT_EQ(opened, QStringList{path});
    // Without one, the first only comes forward.
    EXPECT_EQ(StartBeside(folder.path()), SingleInstance::Start::OtherRaised);
    EXPECT_EQ(opened.size(), 1);
}

TEST(SingleInstance, InstancesOnOtherDisplaysDoNotStopEachOther) {
    QTemporaryDir folder;
    SingleInstance first(folder.path(), QStringLiteral("ann-xcb_0"));
    ASSERT_EQ(first.start(), SingleInstance::Start::First);
    SingleInstance elsewhere(folder.path(), QStringLiteral("ann-xcb_1"));
    EXPECT_EQ(elsewhere.start(), SingleInstance::Start::First);
    EXPECT_NE(first.lockPath(), elsewhere.lockPath());

    // The key names the user and the display this run shows on.
    const QString key = SingleInstance::UserAndDisplayKey();
    EXPECT_TRUE(key.contains(QGuiApplication::platformName())) << key.toStdString();
    EXPECT_FALSE(key.contains(u'/'));
    EXPECT_FALSE(key.contains(u':'));
}

TEST(SingleInstance, AFirstThatDoesNotAnswerIsReportedAsSilent) {
    QTemporaryDir folder;
    QLockFile held(QDir(folder.path()).filePath(INSTANCE_LOCK_NAME));
    ASSERT_TRUE(held.tryLock(0));  // a live holder that never listens
    SingleInstance later(folder.path());
    EXPECT_EQ(later.start(), SingleInstance::Start::OtherSilent);
}

// The program started while a wizard that does not answer holds the lock:
// it says so (on the terminal as well as in its message box) and waits for
// the box to be closed instead of ending without a word.
TEST(SingleInstance, AProgramStartThatCannotReachTheRunningOneSaysSo) {
    QTemporaryDir runtime;
    const SingleInstance probe(ProgramInstanceFolder(runtime), SingleInstance::UserAndDisplayKey());
    QLockFile held(probe.lockPath());
    ASSERT_TRUE(held.tryLock(0));

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_RUNTIME_DIR", runtime.path());
    environment.insert("QT_QPA_PLATFORM", QGuiApplication::platformName());
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(BLOCKWRIGHT_EXE), PlatformArguments());
    ASSERT_TRUE(program.waitForStarted());
    QByteArray said;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            program.waitForReadyRead(100);
            said += program.readAllStandardError();
            return said.contains(INSTANCE_UNREACHABLE_MESSAGE);
        },
        20000))
        << said.toStdString();
    EXPECT_EQ(program.state(), QProcess::Running);  // the message box is up
    program.kill();
    program.waitForFinished();
}

TEST(SingleInstance, ALockLeftByAProcessThatHasGoneIsTakenOver) {
    QTemporaryDir folder;
    const QString lockPath = QDir(folder.path()).filePath(INSTANCE_LOCK_NAME);
    // A lock as this process writes it, but naming a process that has ended.
    QByteArray content;
    {
        QLockFile mine(lockPath);
        ASSERT_TRUE(mine.tryLock(0));
        QFile file(lockPath);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        content = file.readAll();
    }
    QProcess gone;  // a program that ends at once, on every system
    gone.start(QStringLiteral(BLOCKWRIGHT_EXE), {QStringLiteral("--version")});
    ASSERT_TRUE(gone.waitForStarted());
    const QByteArray deadPid = QByteArray::number(gone.processId());
    ASSERT_TRUE(gone.waitForFinished());
    ASSERT_NE(deadPid, "0");
    content = deadPid + content.mid(content.indexOf('\n'));
    QFile stale(lockPath);
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write(content);
    stale.close();

    SingleInstance next(folder.path());
    EXPECT_EQ(next.start(), SingleInstance::Start::First);
}

TEST(SingleInstance, ASocketLeftBehindDoesNotStopTheFirstFromListening) {
    QTemporaryDir folder;
    QFile leftover(QDir(folder.path()).filePath(INSTANCE_SOCKET_NAME));
    ASSERT_TRUE(leftover.open(QIODevice::WriteOnly));
    leftover.close();
    SingleInstance first(folder.path());
    ASSERT_EQ(first.start(), SingleInstance::Start::First);
    EXPECT_EQ(StartBeside(folder.path()), SingleInstance::Start::OtherRaised);
}

// The program itself, started as a user would.
class ProgramTest : public ::testing::Test {
protected:
    QProcessEnvironment Environment() const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_RUNTIME_DIR", runtime.path());
        environment.insert("XDG_CONFIG_HOME", runtime.path() + "/config");
        // Offscreen on Linux; Windows' tests run on the minimal platform.
        environment.insert("QT_QPA_PLATFORM", QGuiApplication::platformName());
        return environment;
    }

    QTemporaryDir runtime;
};

TEST_F(ProgramTest, WithoutADisplayItSaysSoAndPointsToTheCommandLine) {
    if (RUNNING_ON_WINDOWS) {
        GTEST_SKIP() << "a Windows session always has its display";
    }
    QProcessEnvironment environment = Environment();
    environment.remove("QT_QPA_PLATFORM");
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(BLOCKWRIGHT_EXE, {});
    ASSERT_TRUE(program.waitForFinished(10000));
    EXPECT_EQ(program.exitCode(), EXIT_NO_DISPLAY);
    const QString error = QString::fromLocal8Bit(program.readAllStandardError());
    EXPECT_TRUE(error.contains("no display")) << error.toStdString();
    EXPECT_TRUE(error.contains("blockwright generate")) << error.toStdString();

    // A display named but not there is no display either.
    environment.insert("DISPLAY", ":97");
    program.setProcessEnvironment(environment);
    program.start(BLOCKWRIGHT_EXE, {});
    ASSERT_TRUE(program.waitForFinished(10000));
    EXPECT_EQ(program.exitCode(), EXIT_NO_DISPLAY);
}

// The wizard is a module beside the program; without it the program says so
// and points to the command line, which needs no module.
TEST_F(ProgramTest, WithoutTheWizardModuleItSaysSoAndGenerateStillRuns) {
    if (RUNNING_ON_WINDOWS) {
        GTEST_SKIP() << "on Windows the wizard is a program of its own, not a module";
    }
    QTemporaryDir folder;
    const QString program = folder.filePath("blockwright");
    ASSERT_TRUE(QFile::copy(BLOCKWRIGHT_EXE, program));
    QProcess process;
    process.setProcessEnvironment(Environment());
    process.start(program, {});
    ASSERT_TRUE(process.waitForFinished(10000));
    EXPECT_EQ(process.exitCode(), EXIT_STOPPED);
    const QString error = QString::fromLocal8Bit(process.readAllStandardError());
    EXPECT_TRUE(error.contains("the wizard cannot be loaded")) << error.toStdString();

    process.start(program, {"generate", "--help"});
    ASSERT_TRUE(process.waitForFinished(10000));
    EXPECT_EQ(process.exitCode(), EXIT_COMPLETED);
}

TEST_F(ProgramTest, ASecondStartEndsAndAKilledFirstDoesNotBlockTheNext) {
    QProcess first;
    first.setProcessEnvironment(Environment());
    first.start(BLOCKWRIGHT_EXE, PlatformArguments());
    ASSERT_TRUE(first.waitForStarted());
    // The program keys its instance on this user and the test's display, as this test does.
    const QString socket =
        SingleInstance(ProgramInstanceFolder(runtime), SingleInstance::UserAndDisplayKey())
            .socketPath();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Listening(socket); }, 10000));

    QProcess second;
    second.setProcessEnvironment(Environment());
    second.start(BLOCKWRIGHT_EXE, PlatformArguments());
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first.state(), QProcess::Running);

    first.kill();  // leaves its lock and socket behind
    ASSERT_TRUE(first.waitForFinished());
    QProcess third;
    third.setProcessEnvironment(Environment());
    third.start(BLOCKWRIGHT_EXE, PlatformArguments());
    ASSERT_TRUE(third.waitForStarted());
    // The next start runs its own wizard rather than ending.
    EXPECT_FALSE(third.waitForFinished(1500));
    EXPECT_EQ(third.state(), QProcess::Running);
    third.kill();
    third.waitForFinished();
}

TEST(HeaderPicture, TheWorkingDirectorysPictureWinsElseTheBuiltInOneForTheDepth) {
    QTemporaryDir folder;
    const std::string working = folder.path().toStdString() + "/";
    QImage own(48, 48, QImage::Format_RGB32);
    own.fill(Qt::red);
    ASSERT_TRUE(own.save(folder.path() + "/Header.bmp", "BMP"));
    const QPixmap chosen = HeaderPicture(working, 24);
    EXPECT_EQ(chosen.size(), QSize(48, 48));
    EXPECT_EQ(chosen.toImage().pixelColor(5, 5), QColor(Qt::red));
    // A picture of another format under that name is read all the same.
    own.fill(Qt::green);
    ASSERT_TRUE(own.save(folder.path() + "/Header.bmp", "PNG"));
    EXPECT_EQ(HeaderPicture(working, 24).toImage().pixelColor(5, 5), QColor(Qt::green));

    QFile::remove(folder.path() + "/Header.bmp");
    const QImage deep = HeaderPicture(working, 32).toImage();
    const QImage palette = HeaderPicture(working, 8).toImage();
    const QImage mono = HeaderPicture(working, 1).toImage();
    EXPECT_EQ(deep, BuiltInHeaderPicture(16).toImage());
    EXPECT_EQ(palette, BuiltInHeaderPicture(15).toImage());
    EXPECT_EQ(mono, BuiltInHeaderPicture(7).toImage());
    EXPECT_NE(deep, palette);
    EXPECT_NE(palette, mono);
    // The picture for fewer than 8 bits uses black and white only.
    for (int y = 0; y < mono.height(); ++y) {
        for (int x = 0; x < mono.width(); ++x) {
            const QRgb pixel = mono.pixel(x, y) & 0xFFFFFF;
            ASSERT_TRUE(pixel == 0 || pixel == 0xFFFFFF) << x << "," << y;
        }
    }
}

}  // namespace
}  // namespace bw
