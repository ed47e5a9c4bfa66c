// Trying the block from the completion page: the button once the block is
// there, the try on a thread of its own with its progress and Cancel, and
// the result: failed checks first with their reasons, what to install when
// the tools are missing, and plots drawn from the trace itself.
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QTest>
#include <QTextEdit>
#include <QThread>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <thread>

#include "wizard/finish.h"
#include "wizard/generate.h"
#include "wizard/trace_plot.h"
#include "wizard/trial_run.h"
#include "wizard/trial_view.h"
#include "wizard_fixture.h"

namespace bw {
namespace {

constexpr int WAIT_MILLISECONDS = 30000;

// The signal of a try: a sine of amplitude on the given bin of a
// power-of-two length.
std::vector<double> Sine(size_t length, double bin, double amplitude) {
    std::vector<double> samples(length);
    for (size_t i = 0; i < length; ++i) {
        samples[i] = amplitude * std::sin(2 * std::numbers::pi * bin * static_cast<double>(i) /
                                          static_cast<double>(length));
    }
    return samples;
}

TrialCheck Check(const char* id, const char* title, CheckOutcome outcome, const char* reason = "") {
    return TrialCheck{id, title, outcome, reason};
}

TrialResult Outcome(TrialOutcome outcome, const std::string& message = {}) {
    TrialResult result;
    result.outcome = outcome;
    result.message = message;
    return result;
}

class TrialTest : public WizardFixture {
protected:
    TrialTest() {
        context.tryBlock = [this](const TrialRequest& request,
                                  const TrialEnvironment& environment) {
            requests.push_back(request);
            triedOnWindowThread = QThread::currentThread() == qApp->thread();
            return fakeTry(environment);
        };
    }

    // The completion page after a run that wrote the block, the result of
    // each try kept instead of shown.
    CFinish& Generated() {
        OpenDescribedBlock();
        NextUntil(GeneratePage);
        Wizard().generatePage()->generateButton()->click();
        EXPECT_EQ(Wizard().currentId(), FinishPage);
        CFinish& page = *Wizard().finishPage();
        page.setDialogRunner([this](QDialog& dialog) {
            auto& view = static_cast<TrialResultDialog&>(dialog);
            // The line break between a check's title and its reason as a new line,
            // without the blank line the table begins with.
            const QString checks =
                view.checksText()->toPlainText().replace(QChar::LineSeparator, u'\n').trimmed();
            shown.push_back(Shown{view.summaryLabel()->text(), checks,
                                  view.messageText()->isVisibleTo(&view)
                                      ? view.messageText()->toPlainText()
                                      : QString(),
                                  view.checksText()->isVisibleTo(&view),
                                  view.plotArea()->isVisibleTo(&view), view.plot()->trace()});
            return int(QDialog::Rejected);
        });
        return page;
    }

    static bool EndOf(const CFinish& page) {
        return QTest::qWaitFor([&] { return !page.isRunningTool(); }, WAIT_MILLISECONDS);
    }

    struct Shown {
        QString summary;
        QString checks;
        QString message;  // empty while hidden
        bool checksVisible = false;
        bool plotVisible = false;
        TrialTrace trace;
    };

