#include "run/generation_run.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include "definition/file_bytes.h"
#include "definition/settings_rules.h"
#include "definition/template_file.h"
#include "generation/left_sections.h"
#include "generation/paths.h"
#include "generation/protection.h"
#include "generation/shared_rules.h"
#include "run/file_set.h"

namespace bw {

namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

// A name that stays one file inside the block directory: no separator, no
// drive, not "." or "..".
bool StaysInDirectory(const std::string& name) {
    for (char c : name) {
        if (IsSeparator(c)) {
            return false;
        }
    }
    return !HasDriveLetter(name) && name != "." && name != "..";
}

std::string OutsideMessage(const std::string& what, const std::string& name) {
    return "The " + what + " \"" + name +
           "\" would put a file outside the block directory. Nothing was generated.";
}

std::optional<std::string> ReadBytes(const std::string& path) {
    return ReadWholeFile(NativePath(path));
}

// The copy the backup keeps of path.
std::string BackupPath(const std::string& path) {
    const auto [directory, name] = SplitPath(path);
    return directory + "KRSave\\" + name;
}

// Whether the file at path already holds text. The splice has read a file it
// carried sections over from (bytes); any other is compared piece by piece.
bool HoldsAlready(const std::string& path, const std::shared_ptr<const std::string>& bytes,
                  std::string_view text) {
    if (bytes) {
        return SameContent(*bytes, text);
    }
    return FileHasSameContent(path, text).value_or(false);
}

// Whether the backup beside path holds what path holds, byte for byte.
bool BackedUp(const std::string& path) {
    const std::optional<std::string> bytes = ReadBytes(path);
    return bytes && ReadBytes(BackupPath(path)) == bytes;
}

// The definition as the integer DSP variant's generators see it, for the
// lifetime of this object: Integer only, under the integer name.
class IntegerVariant {
public:
    explicit IntegerVariant(BLOCKINFO& block)
        : block_(block),
          floatingPoint_(block.FloatingPoint),
          integer_(block.Integer),
          blockName_(block.BlockName) {
        block.FloatingPoint = 0;
        block.Integer = 1;
        block.BlockName = IntegerName(blockName_);
    }
    ~IntegerVariant() {
        block_.FloatingPoint = floatingPoint_;
        block_.Integer = integer_;
        block_.BlockName = blockName_;
    }
    IntegerVariant(const IntegerVariant&) = delete;
    IntegerVariant& operator=(const IntegerVariant&) = delete;

private:
    BLOCKINFO& block_;
    int floatingPoint_;
    int integer_;
    std::string blockName_;
};

// What a new text of path will take, guessed from the file it replaces.
size_t SizeGuess(const std::string& path) {
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(FileSystemPath(NativePath(path)), ec);
    return ec ? 0 : static_cast<size_t>(size + size / 16);
}

// Writes the file's text into output with the splice as the record says.
void RunGenerator(const BlockFile& file, OutputFile& output, BLOCKINFO& block,
                  RunEnvironment& environment, SpliceRecord& splice) {
    environment.splice = &splice;
    if (file.integerVariant) {
        IntegerVariant variant(block);
        file.generator(output, block);
    } else {
        file.generator(output, block);
    }
    environment.splice = nullptr;
}

// The whole text of a generated file, produced in memory with the splice as
// the record says; nothing when the file cannot be opened.
std::optional<std::string> ProduceText(const BlockFile& file, const std::string& path,
                                       BLOCKINFO& block, RunEnvironment& environment,
                                       SpliceRecord& splice) {
    OutputFile output(environment);
    if (!output.Open(path)) {
        return std::nullopt;
    }
    output.Reserve(SizeGuess(path));
    RunGenerator(file, output, block, environment, splice);
    return output.TakeText();
}

// What file's generator writes without a previous version, for the
// definition widened to the outer sections given: what the leftovers of a
// splice are compared with.
std::function<std::string(const std::vector<std::string>&)> DefaultsWriter(
    const BlockFile& file, const std::string& path, const BLOCKINFO& block,
    const SpliceRecord& splice, const RunEnvironment& environment) {
    return [&file, &path, &block, &splice, &environment](const std::vector<std::string>& outer) {
        BLOCKINFO widened = block;
        if (splice.layout->widen) {
            splice.layout->widen(widened, outer);
        }
        return WriteWithoutSplice(file.generator, widened, path, environment);
    };
}

// A splice record that carries every section over without asking, from the
// file itself when it exists (nothing has replaced it yet).
SpliceRecord DeferredSplice(const std::string& path, bool exists) {
    SpliceRecord splice;
    splice.question = SpliceQuestion::Deferred;
    if (exists) {
        splice.previousPath = path;
    }
    return splice;
}

// One run over the file set. Every file is produced whole before anything on
// the disk is touched; a file that already holds it is left alone, and only
// one that differs goes through the overwrite question, its backup and its
// replacement by a rename.
class Run {
public:
    Run(BLOCKINFO& block, RunEnvironment& environment, RunResult& result)
        : block_(block),
          environment_(environment),
          prompts_(*environment.prompts),
          result_(result),
          directory_(DirectoryPrefix(block)) {}

