#include "gen_component/block_header_text.h"

#include <algorithm>

namespace bw::component {

std::string Fill(std::string_view line, std::initializer_list<Field> fields) {
    std::string result;
    size_t at = 0;
    while (at < line.size()) {
        const Field* match = nullptr;
        if (line[at] == '<') {
            for (const Field& field : fields) {
                if (line.substr(at, field.placeholder.size()) == field.placeholder) {
                    match = &field;
                    break;
                }
            }
        }
        if (match != nullptr) {
            result += match->value;
            at += match->placeholder.size();
        } else {
            result += line[at++];
        }
    }
    return result;
}

std::string PadRight(std::string_view text, size_t width) {
    std::string result(text);
    if (result.size() < width) {
        result.append(width - result.size(), ' ');
    }
    return result;
}

void WriteLines(OutputFile& file, std::initializer_list<std::string_view> lines) {
    for (std::string_view line : lines) {
        WriteLine(file, line);
    }
}

namespace {

int Bounded(int count, size_t limit) {
    return std::clamp(count, 0, static_cast<int>(limit));
}

}  // namespace

int ParameterCount(const BLOCKINFO& block) {
    return Bounded(block.NumParameters, block.Parameters.size());
}

int PersistantCount(const BLOCKINFO& block) {
    return Bounded(block.NumPersistants, block.Persistants.size());
}

int LocalArrayCount(const BLOCKINFO& block) {
    return Bounded(block.NumLocalArrays, block.LocalArrays.size());
}

int InputCount(const BLOCKINFO& block) {
    return Bounded(block.NumInputs, MAX_CHANNELS);
}

int OutputCount(const BLOCKINFO& block) {
    return Bounded(block.NumOutputs, MAX_CHANNELS);
}

}  // namespace bw::component