    std::function<TrialResult(const TrialEnvironment&)> fakeTry = [](const TrialEnvironment&) {
        return Outcome(TrialOutcome::Passed);
    };
    std::vector<TrialRequest> requests;
    std::atomic<bool> triedOnWindowThread = false;
    std::vector<Shown> shown;
};

TEST_F(TrialTest, TheButtonIsPressableOnceTheBlockHasBeenGenerated) {
    OpenDescribedBlock();
    CFinish& page = *Wizard().finishPage();
    page.load();  // as shown before any run wrote the block
    EXPECT_TRUE(page.trialButton()->isVisibleTo(&page));
    EXPECT_FALSE(page.trialButton()->isEnabled());
    NextUntil(GeneratePage);
    Wizard().generatePage()->generateButton()->click();
    ASSERT_EQ(Wizard().currentId(), FinishPage);
    EXPECT_TRUE(page.trialButton()->isEnabled());
    // Pressed on purpose only: Return still finishes.
    EXPECT_FALSE(page.trialButton()->autoDefault());
    EXPECT_EQ(Wizard().focusWidget(), Button(QWizard::FinishButton));

    // Without a way to try, nothing is offered.
    context.tryBlock = {};
    page.load();
    EXPECT_FALSE(page.trialButton()->isVisibleTo(&page));
}

TEST_F(TrialTest, AFailedCheckIsListedFirstWithItsReason) {
    fakeTry = [](const TrialEnvironment&) {
        TrialResult result;
        result.outcome = TrialOutcome::Failed;
        result.checks = {Check("crash", "No crash", CheckOutcome::Passed),
                         Check("numbers", "No NaN, infinity or denormal", CheckOutcome::Passed),
                         Check("leaks", "Nothing leaked", CheckOutcome::Failed,
                               "NTAddExit: 2 blocks of 64 bytes not freed"),
                         Check("dialog", "Every dialog control present", CheckOutcome::NotRun,
                               "strictness 1 leaves it out")};
        result.trace.sampleRate = 8000;
        result.trace.inputs = {Sine(256, 8, 1)};
        result.trace.outputs = {Sine(256, 8, 0.5)};
        return result;
    };
    CFinish& page = Generated();
    page.trialButton()->click();
    ASSERT_TRUE(EndOf(page));

    ASSERT_EQ(requests.size(), 1u);
    // The wizard names the template in the system's own form.
    EXPECT_EQ(QDir::fromNativeSeparators(QString::fromStdString(requests[0].source)),
              QString::fromStdString(BlockFile("NTAdd.TBT")));
    EXPECT_FALSE(triedOnWindowThread);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].summary, "NTAdd failed 1 of 4 checks (1 not run).");
    EXPECT_TRUE(shown[0].checks.startsWith(
        "Failed\nNothing leaked\nNTAddExit: 2 blocks of 64 bytes not freed\n"))
        << shown[0].checks.toStdString();
    EXPECT_LT(shown[0].checks.indexOf("Not run"), shown[0].checks.indexOf("No crash"));
    EXPECT_TRUE(shown[0].message.isEmpty());
    EXPECT_TRUE(shown[0].plotVisible);
    EXPECT_EQ(shown[0].trace.outputs, std::vector<std::vector<double>>{Sine(256, 8, 0.5)});
    EXPECT_EQ(page.statusLabel()->text(), shown[0].summary);
    EXPECT_FALSE(page.cancelToolButton()->isVisible());
    EXPECT_TRUE(page.trialButton()->isEnabled());
}

// The fake try goes on until its progress answers false.
TEST_F(TrialTest, CancelStopsASlowTryAndLeavesTheWizardUsable) {
    std::atomic<bool> sawCancel = false;
    fakeTry = [&](const TrialEnvironment& environment) {
        TrialResult result;
        result.outcome = TrialOutcome::Passed;
        environment.progress("building NTAdd", 0, 4);
        for (int step = 0; step < 10000; ++step) {
            if (!environment.progress("running its life", 2, 4)) {
                sawCancel = true;
                result.outcome = TrialOutcome::Cancelled;
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return result;
    };
    CFinish& page = Generated();
    page.trialButton()->click();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return page.statusLabel()->text() == "Trying NTAdd: running its life"; },
        WAIT_MILLISECONDS));
    // The window meanwhile: Cancel shown, the bar half way, nothing else to press.
    EXPECT_TRUE(page.cancelToolButton()->isVisible());
    EXPECT_EQ(page.findChild<QProgressBar*>()->value(), 2);
    EXPECT_FALSE(page.trialButton()->isEnabled());
    EXPECT_FALSE(page.visualCppButton()->isEnabled());
    EXPECT_FALSE(Button(QWizard::BackButton)->isEnabled());
    EXPECT_FALSE(Button(QWizard::FinishButton)->isEnabled());
    page.cancelToolButton()->click();
    ASSERT_TRUE(EndOf(page));

    EXPECT_TRUE(sawCancel);
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(page.statusLabel()->text(), "The try of NTAdd was cancelled.");
    EXPECT_FALSE(page.cancelToolButton()->isVisible());
    EXPECT_TRUE(page.trialButton()->isEnabled());
    EXPECT_TRUE(Button(QWizard::FinishButton)->isEnabled());

    // Escape cancels the next one too, and the wizard stays.
    sawCancel = false;
    page.trialButton()->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return page.statusLabel()->text().contains("running"); },
                                WAIT_MILLISECONDS));
    QTest::keyClick(&Wizard(), Qt::Key_Escape);
    ASSERT_TRUE(EndOf(page));
    EXPECT_TRUE(sawCancel);
    EXPECT_TRUE(Wizard().isVisible());
    EXPECT_TRUE(prompts.questions.empty());  // not the discard question
    Back();
    EXPECT_EQ(Wizard().currentId(), GeneratePage);
}

// The status line that tells the try's steps and outcome takes its room
// from the trees: a window the user made smaller keeps its size.
TEST_F(TrialTest, ATryKeepsAWindowMadeSmallerAtItsSize) {
    OpenDescribedBlock();
    NextUntil(IOInfoPage);
    QApplication::processEvents();
    Wizard().resize(Wizard().width(), Wizard().minimumHeight());
    QApplication::processEvents();
    const QSize chosen = Wizard().size();
    NextUntil(GeneratePage);
    Wizard().generatePage()->generateButton()->click();
    ASSERT_EQ(Wizard().currentId(), FinishPage);
    CFinish& page = *Wizard().finishPage();
    page.setDialogRunner([](QDialog&) { return int(QDialog::Rejected); });
    page.trialButton()->click();
    ASSERT_TRUE(EndOf(page));
    QApplication::processEvents();
    EXPECT_TRUE(page.statusLabel()->isVisible());
    EXPECT_EQ(Wizard().size(), chosen);
}

