#include "definition/edit_rules.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace bw {
namespace {

TEST(PageStores, TypeImageAndChipAsThePagesLeaveThem) {
    BLOCKINFO block;
    block.NumInputs = 0;
    block.NumOutputs = 2;
    block.BlockType = BLOCK_PROCESS;
    block.Image = 1;
    block.Chip = 1234;
    ApplyWizardPageStores(block);
    EXPECT_EQ(block.BlockType, BLOCK_INPUT);
    EXPECT_EQ(block.Image, 0);
    EXPECT_EQ(block.Chip, 6200);
    EXPECT_EQ(block.ChipName, "C62x");

    block.Chip = 5500;
    block.NumInputs = 3;
    block.NumOutputs = 0;
    ApplyWizardPageStores(block);
    EXPECT_EQ(block.Chip, 5500);
    EXPECT_EQ(block.ChipName, "C55x");
    EXPECT_EQ(block.BlockType, BLOCK_OUTPUT);

    // Each page stores only its own part.
    block.NumOutputs = 2;
    block.Image = 1;
    ApplyChannelPageStore(block);
    EXPECT_EQ(block.BlockType, BLOCK_PROCESS);
    EXPECT_EQ(block.Image, 1);
    ApplyDataPageStore(block);
    EXPECT_EQ(block.Image, 0);
}

// Every box of the choices, with the field it stores.
struct Box {
    std::function<bool&(DataChoices&)> choice;
    int BLOCKINFO::*field;
};

std::vector<Box> EveryBox() {
    const auto named = [](bool DataChoices::*member) {
        return [member](DataChoices& c) -> bool& { return c.*member; };
    };
    std::vector<Box> boxes = {
        {named(&DataChoices::userControl), &BLOCKINFO::UserControl},
        {named(&DataChoices::dspBased), &BLOCKINFO::RealTime},
        {named(&DataChoices::native), &BLOCKINFO::Native},
        {named(&DataChoices::xDAIS), &BLOCKINFO::xDAIS},
        {named(&DataChoices::matrix), &BLOCKINFO::Matrix},
        {named(&DataChoices::sizeCheck), &BLOCKINFO::Square},
        {named(&DataChoices::q), &BLOCKINFO::Q},
    };
    for (size_t i = 0; i < std::size(DATA_TYPES); ++i) {
        boxes.push_back(
            {[i](DataChoices& c) -> bool& { return c.dataTypes[i]; }, DATA_TYPES[i].flag});
    }
    for (size_t i = 0; i < SAMPLE_PRECISION_COUNT; ++i) {
        boxes.push_back(
            {[i](DataChoices& c) -> bool& { return c.precisions[i]; }, SAMPLE_PRECISIONS[i].flag});
    }
    return boxes;
}

TEST(DataChoices, EveryBoxStoresItsOwnField) {
    const std::vector<Box> boxes = EveryBox();
    EXPECT_EQ(boxes.size(), 16u);  // the page's sixteen boxes, Bitmap not among them
    for (const Box& box : boxes) {
        DataChoices one;
        box.choice(one) = true;
        BLOCKINFO block;
        block.Bitmap = 1;  // no box shows it: the page leaves it as it is
        for (const Box& other : boxes) {
            block.*other.field = 7;  // overwritten by every box, set or not
        }
        StoreDataChoices(one, block);
        int set = 0;
        for (const Box& other : boxes) {
            set += block.*other.field;
        }
        EXPECT_EQ(block.*box.field, 1);
        EXPECT_EQ(set, 1);
        EXPECT_EQ(block.Bitmap, 1);
        DataChoices read = DataChoicesOf(block);
        EXPECT_TRUE(box.choice(read));
    }
}

TEST(BlockName, LeadingCharactersOtherThanLettersAndUnderscoreGo) {
    EXPECT_EQ(BadBlockNameStart("9Add"), 1u);
    EXPECT_EQ(BadBlockNameStart("1-2Sub.v2"), 3u);
    EXPECT_EQ(BadBlockNameStart("_x"), 0u);
    EXPECT_EQ(BadBlockNameStart("Add"), 0u);
    EXPECT_EQ(BadBlockNameStart("12"), 2u);
    EXPECT_EQ(BadBlockNameStart("\xc3\xa9t\xc3\xa9"), 2u);  // a letter, but not one a C name allows
    EXPECT_EQ(BadBlockNameStart(""), 0u);
}

// Types a name character by character, as the page sees it.
BlockNameFollowers Typed(BlockNameFollowers fields, const std::string& name) {
    for (size_t length = 1; length <= name.size(); ++length) {
        FollowBlockName(fields, name.substr(0, length), "/home/u/", '/');
    }
    return fields;
}

TEST(BlockName, TheAppendFlagDecidesBetweenANewFolderAndRenamingTheLastOne) {
    // A directory without its closing separator gets the kind it already uses.
    BlockNameFollowers fields = Typed({"c:\\blocks", "", "", true}, "A");
    EXPECT_EQ(fields.directory, "c:\\blocks\\A");

    // Without the flag the name replaces the last component.
    fields.directory = "/other/Keep";
    FollowBlockName(fields, "B", "/home/u/", '/');
    EXPECT_EQ(fields.directory, "/other/B");

    // Erasing the name leaves the parent, and the next name is a sub-folder again.
    FollowBlockName(fields, "", "/home/u/", '/');
    EXPECT_EQ(fields.directory, "/other/");
    EXPECT_TRUE(fields.appendName);
    EXPECT_EQ(fields.helpFilename, ".hlp");

    // An empty directory starts at the given folder; one without any separator
    // gets the given separator.
    EXPECT_EQ(Typed({"", "", "", true}, "N").directory, "/home/u/N");
    fields = {"blocks", "", "", true};
    FollowBlockName(fields, "N", "/home/u/", '\\');
    EXPECT_EQ(fields.directory, "blocks\\N");
}

}  // namespace
}  // namespace bw
