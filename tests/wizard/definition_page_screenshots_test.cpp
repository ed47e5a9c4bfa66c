// Pictures of the definition pages 2 to 6 filled with a realistic block, as
// the user meets them after opening its template (scripts/screenshots.sh).
// Runs only when BLOCKWRIGHT_SCREENSHOTS names the folder to write them to.
#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QSettings>
#include <QStandardPaths>

#include "definition/template_file.h"
#include "wizard/header_picture.h"
#include "wizard_fixture.h"

namespace bw {
namespace {

class DefinitionPageScreenshots : public WizardFixture {
protected:
    void SetUp() override {
        folder = qEnvironmentVariable("BLOCKWRIGHT_SCREENSHOTS");
        if (folder.isEmpty()) {
            GTEST_SKIP() << "set BLOCKWRIGHT_SCREENSHOTS to a folder to take the pictures";
        }
        QDir().mkpath(folder);
    }

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
        QSettings host(hostFile, QSettings::IniFormat);
        host.setValue("Settings/Working Directory", hostFolder);
        host.setValue("Libraries/Library Count", "2");
        host.setValue("Libraries/Lib1", "Simulation Library");
        host.setValue("Libraries/Lib2", "Filters");
        host.setValue("Libraries/LibFile2", "filters.ini");
    }

    // A DSP-based FIR filter with a reference input.
    BLOCKINFO Filter() const {
        BLOCKINFO b;
        b.Reset(settings, context.workingDirectory);
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
        return b;
    }

    QString folder;
    QString hostFile;
};

TEST_F(DefinitionPageScreenshots, NamesFilesDataRevisionAndChannels) {
    InstallHost();
    const std::string path = temp.path().toStdString() + "/NTFir.tbt";
    ASSERT_TRUE(WriteTemplate(Filter(), path));
    wizard =
        std::make_unique<CWizard>(context, HeaderPicture(context.workingDirectory, ScreenDepth()));
    wizard->resize(640, 480);
    wizard->show();
    dialogs.answers.push_back(path);
    Open();
    ASSERT_EQ(wizard->currentId(), VisibleInfoPage);
    Take(*wizard, "02-visible-info-filled");
    Next();
    Take(*wizard, "03-file-info-filled");
    Next();
    Take(*wizard, "04-data-info-filled");
    Next();
    Take(*wizard, "05-revision-info-filled");
    Next();
    ASSERT_EQ(wizard->currentId(), IOInfoPage);
    wizard->currentPage()->findChild<QListWidget*>("channels")->setCurrentRow(1);
    Take(*wizard, "06-io-info-filled");
}

}  // namespace
}  // namespace bw
