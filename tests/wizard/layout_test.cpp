// The sheet keeps one width from the first page to the last, the record
// pages line their Name fields up, and a long block path wraps on the
// completion page without widening it.
#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTextLayout>
#include <QTreeWidget>

#include "generation/paths.h"
#include "wizard/file_trees_view.h"
#include "wizard/finish.h"
#include "wizard/generate.h"
#include "wizard/record_list_page.h"
#include "wizard/wrapping_text.h"
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
    if (QGuiApplication::platformName() == QLatin1String("minimal")) {
        // Under Wine its default font measures an average character as wide
        // as a line is high (twice Windows' dialog font) and its screen is
        // 240 by 320: the window comes out twice as wide as on Windows and so
        // short that the parameter page's fields scroll.
        GTEST_SKIP() << "the minimal platform has neither Windows' font nor a real screen; "
                        "Windows' own platform runs this test on a virtual display";
    }
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

// The parameter pages' fields and the completion page's picture are taller
// than the pages before them: they scroll or are cut, the window keeps the
// height the user gave it.
TEST_F(LayoutTest, AWindowMadeSmallerKeepsItsSizeOnThePagesAfter) {
    OpenDescribedBlock();
    NextUntil(IOInfoPage);
    QApplication::processEvents();
    Wizard().resize(Wizard().width(), Wizard().minimumHeight());
    QApplication::processEvents();
    const QSize chosen = Wizard().size();
    ASSERT_LT(chosen.height(), Wizard().sizeHint().height());
    for (int page = ParameterInfoPage; page <= GeneratePage; ++page) {
        NextUntil(page);
        if (auto* records = qobject_cast<CRecordListPage*>(Wizard().currentPage())) {
            records->newButton()->click();  // the record's fields shown
        }
        QApplication::processEvents();
        EXPECT_EQ(Wizard().size(), chosen) << "page " << page + 1;
    }
    Wizard().generatePage()->generateButton()->click();
    ASSERT_EQ(Wizard().currentId(), FinishPage);
    QApplication::processEvents();
    EXPECT_EQ(Wizard().size(), chosen) << "completion page";
    Back();
    QApplication::processEvents();
    EXPECT_EQ(Wizard().size(), chosen) << "back on the generate page";
}

// A DSP-based block's completion page, the try offered, at the narrowest
// the window goes: every button as wide as its text needs, on the page and
// clear of the others (a row squeezed below what it needs overlaps them).
TEST_F(LayoutTest, TheCompletionPageCutsNoButtonInTheNarrowestWindow) {
    OpenDescribedBlock([](BLOCKINFO& b) {
        b.RealTime = 1;
        b.FloatingPoint = 1;
    });
    NextUntil(GeneratePage);
    Wizard().generatePage()->generateButton()->click();
    ASSERT_EQ(Wizard().currentId(), FinishPage);
    Wizard().resize(Wizard().minimumSize());
    QApplication::processEvents();
    const CFinish& page = *Wizard().finishPage();
    ASSERT_TRUE(page.trialButton()->isVisible());
    std::vector<std::pair<QRect, std::string>> placed;
    for (const QPushButton* button : page.findChildren<QPushButton*>()) {
        if (!button->isVisible()) {
            continue;
        }
        const QRect area(button->mapTo(&page, QPoint()), button->size());
        const std::string text = button->text().toStdString();
        EXPECT_GE(area.width(), button->sizeHint().width()) << text;
        EXPECT_TRUE(page.rect().contains(area)) << text;
        for (const auto& [other, otherText] : placed) {
            EXPECT_FALSE(area.intersects(other)) << text << " over " << otherText;
        }
        placed.emplace_back(area, text);
    }
}

TEST_F(LayoutTest, ALongBlockPathWrapsOnTheCompletionPageWithoutWideningIt) {
    // One folder name longer than a line, and no blank anywhere.
    const std::string folder = temp.path().toStdString() + "/" + std::string(20, 'a') +
                               "_a_folder_name_that_goes_on_without_a_blank_or_separator_" +
                               std::string(60, 'z') + "/NTAdd";
    OpenDescribedBlock([&](BLOCKINFO& b) { b.Directory = folder; });
    const int width = SettledWidth();
    NextUntil(GeneratePage);
    Wizard().generatePage()->generateButton()->click();
    ASSERT_EQ(Wizard().currentId(), FinishPage);
    EXPECT_EQ(SettledWidth(), width);

    const auto* location = Wizard().finishPage()->locationLabel();
    EXPECT_TRUE(location->text().contains(QString::fromStdString(DisplayPath(folder))));
    EXPECT_LE(location->mapTo(&Wizard(), QPoint(location->width(), 0)).x(), width);
    // Given no less than it needs: neither a line nor the end of one is cut.
    EXPECT_LE(location->minimumSizeHint().width(), location->width());
    EXPECT_GE(location->height(), location->heightForWidth(location->width()));
    EXPECT_GE(location->height(), 3 * location->fontMetrics().height());  // wrapped
}

