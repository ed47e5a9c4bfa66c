#pragma once

// What the run and its preview share: the definitions handed to the
// generators, the previous version of a file and the user sections carried
// over from it, and a file's text produced in memory.

#include <ctime>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "definition/block_info.h"
#include "files/block_folder.h"
#include "generation/output_file.h"
#include "generation/previous_version.h"
#include "run/file_set.h"

namespace bw {

// The definitions a run hands its generators: the block, and the integer
// variant, copied once when a file first needs it.
class Definitions {
public:
    explicit Definitions(const BLOCKINFO& block) : block_(block) {}

    const BLOCKINFO& For(const BlockFile& file);

private:
    const BLOCKINFO& block_;
    std::optional<BLOCKINFO> integer_;
};

// What a new text will take, guessed from the file it replaces.
size_t SizeGuess(const Entry& entry);

// The previous version of a generated file whose user sections are carried
// over: the file itself, or its backup in "KRSave" when the file is gone.
// The run reads it once, whole, before the generator starts.
struct Previous {
    std::shared_ptr<const std::string> bytes;  // null: nothing to carry over
    FileResult unreadable;                     // there, but it could not be read
};

// Reads the previous version of file: the file itself when it exists, else
// its backup.
Previous ReadPrevious(const BlockFolder& folder, const BlockFile& file, bool exists);

// Whether the file at relative already holds text. A previous version the
// run has read (bytes) is the file itself; any other file is compared piece
// by piece.
bool HoldsAlready(const BlockFolder& folder, const std::string& relative,
                  const std::shared_ptr<const std::string>& bytes, std::string_view text);

// The user sections handed to one generator, and what it noted carrying them.
class Carried {
public:
    // The previous version for the generator, or null when it has none.
    PreviousVersion* From(const BlockFile& file, const Previous& previous) {
        if (!previous.bytes) {
            return nullptr;
        }
        version_.Share(previous.bytes);
        version_.Attach(file.splice, &record_);
        return &version_;
    }
    const SpliceRecord& Record() const { return record_; }
    // Whether a previous version's sections were carried over.
    bool Any() const { return record_.layout != nullptr; }

private:
    PreviousVersion version_;
    SpliceRecord record_;
};

// The whole text of a generated file, produced in memory from the inputs
// the run read; nothing when the file cannot be opened.
std::optional<std::string> ProduceText(const BlockFile& file, const std::string& path,
                                       size_t sizeGuess, const BLOCKINFO& block,
                                       RunEnvironment& environment, const std::tm& now,
                                       PreviousVersion* carried);

// What file's generator writes without a previous version, produced in
// memory for the definition widened to the outer sections given: the
// defaults that tell a splice's leftover user code from what was generated.
std::function<std::string(const std::vector<std::string>&)> DefaultsProducer(
    const BlockFile& file, const std::string& path, const BLOCKINFO& block, const std::tm& now,
    const SpliceLayout& layout);

}  // namespace bw
