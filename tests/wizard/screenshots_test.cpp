// Pictures of every page for people to look at (scripts/screenshots.sh).
// Runs only when BLOCKWRIGHT_SCREENSHOTS names the folder to write them to.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTimer>

#include "app/overwrite_dialog.h"
#include "definition/template_file.h"
#include "wizard/generate.h"
#include "wizard/header_picture.h"
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

    QString folder;
};

TEST_F(Screenshots, EveryPage) {
    // A DSP-based block, so that both trees show.
    BLOCKINFO saved;
    saved.Reset(settings, context.workingDirectory);
    DescribeBlock(saved);
    saved.RealTime = 1;
    saved.FloatingPoint = 1;
    saved.Integer = 1;
    const std::string path = temp.path().toStdString() + "/NTAdd.tbt";
    ASSERT_TRUE(WriteTemplate(saved, path));

    wizard =
        std::make_unique<CWizard>(context, HeaderPicture(context.workingDirectory, ScreenDepth()));
    wizard->resize(640, 480);
    wizard->show();
    const char* names[PAGE_COUNT] = {
        "01-open-file",       "02-visible-info", "03-file-info",      "04-data-info",
        "05-revision-info",   "06-io-info",      "07-parameter-info", "08-local-array-info",
        "09-persistant-info", "10-generate",     "11-finish"};
    Take(*wizard, names[OpenFilePage]);
    dialogs.answers.push_back(path);
    Open();
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
        OverwriteDialog dialog(file, wizard.get());
        Take(dialog, "10-overwrite-question");
    };
    prompts.overwriteAnswers = {OverwriteAnswer::Yes};
    wizard->generatePage()->generateButton()->click();
    ASSERT_EQ(wizard->currentId(), FinishPage);
    Take(*wizard, names[FinishPage]);
}

}  // namespace
}  // namespace bw
