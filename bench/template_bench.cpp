// Reading a full template against merely reading its bytes.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "definition/block_info.h"
#include "definition/template_file.h"

namespace {

class QuietPrompts : public bw::UserPrompts {
public:
    bw::OverwriteAnswer askOverwrite(const std::string&) override {
        return bw::OverwriteAnswer::Cancel;
    }
    bool askYesNo(const std::string&, bw::MessageIcon) override { return false; }
    void showMessage(const std::string&, bw::MessageIcon) override {}
};

// 256 parameters with items, 256 persistent variables, 129 inputs and
// outputs, ten local arrays and some prototypes.
const std::string& FullTemplatePath() {
    static const std::string path = [] {
        bw::MemorySettings settings;
        QuietPrompts prompts;
        bw::BLOCKINFO b;
        b.Reset(settings, {"/", "/", "/"});
        b.BlockName = "Full";
        b.NumInputs = b.NumOutputs = bw::MAX_CHANNELS;
        for (int i = 0; i < bw::MAX_PARAMETERS; ++i) {
            b.AddParameter(prompts);
            b.Parameters[static_cast<size_t>(i)].ParameterType = bw::TYPE_COMBO_BOX;
            b.Parameters[static_cast<size_t>(i)].ParameterItems = {"first", "second", "third"};
            b.Parameters[static_cast<size_t>(i)].ParameterDesc = "a description\r\nof two lines";
            b.AddPersistant(prompts);
        }
        for (int i = 0; i < bw::MAX_LOCAL_ARRAYS; ++i) {
            b.AddLocalArray(prompts);
        }
        b.Prototypes.assign(8, bw::PROTOTYPEINFO{"Run", "int", {"a", "b"}, {"int", "int"}});
        const std::string file = "/tmp/blockwright-bench-full.tbt";
        bw::WriteTemplate(b, file);
        return file;
    }();
    return path;
}

void ReadFileBytesOnly(benchmark::State& state) {
    for (auto _ : state) {
        std::ifstream in(FullTemplatePath(), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        benchmark::DoNotOptimize(bytes.str());
    }
}
BENCHMARK(ReadFileBytesOnly);

void ReadFullTemplate(benchmark::State& state) {
    bw::MemorySettings settings;
    QuietPrompts prompts;
    bw::BLOCKINFO block;
    for (auto _ : state) {
        block.Reset(settings, {"/", "/", "/"});
        benchmark::DoNotOptimize(bw::ReadTemplate(block, FullTemplatePath(), prompts));
    }
}
BENCHMARK(ReadFullTemplate);

}  // namespace
