// Writes the templates of the largest blocks a definition can hold, for
// bench/run.sh: every pool full (256 parameters cycling through every type,
// with items, 256 persistent variables, 10 local arrays), 129 inputs and
// outputs, every data type and precision. "Largest.tbt" is a simulation block,
// "LargestDsp.tbt" a DSP-based one with both the floating-point and the integer
// DSP variants.
//
//   make_largest_block FOLDER
#include <array>
#include <cstdio>
#include <string>

#include "definition/block_info.h"
#include "definition/template_file.h"
#include "definition/type_codes.h"

namespace {

class NoPrompts : public bw::UserPrompts {
public:
    bw::OverwriteAnswer askOverwrite(const std::string&) override {
        return bw::OverwriteAnswer::Cancel;
    }
    bool askYesNo(const std::string&, bw::MessageIcon) override { return false; }
    void showMessage(const std::string& text, bw::MessageIcon) override {
        std::fprintf(stderr, "%s\n", text.c_str());
    }
};

constexpr std::array PARAMETER_TYPES = {
    bw::TYPE_INTEGER,       bw::TYPE_FLOAT,     bw::TYPE_DOUBLE,    bw::TYPE_CHAR,
    bw::TYPE_LONG,          bw::TYPE_SHORT,     bw::TYPE_BYTE,      bw::TYPE_TEXT,
    bw::TYPE_RADIO_BUTTONS, bw::TYPE_COMBO_BOX, bw::TYPE_FILE_OPEN, bw::TYPE_CHECK_BOX,
};

constexpr std::array PERSISTANT_TYPES = {
    bw::TYPE_INTEGER, bw::TYPE_FLOAT, bw::TYPE_DOUBLE, bw::TYPE_CHAR,  bw::TYPE_LONG,
    bw::TYPE_SHORT,   bw::TYPE_BYTE,  bw::TYPE_TEXT,   bw::TYPE_OTHER,
};

// A default that suits the parameter's type.
std::string DefaultFor(int type, int i) {
    switch (type) {
        case bw::TYPE_FLOAT:
        case bw::TYPE_DOUBLE:
            return std::to_string(i) + ".5";
        case bw::TYPE_TEXT:
            return "text " + std::to_string(i);
        case bw::TYPE_RADIO_BUTTONS:
        case bw::TYPE_COMBO_BOX:
            return "second";
        case bw::TYPE_FILE_OPEN:
            return "input.dat";
        case bw::TYPE_CHECK_BOX:
            return "Checked";
        case bw::TYPE_CHAR:
            return std::string(1, static_cast<char>('a' + i % 26));
        default:
            return std::to_string(i % 100);
    }
}

void FillParameters(bw::BLOCKINFO& block, bw::UserPrompts& prompts) {
    for (int i = 0; i < bw::MAX_PARAMETERS; ++i) {
        block.AddParameter(prompts);
        bw::PARAMINFO& parameter = block.Parameters[static_cast<size_t>(i)];
        const int type = PARAMETER_TYPES[static_cast<size_t>(i) % PARAMETER_TYPES.size()];
        parameter.ParameterName = "Gain" + std::to_string(i);
        parameter.ParameterType = type;
        parameter.ParameterDesc = "The gain of stage " + std::to_string(i) + "\r\nin decibels";
        parameter.ParameterDefault = DefaultFor(type, i);
        parameter.ParameterConst = i % 3;
        parameter.ParameterSign = i % 2;
        parameter.ParameterItems = type == bw::TYPE_FILE_OPEN
                                       ? std::vector<std::string>{"Data files (*.dat)|*.dat"}
                                       : std::vector<std::string>{"first", "second", "third"};
    }
}

void FillPersistants(bw::BLOCKINFO& block, bw::UserPrompts& prompts) {
    for (int i = 0; i < bw::MAX_PERSISTANTS; ++i) {
        block.AddPersistant(prompts);
        bw::PERSISTANTINFO& persistant = block.Persistants[static_cast<size_t>(i)];
        const int type = PERSISTANT_TYPES[static_cast<size_t>(i) % PERSISTANT_TYPES.size()];
        persistant.PersistantName = "State" + std::to_string(i);
        persistant.PersistantType = type;
        persistant.PersistantTypeOther = type == bw::TYPE_OTHER ? "COMPLEX" : "";
        persistant.PersistantDefault = type == bw::TYPE_TEXT ? "" : "0";
    }
}

void FillLocalArrays(bw::BLOCKINFO& block, bw::UserPrompts& prompts) {
    for (int i = 0; i < bw::MAX_LOCAL_ARRAYS; ++i) {
        block.AddLocalArray(prompts);
        bw::LOCALARRAYINFO& array = block.LocalArrays[static_cast<size_t>(i)];
        array.ArrayName = "hBuffer" + std::to_string(i);
        array.LocalPrecision = i % 7;
        // A number, a parameter's name and an expression over parameters.
        array.LocalSize = i % 3 == 0 ? "4096" : i % 3 == 1 ? "Gain0" : "Gain0*2+Gain4";
        array.LocalAlignment = 8;
    }
}

bw::BLOCKINFO LargestBlock(const std::string& name) {
    bw::MemorySettings settings;
    NoPrompts prompts;
    bw::BLOCKINFO block;
    block.Reset(settings, {"/", "/", "/"});
    block.BlockName = name;
    // The host SDK's folders as a Windows user has them.
    block.LibraryPath = "c:\\tlblock\\lib";
    block.IncludePath = "c:\\tlblock\\include";
    block.MenuName = name + " Block";
    block.GroupName = "Benchmarks";
    block.IconFilename = name + ".ico";
    block.ShortDescription = "The largest block a definition can hold";
    block.LongDescription = "Every pool full,\r\nevery channel used.";
    block.NumInputs = block.NumOutputs = bw::MAX_CHANNELS;
    block.BlockType = bw::BLOCK_PROCESS;
    block.Real = block.Complex = 1;
    block.Character = block.Byte = block.ShortInteger = block.Integer = 1;
    block.LongInteger = block.FloatingPoint = block.Double = 1;
    block.UserControl = 1;
    block.WarningType = bw::WARNING_STANDARD;
    FillParameters(block, prompts);
    FillPersistants(block, prompts);
    FillLocalArrays(block, prompts);
    block.DeriveLocalSizeIsExpression();
    return block;
}

// The DSP side of a real-time block declares its records with fixed types and
// sizes: persistent variables of type Other and arrays sized by parameters
// become a listed type and a number.
void FitForTheDspSide(bw::BLOCKINFO& block) {
    for (int i = 0; i < block.NumPersistants; ++i) {
        bw::PERSISTANTINFO& persistant = block.Persistants[static_cast<size_t>(i)];
        if (persistant.PersistantType == bw::TYPE_OTHER) {
            persistant.PersistantType = bw::TYPE_FLOAT;
            persistant.PersistantTypeOther.clear();
        }
    }
    for (int i = 0; i < block.NumLocalArrays; ++i) {
        block.LocalArrays[static_cast<size_t>(i)].LocalSize = "4096";
    }
    block.DeriveLocalSizeIsExpression();
}

bool Write(const bw::BLOCKINFO& block, const std::string& path) {
    if (bw::WriteTemplate(block, path)) {
        return true;
    }
    std::fprintf(stderr, "make_largest_block: cannot write %s\n", path.c_str());
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_largest_block FOLDER\n");
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";

    bw::BLOCKINFO simulation = LargestBlock("Largest");
    simulation.Directory = folder + "Largest";

    bw::BLOCKINFO dsp = LargestBlock("LargestDsp");
    dsp.Directory = folder + "LargestDsp";
    dsp.RealTime = 1;
    dsp.Native = 1;
    dsp.Chip = 6700;
    dsp.ChipName = "C67x";
    FitForTheDspSide(dsp);

    return Write(simulation, folder + "Largest.tbt") && Write(dsp, folder + "LargestDsp.tbt") ? 0
                                                                                              : 1;
}
