#pragma once

// The case file the stand-in's runner reads (case.ini, a private-profile
// file with CR LF line ends): the block's shape and dialog, from the
// definition and the numbers its resource headers give the controls, and
// how hard a try drives it.

#include <map>
#include <string>
#include <vector>

#include "definition/block_info.h"

namespace bw {

// The memory writes of a real-time block's parameter download once it is
// compiled: one per parameter the DSP holds, the matrix size of a source and
// the changed flag of an XDAIS algorithm; none without parameters.
int Downloads(const BLOCKINFO& b);

// The numbers behind the #define lines of the given headers, through the
// names some of them are defined as ("IDC_EDIT_SAMPLERATE  IDC_SAMPFREQ").
// A header that cannot be read adds nothing.
std::map<std::string, std::string> Defines(const std::vector<std::string>& headers);

// The identifiers' numbers as the block's resource headers (in blockFolder)
// and the stand-in's SDK headers (in sdkFolder) define them; an identifier
// they lack is added to error.
class ControlNumbers {
public:
    ControlNumbers(const std::string& blockFolder, const std::string& sdkFolder,
                   std::string& error);

    std::string operator()(const std::string& name) const;

private:
    std::map<std::string, std::string> defines_;
    std::string& error_;
};

// The frame size a source is set to, and the shape of a matrix source.
inline constexpr int SOURCE_FRAME = 24;
inline constexpr int SOURCE_ROWS = 4;
inline constexpr int SOURCE_COLUMNS = 5;
// What the runner gives a block's inputs.
inline constexpr int INPUT_FRAME = 16;
inline constexpr int INPUT_MATRIX_SIDE = 3;

// The shape every output must have, from the definition: a block with
// inputs keeps their frame size and matrix shape; a source has the one the
// case sets through its parameters, or, where it lists none, its default.
std::string OutputShape(const BLOCKINFO& b, const ControlNumbers& number);

// The [Block] section: the block's DLL and module definition (relative to
// the runner's working folder) and its shape as the runner reads it.
std::string BlockSection(const BLOCKINFO& b, const std::string& dll, const std::string& def,
                         const ControlNumbers& number);

// The [Dialog] section: the controls the parameter dialog must hold and per
// parameter its key, type, the identifier it is listed under, its items and
// its controls.
std::string DialogSection(const BLOCKINFO& b, const ControlNumbers& number);

inline constexpr int LOWEST_STRICTNESS = 1;
inline constexpr int HIGHEST_STRICTNESS = 5;

// The [Trial] section: the strictness level, which chooses precisions,
// frame sizes, sampling frequencies, frames, parameter changes and lives
// (the runner holds the table of levels), the signal as the runner names it
// (impulse, step, sweep, noise, sine:<Hz> or file:<path of raw float64>) and
// the folder the trace goes to.
std::string TrialSection(int strictness, const std::string& signal, const std::string& dumpFolder);

}  // namespace bw