TEST_F(TrialTest, MissingToolsShowWhatToInstallAndNoChecks) {
    fakeTry = [](const TrialEnvironment&) {
        return Outcome(TrialOutcome::ToolsMissing,
                       "x86_64-w64-mingw32-gcc was not found: install MinGW-w64 "
                       "(apt install gcc-mingw-w64-x86-64) and Wine (apt install wine64).");
    };
    CFinish& page = Generated();
    page.trialButton()->click();
    ASSERT_TRUE(EndOf(page));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].summary, "NTAdd could not be tried: tools it needs are missing.");
    EXPECT_EQ(shown[0].message,
              "x86_64-w64-mingw32-gcc was not found: install MinGW-w64 "
              "(apt install gcc-mingw-w64-x86-64) and Wine (apt install wine64).");
    EXPECT_FALSE(shown[0].checksVisible);
    EXPECT_FALSE(shown[0].plotVisible);
}

// A fault inside the try is a failure that says so, not the program's end.
TEST_F(TrialTest, ATryThatThrowsIsReportedAsFailed) {
    fakeTry = [](const TrialEnvironment&) -> TrialResult {
        throw std::runtime_error("out of memory");
    };
    CFinish& page = Generated();
    page.trialButton()->click();
    ASSERT_TRUE(EndOf(page));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].summary, "The try of NTAdd failed.");
    EXPECT_EQ(shown[0].message, "The try stopped on an error of its own: out of memory");
}

TEST(TrialSummaryTest, AFailedCheckIsNeverSummedUpAsAPass) {
    TrialResult result;
    result.outcome = TrialOutcome::Passed;
    result.checks = {Check("crash", "No crash", CheckOutcome::Passed),
                     Check("bounds", "No write outside a buffer", CheckOutcome::Failed)};
    EXPECT_EQ(TrialSummary("Gain", result), "Gain failed 1 of 2 checks.");
    result.checks.pop_back();
    EXPECT_EQ(TrialSummary("Gain", result), "Gain passed all 1 checks.");
    result.checks.clear();
    EXPECT_EQ(TrialSummary("Gain", result), "The try of Gain failed.");
}

// What is drawn comes from the trace: a sine's spectrum peaks at its bin,
// a gain block's output spectrum is the gain times its input's, and every
// output is drawn beside an input.
TEST(TracePlotTest, TheSpectraDrawnAreThoseOfTheTrace) {
    TrialTrace trace;
    trace.sampleRate = 48000;
    const std::vector<double> sine = Sine(1024, 100, 0.5);
    std::vector<double> gained = sine;
    for (double& sample : gained) {
        sample *= 0.25;
    }
    trace.inputs = {sine};
    trace.outputs = {gained, sine};
    TracePlot plot;
    plot.setTrace(trace);
    ASSERT_EQ(plot.plots().size(), 2u);
    const std::vector<double>& in = plot.plots()[0].inputSpectrum;
    const std::vector<double>& out = plot.plots()[0].outputSpectrum;
    ASSERT_EQ(in.size(), 513u);
    EXPECT_EQ(std::max_element(in.begin(), in.end()) - in.begin(), 100);
    ASSERT_EQ(out.size(), in.size());
    for (size_t bin = 0; bin < in.size(); ++bin) {
        EXPECT_NEAR(out[bin], 0.25 * in[bin], 1e-12) << "bin " << bin;
    }
    EXPECT_EQ(plot.plots()[1].input, sine);
    EXPECT_EQ(plot.plots()[1].outputSpectrum, in);
}

TEST(TracePlotTest, EachColumnShowsItsSamplesExtremesAndMarksWhatIsNotANumber) {
    std::vector<double> values{0, 1, 2, 3, NAN, 5, 6, 7, 8, 9};
    const std::vector<PlotColumn> columns = ColumnEnvelope(values, 5);
    ASSERT_EQ(columns.size(), 5u);
    EXPECT_EQ(columns[0].low, 0);
    EXPECT_EQ(columns[0].high, 1);
    EXPECT_TRUE(columns[2].broken);
    EXPECT_EQ(columns[2].low, 5);
    EXPECT_EQ(columns[2].high, 5);
    EXPECT_FALSE(columns[3].broken);
    EXPECT_EQ(columns[4].high, 9);
    // Fewer samples than columns: each column the sample under it.
    const std::vector<PlotColumn> wide = ColumnEnvelope({-1, 4, 2}, 6);
    for (size_t column = 0; column < wide.size(); ++column) {
        const double under = std::vector<double>{-1, 4, 2}[column / 2];
        EXPECT_EQ(wide[column].low, under);
        EXPECT_EQ(wide[column].high, under);
    }
}

}  // namespace
}  // namespace bw
