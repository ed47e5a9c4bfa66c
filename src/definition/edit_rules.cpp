#include "definition/edit_rules.h"

#include <algorithm>

#include "files/path_text.h"

namespace bw {

namespace {

bool BeginsBlockName(char c) {
    return c == '_' || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// The name up to its first "." followed by extension.
std::string WithExtension(const std::string& name, const char* extension) {
    return name.substr(0, name.find('.')) + extension;
}

int Flag(bool on) {
    return on ? 1 : 0;
}

}  // namespace

void ApplyDataPageStore(BLOCKINFO& block) {
    const int chipIndex = IndexForChip(block.Chip);
    block.Image = 0;
    block.Chip = ChipForIndex(chipIndex);
    block.ChipName = ChipNameForIndex(chipIndex);
}

void ApplyChannelPageStore(BLOCKINFO& block) {
    block.BlockType = BLOCKINFO::BlockTypeFor(block.NumInputs, block.NumOutputs);
}

void ApplyWizardPageStores(BLOCKINFO& block) {
    ApplyDataPageStore(block);
    ApplyChannelPageStore(block);
}

DataChoices DataChoicesOf(const BLOCKINFO& block) {
    DataChoices c;
    c.userControl = block.UserControl != 0;
    c.dspBased = block.RealTime != 0;
    c.native = block.Native != 0;
    c.xDAIS = block.xDAIS != 0;
    c.matrix = block.Matrix != 0;
    c.sizeCheck = block.Square != 0;
    for (size_t i = 0; i < c.dataTypes.size(); ++i) {
        c.dataTypes[i] = block.*DATA_TYPES[i].flag != 0;
    }
    for (size_t i = 0; i < c.precisions.size(); ++i) {
        c.precisions[i] = block.*SAMPLE_PRECISIONS[i].flag != 0;
    }
    c.q = block.Q != 0;
    return c;
}

void StoreDataChoices(const DataChoices& c, BLOCKINFO& block) {
    block.UserControl = Flag(c.userControl);
    block.RealTime = Flag(c.dspBased);
    block.Native = Flag(c.native);
    block.xDAIS = Flag(c.xDAIS);
    block.Matrix = Flag(c.matrix);
    block.Square = Flag(c.sizeCheck);
    for (size_t i = 0; i < c.dataTypes.size(); ++i) {
        block.*DATA_TYPES[i].flag = Flag(c.dataTypes[i]);
    }
    for (size_t i = 0; i < c.precisions.size(); ++i) {
        block.*SAMPLE_PRECISIONS[i].flag = Flag(c.precisions[i]);
    }
    block.Q = Flag(c.q);
}

void ApplyDspRule(DataChoices& c) {
    if (c.dspBased) {
        for (size_t i = 0; i < c.precisions.size(); ++i) {
            c.precisions[i] = c.precisions[i] && SAMPLE_PRECISIONS[i].dspCapable;
        }
    } else {
        c.native = c.xDAIS = false;
    }
}

void NativeClicked(DataChoices& c) {
    if (c.native) {
        c.xDAIS = false;
    }
}

void IntegerClicked(DataChoices& c) {
    if (!c.precisions[INTEGER_PRECISION]) {
        c.q = false;
    } else if (c.xDAIS) {
        c.precisions[FLOATING_POINT_PRECISION] = false;
    }
}

void FloatingPointClicked(DataChoices& c) {
    if (c.precisions[FLOATING_POINT_PRECISION] && c.xDAIS) {
        c.precisions[INTEGER_PRECISION] = c.q = false;
    }
}

DataBoxesEnabled EnabledDataBoxes(const DataChoices& c) {
    return {!c.dspBased, c.dspBased, c.matrix, c.precisions[INTEGER_PRECISION]};
}

bool DataChoicesComplete(const DataChoices& c) {
    const auto any = [](const auto& boxes) {
        return std::find(boxes.begin(), boxes.end(), true) != boxes.end();
    };
    return any(c.dataTypes) && any(c.precisions);
}

size_t BadBlockNameStart(std::string_view name) {
    size_t bad = 0;
    while (bad < name.size() && !BeginsBlockName(name[bad])) {
        ++bad;
    }
    return bad;
}

void FollowBlockName(BlockNameFollowers& fields, const std::string& blockName,
                     const std::string& emptyDirectory, char separator) {
    std::string& directory = fields.directory;
    if (fields.appendName) {
        if (directory.empty()) {
            directory = emptyDirectory;
        }
        const size_t last = directory.find_last_of("\\/");
        if (directory.empty() || !IsSeparator(directory.back())) {
            directory += last != std::string::npos ? directory[last] : separator;
        }
        fields.appendName = false;
    }
    const size_t lastSeparator = directory.find_last_of("\\/");
    directory.resize(lastSeparator == std::string::npos ? 0 : lastSeparator + 1);
    directory += blockName;
    if (!directory.empty() && IsSeparator(directory.back())) {
        fields.appendName = true;  // no name: the next one starts a sub-folder again
    }
    fields.helpFilename = WithExtension(blockName, ".hlp");
    fields.iconFilename = WithExtension(blockName, ".ico");
}

}  // namespace bw
