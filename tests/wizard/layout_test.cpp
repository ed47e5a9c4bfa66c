// The sheet keeps one width from the first page to the last, and the record
// pages line their Name fields up.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

#include "wizard/generate.h"
#include "wizard/record_list_page.h"
#include "wizard_fixture.h"

namespace bw {
namespace {

class LayoutTest : public WizardFixture {
protected:
    int SettledWidth() {
        QApplication::processEvents();
        return Wizard().width();
    }
};

TEST_F(LayoutTest, EveryPageIsShownAtTheSameWidthAndNameFieldsLineUp) {
    OpenDescribedBlock([](BLOCKINFO& b) {
        b.RealTime = 1;
        b.Integer = 1;
        b.FloatingPoint = 1;
    });
    const int width = SettledWidth();
    std::vector<std::pair<int, int>> nameFields;  // x and width on pages 7 to 9
    while (Wizard().currentId() != GeneratePage) {
        EXPECT_EQ(SettledWidth(), width) << "page " << Wizard().currentId() + 1;
        if (auto* records = qobject_cast<CRecordListPage*>(Wizard().currentPage())) {
            records->newButton()->click();
            QApplication::processEvents();
            const QLineEdit* name = records->nameEdit();
            nameFields.emplace_back(name->mapTo(&Wizard(), QPoint()).x(), name->width());
        }
        const int before = Wizard().currentId();
        Next();
        ASSERT_NE(Wizard().currentId(), before) << "Next refused on page " << before + 1;
    }
    Wizard().generatePage()->generateButton()->click();
    ASSERT_EQ(Wizard().currentId(), FinishPage);
    EXPECT_EQ(SettledWidth(), width) << "completion page";
    Back();
    EXPECT_EQ(SettledWidth(), width) << "back on the generate page";

    ASSERT_EQ(nameFields.size(), 3u);
    EXPECT_EQ(nameFields[1], nameFields[0]);
    EXPECT_EQ(nameFields[2], nameFields[0]);
}

}  // namespace
}  // namespace bw
