#include "gen_component/block_header_text.h"

#include <algorithm>

namespace bw::component {

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
