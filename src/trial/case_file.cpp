#include "trial/case_file.h"

#include <regex>
#include <sstream>
#include <utility>

#include "files/block_folder.h"
#include "files/path_calls.h"
#include "generation/paths.h"
#include "generation/shared_rules.h"

namespace bw {

int Downloads(const BLOCKINFO& b) {
    if (b.NumParameters == 0 && !(b.Matrix && b.NumInputs == 0)) {
        return 0;
    }
    int writes = 0;
    for (int i = 0; i < b.NumParameters; ++i) {
        const int type = b.Parameters[static_cast<size_t>(i)].ParameterType;
        writes += type != TYPE_CHAR && type != TYPE_TEXT && type != TYPE_FILE_OPEN &&
                  type != TYPE_EXCLUDED;
    }
    return writes + (b.Matrix && b.NumInputs == 0 ? 2 : 0) + (b.xDAIS ? 1 : 0);
}

std::map<std::string, std::string> Defines(const std::vector<std::string>& headers) {
    static const std::regex DEFINE("#define[ \t]+(\\w+)[ \t]+(\\w+)");
    std::map<std::string, std::string> defines;
    for (const std::string& header : headers) {
        std::string text;
        if (!ReadRegularFile(NativePath(header), LARGEST_FILE_READ, text)) {
            continue;
        }
        for (auto it = std::sregex_iterator(text.begin(), text.end(), DEFINE);
             it != std::sregex_iterator(); ++it) {
            defines[(*it)[1]] = (*it)[2];
        }
    }
    for (auto& [name, value] : defines) {
        for (int depth = 0; depth < 4 && defines.count(value) != 0; ++depth) {
            value = defines[value];
        }
    }
    return defines;
}

ControlNumbers::ControlNumbers(const std::string& blockFolder, const std::string& sdkFolder,
                               std::string& error)
    : defines_(Defines({blockFolder + "hresourc.h", blockFolder + "resource.h",
                        sdkFolder + "bddk.h", sdkFolder + "bddrv.h"})),
      error_(error) {}

std::string ControlNumbers::operator()(const std::string& name) const {
    const auto found = defines_.find(name);
    if (found == defines_.end() ||
        found->second.find_first_not_of("0123456789") != std::string::npos) {
        error_ += "the resource headers do not define " + name + "\n";
        return "0";
    }
    return found->second;
}

std::string OutputShape(const BLOCKINFO& b, const ControlNumbers& number) {
    const bool source = b.NumInputs == 0;
    if (b.Bitmap) {
        return "";
    }
    if (b.Matrix) {
        if (!source) {
            return "OutputRows=" + std::to_string(INPUT_MATRIX_SIDE) +
                   "\r\nOutputColumns=" + std::to_string(INPUT_MATRIX_SIDE) + "\r\n";
        }
        if (b.RealTime) {
            return "OutputRows=2\r\nOutputColumns=2\r\n";
        }
        const int columns = b.Square ? SOURCE_ROWS : SOURCE_COLUMNS;
        return "OutputRows=" + std::to_string(SOURCE_ROWS) +
               "\r\nOutputColumns=" + std::to_string(columns) +
               "\r\nSetRows=" + number("IDC_ROWS") + "\r\nSetColumns=" + number("IDC_COLUMNS") +
               "\r\n";
    }
    if (!source) {
        return "OutputFrame=" + std::to_string(INPUT_FRAME) + "\r\n";
    }
    // A source with a user control or native data runs a sample at a time.
    if (b.Native || b.UserControl) {
        return "OutputFrame=1\r\n";
    }
    if (b.RealTime) {
        return "OutputFrame=256\r\n";
    }
    return "OutputFrame=" + std::to_string(SOURCE_FRAME) +
           "\r\nSetFrame=" + number("IDC_FRAMESIZE") + "\r\n";
}

// The shape of the block as the runner reads it. The precisions are the
// stand-in's HDT_ codes (bddk.h); a bitmap block runs on bitmaps only, a
// real-time block only at the precisions its DSP link accepts (integer and
// floating point, so never a real-time bitmap block).
std::string BlockSection(const BLOCKINFO& b, const std::string& dll, const std::string& def,
                         const ControlNumbers& number) {
    const std::pair<int, int> precisions[] = {
        {b.Character, 6},   {b.Byte, 5},          {b.ShortInteger, 4}, {b.Integer, 0},
        {b.LongInteger, 3}, {b.FloatingPoint, 1}, {b.Double, 2}};
    std::string list = b.Bitmap && !b.RealTime ? "8" : "";
    for (const auto& [flag, code] : precisions) {
        if (flag && !b.Bitmap && (!b.RealTime || code == 0 || code == 1)) {
            list += (list.empty() ? "" : ",") + std::to_string(code);
        }
    }
    std::string dimensions;
    for (int i = 0; i < b.NumInputs; ++i) {
        dimensions += std::to_string(b.InputChannelDimension[static_cast<size_t>(i)]);
    }
    return "[Block]\r\nDll=" + dll + "\r\nDef=" + def +
           "\r\nInputs=" + std::to_string(b.NumInputs) +
           "\r\nOutputs=" + std::to_string(b.NumOutputs) + "\r\nDimensions=" + dimensions +
           "\r\nPrecisions=" + list + "\r\nReal=" + std::to_string(b.Real) +
           "\r\nComplex=" + std::to_string(b.Complex) + "\r\nMatrix=" + std::to_string(b.Matrix) +
           "\r\nBitmap=" + std::to_string(b.Bitmap) + "\r\nRealTime=" + std::to_string(b.RealTime) +
           "\r\nQ=" + std::to_string(b.Q ? b.QLevel : 0) +
           "\r\nUserControl=" + std::to_string(b.UserControl) +
           "\r\nDownloads=" + std::to_string(b.RealTime ? Downloads(b) : 0) + "\r\n" +
           OutputShape(b, number);
}

std::string DialogSection(const BLOCKINFO& b, const ControlNumbers& number) {
    std::string controls = "IDOK:1,IDCANCEL:2,IDHELP:9";
    const auto need = [&](const std::string& name) {
        controls += "," + name + ":" + number(name);
        return number(name);
    };
    std::ostringstream section;
    int count = 0;
    for (int i = 0; i < b.NumParameters; ++i) {
        const PARAMINFO& p = b.Parameters[static_cast<size_t>(i)];
        if (p.isExcluded()) {
            continue;
        }
        const std::string ident = Identifier(p.ParameterName, i);
        const std::string control = ControlIdentifier(p, i);
        const std::string suffix = control.substr(std::string("IDC_EDIT").size());
        std::string line;
        if (p.ParameterType == TYPE_RADIO_BUTTONS) {
            line = "R|" + ident + "|I|" + number(control) + "|0";
            if (p.ParameterItems.size() < 2) {
                line += "|" + need(control + "_NO") + "|" + need(control + "_YES");
            }
            for (size_t item = 0; p.ParameterItems.size() >= 2 && item < p.ParameterItems.size();
                 ++item) {
                line += "|" + need(RadioItemIdentifier(p, i, static_cast<int>(item)));
            }
        } else if (p.ParameterType == TYPE_COMBO_BOX) {
            line = "M|" + ident + "|I|" + number(control) + "|" +
                   std::to_string(p.ParameterItems.size()) + "|" + need(control);
        } else if (p.ParameterType == TYPE_CHECK_BOX) {
            line = "K|" + ident + "|I|" + number(control) + "|0|" + need(control);
        } else if (p.ParameterType == TYPE_FILE_OPEN) {
            line = "F|" + ident + "|T|0|0|" + need(control) + "|" + need(control + "_PATHNAME");
            need("IDC_VAR" + suffix);
            need("IDC_VAR" + suffix + "_PATHNAME");
            need("IDBROWSE" + suffix);
        } else {
            line = std::string("E|") + ident + "|" + "IFDCLSBT"[p.ParameterType] + "|" +
                   number(control) + "|0|" + need(control);
            need("IDC_VAR" + suffix);
        }
        section << "P" << count++ << "=" << line << "\r\n";
    }
    return "[Dialog]\r\nControls=" + controls + "\r\nCount=" + std::to_string(count) + "\r\n" +
           section.str();
}

std::string TrialSection(int strictness, const std::string& signal,
                         const std::string& dumpFolder) {
    return "[Trial]\r\nStrictness=" + std::to_string(strictness) + "\r\nSignal=" + signal +
           "\r\nDump=" + dumpFolder + "\r\n";
}

}  // namespace bw
