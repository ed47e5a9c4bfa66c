#pragma once

// The rules that keep a definition consistent while it is edited: what the
// data and channel pages store besides their fields, the data page's
// check-box rules, and how the block file name carries the directory and the
// help and icon files with it. The wizard's pages apply them to what the user
// clicks and types; the command line applies the store rules to a template
// that it generates without the pages.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "definition/block_info.h"
#include "definition/data_tables.h"

namespace bw {

// What the data page stores besides its boxes: Image cleared, Chip and
// ChipName set from the chip's selection index (an unknown chip becomes the
// first family).
void ApplyDataPageStore(BLOCKINFO& block);
// What the channel page stores besides counts and channels: the block type
// derived from the counts.
void ApplyChannelPageStore(BLOCKINFO& block);
// Both: a template that passes through the pages unchanged comes out so.
void ApplyWizardPageStores(BLOCKINFO& block);

// The data page's check boxes. xDAIS has no box there, but the rules clear it.
struct DataChoices {
    bool userControl = false;
    bool dspBased = false;
    bool native = false;
    bool xDAIS = false;
    bool matrix = false;
    bool sizeCheck = false;
    // One box for each row of DATA_TYPES and of SAMPLE_PRECISIONS.
    std::array<bool, std::size(DATA_TYPES)> dataTypes{};
    std::array<bool, SAMPLE_PRECISION_COUNT> precisions{};
    bool q = false;
};

DataChoices DataChoicesOf(const BLOCKINFO& block);
void StoreDataChoices(const DataChoices& choices, BLOCKINFO& block);

// A DSP-based block handles only Integer and Floating Point, and only a
// DSP-based block may be native or an XDAIS component.
void ApplyDspRule(DataChoices& choices);
// Native DSP code is not an XDAIS component.
void NativeClicked(DataChoices& choices);
// Q belongs to Integer; an XDAIS block has one precision, Integer or
// Floating Point.
void IntegerClicked(DataChoices& choices);
void FloatingPointClicked(DataChoices& choices);

// Which of the boxes that depend on others can be clicked.
struct DataBoxesEnabled {
    bool nonDspPrecisions;  // the precisions that are not dspCapable
    bool native;
    bool sizeCheck;
    bool q;  // with its level
};
DataBoxesEnabled EnabledDataBoxes(const DataChoices& choices);

// A data type and at least one precision: the page lets the user go on.
bool DataChoicesComplete(const DataChoices& choices);

// The number of characters a typed block file name must lose so that it
// begins with a letter or "_" (all of them when none does).
size_t BadBlockNameStart(std::string_view name);

// The fields of the file page that follow the block file name.
struct BlockNameFollowers {
    std::string directory;
    std::string helpFilename;
    std::string iconFilename;
    // The next name becomes a new last component of directory instead of
    // replacing its last one.
    bool appendName = true;
};

// A changed block file name. With appendName set, directory first ends in a
// separator (an empty one becomes emptyDirectory; the separator added is the
// kind the directory already uses, else separator) and appendName is cleared. Then the name
// replaces whatever follows the directory's last separator; an empty name leaves the directory
// ending in a separator and sets appendName again. The help and icon files are
// the name up to its first "." with ".hlp" and ".ico".
void FollowBlockName(BlockNameFollowers& fields, const std::string& blockName,
                     const std::string& emptyDirectory, char separator);

}  // namespace bw
