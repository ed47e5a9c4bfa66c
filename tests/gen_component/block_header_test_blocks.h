#pragma once

// Blocks and a regeneration harness shared by the block header and user
// source tests.

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <string>
#include <vector>

#include "definition/block_info.h"
#include "gen_component/component_files.h"
#include "gen_component/splice_layouts.h"
#include "generation/output_file.h"
#include "support/generate.h"
#include "support/lines.h"
#include "support/records.h"

namespace bw::testblocks {

inline void SetPrecisions(BLOCKINFO& block, std::vector<int BLOCKINFO::*> on) {
    for (int BLOCKINFO::*flag :
         {&BLOCKINFO::Character, &BLOCKINFO::Byte, &BLOCKINFO::ShortInteger, &BLOCKINFO::Integer,
          &BLOCKINFO::LongInteger, &BLOCKINFO::FloatingPoint, &BLOCKINFO::Double,
          &BLOCKINFO::Bitmap}) {
        block.*flag = std::find(on.begin(), on.end(), flag) != on.end() ? 1 : 0;
    }
}

// A simulation block with every kind of member.
inline BLOCKINFO SimulationBlock() {
    BLOCKINFO block = NewBlock();
    block.BlockName = "MyAdd";
    block.MenuName = "My Add";
    block.GroupName = "Arithmetic";
    block.LibraryName = "Demo Library";
    block.Revision = "1.20";
    block.NumInputs = 2;
    block.NumOutputs = 1;
    block.WarningType = WARNING_ONE_TIME;
    SetPrecisions(block, {&BLOCKINFO::FloatingPoint, &BLOCKINFO::Double});
    AddParameter(block, "Gain", TYPE_FLOAT);
    AddParameter(block, "Mode", TYPE_COMBO_BOX, "", {"Sum", "Difference"});
    AddParameter(block, "Title", TYPE_TEXT);
    AddParameter(block, "Data File", TYPE_FILE_OPEN);
    AddParameter(block, "Unused", TYPE_EXCLUDED);
    AddParameter(block, "Length", TYPE_INTEGER);
    AddParameter(block, "Enabled", TYPE_CHECK_BOX);
    // Defaults among the items, as the parameter page stores them.
    block.Parameters[1].ParameterDefault = "Sum";
    block.Parameters[6].ParameterDefault = "Checked";
    block.NumPersistants = 2;
    block.Persistants[0] = {"Count", TYPE_LONG, "", "0"};
    block.Persistants[1] = {"Window", TYPE_OTHER, "HWND", ""};
    AddLocalArray(block, "History", "1024", TYPE_FLOAT);
    AddLocalArray(block, "Work", "Length", TYPE_DOUBLE);
    return block;
}

// A DSP-based block without local arrays.
inline BLOCKINFO RealTimeBlock() {
    BLOCKINFO block = NewBlock();
    block.BlockName = "Mixer";
    block.MenuName = "Mixer";
    block.GroupName = "DSP";
    block.RealTime = 1;
    block.UserControl = 1;
    block.WarningType = WARNING_STANDARD;
    SetPrecisions(block, {&BLOCKINFO::Integer, &BLOCKINFO::FloatingPoint});
    AddParameter(block, "Level", TYPE_FLOAT);
    AddParameter(block, "Name", TYPE_TEXT);
    AddParameter(block, "Taps", TYPE_SHORT);
    AddParameter(block, "Initial", TYPE_CHAR);
    AddParameter(block, "Skipped", TYPE_EXCLUDED);
    return block;
}

// Generates a file with the user sections of an earlier version carried
// over, handed in as the run hands them.
struct Regeneration {
    TempDir dir;

    std::string Run(Generator generator, const BLOCKINFO& block, const std::string& fileName,
                    const std::string* previous) {
        if (previous == nullptr) {
            return GenerateInto(dir.path(), generator, block, fileName);
        }
        PreviousVersion version;
        version.Take(*previous);
        version.Attach(generator == WriteBlockHeader ? &HeaderSplice() : &UserSourceSplice(),
                       nullptr);
        return GenerateInto(dir.path(), generator, block, fileName, &version);
    }
};

}  // namespace bw::testblocks