TEST_F(LayoutTest, ALongFolderInAFindingWrapsOnTheGeneratePageWithoutWideningIt) {
    // The stand-in host folder, named in a warning, below one folder name
    // longer than a line.
    const std::string folder =
        temp.path().toStdString() + "/" + std::string(120, 'q') + "/host-sdk-not-set/";
    OpenDescribedBlock([&](BLOCKINFO& b) { b.LibraryPath = b.IncludePath = folder; });
    const int width = SettledWidth();
    NextUntil(GeneratePage);
    EXPECT_EQ(SettledWidth(), width);
    const auto* findings = Wizard().generatePage()->findingsText();
    ASSERT_TRUE(findings->text().contains(QString::fromStdString(folder)));
    EXPECT_LE(findings->mapTo(&Wizard(), QPoint(findings->width(), 0)).x(), width);
    // Given no less than it needs: nothing of the folder is cut.
    EXPECT_LE(findings->minimumSizeHint().width(), findings->width());
    EXPECT_GE(findings->height(), findings->heightForWidth(findings->width()));
}

// How many lines text takes wrapped at width.
int WrappedLines(const QString& text, const QFont& font, int width) {
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    int lines = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        ++lines;
    }
    layout.endLayout();
    return lines;
}

// Every mark of a tree item fits its row: wrapped at its column's width, as
// the view draws it, each of its lines has room in the row.
void ExpectMarksWhole(const QTreeWidget& tree, const QTreeWidgetItem& item) {
    if (!item.text(1).isEmpty()) {
        const int margin =
            tree.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &tree) + 1;
        const int width = tree.header()->sectionSize(1) - 2 * margin;
        const int lines = WrappedLines(item.text(1), tree.font(), width);
        EXPECT_LE(lines * tree.fontMetrics().height(), tree.visualItemRect(&item).height())
            << lines << " lines: " << item.text(1).toStdString();
        EXPECT_LE(
            tree.fontMetrics()
                .boundingRect(QRect(0, 0, width, QWIDGETSIZE_MAX), Qt::TextWordWrap, item.text(1))
                .width(),
            width)
            << item.text(1).toStdString();
    }
    for (int i = 0; i < item.childCount(); ++i) {
        ExpectMarksWhole(tree, *item.child(i));
    }
}

// A DSP-based block regenerated over hand edits: every file's name and the
// longest of marks whole in its tree at the default size, on the generate
// page and the completion page.
TEST_F(LayoutTest, TheTreesShowEveryNameAndStateWholeOnADspBlock) {
    const auto expectWhole = [&](const FileTreesView& view) {
        QApplication::processEvents();  // the rows follow the columns' widths
        QApplication::processEvents();
        for (const QTreeWidget* tree : {view.pcTree(), view.dspTree()}) {
            ASSERT_TRUE(tree->isVisible());
            const int columns = tree->header()->sectionSize(0) + tree->header()->sectionSize(1);
            EXPECT_LE(columns, tree->viewport()->width())
                << "page " << Wizard().currentId() + 1 << ": "
                << tree->topLevelItem(0)->text(0).toStdString();
            ExpectMarksWhole(*tree, *tree->topLevelItem(0));
        }
    };
    OpenDescribedBlock([](BLOCKINFO& b) {
        b.RealTime = 1;
        b.Integer = 1;
        b.FloatingPoint = 1;
    });
    NextUntil(GeneratePage);
    Wizard().generatePage()->generateButton()->click();
    ASSERT_EQ(Wizard().currentId(), FinishPage);
    expectWhole(*Wizard().finishPage()->trees());
    for (const std::string& name :
         {BlockFile(block.BlockName + ".h"), BlockFile("DSPCODE/_" + block.BlockName + ".c")}) {
        QFile file(QString::fromStdString(name));
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write("// by hand\r\n");
    }
    block.NumInputs += 1;
    Back();
    ASSERT_EQ(Wizard().currentId(), GeneratePage);
    const QTreeWidget& dsp = *Wizard().generatePage()->trees()->dspTree();
    ASSERT_FALSE(
        dsp.findItems(QStringLiteral("edited by hand"), Qt::MatchContains | Qt::MatchRecursive, 1)
            .isEmpty());
    expectWhole(*Wizard().generatePage()->trees());
}

}  // namespace
}  // namespace bw
