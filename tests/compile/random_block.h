#pragma once

// Seeded random definitions of the kind the wizard lets a user enter; the
// same seed gives the same definition.
#include <initializer_list>
#include <random>
#include <string>
#include <vector>

#include "definition/block_info.h"
#include "gen_dsp/xdais.h"
#include "support/generate.h"

namespace bw {

class RandomBlock {
public:
    explicit RandomBlock(unsigned seed) : random_(seed) {}

    BLOCKINFO Build() {
        BLOCKINFO b = NewBlock();
        b.BlockName = Pick({"Gain", "Mixer", "Title", "Echo", "Fir", "x", "Delay_Line", "TitleBeta",
                            "Ai", "Filter2"});
        b.MenuName = Text("Menu");
        b.GroupName = Text("Group");
        b.LibraryName = Text("Library");
        b.ShortDescription = Text("Short");
        b.LongDescription = Text("Long") + "\r\n" + Text("Second line");
        b.CompanyName = Text("Company");
        b.Revision = "1.0";
        b.IconFilename = Chance(4) ? "My Icon" : b.BlockName;
        b.RealTime = Chance(3);
        b.Matrix = Chance(4);
        b.Square = b.Matrix && Chance(2);
        b.Bitmap = Chance(6);
        b.Image = b.Bitmap && Chance(2);
        b.Real = Chance(5) ? 0 : 1;
        b.Q = Chance(6);
        b.QLevel = Number(0, 31);
        b.UserControl = Chance(5);
        b.WarningType = Number(0, 3);
        for (int* precision : {&b.Character, &b.Byte, &b.ShortInteger, &b.Integer, &b.LongInteger,
                               &b.FloatingPoint, &b.Double}) {
            *precision = Chance(2);
        }
        if (b.RealTime) {
            b.Native = Chance(3);
            if (!b.Native && Chance(3)) {
                b.xDAIS = 1;
                b.AlgorithmName = Pick({"FIR", "Echo", "g711"});
                b.VendorName = Pick({"TI", "Acme"});
                b.Chip = Pick({6201, 6701, 5402});
            }
        }
        Channels(b);
        if (b.xDAIS) {
            Prototypes(b);
        }
        if (Chance(8) == 1 && !b.RealTime) {
            b.BlockType = BLOCK_CONTROL;
        }
        const int parameters = Chance(25) ? MAX_PARAMETERS : Number(0, 24);
        for (int p = 0; p < parameters; ++p) {
            Parameter(b.Parameters[static_cast<size_t>(b.NumParameters++)]);
        }
        const int persistants = Chance(25) ? MAX_PERSISTANTS : Number(0, 6);
        for (int v = 0; v < persistants; ++v) {
            Persistant(b.Persistants[static_cast<size_t>(b.NumPersistants++)], b.RealTime != 0);
        }
        const int arrays = Chance(8) ? MAX_LOCAL_ARRAYS : Number(0, 4);
        for (int a = 0; a < arrays; ++a) {
            LocalArray(b, b.LocalArrays[static_cast<size_t>(b.NumLocalArrays++)]);
        }
        b.DeriveLocalSizeIsExpression();
        return b;
    }

private:
    int Number(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    // True once in n.
    int Chance(int n) { return Number(1, n) == 1 ? 1 : 0; }
    template <typename T>
    T Pick(std::initializer_list<T> choices) {
        return *(choices.begin() + Number(0, static_cast<int>(choices.size()) - 1));
    }
    std::string Pick(std::initializer_list<const char*> choices) {
        return Pick<const char*>(choices);
    }

    // Free text as users type it, with blanks, hyphens, a letter beyond ASCII
    // and the characters C strings, comments and resource strings must escape.
    std::string Text(const std::string& word) {
        return word + Pick({"", " text", "-x", " 50% & more", " it's", " a\\b", " (c)",
                            " say \"hi\"", " caf\xC3\xA9", " ends\\", " */ ?\?/"});
    }

    // A name unique among the block's names: their identifier forms differ
    // in the number.
    std::string Name() {
        return Pick({"Gain", "low pass", "Level-", "Sample Rate", "Sample Freq", "mode", "Title",
                     "a b c", "x", "Level \"dB\""}) +
               Pick({"", " ", "-", "_"}) + std::to_string(++names_);
    }

    // Complex data of up to 12 inputs gives the user source one example
    // branch per combination of real and complex inputs: 9 to 12 such inputs
    // make 512 to 4096 branches, minutes of compiling for one file, so those
    // counts come with real data only. The full count makes the largest
    // sources otherwise; it comes up in about one definition in twenty.
    void Channels(BLOCKINFO& b) {
        const auto count = [this]() {
            return Chance(40) ? MAX_CHANNELS : Pick({0, 1, 1, 2, 3, Number(0, 16)});
        };
        b.NumInputs = count();
        b.NumOutputs = count();
        if (b.NumInputs + b.NumOutputs == 0) {
            b.NumOutputs = 1;
        }
        if (b.NumInputs > 8 && b.NumInputs <= 12) {
            b.Real = 1;
            b.Complex = 0;
        }
        b.BlockType = BLOCKINFO::BlockTypeFor(b.NumInputs, b.NumOutputs);
        for (int i = 0; i < b.NumInputs; ++i) {
            b.InputChannelLabel[static_cast<size_t>(i)] = Chance(2) ? Text("in") : "";
        }
        for (int o = 0; o < b.NumOutputs; ++o) {
            b.OutputChannelLabel[static_cast<size_t>(o)] = Chance(2) ? Text("out") : "";
        }
    }

    // Extended methods of the algorithm: most take one pointer of the chip's
    // integer type per channel, so the DSP source calls them; the others
    // stay commented-out calls.
    void Prototypes(BLOCKINFO& b) {
        const std::string pointer = dsp::ChipIntegerPointerType(b);
        for (int m = Number(0, 3); m > 0; --m) {
            PROTOTYPEINFO method;
            method.Name = Pick({"apply", "reset", "process"}) + std::to_string(m);
            method.ReturnType = Chance(4) ? "XDAS_Int32" : "XDAS_Void";
            const int count = Chance(4) ? Number(0, 3) : b.NumInputs + b.NumOutputs;
            for (int j = 0; j < count; ++j) {
                method.ParamNames.push_back("ptr" + std::to_string(j));
                method.ParamTypes.push_back(Chance(8) ? "XDAS_Int8 *" : pointer);
            }
            b.Prototypes.push_back(method);
        }
    }

    // A default the type takes: the ends of its range half the time, or a
    // form the generated code must write so that C reads the value typed.
    std::string NumberDefault(int type) {
        const std::string common = Pick({"0", "1", "09", "010", "+7", "", " 2 ", "0x1F"});
        switch (type) {
            case TYPE_BYTE:
                return Chance(2) ? Pick({"0", "255", "0xFF"}) : common;
            case TYPE_SHORT:
                return Chance(2) ? Pick({"-32768", "32767", "-0x8000"}) : common;
            case TYPE_INTEGER:
            case TYPE_LONG:
                return Chance(2) ? Pick({"-2147483648", "2147483647", "0x7FFFFFFF"}) : common;
            case TYPE_FLOAT:
                return Chance(2) ? Pick({"3.4028235e38", "-3.4028234e38", "1e-45", "1.17549435e-38",
                                         "1.5", "-2.0", "1e3", "08.5", ".5", "5."})
                                 : common;
            default:  // Double
                return Chance(2) ? Pick({"1.7976931348623157e308", "-1e308", "4.9e-324",
                                         "2.2250738585072014e-308", "0.25", "1E-3", "100000000000"})
                                 : common;
        }
    }

    // One character or an escape, quotes and backslashes among them.
    std::string CharDefault() {
        return Pick({"", "x", "'", "\\", "\"", "\\n", "\\x41", "\\0", "\\377", "\\'", "%"});
    }

    void Parameter(PARAMINFO& p) {
        p.ParameterName = Name();
        p.ParameterType = Pick({TYPE_INTEGER, TYPE_FLOAT, TYPE_DOUBLE, TYPE_CHAR, TYPE_LONG,
                                TYPE_SHORT, TYPE_BYTE, TYPE_TEXT, TYPE_RADIO_BUTTONS,
                                TYPE_COMBO_BOX, TYPE_FILE_OPEN, TYPE_CHECK_BOX, TYPE_EXCLUDED});
        p.ParameterDesc = Text("What it does");
        p.ParameterConst = Number(0, 2);
        p.ParameterSign = Chance(2);
        switch (p.ParameterType) {
            case TYPE_CHAR:
                p.ParameterDefault = CharDefault();
                break;
            case TYPE_TEXT:
                p.ParameterDefault =
                    Pick({"", "hello", "c:\\data\\notes.txt", "say \"hi\"", "a\\n"});
                break;
            case TYPE_RADIO_BUTTONS:
            case TYPE_COMBO_BOX:
                for (int item = Number(0, Chance(50) ? 120 : 5); item > 0; --item) {
                    p.ParameterItems.push_back(Text("Item") + std::to_string(item));
                }
                p.ParameterDefault = p.ParameterItems.empty() ? "" : p.ParameterItems.back();
                if (p.ParameterType == TYPE_RADIO_BUTTONS && p.ParameterItems.size() < 2) {
                    p.ParameterDefault = Pick({"", "Yes", "no"});  // a Yes/No pair
                }
                break;
            case TYPE_FILE_OPEN:
                if (Chance(2)) {
                    p.ParameterItems = {"Text|*.txt", "All|*.*"};
                }
                p.ParameterDefault = Pick({"", "c:\\data\\taps.txt", "taps.txt"});
                break;
            case TYPE_CHECK_BOX:
                p.ParameterDefault = Pick({"", "Checked", "Unchecked", "unchecked"});
                break;
            default:
                p.ParameterDefault = NumberDefault(p.ParameterType);
        }
    }

    void Persistant(PERSISTANTINFO& v, bool realTime) {
        v.PersistantName = Name();
        v.PersistantType = Pick({TYPE_INTEGER, TYPE_FLOAT, TYPE_DOUBLE, TYPE_CHAR, TYPE_LONG,
                                 TYPE_SHORT, TYPE_BYTE, TYPE_TEXT, TYPE_OTHER});
        if (v.PersistantType == TYPE_OTHER) {
            if (realTime) {
                v.PersistantType = TYPE_FLOAT;
            } else {
                v.PersistantTypeOther = Pick({"DWORD", "HANDLE", "unsigned int"});
            }
        }
        if (v.PersistantType == TYPE_TEXT) {
            v.PersistantDefault = Pick({"none", "c:\\temp", ""});
        } else if (v.PersistantType == TYPE_CHAR) {
            v.PersistantDefault = CharDefault();
        } else if (v.PersistantType == TYPE_OTHER) {
            v.PersistantDefault = Pick({"", "0"});  // a C expression of the type
        } else {
            v.PersistantDefault = NumberDefault(v.PersistantType);
        }
    }

    void LocalArray(const BLOCKINFO& b, LOCALARRAYINFO& a) {
        a.ArrayName = Name();
        a.LocalPrecision = Pick({TYPE_INTEGER, TYPE_FLOAT, TYPE_DOUBLE, TYPE_CHAR, TYPE_LONG,
                                 TYPE_SHORT, TYPE_BYTE, TYPE_EXCLUDED});
        a.LocalSize = std::to_string(Number(1, 4096));
        const std::vector<std::string> sizes = NumericParameters(b);
        if (!b.RealTime && !sizes.empty() && Chance(2)) {
            const auto pick = [&]() {
                return sizes[static_cast<size_t>(Number(0, static_cast<int>(sizes.size()) - 1))];
            };
            a.LocalSize = Chance(2) ? pick() : pick() + "*" + pick();
        }
    }

    static std::vector<std::string> NumericParameters(const BLOCKINFO& b) {
        std::vector<std::string> names;
        for (int p = 0; p < b.NumParameters; ++p) {
            const PARAMINFO& parameter = b.Parameters[static_cast<size_t>(p)];
            if (parameter.ParameterType == TYPE_INTEGER || parameter.ParameterType == TYPE_LONG) {
                names.push_back(parameter.ParameterName);
            }
        }
        return names;
    }

    std::mt19937 random_;
    int names_ = 0;
};

}  // namespace bw
