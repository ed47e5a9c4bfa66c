#include "run/generation_run.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <system_error>

#include "definition/file_bytes.h"
#include "definition/settings_rules.h"
#include "definition/template_file.h"
#include "generation/paths.h"
#include "generation/protection.h"
#include "generation/shared_rules.h"
#include "run/file_set.h"

namespace bw {

namespace fs = std::filesystem;

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

// What a file held before the run replaced it.
struct PreviousFile {
    bool existed = false;
    std::optional<std::string> bytes;  // empty when it could not be read
};

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

// One run over the file set.
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
                if (Decide(file, path)) {
                    CreateDirectoryPath(directory_);
                    // The template is saved through a temporary file, so a
                    // failure leaves the previous one as it was. The run goes
                    // on: the block's own files do not depend on it.
                    if (WriteTemplate(block_, NativePath(path))) {
                        Report(FileAction::Written, file, path);
                    } else {
                        prompts_.showMessage(CannotWriteTemplateMessage(path),
                                             MessageIcon::Exclamation);
                        result_.notWritten.push_back(path);
                    }
                }
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

    // The overwrite decision and backup of one file, with its report.
    // previousOut receives what was there before.
    bool Decide(const BlockFile& file, const std::string& path,
                PreviousFile* previousOut = nullptr) {
        PreviousFile previous;
        previous.existed = FileExists(path);
        if (previous.existed) {
            previous.bytes = ReadBytes(path);
        }
        if (!DecideOverwrite(path, environment_, lastAnswer_)) {
            if (previous.existed) {
                Report(FileAction::Skipped, file, path);
            }
            return false;
        }
        // The backup may have failed and the user agreed to overwrite anyway.
        if (previous.bytes && ReadBytes(BackupPath(path)) == previous.bytes) {
            Report(FileAction::BackedUp, file, path);
        }
        if (previousOut != nullptr) {
            *previousOut = std::move(previous);
        }
        return true;
    }

    void CopyStockFile(const BlockFile& file, const std::string& path) {
        const std::string stock = environment_.workingDirectory + file.stockFile;
        if (file.stockFile == "xDAIS.bmp" && !FileExists(stock)) {
            prompts_.showMessage(XDAIS_BITMAP_MISSING_MESSAGE, MessageIcon::Stop);
            result_.notWritten.push_back(path);
            return;
        }
        if (!Decide(file, path)) {
            return;
        }
        // The resource script names the copy: one that is not there is
        // reported, and the run goes on with the other files.
        std::error_code ec;
        if (fs::copy_file(FileSystemPath(NativePath(stock)), FileSystemPath(NativePath(path)),
                          fs::copy_options::overwrite_existing, ec) &&
            !ec) {
            Report(FileAction::Written, file, path);
        } else {
            prompts_.showMessage(CannotCopyMessage(stock, path), MessageIcon::Exclamation);
            result_.notWritten.push_back(path);
        }
    }

    bool Generate(const BlockFile& file, const std::string& path) {
        PreviousFile previous;
        if (!Decide(file, path, &previous)) {
            return true;
        }
        OutputFile output(environment_);
        if (!output.Open(path)) {
            prompts_.showMessage(CannotOpenMessage(path), MessageIcon::Exclamation);
            return false;
        }
        SpliceRecord splice;
        environment_.splice = &splice;
        if (file.integerVariant) {
            IntegerVariant variant(block_);
            file.generator(output, block_);
        } else {
            file.generator(output, block_);
        }
        environment_.splice = nullptr;
        const bool closed = output.Close();
        if (environment_.Stopping) {
            // Stopped in the middle of the file (a question inside its
            // generator went unanswered): leave no half-written file behind.
            PutBack(file, path, previous);
            return true;
        }
        if (!closed) {
            // A file that did not reach the disk whole (a full disk) is not
            // reported as written and does not stay: what was there before
            // is put back.
            PutBack(file, path, previous);
            prompts_.showMessage(
                "Cannot write file " + DisplayPath(path) + ".  " + "Will abort code generation.",
                MessageIcon::Exclamation);
            return false;
        }
        if (!KeepSpliceLeftovers(file, path, splice)) {
            // Replacing the file would lose the user's sections for good.
            PutBack(file, path, previous);
            return true;
        }
        Report(FileAction::Written, file, path);
        return true;
    }

    // Keeps what the splice did not carry over in an orphan file, to be
    // reported at the end of the run. False when it could not be kept.
    bool KeepSpliceLeftovers(const BlockFile& file, const std::string& path,
                             const SpliceRecord& splice) {
        const auto writeDefaults = [&](const std::vector<std::string>& outerTitles) {
            BLOCKINFO widened = block_;
            if (splice.layout->widen) {
                splice.layout->widen(widened, outerTitles);
            }
            return WriteWithoutSplice(file.generator, widened, path, environment_);
        };
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

    void PutBack(const BlockFile& file, const std::string& path, const PreviousFile& previous) {
        if (!previous.existed) {
            std::error_code ec;
            fs::remove(FileSystemPath(NativePath(path)), ec);
        } else if (previous.bytes) {
            std::ofstream out(FileSystemPath(NativePath(path)), std::ios::binary | std::ios::trunc);
            out << *previous.bytes;
            out.close();
            // Put back whole, or not at all: the copy in "KRSave" remains.
            if (out) {
                Report(FileAction::Skipped, file, path);
            }
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
        return DriveLetterMessage(block.Directory);
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
        RememberSettings(block, *environment.settings);
        Run(block, environment, result).ProduceFileSet();
    }
    // After the run, so that no file waits for the user to read them.
    for (const SpliceLeftovers& leftovers : result.leftovers) {
        environment.prompts->showMessage(LeftoversMessage(leftovers), MessageIcon::Exclamation);
    }
    // The end of every run: nothing more is written until the next one starts.
    environment.Stopping = true;
    return result;
}

}  // namespace bw
