#pragma once

// Helpers of the interface source tests: the section writers as generators,
// blocks to feed them, and searches over generated lines.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "gen_interface/sections.h"
#include "support/generate.h"
#include "support/lines.h"
#include "support/records.h"

namespace bw::interface_test {

// Lines of one section writer's output.
template <void (*Section)(OutputFile&, const BLOCKINFO&)>
std::vector<std::string> SectionLines(const BLOCKINFO& block) {
    return Lines(Generate(Section, block, "IFGain.c"));
}

// The head and the set-up, initialisation, execution, exit and reset entry
// points, in file order.
inline void WriteOwnSections(OutputFile& file, const BLOCKINFO& block) {
    for (auto* section : {WriteInterfaceHead, WriteUserSetupProc, WriteUserDefaultSetupProc,
                          WriteUserPreInitializeProc, WriteUserInitializeProc, WriteUserExecProc,
                          WriteUserExitProc, WriteUserResetProc}) {
        section(file, block);
    }
}

// The parameter, dialog and real-time sections in their order in the file
// (the real-time ones only for real-time blocks, paint only for xDAIS, the
// control procedure only for user-control blocks).
inline void WriteParameterSections(OutputFile& file, const BLOCKINFO& block) {
    if (block.RealTime) {
        WriteUserRTCompileProc(file, block);
    }
    for (auto* section : {WriteUserStopProc, WriteUserDialogProc, WriteUserGetParameterListProc,
                          WriteUserSetParameterProc, WriteUserSaveProc, WriteUserLoadProc}) {
        section(file, block);
    }
    if (block.xDAIS) {
        WriteUserPaintProc(file, block);
    }
    if (block.RealTime) {
        WriteDownloadDSPParameters(file, block);
    }
    if (block.UserControl) {
        WriteUserControlProc(file, block);
    }
}

// A simulation processing block "Gain": one input, one output.
inline BLOCKINFO GainBlock() {
    BLOCKINFO block = NewBlock();
    block.BlockName = "Gain";
    block.MenuName = "Gain Stage";
    block.GroupName = "Arithmetic";
    return block;
}

// A simulation process block "Gain" with one input and one output and
// nothing else.
inline BLOCKINFO SimulationBlock() {
    BLOCKINFO block = NewBlock();
    block.BlockName = "Gain";
    block.NumInputs = 1;
    block.NumOutputs = 1;
    block.NumParameters = 0;
    block.NumLocalArrays = 0;
    block.NumPersistants = 0;
    return block;
}

inline BLOCKINFO RealTimeBlock() {
    BLOCKINFO block = SimulationBlock();
    block.RealTime = 1;
    return block;
}

inline std::ptrdiff_t Count(const std::vector<std::string>& lines, const std::string& line) {
    return std::count(lines.begin(), lines.end(), line);
}

// Lines holding text anywhere.
inline std::ptrdiff_t CountContaining(const std::vector<std::string>& lines,
                                      const std::string& text) {
    return std::count_if(lines.begin(), lines.end(),
                         [&](const std::string& l) { return l.find(text) != std::string::npos; });
}

// The lines of some part of the interface source for a block.
using Section = std::vector<std::string> (*)(const BLOCKINFO&);

// A rule of the generated text: for the base block shaped by shape, how many
// lines of section hold text.
struct Rule {
    const char* what;
    void (*shape)(BLOCKINFO&);
    Section section;
    const char* text;
    long lines;
};

template <size_t N>
void ExpectRules(const Rule (&rules)[N], BLOCKINFO (*base)()) {
    for (const Rule& rule : rules) {
        BLOCKINFO block = base();
        rule.shape(block);
        // A count of 0 means something only where the section was written.
        const std::vector<std::string> lines = rule.section(block);
        EXPECT_FALSE(lines.empty()) << rule.what << ": the section is missing";
        EXPECT_EQ(CountContaining(lines, rule.text), rule.lines) << rule.what << ": " << rule.text;
    }
}

// The line at index, or "" outside the lines.
inline std::string At(const std::vector<std::string>& lines, std::ptrdiff_t index) {
    return index < 0 || index >= static_cast<std::ptrdiff_t>(lines.size())
               ? ""
               : lines[static_cast<size_t>(index)];
}

}  // namespace bw::interface_test
