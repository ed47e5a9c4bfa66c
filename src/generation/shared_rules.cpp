#include "generation/shared_rules.h"

#include "generation/output_file.h"

namespace bw {

std::string UpperCase(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return result;
}

std::string LowerCase(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return result;
}

std::string Prefix(const BLOCKINFO& block) { return UpperCase(block.BlockName); }

bool UsesScratch(const BLOCKINFO& block) {
    return block.NumLocalArrays > 0 || block.RealTime != 0;
}

const char* TypeName(int typeCode) {
    switch (typeCode) {
        case TYPE_FLOAT: return "float";
        case TYPE_DOUBLE: return "double";
        case TYPE_CHAR: return "char";
        case TYPE_LONG: return "long";
        case TYPE_SHORT: return "short";
        case TYPE_BYTE: return "BYTE";
        default: return "int";
    }
}

const char* ZeroValue(int typeCode) {
    switch (typeCode) {
        case TYPE_CHAR: return "'\\0';";
        case TYPE_FLOAT: return "(float)0.0;";
        case TYPE_DOUBLE: return "(double)0.0;";
        default: return "0;";
    }
}

std::string Identifier(std::string_view name, int index) { return MakeIdentifier(name, index); }

std::string UpperIdentifier(std::string_view name, int index) {
    return UpperCase(MakeIdentifier(name, index));
}

std::string IntegerName(std::string_view blockName) {
    std::string result(blockName);
    if (result.size() < 2) {
        return result + "i";
    }
    result[1] = 'I';
    return result;
}

bool UsesFileOpen(const BLOCKINFO& block) {
    for (int i = 0; i < block.NumParameters; ++i) {
        if (block.Parameters[static_cast<size_t>(i)].ParameterType == TYPE_FILE_OPEN) {
            return true;
        }
    }
    return false;
}

std::string ControlIdentifier(const PARAMINFO& parameter, int index) {
    const std::string ident = UpperIdentifier(parameter.ParameterName, index);
    switch (parameter.ParameterType) {
        case TYPE_RADIO_BUTTONS: return "IDC_RADIO" + ident;
        case TYPE_COMBO_BOX: return "IDC_COMBO" + ident;
        case TYPE_CHECK_BOX: return "IDC_CHECK" + ident;
        default: return "IDC_EDIT" + ident;
    }
}

std::string RadioItemIdentifier(const PARAMINFO& parameter, int index, int item) {
    const std::string& text = parameter.ParameterItems[static_cast<size_t>(item)];
    return "IDC_RADIO" + UpperIdentifier(parameter.ParameterName, index) +
           UpperIdentifier(text, item);
}

}  // namespace bw