    void ProduceFileSet() {
        for (const BlockFile& file : RunFileSet(block_)) {
            if (environment_.Stopping) {
                result_.outcome = RunOutcome::Cancelled;
                return;
            }
            if (!Produce(file)) {
                result_.outcome = RunOutcome::Aborted;
                return;
            }
        }
        if (environment_.Stopping) {
            result_.outcome = RunOutcome::Cancelled;
        }
    }

private:
    // False when the run has to end.
    bool Produce(const BlockFile& file) {
        const std::string path = directory_ + file.path;
        switch (file.kind) {
            case FileKind::Template:
                SaveTemplate(file, path);
                return true;
            case FileKind::StockCopy:
                CopyStockFile(file, path);
                return true;
            case FileKind::Generated:
                return Generate(file, path);
            case FileKind::TreeOnly:
                return true;
        }
        return true;
    }

    // True when the file needs no replacing (reported as unchanged).
    bool LeftAlone(const BlockFile& file, const std::string& path, bool exists,
                   std::string_view text) {
        if (!exists || !HoldsAlready(path, nullptr, text)) {
            return false;
        }
        Report(FileAction::Unchanged, file, path);
        return true;
    }

    // The overwrite decision and backup of one file, with its report.
    bool Decide(const BlockFile& file, const std::string& path, bool exists) {
        if (!DecideOverwrite(path, environment_, lastAnswer_)) {
            ReportLeftAsItWas(file, path, exists);
            return false;
        }
        // The backup may have failed and the user agreed to overwrite anyway.
        if (exists && BackedUp(path)) {
            Report(FileAction::BackedUp, file, path);
        }
        return true;
    }

    void SaveTemplate(const BlockFile& file, const std::string& path) {
        const bool exists = FileExists(path);
        const std::string text = TemplateText(block_, NativePath(path));
        if (LeftAlone(file, path, exists, text) || !Decide(file, path, exists)) {
            return;
        }
        // A failure leaves the previous template as it was. The run goes on:
        // the block's own files do not depend on it.
        if (WriteWholeFile(path, text) == WholeWrite::Written) {
            Report(FileAction::Written, file, path);
        } else {
            prompts_.showMessage(CannotWriteTemplateMessage(path), MessageIcon::Exclamation);
            result_.notWritten.push_back(path);
        }
    }

    void CopyStockFile(const BlockFile& file, const std::string& path) {
        const std::string stock = environment_.workingDirectory + file.stockFile;
        if (file.stockFile == "xDAIS.bmp" && !FileExists(stock)) {
            prompts_.showMessage(XDAIS_BITMAP_MISSING_MESSAGE, MessageIcon::Stop);
            result_.notWritten.push_back(path);
            return;
        }
        // The resource script names the copy: one that is not there is
        // reported, and the run goes on with the other files.
        const std::optional<std::string> bytes = ReadBytes(stock);
        const bool exists = FileExists(path);
        if ((bytes && LeftAlone(file, path, exists, *bytes)) || !Decide(file, path, exists)) {
            return;
        }
        if (bytes && WriteWholeFile(path, *bytes) == WholeWrite::Written) {
            Report(FileAction::Written, file, path);
        } else {
            prompts_.showMessage(CannotCopyMessage(stock, path), MessageIcon::Exclamation);
            result_.notWritten.push_back(path);
        }
    }

