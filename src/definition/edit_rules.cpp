#include "definition/edit_rules.h"

namespace bw {

namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

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
    c.real = block.Real != 0;
    c.complex = block.Complex != 0;
    c.character = block.Character != 0;
    c.byte = block.Byte != 0;
    c.shortInteger = block.ShortInteger != 0;
    c.integer = block.Integer != 0;
    c.q = block.Q != 0;
    c.longInteger = block.LongInteger != 0;
    c.floatingPoint = block.FloatingPoint != 0;
    c.doublePrecision = block.Double != 0;
    return c;
}

void StoreDataChoices(const DataChoices& c, BLOCKINFO& block) {
    block.UserControl = Flag(c.userControl);
    block.RealTime = Flag(c.dspBased);
    block.Native = Flag(c.native);
    block.xDAIS = Flag(c.xDAIS);
    block.Matrix = Flag(c.matrix);
    block.Square = Flag(c.sizeCheck);
    block.Real = Flag(c.real);
    block.Complex = Flag(c.complex);
    block.Character = Flag(c.character);
    block.Byte = Flag(c.byte);
    block.ShortInteger = Flag(c.shortInteger);
    block.Integer = Flag(c.integer);
    block.Q = Flag(c.q);
    block.LongInteger = Flag(c.longInteger);
    block.FloatingPoint = Flag(c.floatingPoint);
    block.Double = Flag(c.doublePrecision);
}

void ApplyDspRule(DataChoices& c) {
    if (c.dspBased) {
        c.character = c.byte = c.shortInteger = c.longInteger = c.doublePrecision = false;
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
    if (!c.integer) {
        c.q = false;
    } else if (c.xDAIS) {
        c.floatingPoint = false;
    }
}

void FloatingPointClicked(DataChoices& c) {
    if (c.floatingPoint && c.xDAIS) {
        c.integer = c.q = false;
    }
}

DataBoxesEnabled EnabledDataBoxes(const DataChoices& c) {
    return {!c.dspBased, c.dspBased, c.matrix, c.integer};
}

bool DataChoicesComplete(const DataChoices& c) {
    const bool dataType = c.real || c.complex;
    const bool precision = c.character || c.byte || c.shortInteger || c.integer || c.longInteger ||
                           c.floatingPoint || c.doublePrecision;
    return dataType && precision;
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
