#pragma once

// Test-local helpers for the parameter, dialog and real-time sections of the
// interface source: each section as a generator, the sections in file order,
// and blocks to feed them.

#include <algorithm>
#include <string>
#include <vector>

#include "gen_interface/sections.h"
#include "support/generate.h"

namespace bw::param_test {

template <void (*Section)(OutputFile&, const BLOCKINFO&)>
bool AsGenerator(OutputFile& file, const BLOCKINFO& block) {
    Section(file, block);
    return true;
}

// The sections this suite covers, in their order in the interface source
// (the real-time ones only for real-time blocks, paint only for xDAIS, the
// control procedure only for user-control blocks).
inline bool WriteParameterSections(OutputFile& file, const BLOCKINFO& block) {
    if (block.RealTime) {
        WriteUserRTCompileProc(file, block);
    }
    WriteUserStopProc(file, block);
    WriteUserDialogProc(file, block);
    WriteUserGetParameterListProc(file, block);
    WriteUserSetParameterProc(file, block);
    WriteUserSaveProc(file, block);
    WriteUserLoadProc(file, block);
    if (block.xDAIS) {
        WriteUserPaintProc(file, block);
    }
    if (block.RealTime) {
        WriteDownloadDSPParameters(file, block);
    }
    if (block.UserControl) {
        WriteUserControlProc(file, block);
    }
    return true;
}

inline PARAMINFO& AddParameter(BLOCKINFO& block, const std::string& name, int type,
                               const std::string& defaultText = "",
                               std::vector<std::string> items = {}, int constant = 0) {
    PARAMINFO& parameter = block.Parameters[static_cast<size_t>(block.NumParameters++)];
    parameter.ParameterName = name;
    parameter.ParameterType = type;
    parameter.ParameterDefault = defaultText;
    parameter.ParameterItems = std::move(items);
    parameter.ParameterConst = constant;
    return parameter;
}

inline void AddLocalArray(BLOCKINFO& block, const std::string& name, int precision) {
    LOCALARRAYINFO& array = block.LocalArrays[static_cast<size_t>(block.NumLocalArrays++)];
    array.ArrayName = name;
    array.LocalPrecision = precision;
}

// A simulation process block with one input and one output and no parameters.
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

inline bool Contains(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

inline size_t CountContaining(const std::vector<std::string>& lines, const std::string& part) {
    return static_cast<size_t>(std::count_if(lines.begin(), lines.end(), [&](const std::string& l) {
        return l.find(part) != std::string::npos;
    }));
}

// The index of the first line equal to line, or lines.size().
inline size_t IndexOf(const std::vector<std::string>& lines, const std::string& line) {
    return static_cast<size_t>(std::find(lines.begin(), lines.end(), line) - lines.begin());
}

}  // namespace bw::param_test
