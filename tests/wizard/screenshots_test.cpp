// Pictures of every page for people to look at (scripts/screenshots.sh): each
// page as a new block meets it, the run and its overwrite question, and pages
// 2 to 9 and the parameter dialogs filled with a realistic block, and the
// result of a try. Runs only when BLOCKWRIGHT_SCREENSHOTS names the folder
// to write them to.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <atomic>
#include <chrono>
#include <cmath>
#include <numbers>
#include <thread>
#include <tuple>

#include "app/overwrite_dialog.h"
#include "app/system_menu.h"
#include "definition/template_file.h"
#include "generation/paths.h"
#include "run/written_record.h"
#include "wizard/file_trees_view.h"
#include "wizard/finish.h"
#include "wizard/generate.h"
#include "wizard/header_picture.h"
#include "wizard/parameter_info.h"
#include "wizard/tools_dialog.h"
#include "wizard/trial_view.h"
#include "wizard_fixture.h"

namespace bw {
namespace {

class Screenshots : public WizardFixture {
protected:
    void SetUp() override {
        folder = qEnvironmentVariable("BLOCKWRIGHT_SCREENSHOTS");
        if (folder.isEmpty()) {
            GTEST_SKIP() << "set BLOCKWRIGHT_SCREENSHOTS to a folder to take the pictures";
        }
        QDir().mkpath(folder);
        // The pictures show the program's own window: on Windows, About and
        // Tools are in its system menu.
        context.systemMenu = systemMenu.get();
        context.tryBlock = [](const TrialRequest&, const TrialEnvironment&) { return Tried(); };
    }

    // A try of a gain block whose edit forgot to release a lock: one check
    // failed, the others passed, and a sweep through the block halved.
    static TrialResult Tried() {
        TrialResult result;
        result.outcome = TrialOutcome::Failed;
        const auto check = [&](const char* id, const char* title, CheckOutcome outcome,
                               const char* reason = "") {
            result.checks.push_back(TrialCheck{id, title, outcome, reason});
        };
        check("crash", "No crash in any entry point", CheckOutcome::Passed);
        check("numbers", "No NaN, infinity or denormal in any output", CheckOutcome::Passed);
        check("locks", "Every lock taken is released", CheckOutcome::Failed,
              "NTAddProcess: LockBuffer was called 48 times and UnlockBuffer never, at every "
              "frame size and sample rate");
        check("leaks", "Nothing leaked", CheckOutcome::Passed);
        check("bounds", "No write outside a buffer", CheckOutcome::Passed);
        check("parameters", "Parameters round-trip through save and load", CheckOutcome::Passed);
        check("dialog", "Every dialog control present", CheckOutcome::Passed);
        check("timing", "Each frame in less than its real-time duration", CheckOutcome::Passed);
        result.trace.sampleRate = 48000;
        std::vector<double> sweep(24000);
        for (size_t i = 0; i < sweep.size(); ++i) {
            const double t = static_cast<double>(i) / result.trace.sampleRate;
            sweep[i] = 0.8 * std::sin(2 * std::numbers::pi * (20 + 23980 * t) * t);
        }
        std::vector<double> halved = sweep;
        for (double& sample : halved) {
            sample *= 0.5;
        }
        result.trace.inputs = {sweep};
        result.trace.outputs = {halved};
        return result;
    }

    const std::unique_ptr<SystemMenu> systemMenu = MakeSystemMenu();

    void TearDown() override {
        if (!hostFile.isEmpty()) {
            QFile::remove(hostFile);
        }
    }

    void Take(QWidget& widget, const QString& name) {
        widget.show();
        widget.raise();
        for (int i = 0; i < 5; ++i) {
            QApplication::processEvents();
        }
        const QString file = QDir(folder).filePath(name + ".png");
        EXPECT_TRUE(widget.grab().save(file)) << file.toStdString();
    }