    bool Generate(const BlockFile& file, const std::string& path) {
        const bool exists = FileExists(path);
        if (!exists && !FileExists(BackupPath(path))) {
            return GenerateNew(file, path);
        }
        if (exists && GeneratesWhatItHolds(file, path)) {
            if (!environment_.Stopping) {
                Report(FileAction::Unchanged, file, path);
            }
            return true;
        }
        // The splice question waits until the file is known to change.
        SpliceRecord splice = DeferredSplice(path, exists);
        std::optional<std::string> text = ProduceText(file, path, block_, environment_, splice);
        if (!text) {
            prompts_.showMessage(CannotOpenMessage(path), MessageIcon::Exclamation);
            return false;
        }
        if (environment_.Stopping) {
            return true;  // stopped part way (a question went unanswered): nothing touched
        }
        // Known to differ from an existing file: the comparison came first.
        if (!Decide(file, path, exists)) {
            return true;
        }
        if (!AskDeferredSplice(file, path, splice, text)) {
            ReportLeftAsItWas(file, path, exists);
            return true;
        }
        if (!text || !KeepSpliceLeftovers(file, path, splice)) {
            // Replacing the file would lose the user's sections for good.
            ReportLeftAsItWas(file, path, exists);
            return true;
        }
        return Replace(file, path, exists, *text);
    }

    // A file with neither a version to compare with nor one to splice from:
    // its text goes straight into a temporary file beside it, which takes
    // its place once whole. Nothing is kept in memory.
    bool GenerateNew(const BlockFile& file, const std::string& path) {
        WholeFileWriter writer(path);
        OutputFile output(environment_);
        if (!writer.IsOpen() || !output.Open(path, writer)) {
            prompts_.showMessage(CannotOpenMessage(path), MessageIcon::Exclamation);
            return false;
        }
        SpliceRecord splice = DeferredSplice(path, false);
        RunGenerator(file, output, block_, environment_, splice);
        output.Finish();
        if (environment_.Stopping) {
            return true;  // stopped part way: the temporary file goes
        }
        if (!Decide(file, path, false)) {
            return true;
        }
        return ReportReplacement(file, path, false, writer.Commit());
    }

    // Whether the existing file at path holds what the generator writes now,
    // found by comparing the text piece by piece as it is produced: a file
    // that stays as it was costs no copy of its text.
    bool GeneratesWhatItHolds(const BlockFile& file, const std::string& path) {
        // The splice reads the file ahead of the comparison, which takes the
        // pieces it has read: the file is read once.
        SharedReading shared;
        ContentComparison comparison(path, &shared);
        OutputFile output(environment_);
        if (!comparison.IsOpen() || !output.Open(path, comparison)) {
            return false;
        }
        SpliceRecord splice = DeferredSplice(path, true);
        splice.keepsPrevious = false;  // read only where the splice looks
        splice.shared = &shared;
        RunGenerator(file, output, block_, environment_, splice);
        output.Finish();
        return comparison.Result().value_or(false);
    }

    // The splice question the generator put off, asked now that the file is
    // to be replaced; a No produces the file again without the splice. False
    // when the question went unanswered and the run stops.
    bool AskDeferredSplice(const BlockFile& file, const std::string& path, SpliceRecord& splice,
                           std::optional<std::string>& text) {
        if (splice.deferredQuestion.empty() ||
            prompts_.askYesNo(splice.deferredQuestion, MessageIcon::Question)) {
            return true;
        }
        if (environment_.Stopping) {
            return false;
        }
        splice = SpliceRecord{};
        splice.question = SpliceQuestion::Declined;
        text = ProduceText(file, path, block_, environment_, splice);
        return true;
    }

    // Puts text in the file's place whole, and reports how that went.
    bool Replace(const BlockFile& file, const std::string& path, bool exists,
                 std::string_view text) {
        return ReportReplacement(file, path, exists, WriteWholeFile(path, text));
    }

