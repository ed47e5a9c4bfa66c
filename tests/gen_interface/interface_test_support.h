#pragma once

// Helpers of the interface source tests: a generator of the sections this
// folder's writers own, and the lines of one generated function.

#include <algorithm>
#include <string>
#include <vector>

#include "gen_interface/sections.h"
#include "support/generate.h"

namespace bw::interface_test {

// The head and the set-up, initialisation, execution, exit and reset entry
// points, in file order.
inline bool WriteOwnSections(OutputFile& file, const BLOCKINFO& block) {
    WriteInterfaceHead(file, block);
    WriteUserSetupProc(file, block);
    WriteUserDefaultSetupProc(file, block);
    WriteUserPreInitializeProc(file, block);
    WriteUserInitializeProc(file, block);
    WriteUserExecProc(file, block);
    WriteUserExitProc(file, block);
    WriteUserResetProc(file, block);
    return true;
}

// Lines of one section writer's output.
inline std::vector<std::string> SectionLines(void (*writer)(OutputFile&, const BLOCKINFO&),
                                             const BLOCKINFO& block) {
    static void (*current)(OutputFile&, const BLOCKINFO&) = nullptr;
    current = writer;
    return Lines(Generate(
        [](OutputFile& file, const BLOCKINFO& b) {
            current(file, b);
            return true;
        },
        block, "IFGain.c"));
}

inline bool Contains(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

inline long Count(const std::vector<std::string>& lines, const std::string& line) {
    return std::count(lines.begin(), lines.end(), line);
}

// Lines holding text anywhere.
inline long CountContaining(const std::vector<std::string>& lines, const std::string& text) {
    return std::count_if(lines.begin(), lines.end(),
                         [&](const std::string& l) { return l.find(text) != std::string::npos; });
}

// Position of the first line equal to line, or -1.
inline long IndexOf(const std::vector<std::string>& lines, const std::string& line, long from = 0) {
    auto it = std::find(lines.begin() + from, lines.end(), line);
    return it == lines.end() ? -1 : it - lines.begin();
}

// A simulation processing block "Gain": one input, one output.
inline BLOCKINFO GainBlock() {
    BLOCKINFO block = NewBlock();
    block.BlockName = "Gain";
    block.MenuName = "Gain Stage";
    block.GroupName = "Arithmetic";
    return block;
}

}  // namespace bw::interface_test
