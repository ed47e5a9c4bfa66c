#include "run/file_text.h"

#include <utility>

#include "files/path_calls.h"
#include "generation/names_and_literals.h"
#include "generation/overwrite.h"
#include "generation/paths.h"
#include "generation/same_content.h"

namespace bw {

namespace {

// The definition as the integer DSP variant's generators see it: Integer
// only, under the integer name.
BLOCKINFO IntegerVariantOf(const BLOCKINFO& block) {
    BLOCKINFO variant = block;
    variant.FloatingPoint = 0;
    variant.Integer = 1;
    variant.BlockName = IntegerName(block.BlockName);
    return variant;
}

}  // namespace

const BLOCKINFO& Definitions::For(const BlockFile& file) {
    if (!file.integerVariant) {
        return block_;
    }
    if (!integer_) {
        integer_ = IntegerVariantOf(block_);
    }
    return *integer_;
}

size_t SizeGuess(const Entry& entry) {
    return static_cast<size_t>(entry.size + entry.size / 16);
}

Previous ReadPrevious(const BlockFolder& folder, const BlockFile& file, bool exists) {
    Previous previous;
    const std::string from = exists ? file.path : BackupOf(file.path);
    if (file.splice == nullptr || (!exists && folder.Look(from).kind == EntryKind::Missing)) {
        return previous;
    }
    std::string bytes;
    previous.unreadable = folder.Read(from, LARGEST_FILE_READ, bytes);
    if (previous.unreadable) {
        previous.bytes = std::make_shared<const std::string>(std::move(bytes));
    }
    return previous;
}

bool HoldsAlready(const BlockFolder& folder, const std::string& relative,
                  const std::shared_ptr<const std::string>& bytes, std::string_view text) {
    if (bytes) {
        return SameContent(*bytes, text);
    }
    return FileHasSameContent(folder, relative, text).value_or(false);
}

std::optional<std::string> ProduceText(const BlockFile& file, const std::string& path,
                                       size_t sizeGuess, const BLOCKINFO& block,
                                       RunEnvironment& environment, const std::tm& now,
                                       PreviousVersion* carried) {
    OutputFile output(environment, GeneratorInputs{now, environment.workingDirectory, carried});
    if (!output.Open(path)) {
        return std::nullopt;
    }
    output.Reserve(sizeGuess);
    file.generator(output, block);
    return output.TakeText();
}

std::function<std::string(const std::vector<std::string>&)> DefaultsProducer(
    const BlockFile& file, const std::string& path, const BLOCKINFO& block, const std::tm& now,
    const SpliceLayout& layout) {
    return [&file, &path, &block, now, &layout](const std::vector<std::string>& outerTitles) {
        BLOCKINFO widened = block;
        if (layout.widen) {
            layout.widen(widened, outerTitles);
        }
        RunEnvironment quiet;  // neither pumped nor stopped
        return ProduceText(file, path, 0, widened, quiet, now, nullptr).value_or(std::string());
    };
}

}  // namespace bw