    // Reports how a file's replacement went. False, with a message, when it
    // failed: the run ends there and the file is as it was.
    bool ReportReplacement(const BlockFile& file, const std::string& path, bool exists,
                           WholeWrite how) {
        switch (how) {
            case WholeWrite::Written:
                Report(FileAction::Written, file, path);
                return true;
            case WholeWrite::CannotOpen:
                prompts_.showMessage(CannotOpenMessage(path), MessageIcon::Exclamation);
                break;
            case WholeWrite::CannotWrite:
                prompts_.showMessage("Cannot write file " + DisplayPath(path) + ".  " +
                                         "Will abort code generation.",
                                     MessageIcon::Exclamation);
                break;
        }
        ReportLeftAsItWas(file, path, exists);
        return false;
    }

    // Keeps what the splice did not carry over in an orphan file, to be
    // reported at the end of the run. False when it could not be kept.
    bool KeepSpliceLeftovers(const BlockFile& file, const std::string& path,
                             const SpliceRecord& splice) {
        const auto writeDefaults = DefaultsWriter(file, path, block_, splice, environment_);
        bool kept = true;
        std::optional<SpliceLeftovers> leftovers =
            KeepLeftovers(splice, path, environment_.clock->localNow(), writeDefaults, kept);
        if (!leftovers) {
            return true;
        }
        if (!kept) {
            prompts_.showMessage(CannotKeepLeftoversMessage(path, leftovers->keptIn),
                                 MessageIcon::Exclamation);
            result_.notWritten.push_back(path);
            return false;
        }
        result_.leftovers.push_back(std::move(*leftovers));
        return true;
    }

    // An existing file that the run did not replace is reported as skipped.
    void ReportLeftAsItWas(const BlockFile& file, const std::string& path, bool exists) {
        if (exists) {
            Report(FileAction::Skipped, file, path);
        }
    }

    void Report(FileAction action, const BlockFile& file, const std::string& path) {
        result_.events.push_back(FileEvent{action, path, file.path});
    }

    BLOCKINFO& block_;
    RunEnvironment& environment_;
    UserPrompts& prompts_;
    RunResult& result_;
    const std::string directory_;
    OverwriteAnswer lastAnswer_ = OverwriteAnswer::Yes;
};

// What the run would write for one file, or nothing for a file it would not
// produce (a stock file missing); splice tells what the splice did.
std::optional<std::string> PreviewText(const BlockFile& file, const std::string& path,
                                       BLOCKINFO& block, RunEnvironment& quiet, bool exists,
                                       SpliceRecord& splice) {
    switch (file.kind) {
        case FileKind::Template:
            return TemplateText(block, NativePath(path));
        case FileKind::StockCopy:
            return ReadBytes(quiet.workingDirectory + file.stockFile);
        case FileKind::Generated: {
            splice = DeferredSplice(path, exists);
            return ProduceText(file, path, block, quiet, splice);
        }
        case FileKind::TreeOnly:
            break;
    }
    return std::nullopt;
}

}  // namespace

std::string CannotOpenMessage(const std::string& path) {
    return "Cannot open file " + DisplayPath(path) + ".  " + "Will abort code generation.";
}

std::string CannotCopyMessage(const std::string& stock, const std::string& path) {
    return "Cannot copy file " + DisplayPath(stock) + " to " + DisplayPath(path) + ".";
}

std::string CannotWriteTemplateMessage(const std::string& path) {
    return "Cannot write file " + DisplayPath(path) + ".  The template was not saved.";
}

std::string CannotKeepLeftoversMessage(const std::string& path, const std::string& orphanPath) {
    return "Cannot write file " + NativePath(orphanPath) +
           " to keep the sections that were not carried over.  " + NativePath(path) +
           " was left as it was.";
}

size_t RunResult::Count(FileAction action) const {
    return static_cast<size_t>(std::count_if(
        events.begin(), events.end(), [&](const FileEvent& e) { return e.action == action; }));
}

std::vector<std::string> RunResult::Paths(FileAction action) const {
    std::vector<std::string> paths;
    for (const FileEvent& event : events) {
        if (event.action == action) {
            paths.push_back(event.path);
        }
    }
    return paths;
}

