// Pictures of the parameter, local-array and persistent-variable pages and of
// the parameter dialogs, filled with a realistic block (scripts/screenshots.sh).
// Runs only when BLOCKWRIGHT_SCREENSHOTS names the folder to write them to.
#include <QApplication>
#include <QDir>
#include <QListWidget>

#include "wizard/header_picture.h"
#include "wizard/item_dialogs.h"
#include "wizard/parameter_info.h"
#include "wizard_fixture.h"

namespace bw {
namespace {

class ListPageScreenshots : public WizardFixture {
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

    PARAMINFO& AddParameter(const char* name, int type, const char* value) {
        PARAMINFO& p = block.Parameters[static_cast<size_t>(block.NumParameters++)];
        p.ParameterName = name;
        p.ParameterType = type;
        p.ParameterDefault = value;
        return p;
    }
    void AddArray(const char* name, int precision, const char* size) {
        LOCALARRAYINFO& a = block.LocalArrays[static_cast<size_t>(block.NumLocalArrays++)];
        a.ArrayName = name;
        a.LocalPrecision = precision;
        a.LocalSize = size;
    }
    void AddVariable(const char* name, int type, const char* value, const char* other = "") {
        PERSISTANTINFO& v = block.Persistants[static_cast<size_t>(block.NumPersistants++)];
        v.PersistantName = name;
        v.PersistantType = type;
        v.PersistantDefault = value;
        v.PersistantTypeOther = other;
    }

    // A DSP-based FIR filter with parameters of every kind.
    void DescribeFilter() {
        block.BlockName = "NTFir";
        block.RealTime = 1;
        AddParameter("Taps", TYPE_INTEGER, "32").ParameterDesc = "Number of filter taps";
        AddParameter("Gain", TYPE_FLOAT, "1.0").ParameterConst = 1;
        PARAMINFO& window = AddParameter("Window", TYPE_COMBO_BOX, "Hamming");
        window.ParameterItems = {"Rectangular", "Hanning", "Hamming", "Blackman"};
        window.ParameterDesc = "The window applied to the ideal response\r\nbefore truncation.";
        AddParameter("Coefficient File", TYPE_FILE_OPEN, "lowpass.cof").ParameterItems = {
            "Coefficient Files|*.cof", "Text Files|*.txt", "All Files|*.*"};
        AddParameter("Bypass", TYPE_CHECK_BOX, "Unchecked");
        AddArray("hDelayLine", TYPE_FLOAT, "64");
        AddArray("hCoefficients", TYPE_FLOAT, "64");
        AddArray("hScratch", TYPE_SHORT, "128");
        AddVariable("nSamplesSeen", TYPE_LONG, "0");
        AddVariable("fLastGain", TYPE_FLOAT, "1.0");
        AddVariable("szStatus", TYPE_TEXT, "Ready");
        AddVariable("State", TYPE_OTHER, "{0}", "FIR_STATE");
    }

    QString folder;
};

TEST_F(ListPageScreenshots, ParameterArrayAndVariablePages) {
    DescribeFilter();
    wizard =
        std::make_unique<CWizard>(context, HeaderPicture(context.workingDirectory, ScreenDepth()));
    wizard->resize(640, 480);
    wizard->show();
    // Reached from the page before, as the user meets it (Back usable).
    wizard->setStartId(IOInfoPage);
    wizard->restart();
    Next();
    ASSERT_EQ(wizard->currentId(), ParameterInfoPage);

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

}  // namespace
}  // namespace bw