    // The wizard with the program's pictures, opening the template at path.
    void OpenInWizard(const BLOCKINFO& saved, const char* name) {
        const std::string path = temp.path().toStdString() + "/" + name;
        ASSERT_TRUE(WriteTemplate(saved, path));
        wizard = std::make_unique<CWizard>(context,
                                           HeaderPicture(context.workingDirectory, ScreenDepth()));
        wizard->resize(640, 480);
        wizard->show();
        Take(*wizard, "01-open-file");
        dialogs.answers.push_back(path);
        Open();
        ASSERT_EQ(wizard->currentId(), VisibleInfoPage);
    }

    // An installed host with two libraries, so that the lists have entries.
    void InstallHost() {
        const QString config =
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
        const QString hostFolder = temp.path() + "/zirud";
        QDir().mkpath(hostFolder);
        QFile groups(hostFolder + "/filters.ini");
        ASSERT_TRUE(groups.open(QIODevice::WriteOnly));
        groups.write(
            "[Groups]\r\nGroup Count=3\r\nGroup1=FIR Filters\r\nGroup2=IIR Filters\r\n"
            "Group3=Adaptive Filters\r\n");
        groups.close();
        hostFile = config + "/Calderic/Zirud Izadivo.conf";
        QDir().mkpath(config + "/Calderic");
        QFile host(hostFile);
        ASSERT_TRUE(host.open(QIODevice::WriteOnly));
        host.write("[Settings]\nWorking%20Directory=" + hostFolder.toUtf8() +
                   "\n[Libraries]\nLibrary%20Count=2\nLib1=Simulation Library\nLib2=Filters\n"
                   "LibFile2=filters.ini\n");
    }

    // A DSP-based FIR filter with a reference input and parameters of every kind.
    BLOCKINFO Filter() const {
        BLOCKINFO b;
        b.Reset(settings, context.newBlockFolders);
        b.LibraryName = "Filters";
        b.GroupName = "FIR Filters";
        b.MenuName = "FIR Filter";
        b.ShortDescription = "Finite impulse response filter";
        b.LongDescription =
            "Filters the signal input with a windowed FIR design.\r\n"
            "The reference input adapts the gain; the output has the signal's length.";
        b.BlockName = "NTFir";
        b.HelpFilename = "NTFir.hlp";
        b.IconFilename = "NTFir.ico";
        b.Directory = "/home/dsp/blocks/NTFir";
        b.LibraryPath = "/opt/tessaline/lib";
        b.IncludePath = "/opt/tessaline/include";
        b.RealTime = 1;
        b.Native = 1;
        b.Q = 1;
        b.QLevel = 15;
        b.Revision = "4.10";
        b.WarningType = WARNING_ONE_TIME;
        b.NumInputs = 2;
        b.InputChannelLabel[0] = "Signal";
        b.InputChannelLabel[1] = "Reference";
        b.InputChannelDimension[1] = 64;
        b.OutputChannelLabel[0] = "Filtered";

        auto parameter = [&b](const char* name, int type, const char* value) -> PARAMINFO& {
            PARAMINFO& p = b.Parameters[static_cast<size_t>(b.NumParameters++)];
            p.ParameterName = name;
            p.ParameterType = type;
            p.ParameterDefault = value;
            return p;
        };
        parameter("Taps", TYPE_INTEGER, "32").ParameterDesc = "Number of filter taps";
        parameter("Gain", TYPE_FLOAT, "1.0").ParameterConst = 1;
        PARAMINFO& window = parameter("Window", TYPE_COMBO_BOX, "Hamming");
        window.ParameterItems = {"Rectangular", "Hanning", "Hamming", "Blackman"};
        window.ParameterDesc = "The window applied to the ideal response\r\nbefore truncation.";
        parameter("Coefficient File", TYPE_FILE_OPEN, "lowpass.cof").ParameterItems = {
            "Coefficient Files|*.cof", "Text Files|*.txt", "All Files|*.*"};
        parameter("Bypass", TYPE_CHECK_BOX, "Unchecked");
        for (auto [name, precision, size] : {std::tuple{"hDelayLine", TYPE_FLOAT, "64"},
                                             {"hCoefficients", TYPE_FLOAT, "64"},
                                             {"hScratch", TYPE_SHORT, "128"}}) {
            LOCALARRAYINFO& a = b.LocalArrays[static_cast<size_t>(b.NumLocalArrays++)];
            a.ArrayName = name;
            a.LocalPrecision = precision;
            a.LocalSize = size;
        }
        for (auto [name, type, value, other] : {std::tuple{"nSamplesSeen", TYPE_LONG, "0", ""},
                                                {"fLastGain", TYPE_FLOAT, "1.0", ""},
                                                {"szStatus", TYPE_TEXT, "Ready", ""},
                                                {"State", TYPE_OTHER, "{0}", "FIR_STATE"}}) {
            PERSISTANTINFO& v = b.Persistants[static_cast<size_t>(b.NumPersistants++)];
            v.PersistantName = name;
            v.PersistantType = type;
            v.PersistantDefault = value;
            v.PersistantTypeOther = other;
        }
        return b;
    }