std::string RefusalReason(const BLOCKINFO& block) {
    if (IsForeignPath(block.Directory)) {
        return ForeignPathMessage(block.Directory);
    }
    if (block.BlockName.empty()) {
        return "The block has no file name. Nothing was generated.";
    }
    if (!StaysInDirectory(block.BlockName)) {
        return OutsideMessage("block file name", block.BlockName);
    }
    if (!StaysInDirectory(block.IconFilename)) {
        return OutsideMessage("icon file name", block.IconFilename);
    }
    // The algorithm name names the Code Composer project of an XDAIS block.
    if (block.RealTime != 0 && block.xDAIS != 0 && !StaysInDirectory(block.AlgorithmName)) {
        return OutsideMessage("algorithm name", block.AlgorithmName);
    }
    return {};
}

void RememberSettings(const BLOCKINFO& block, SettingsStore& settings) {
    std::string directory = block.Directory;
    if (directory.size() > 1 && IsSeparator(directory.back())) {
        directory.pop_back();
    }
    // Remembered lower-cased where file names ignore case; elsewhere the
    // folder would not be found again.
    if (FILE_NAMES_IGNORE_CASE) {
        directory = LowerCase(directory);
    }
    settings.write(setting::SECTION, setting::OPEN_DIRECTORY, directory);

    // c:\blocks\myadd with the block MyAdd: new blocks start in c:\blocks.
    const std::string name = LowerCase(block.BlockName);
    const size_t at = name.empty() ? std::string::npos : LowerCase(directory).find(name);
    if (at != std::string::npos && at > 0 && at + name.size() == directory.size()) {
        const size_t separator = directory.find_last_of("\\/", at - 1);
        if (separator != std::string::npos) {
            directory.erase(separator);
        }
    }
    settings.write(setting::SECTION, setting::BLOCK_DIRECTORY, directory);
    settings.write(setting::SECTION, setting::LIB_DIRECTORY, block.LibraryPath);
    settings.write(setting::SECTION, setting::INCLUDE_DIRECTORY, block.IncludePath);
    settings.write(setting::SECTION, setting::COMPANY_NAME, block.CompanyName);
    settings.write(setting::SECTION, setting::VENDOR_NAME, block.VendorName);
}

RunResult RunGeneration(BLOCKINFO& block, RunEnvironment& environment) {
    RunResult result;
    environment.Stopping = false;
    const std::string refusal = RefusalReason(block);
    if (!refusal.empty()) {
        environment.prompts->showMessage(refusal, MessageIcon::Stop);
        result.outcome = RunOutcome::Refused;
    } else {
        Run(block, environment, result).ProduceFileSet();
        // Only folders a run could write to become the next block's defaults.
        if (result.outcome == RunOutcome::Completed) {
            RememberSettings(block, *environment.settings);
        }
    }
    // After the run, so that no file waits for the user to read them.
    for (const SpliceLeftovers& leftovers : result.leftovers) {
        environment.prompts->showMessage(LeftoversMessage(leftovers), MessageIcon::Exclamation);
    }
    // The end of every run: nothing more is written until the next one starts.
    environment.Stopping = true;
    return result;
}

std::vector<FilePreview> PreviewFileSet(BLOCKINFO& block, const RunEnvironment& environment) {
    // Nobody to ask and nothing to pump: a preview neither asks nor shows.
    RunEnvironment quiet = environment;
    quiet.prompts = nullptr;
    quiet.pump = nullptr;
    quiet.Stopping = false;
    std::vector<FilePreview> previews;
    const std::string directory = DirectoryPrefix(block);
    for (const BlockFile& file : RunFileSet(block)) {
        FilePreview preview{directory + file.path, file.path};
        const bool exists = FileExists(preview.path);
        SpliceRecord splice;
        const std::optional<std::string> text =
            PreviewText(file, preview.path, block, quiet, exists, splice);
        preview.splices = splice.layout != nullptr;
        preview.keepsAside =
            preview.splices &&
            !FindLeftSections(splice, DefaultsWriter(file, preview.path, block, splice, quiet))
                 .empty();
        preview.change = !exists ? FileChange::New
                         : text && HoldsAlready(preview.path, splice.previousBytes, *text)
                             ? FileChange::Unchanged
                             : FileChange::Changed;
        previews.push_back(std::move(preview));
    }
    return previews;
}

}  // namespace bw
