#include "definition/edit_rules.h"

#include <gtest/gtest.h>

#include <utility>

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

TEST(DataChoices, EveryBoxStoresItsOwnField) {
    const std::pair<bool DataChoices::*, int BLOCKINFO::*> boxes[] = {
        {&DataChoices::userControl, &BLOCKINFO::UserControl},
        {&DataChoices::dspBased, &BLOCKINFO::RealTime},
        {&DataChoices::native, &BLOCKINFO::Native},
        {&DataChoices::xDAIS, &BLOCKINFO::xDAIS},
        {&DataChoices::matrix, &BLOCKINFO::Matrix},
        {&DataChoices::sizeCheck, &BLOCKINFO::Square},
        {&DataChoices::real, &BLOCKINFO::Real},
        {&DataChoices::complex, &BLOCKINFO::Complex},
        {&DataChoices::character, &BLOCKINFO::Character},
        {&DataChoices::byte, &BLOCKINFO::Byte},
        {&DataChoices::shortInteger, &BLOCKINFO::ShortInteger},
        {&DataChoices::integer, &BLOCKINFO::Integer},
        {&DataChoices::q, &BLOCKINFO::Q},
        {&DataChoices::longInteger, &BLOCKINFO::LongInteger},
        {&DataChoices::floatingPoint, &BLOCKINFO::FloatingPoint},
        {&DataChoices::doublePrecision, &BLOCKINFO::Double},
    };
    for (const auto& [box, field] : boxes) {
        DataChoices one;
        one.*box = true;
        BLOCKINFO block;
        StoreDataChoices(one, block);
        int set = 0;
        for (const auto& other : boxes) {
            set += block.*(other.second);
        }
        EXPECT_EQ(block.*field, 1);
        EXPECT_EQ(set, 1);
        EXPECT_TRUE(DataChoicesOf(block).*box);
    }
}

TEST(DataChoices, ADspBlockKeepsIntegerAndFloatingPointOnly) {
    BLOCKINFO block;  // every precision set
    block.Character = 1;
    block.RealTime = 1;
    DataChoices choices = DataChoicesOf(block);
    ApplyDspRule(choices);
    EXPECT_TRUE(choices.integer && choices.floatingPoint);
    EXPECT_FALSE(choices.character || choices.byte || choices.shortInteger || choices.longInteger ||
                 choices.doublePrecision);
    EXPECT_TRUE(DataChoicesComplete(choices));
    const DataBoxesEnabled enabled = EnabledDataBoxes(choices);
    EXPECT_FALSE(enabled.nonDspPrecisions);
    EXPECT_TRUE(enabled.native);

    choices.real = choices.complex = false;
    EXPECT_FALSE(DataChoicesComplete(choices));
    choices.complex = true;
    choices.integer = choices.floatingPoint = false;
    EXPECT_FALSE(DataChoicesComplete(choices));
}

TEST(DataChoices, NativeAndXdaisBelongToADspBlockAndExcludeEachOther) {
    DataChoices choices;
    choices.dspBased = choices.xDAIS = true;
    choices.native = true;
    NativeClicked(choices);
    EXPECT_FALSE(choices.xDAIS);

    choices.xDAIS = true;
    choices.native = false;
    NativeClicked(choices);  // turning Native off leaves XDAIS
    EXPECT_TRUE(choices.xDAIS);

    choices.native = true;
    choices.dspBased = false;
    ApplyDspRule(choices);
    EXPECT_FALSE(choices.native || choices.xDAIS);
    EXPECT_FALSE(EnabledDataBoxes(choices).native);
    EXPECT_TRUE(EnabledDataBoxes(choices).nonDspPrecisions);
}

TEST(DataChoices, AnXdaisBlockHasOnePrecisionAndQFollowsInteger) {
    DataChoices choices;
    choices.integer = choices.q = true;
    choices.floatingPoint = true;
    IntegerClicked(choices);  // not XDAIS: both stay
    FloatingPointClicked(choices);
    EXPECT_TRUE(choices.integer && choices.q && choices.floatingPoint);

    choices.xDAIS = true;
    FloatingPointClicked(choices);
    EXPECT_FALSE(choices.integer || choices.q);
    EXPECT_FALSE(EnabledDataBoxes(choices).q);
    choices.integer = true;
    IntegerClicked(choices);
    EXPECT_FALSE(choices.floatingPoint);
    EXPECT_TRUE(EnabledDataBoxes(choices).q);

    choices.q = true;
    choices.integer = false;
    IntegerClicked(choices);
    EXPECT_FALSE(choices.q);
}

TEST(DataChoices, SizeCheckFollowsMatrix) {
    DataChoices choices;
    EXPECT_FALSE(EnabledDataBoxes(choices).sizeCheck);
    choices.matrix = true;
    EXPECT_TRUE(EnabledDataBoxes(choices).sizeCheck);
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

TEST(BlockName, TheDirectoryAndTheHelpAndIconFilesFollowTheName) {
    BlockNameFollowers fields = Typed({"c:\\blocks\\", "", "", true}, "NTAdd");
    EXPECT_EQ(fields.directory, "c:\\blocks\\NTAdd");
    EXPECT_EQ(fields.helpFilename, "NTAdd.hlp");
    EXPECT_EQ(fields.iconFilename, "NTAdd.ico");
    EXPECT_FALSE(fields.appendName);

    fields = Typed({"/blocks/", "", "", true}, "Sub.v2");
    EXPECT_EQ(fields.directory, "/blocks/Sub.v2");
    EXPECT_EQ(fields.helpFilename, "Sub.hlp");
    EXPECT_EQ(fields.iconFilename, "Sub.ico");
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