    QString folder;
    QString hostFile;
};

TEST_F(Screenshots, EveryPage) {
    // A DSP-based block, so that both trees show, made where nobody has said
    // where the host is, as a first start meets it.
    context.newBlockFolders = DefaultFolders({temp.path().toStdString() + "/Documents", ""});
    BLOCKINFO saved;
    saved.Reset(settings, context.newBlockFolders);
    DescribeBlock(saved);
    saved.RealTime = 1;
    saved.FloatingPoint = 1;
    saved.Integer = 1;
    OpenInWizard(saved, "NTAdd.tbt");
    const char* names[PAGE_COUNT] = {
        "01-open-file",       "02-visible-info", "03-file-info",      "04-data-info",
        "05-revision-info",   "06-io-info",      "07-parameter-info", "08-local-array-info",
        "09-persistant-info", "10-generate",     "11-finish"};
    while (wizard->currentId() != GeneratePage) {
        Take(*wizard, names[wizard->currentId()]);
        Next();
    }
    Take(*wizard, names[GeneratePage]);

    // One file exists, so the run stops at the overwrite question: a picture
    // of the running page and of the question.
    QDir().mkpath(QString::fromStdString(BlockDirectory()));
    QFile existing(QString::fromStdString(BlockFile("NTAdd.h")));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    prompts.onOverwrite = [&](const std::string& file) {
        Take(*wizard, "10-generate-running");
        OverwriteDialog dialog(DisplayPath(file),
                               wizard.get());  // as the program's prompts show it
        Take(dialog, "10-overwrite-question");
    };
    prompts.overwriteAnswers = {OverwriteAnswer::Yes};
    wizard->generatePage()->generateButton()->click();
    ASSERT_EQ(wizard->currentId(), FinishPage);
    Take(*wizard, names[FinishPage]);

    // A build under way: the status line with its Cancel.
    launcher.programs.push_back({.waitSteps = 1000000, .output = "Compiling...\nIFNTAdd.c\n"});
    QTimer::singleShot(0, [&] {
        Take(*wizard, "11-finish-building");
        wizard->finishPage()->cancelToolButton()->click();
    });
    wizard->finishPage()->visualCppButton()->click();

    // The Tools dialog, with the settings a user has made.
    context.toolsRunThroughWine = !RUNNING_ON_WINDOWS;
    settings.write("Settings", "MSDev Path",
                   "C:\\Program Files\\Microsoft Visual Studio\\Common\\MSDev98\\Bin\\MSDEV.EXE");
    CToolsDialog tools(context, wizard.get());
    tools.show();
    Take(tools, "11-tools");
}

// A regeneration over files edited by hand: their marks, the question about
// one of them and the copies on the completion page.
TEST_F(Screenshots, FilesEditedByHand) {
    BLOCKINFO saved;
    saved.Reset(settings, context.newBlockFolders);
    DescribeBlock(saved);
    saved.RealTime = 1;
    saved.FloatingPoint = 1;
    OpenInWizard(saved, "NTAdd.tbt");
    NextUntil(GeneratePage);
    prompts.overwriteAnswers = {};
    wizard->generatePage()->generateButton()->click();
    ASSERT_EQ(wizard->currentId(), FinishPage);
    for (const char* name : {"NTAdd.h", "DSPCODE/_NTAdd.c"}) {
        QFile file(QString::fromStdString(BlockFile(name)));
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write("/* tuned by hand */\r\n");
    }
    block.NumInputs = 2;
    Back();
    ASSERT_EQ(wizard->currentId(), GeneratePage);
    wizard->generatePage()->trees()->dspTree()->expandAll();
    Take(*wizard, "10-generate-edited-by-hand");
    prompts.onOverwrite = [&](const std::string& file) {
        if (file.ends_with("_NTAdd.c")) {
            OverwriteDialog dialog(DisplayPath(file), wizard.get(), FileAccess::Writable,
                                   EditedByHandNote(BlockFile("DSPCODE/KRSave/_NTAdd.c")));
            Take(dialog, "10-overwrite-edited-by-hand");
        }
    };
    prompts.overwriteAnswers = {OverwriteAnswer::YesToAll};
    wizard->generatePage()->generateButton()->click();
    ASSERT_EQ(wizard->currentId(), FinishPage);
    Take(*wizard, "11-finish-copies");
}

TEST_F(Screenshots, FilledPagesAndParameterDialogs) {
    InstallHost();
    OpenInWizard(Filter(), "NTFir.tbt");
    for (const char* name : {"02-visible-info-filled", "03-file-info-filled", "04-data-info-filled",
                             "05-revision-info-filled"}) {
        Take(*wizard, name);
        Next();
    }
    ASSERT_EQ(wizard->currentId(), IOInfoPage);
    wizard->currentPage()->findChild<QListWidget*>("channels")->setCurrentRow(1);
    Take(*wizard, "06-io-info-filled");
    Next();

    auto* parameters = static_cast<CParameterInfo*>(wizard->currentPage());
    parameters->recordList()->setCurrentRow(2);
    Take(*wizard, "07-parameter-info-filled");
    auto named = [&](const char* name) {
        parameters->setDialogRunner([this, name](QDialog& dialog) {
            Take(dialog, QString::fromUtf8(name));
            return int(QDialog::Rejected);
        });
    };
    named("07-parameter-description");
    parameters->editDescription();
    named("07-parameter-combo-configuration");
    parameters->configureItems();
    parameters->recordList()->setCurrentRow(3);
    named("07-parameter-browse-configuration");
    parameters->configureItems();

    Next();
    wizard->currentPage()->findChild<QListWidget*>()->setCurrentRow(1);
    Take(*wizard, "08-local-array-info-filled");
    Next();
    wizard->currentPage()->findChild<QListWidget*>()->setCurrentRow(3);
    Take(*wizard, "09-persistant-info-filled");
}

// The completion page's try under way and its result, in the narrowest
// window and at the window's own size.
TEST_F(Screenshots, TriedBlock) {
    // The try waits in its build step until the running page is pictured.
    std::atomic<bool> pictured = false;
    context.tryBlock = [&](const TrialRequest&, const TrialEnvironment& environment) {
        environment.progress("building the block", 1, 3);
        for (int i = 0; i < 3000 && !pictured; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return Tried();
    };
    BLOCKINFO saved;
    saved.Reset(settings, context.newBlockFolders);
    DescribeBlock(saved);
    OpenInWizard(saved, "NTAdd.tbt");
    NextUntil(GeneratePage);
    wizard->generatePage()->generateButton()->click();
    ASSERT_EQ(wizard->currentId(), FinishPage);
    CFinish& page = *wizard->finishPage();
    page.setDialogRunner([&](QDialog& dialog) {
        Take(dialog, QStringLiteral("11-try-result"));
        return int(QDialog::Rejected);
    });
    page.trialButton()->click();
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return page.statusLabel()->text().contains("building"); }, 30000));
    Take(*wizard, "11-finish-trying");
    pictured = true;
    ASSERT_TRUE(QTest::qWaitFor([&] { return !page.isRunningTool(); }, 30000));
    Take(*wizard, "11-finish-tried");
    wizard->resize(wizard->sizeHint());
    Take(*wizard, "11-finish-tried-own-size");
}

}  // namespace
}  // namespace bw
