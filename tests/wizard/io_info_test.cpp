// Page 6: channel counts, the remembered channel entries, what reaches the
// definition on Next and on Back, the first-visit dimensions of a new block
// (and none for a template), and the block preview.
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>
#include <QTest>

#include "definition/template_file.h"
#include "wizard/block_preview.h"
#include "wizard/io_info.h"
#include "wizard_fixture.h"

namespace bw {
namespace {

class IOPageTest : public WizardFixture {
protected:
    void SetUp() override {
        page = std::make_unique<CIOInfo>(context);
        page->show();
    }

    template <typename Widget>
    Widget* Find(const char* name) {
        auto* widget = page->findChild<Widget*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QSpinBox* Inputs() { return Find<QSpinBox>("inputCount"); }
    QSpinBox* Outputs() { return Find<QSpinBox>("outputCount"); }
    QListWidget* Channels() { return Find<QListWidget>("channels"); }
    QLineEdit* Label() { return Find<QLineEdit>("channelLabel"); }
    QLineEdit* Dimension() { return Find<QLineEdit>("channelDimension"); }

    // Selects a row of the channel list and types over the label.
    void Relabel(int row, const char* text) {
        Channels()->setCurrentRow(row);
        Label()->selectAll();
        QTest::keyClicks(Label(), QString::fromLatin1(text));
    }

    QStringList Rows() {
        QStringList rows;
        for (int i = 0; i < Channels()->count(); ++i) {
            rows << Channels()->item(i)->text();
        }
        return rows;
    }

    std::unique_ptr<CIOInfo> page;
};

TEST_F(IOPageTest, ListShowsOneEntryPerChannelAndTheFirstIsSelected) {
    block.NumInputs = 2;
    block.NumOutputs = 1;
    block.InputChannelLabel[0] = "Left";
    block.InputChannelDimension[0] = 4;
    page->load();
    EXPECT_EQ(Rows(), (QStringList{"Input Channel 0", "Input Channel 1", "Output Channel 0"}));
    EXPECT_EQ(Channels()->currentRow(), 0);
    EXPECT_EQ(Label()->text(), "Left");
    EXPECT_EQ(Dimension()->text(), "4");
    EXPECT_EQ(Inputs()->maximum(), 129);
    EXPECT_EQ(Outputs()->minimum(), 0);
    Channels()->setCurrentRow(2);
    EXPECT_EQ(Label()->text(), "Out0");

    Inputs()->setValue(0);
    Outputs()->setValue(0);
    EXPECT_TRUE(Rows().isEmpty());
    EXPECT_FALSE(Label()->isEnabled());
}

TEST_F(IOPageTest, LabelsSurviveACountLoweredAndRaised) {
    page->load();
    Inputs()->setValue(3);
    Relabel(2, "Gain");
    Inputs()->setValue(1);
    EXPECT_EQ(Rows(), (QStringList{"Input Channel 0", "Output Channel 0"}));
    Inputs()->setValue(3);
    Channels()->setCurrentRow(2);
    EXPECT_EQ(Label()->text(), "Gain");

    Channels()->setCurrentRow(3);  // the output, after the three inputs
    Dimension()->selectAll();
    QTest::keyClicks(Dimension(), QStringLiteral("8"));
    ASSERT_TRUE(page->store(true));
    EXPECT_EQ(block.NumInputs, 3);
    EXPECT_EQ(block.InputChannelLabel[2], "Gain");
    EXPECT_EQ(block.OutputChannelDimension[0], 8);
    EXPECT_EQ(block.BlockType, BLOCK_PROCESS);
}

TEST_F(IOPageTest, BackStoresTheCountsButNotTheChannels) {
    page->load();
    Relabel(0, "Signal");
    Outputs()->setValue(0);
    ASSERT_TRUE(page->store(false));
    EXPECT_EQ(block.NumOutputs, 0);
    EXPECT_EQ(block.BlockType, BLOCK_OUTPUT);
    EXPECT_EQ(block.InputChannelLabel[0], "In0");

    // The page still holds the entry when it is shown again.
    page->load();
    EXPECT_EQ(Label()->text(), "Signal");
    Inputs()->setValue(0);
    Outputs()->setValue(2);
    ASSERT_TRUE(page->store(true));
    EXPECT_EQ(block.BlockType, BLOCK_INPUT);
}

TEST_F(IOPageTest, AnEmptyCountShowsTheRangeMessageAndKeepsThePage) {
    page->load();
    Inputs()->findChild<QLineEdit*>()->clear();  // the spin box's own field
    EXPECT_FALSE(page->store(true));
    EXPECT_EQ(prompts.messages,
              std::vector<std::string>{"# of Input Arrays: a whole number is needed (0 to 129)."});
    EXPECT_EQ(block.NumInputs, 1);
}

TEST_F(IOPageTest, ANewBlockGetsFirstVisitDimensionsAndATemplateKeepsItsOwn) {
    block.Matrix = 1;
    context.origin.begin(false);  // "&New >" on page 1
    page->load();
    EXPECT_EQ(Dimension()->text(), "2");
    EXPECT_EQ(block.OutputChannelDimension[128], 2);

    // An opened template: its dimensions stay, and the entries of the block
    // before are forgotten.
    Relabel(0, "Stale");
    block.Reset(settings, context.newBlockFolders);
    block.Matrix = 1;
    block.InputChannelDimension[0] = 3;
    block.OutputChannelDimension[0] = 5;
    context.origin.begin(true);  // an opened template
    page->load();
    EXPECT_EQ(Label()->text(), "In0");
    EXPECT_EQ(Dimension()->text(), "3");
    ASSERT_TRUE(page->store(true));
    EXPECT_EQ(block.OutputChannelDimension[0], 5);

    // Later visits of the same block change nothing.
    block.Matrix = 0;
    page->load();
    EXPECT_EQ(Dimension()->text(), "3");
}

TEST_F(IOPageTest, PreviewFollowsTheCountsAndPrefersTheWorkingDirectorysPicture) {
    page->load();
    Inputs()->setValue(5);
    auto* preview = Find<BlockPreview>("blockPreview");
    EXPECT_EQ(preview->inputs(), 5);
    EXPECT_EQ(preview->outputs(), 1);
    EXPECT_TRUE(preview->showsWorkingDirectoryPicture());  // assets/ has Block.bmp

    BlockPreview builtIn(temp.path().toStdString() + "/");
    EXPECT_FALSE(builtIn.showsWorkingDirectoryPicture());
    builtIn.resize(200, 140);
    builtIn.setCounts(129, 0);
    const QImage drawn = builtIn.grab().toImage();
    EXPECT_FALSE(drawn.isNull());
}

TEST(BlockPreviewLines, StayInsideTheBodyApartAndNumberedReadablyAtEveryCount) {
    constexpr int NUMBER_HEIGHT = 9;
    for (const int height : {40, 96, 150}) {
        for (int count = 1; count <= 129; ++count) {
            SCOPED_TRACE(testing::Message() << count << " channels over " << height << " rows");
            const std::vector<PreviewLine> lines = LayOutLines(count, 10, height, NUMBER_HEIGHT);
            ASSERT_FALSE(lines.empty());
            EXPECT_EQ(lines.front().channel, 0);
            EXPECT_EQ(lines.back().channel, count - 1);
            EXPECT_TRUE(lines.back().numbered);
            if (count * MIN_LINE_SPACING <= height) {
                EXPECT_EQ(lines.size(), static_cast<size_t>(count));  // every channel drawn
            }
            const PreviewLine* lastNumbered = nullptr;
            for (size_t i = 0; i < lines.size(); ++i) {
                EXPECT_GE(lines[i].y, 10);
                EXPECT_LT(lines[i].y, 10 + height);
                if (i > 0) {
                    EXPECT_GE(lines[i].y - lines[i - 1].y, MIN_LINE_SPACING);
                }
                if (lines[i].numbered) {
                    if (lastNumbered != nullptr && count > 1) {
                        EXPECT_GE(lines[i].y - lastNumbered->y, NUMBER_HEIGHT - 1);
                    }
                    lastNumbered = &lines[i];
                }
            }
        }
    }
}

TEST(BlockPreviewNumbers, NeverOverlapAndStayInsideThePreviewAtEveryCount) {
    BlockPreview preview(std::string(BLOCKWRIGHT_SOURCE_DIR) + "/assets/");
    for (const QSize size : {QSize(160, 110), QSize(220, 150), QSize(300, 420)}) {
        preview.resize(size);
        for (const int count : {1, 20, 40, 129, 256}) {
            SCOPED_TRACE(testing::Message()
                         << count << " channels at " << size.width() << "x" << size.height());
            preview.setCounts(count, count);
            const std::vector<QRect> boxes = preview.numberBoxes();
            ASSERT_GE(boxes.size(), 2u);  // at least each side's last channel
            for (size_t i = 0; i < boxes.size(); ++i) {
                EXPECT_TRUE(preview.rect().contains(boxes[i]));
                for (size_t j = i + 1; j < boxes.size(); ++j) {
                    EXPECT_FALSE(boxes[i].intersects(boxes[j])) << i << " and " << j;
                }
            }
        }
    }
}

// 129 channels at the page's size: numbers of 8 pixels at least, and every
// drawn channel, numbered or not, told on hover.
TEST(BlockPreviewNumbers, AreReadableAndEveryChannelIsToldOnHover) {
    BlockPreview preview(std::string(BLOCKWRIGHT_SOURCE_DIR) + "/assets/");
    preview.resize(preview.sizeHint());
    preview.setCounts(129, 129);
    EXPECT_GE(preview.numberPixelSize(), 8);
    const std::vector<QRect> boxes = preview.numberBoxes();
    ASSERT_FALSE(boxes.empty());
    // Left of the body, at a number's line (the bottom of its box): that channel.
    const QRect& first = boxes.front();
    EXPECT_EQ(preview.channelTipAt(QPoint(first.left() + 1, first.bottom() + 1)), "Input 0");
    const QRect& last = boxes.back();  // the outputs' last
    EXPECT_EQ(preview.channelTipAt(QPoint(last.right() - 1, last.bottom() + 1)), "Output 128");
    // The middle of the inputs names a channel even where none is numbered.
    const QString middle = preview.channelTipAt(QPoint(first.left() + 1, preview.height() / 2));
    EXPECT_TRUE(middle.startsWith(QStringLiteral("Input "))) << middle.toStdString();
    // Over the body: nothing.
    EXPECT_EQ(preview.channelTipAt(preview.rect().center()), "");
}

// Through the sheet: the page itself notices how page 1 started the block.
TEST_F(IOPageTest, SheetAppliesNewBlockDimensionsOnlyAfterNew) {
    BLOCKINFO saved;
    saved.Reset(settings, context.newBlockFolders);
    DescribeBlock(saved);
    saved.Matrix = 1;
    saved.InputChannelDimension[0] = 3;
    const std::string path = temp.path().toStdString() + "/NTAdd.tbt";
    ASSERT_TRUE(WriteTemplate(saved, path));

    dialogs.answers.push_back(path);
    Open();
    ASSERT_EQ(Wizard().currentId(), VisibleInfoPage);
    while (Wizard().currentId() != IOInfoPage) {
        Next();
    }
    auto* dimension = Wizard().page(IOInfoPage)->findChild<QLineEdit*>("channelDimension");
    EXPECT_EQ(dimension->text(), "3");

    while (Wizard().currentId() != OpenFilePage) {
        Back();
    }
    Next();  // New
    block.GroupName = "Arithmetic";
    block.MenuName = "Add";
    block.BlockName = "NTAdd";
    block.Matrix = 1;  // as the data page would store it
    while (Wizard().currentId() != IOInfoPage) {
        Wizard().wizardPage(Wizard().currentId())->load();
        Next();
    }
    EXPECT_EQ(dimension->text(), "2");
}

}  // namespace
}  // namespace bw
