#include "run/generation_run.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

#include "definition/settings_rules.h"
#include "definition/template_file.h"
#include "files/path_calls.h"
#include "files/path_text.h"
#include "files/root_folder.h"
#include "gen_dsp/dsp_files.h"
#include "generation/names_and_literals.h"
#include "generation/overwrite.h"
#include "generation/paths.h"
#include "generation/same_content.h"
#include "generation/splice_leftovers.h"
#include "run/file_set.h"
#include "run/file_text.h"
#include "run/parameter_order.h"
#include "run/run_folder.h"
#include "run/written_record.h"

namespace bw {

namespace {

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

// message, then on a line of its own what the system said.
std::string WithReason(const std::string& message, const FileResult& fault) {
    return message + "\n" + fault.Message();
}

// The name and extension of path.
std::string FileNameOf(const std::string& path) {
    const auto [directory, name] = SplitPath(path);
    return directory.empty() ? path : name;
}

// The permission bits of the previous version, which the sections kept
// aside from it keep: the file itself, else its backup.
std::optional<unsigned> PreviousMode(const BlockFolder& folder, const BlockFile& file) {
    for (const std::string& from : {file.path, BackupOf(file.path)}) {
        if (const Entry entry = folder.Look(from); entry.kind == EntryKind::File) {
            return entry.mode;
        }
    }
    return std::nullopt;
}

std::string UnreadablePreviousMessage(const std::string& path) {
    return "Unable to open file " + DisplayPath(path) + ", splice will not be attempted.";
}

// A text handed on piece by piece into a new file of the block folder.
class NewFileSink : public TextSink {
public:
    // also, when given, takes the same pieces.
    explicit NewFileSink(NewFile& file, TextSink* also = nullptr) : file_(file), also_(also) {}
    void Take(std::string_view piece) override {
        file_.Write(piece);
        if (also_ != nullptr) {
            also_->Take(piece);
        }
    }

private:
    NewFile& file_;
    TextSink* also_;
};

// How many names an orphan file tries before it gives up.
constexpr int ORPHAN_NAMES = 1000;

// What a file's replacement would lose besides what the program wrote.
enum class Losing {
    Nothing,
    HandEdits,  // edits made since the program last wrote it
    Sections,   // what was typed in its user sections, which are not carried over
};

// A generated file in the making: what the steps of its generation share.
struct Making {
    const BlockFile& file;
    const std::string& path;  // as the run forms it
    const Entry& entry;       // the regular file there, or none
    const BLOCKINFO& block;   // the definition its generator sees
    const std::tm now;
};

// The text that replaces a changed file, the sections it carries over from
// the previous version, and what its replacement loses.
struct Replacement {
    std::optional<std::string> text;  // nothing when it could not be produced
    const SpliceRecord* record;
    Losing losing;
};

// What a file made without its previous version carries over: nothing.
const SpliceRecord NOTHING_CARRIED;

// One run over the file set. The run alone reads the previous versions,
// asks, backs up and writes, all through the block folder it holds locked;
// each generator is handed what it needs and produces its file's text once.
// A file that already holds that text is left alone, and only one that
// differs goes through the overwrite question, its backup and its
// replacement by a rename.
class Run {
public:
    Run(const BLOCKINFO& block, RunEnvironment& environment, RunResult& result, BlockFolder& folder)
        : block_(block),
          definitions_(block),
          environment_(environment),
          prompts_(*environment.prompts),
          result_(result),
          folder_(folder),
          directory_(DirectoryPrefix(block)),
          written_(WrittenRecord::Read(&folder)) {}

    void ProduceFileSet() {
        ProduceFiles();
        SaveWrittenRecord();
        // After the files, whatever became of them, as the host's driver
        // needs the order of the members the header names.
        const std::string record = ParameterOrderFile(environment_.settingsDirectory);
        for (const ParameterOrder& order : parameterOrders_) {
            if (FileResult recorded = RecordParameterOrder(record, order); !recorded) {
                prompts_.showMessage(recorded.Message(), MessageIcon::Exclamation);
                result_.notWritten.push_back(record);
            }
        }
    }

private:
    // Whatever became of the files: those written or found as the program
    // writes them are known as such next time.
    void SaveWrittenRecord() {
        if (FileResult saved = written_.Save(folder_); !saved) {
            prompts_.showMessage(
                WithReason("Cannot write file " + DisplayPath(directory_ + WRITTEN_RECORD) +
                               ".  Files edited by hand after this run will "
                               "not be told from those Blockwright wrote.",
                           saved),
                MessageIcon::Exclamation);
        }
    }

    void ProduceFiles() {
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

    // False when the run has to end.
    bool Produce(const BlockFile& file) {
        if (environment_.fileInHand) {
            environment_.fileInHand(file.path);
        }
        const std::string path = directory_ + file.path;
        // Only a regular file is an existing file; anything else in its place
        // is refused when the run comes to write there.
        Entry entry = folder_.Look(file.path);
        if (entry.kind != EntryKind::File) {
            entry = Entry{};
        }
        switch (file.kind) {
            case FileKind::Template:
                SaveTemplate(file, path, entry);
                return true;
            case FileKind::StockCopy:
                CopyStockFile(file, path, entry);
                return true;
            case FileKind::Generated:
                return Generate(file, path, entry);
            case FileKind::TreeOnly:
                return true;
        }
        return true;
    }

    // True when the file needs no replacing (reported as unchanged).
    bool LeftAlone(const BlockFile& file, const std::string& path, const Entry& entry,
                   std::string_view text) {
        if (entry.kind == EntryKind::Missing || !HoldsAlready(folder_, file.path, nullptr, text)) {
            return false;
        }
        Report(FileAction::Unchanged, file, path);
        written_.Note(file, WrittenDigest(file, text));
        return true;
    }

    // The overwrite decision and backup of one file, with its report. A
    // file whose hand edits its replacement would lose is asked about with
    // losing, which says so, even after a Yes to All for other files.
    bool Decide(const BlockFile& file, const std::string& path, const Entry& entry,
                Losing losing = Losing::Nothing) {
        const Overwrite decision =
            losing == Losing::Nothing
                ? DecideOverwrite(folder_, file.path, path, entry, environment_, lastAnswer_)
                : DecideOverwriteLosingEdits(
                      folder_, file.path, path, entry, environment_, lastAnswer_, editsYesToAll_,
                      losing == Losing::HandEdits ? EditedByHandNote(CopyOf(file))
                                                  : SectionsNotCarriedNote(CopyOf(file)));
        if (decision == Overwrite::Keep) {
            ReportLeftAsItWas(file, path, entry);
            return false;
        }
        if (decision == Overwrite::WriteBackedUp && entry.kind == EntryKind::File) {
            Report(FileAction::BackedUp, file, path);
            result_.events.back().copy = CopyOf(file);
            result_.events.back().editedByHand = losing == Losing::HandEdits;
        }
        return true;
    }

    // Whether the existing file at entry holds edits made by hand.
    Losing HandEditsIn(const BlockFile& file, const Entry& entry) const {
        std::string bytes;
        return entry.kind == EntryKind::File && folder_.Read(file.path, LARGEST_FILE_READ, bytes) &&
                       written_.EditedByHand(file, bytes)
                   ? Losing::HandEdits
                   : Losing::Nothing;
    }

    // Where the backup keeps a copy of file, as the run forms paths.
    std::string CopyOf(const BlockFile& file) const { return directory_ + BackupOf(file.path); }

    void SaveTemplate(const BlockFile& file, const std::string& path, const Entry& entry) {
        std::string existing;
        FileResult done;
        if (entry.kind == EntryKind::File) {
            done = folder_.Read(file.path, LARGEST_FILE_READ, existing);
        }
        if (done) {
            const std::string text = TemplateTextOver(block_, existing);
            if (entry.kind == EntryKind::File && SameContent(existing, text)) {
                Report(FileAction::Unchanged, file, path);
                return;
            }
            if (!Decide(file, path, entry)) {
                return;
            }
            done = folder_.Write(file.path, text);
        }
        // A failure leaves the previous template as it was. The run goes on:
        // the block's own files do not depend on it.
        if (done) {
            ReportWritten(file, path, entry);
        } else {
            prompts_.showMessage(WithReason(CannotWriteTemplateMessage(path), done),
                                 MessageIcon::Exclamation);
            result_.notWritten.push_back(path);
        }
    }

    void CopyStockFile(const BlockFile& file, const std::string& path, const Entry& entry) {
        const std::string stock = environment_.workingDirectory + file.stockFile;
        if (file.stockFile == "xDAIS.bmp" && !FileExists(stock)) {
            prompts_.showMessage(XDAIS_BITMAP_MISSING_MESSAGE, MessageIcon::Stop);
            result_.notWritten.push_back(path);
            return;
        }
        // The resource script names the copy: one that is not there is
        // reported, and the run goes on with the other files.
        std::string bytes;
        FileResult done = ReadRegularFile(NativePath(stock), LARGEST_FILE_READ, bytes);
        if (done) {
            if (LeftAlone(file, path, entry, bytes) ||
                !Decide(file, path, entry, HandEditsIn(file, entry))) {
                return;
            }
            done = folder_.Write(file.path, bytes);
        }
        if (done) {
            ReportWritten(file, path, entry);
            written_.Note(file, WrittenDigest(file, bytes));
        } else {
            prompts_.showMessage(WithReason(CannotCopyMessage(stock, path), done),
                                 MessageIcon::Exclamation);
            result_.notWritten.push_back(path);
        }
    }

    bool Generate(const BlockFile& file, const std::string& path, const Entry& entry) {
        const BLOCKINFO& block = definitions_.For(file);
        if (file.recordsParameterOrder) {
            parameterOrders_.push_back({block.BlockName, ParameterMemberOrder(block)});
        }
        const Making making{file, path, entry, block, environment_.clock->localNow()};
        const Previous previous = ReadPreviousVersion(making);
        if (entry.kind != EntryKind::File && !previous.bytes) {
            return GenerateNew(file, path, block, making.now);
        }
        return GenerateOver(making, previous);
    }

    // The previous version whose sections are carried over. One that is
    // there but cannot be read is reported, and the file is made without it.
    Previous ReadPreviousVersion(const Making& m) {
        Previous previous = ReadPrevious(folder_, m.file, m.entry.kind == EntryKind::File);
        if (!previous.unreadable) {
            prompts_.showMessage(WithReason(UnreadablePreviousMessage(m.path), previous.unreadable),
                                 MessageIcon::Exclamation);
        }
        return previous;
    }

    // The file as it is, which each text is compared with as it is produced
    // (and kept only from where it differs): the previous version when that
    // is the file itself, else read into onDisk. Nothing when the file is
    // not there or cannot be read: then it is asked about.
    std::optional<std::string_view> Existing(const Making& m, const Previous& previous,
                                             std::string& onDisk) const {
        if (m.entry.kind != EntryKind::File) {
            return std::nullopt;
        }
        if (previous.bytes) {
            return std::string_view(*previous.bytes);
        }
        if (!folder_.Read(m.file.path, LARGEST_FILE_READ, onDisk)) {
            return std::nullopt;
        }
        return std::string_view(onDisk);
    }

    // A file that is there, or whose previous version is kept: replaced only
    // when its new text differs. False when the run has to end.
    bool GenerateOver(const Making& m, const Previous& previous) {
        std::string onDisk;
        const std::optional<std::string_view> existing = Existing(m, previous, onDisk);
        Carried carried;
        ComparedText compared(existing.value_or(std::string_view()));
        if (!ProduceCompared(m.file, m.path, m.block, m.now, carried.From(m.file, previous),
                             compared)) {
            prompts_.showMessage(CannotOpenMessage(m.path), MessageIcon::Exclamation);
            return false;
        }
        if (environment_.Stopping) {
            return true;  // stopped part way (a question went unanswered): nothing touched
        }
        if (existing && compared.Same()) {
            // It holds what the run would write, its user sections carried
            // over: nothing to ask, nothing to replace.
            Report(FileAction::Unchanged, m.file, m.path);
            written_.Note(m.file, WrittenDigest(m.file, *existing));
            return true;
        }
        Replacement replacement{compared.TakeText(), &carried.Record(),
                                existing && written_.EditedByHand(m.file, *existing)
                                    ? Losing::HandEdits
                                    : Losing::Nothing};
        // The splice question comes once the file is known to change, and
        // before the overwrite question, which then says what a No to it
        // loses.
        if (carried.Any() && !AskSplice(m.file, m.path)) {
            if (environment_.Stopping) {
                ReportLeftAsItWas(m.file, m.path, m.entry);
                return true;
            }
            replacement = WithoutSections(m);
        }
        return ReplaceChanged(m, replacement);
    }

    // The splice declined: the file as it is without a previous version,
    // which loses what was typed in the sections.
    Replacement WithoutSections(const Making& m) {
        return {
            ProduceText(m.file, m.path, SizeGuess(m.entry), m.block, environment_, m.now, nullptr),
            &NOTHING_CARRIED, Losing::Sections};
    }

    // Asks before replacing a file whose text changes, keeps aside the
    // sections not carried over, then puts the text in its place. False
    // when the run has to end.
    bool ReplaceChanged(const Making& m, const Replacement& replacement) {
        if (!Decide(m.file, m.path, m.entry, replacement.losing)) {
            return true;
        }
        if (!replacement.text ||
            !KeepSpliceLeftovers(m.file, m.path, m.block, m.now, *replacement.record)) {
            // Replacing the file would lose the user's sections for good.
            ReportLeftAsItWas(m.file, m.path, m.entry);
            return true;
        }
        if (!Replace(m.file, m.path, m.entry, *replacement.text)) {
            return false;
        }
        written_.Note(m.file, WrittenDigest(m.file, *replacement.text));
        return true;
    }

    // Produces file's text into compared; false when the file cannot be opened.
    bool ProduceCompared(const BlockFile& file, const std::string& path, const BLOCKINFO& block,
                         const std::tm& now, PreviousVersion* carried, ComparedText& compared) {
        OutputFile output(environment_,
                          GeneratorInputs{now, environment_.workingDirectory, carried});
        if (!output.Open(path, compared)) {
            return false;
        }
        file.generator(output, block);
        output.Finish();
        return true;
    }

    // Whether to carry the previous version's sections over.
    bool AskSplice(const BlockFile& file, const std::string& path) {
        return prompts_.askYesNo(SpliceQuestionFor(FileNameOf(path), *file.splice),
                                 MessageIcon::Question);
    }

    // A file with neither a version to compare with nor one to splice from:
    // its text goes straight into a temporary file beside it, which takes
    // its place once whole. Nothing is kept in memory.
    bool GenerateNew(const BlockFile& file, const std::string& path, const BLOCKINFO& block,
                     const std::tm& now) {
        NewFile out(folder_, file.path);
        if (FileResult opened = out.Open(); !opened) {
            prompts_.showMessage(WithReason(CannotOpenMessage(path), opened),
                                 MessageIcon::Exclamation);
            return false;
        }
        WrittenDigester digest(file);
        NewFileSink sink(out, &digest);
        OutputFile output(environment_, GeneratorInputs{now, environment_.workingDirectory});
        if (!output.Open(path, sink)) {
            prompts_.showMessage(CannotOpenMessage(path), MessageIcon::Exclamation);
            return false;
        }
        file.generator(output, block);
        output.Finish();
        if (environment_.Stopping) {
            return true;  // stopped part way: the temporary file goes
        }
        const Entry none;
        if (!Decide(file, path, none)) {
            return true;
        }
        if (!ReportReplacement(file, path, none, out.Commit())) {
            return false;
        }
        written_.Note(file, digest.Digest());
        return true;
    }

    // Puts text in the file's place whole, and reports how that went.
    bool Replace(const BlockFile& file, const std::string& path, const Entry& entry,
                 std::string_view text) {
        NewFile out(folder_, file.path);
        if (FileResult opened = out.Open(); !opened) {
            prompts_.showMessage(WithReason(CannotOpenMessage(path), opened),
                                 MessageIcon::Exclamation);
            ReportLeftAsItWas(file, path, entry);
            return false;
        }
        out.Write(text);
        return ReportReplacement(file, path, entry, out.Commit());
    }

    // Reports how a file's replacement went. False, with a message, when it
    // failed: the run ends there and the file is as it was.
    bool ReportReplacement(const BlockFile& file, const std::string& path, const Entry& entry,
                           const FileResult& how) {
        if (how) {
            ReportWritten(file, path, entry);
            return true;
        }
        prompts_.showMessage(WithReason("Cannot write file " + DisplayPath(path) + ".  " +
                                            "Will abort code generation.",
                                        how),
                             MessageIcon::Exclamation);
        ReportLeftAsItWas(file, path, entry);
        return false;
    }

    // Keeps what the splice did not carry over in a new orphan file, to be
    // reported at the end of the run. False when it could not be kept.
    bool KeepSpliceLeftovers(const BlockFile& file, const std::string& path, const BLOCKINFO& block,
                             const std::tm& now, const SpliceRecord& record) {
        if (record.layout == nullptr) {
            return true;
        }
        const std::optional<SetAside> setAside =
            SetAsideLeftovers(record, DefaultsProducer(file, path, block, now, *record.layout));
        if (!setAside) {
            return true;
        }
        const std::optional<unsigned> mode = PreviousMode(folder_, file);
        for (int n = 1;; ++n) {
            const std::string orphan = OrphanPath(file.path, now, n);
            bool taken = false;
            const FileResult kept = folder_.WriteNew(orphan, setAside->text, taken, mode);
            if (kept) {
                result_.leftovers.push_back(
                    SpliceLeftovers{path, directory_ + orphan, setAside->sections});
                return true;
            }
            if (!taken || n == ORPHAN_NAMES) {
                prompts_.showMessage(
                    WithReason(CannotKeepLeftoversMessage(path, directory_ + orphan), kept),
                    MessageIcon::Exclamation);
                result_.notWritten.push_back(path);
                return false;
            }
        }
    }

    // A file written, saying so when it replaced a read-only one (which
    // stays read-only).
    void ReportWritten(const BlockFile& file, const std::string& path, const Entry& entry) {
        Report(FileAction::Written, file, path);
        result_.events.back().readOnly = entry.kind == EntryKind::File && entry.readOnly;
    }

    // An existing file that the run did not replace is reported as skipped.
    void ReportLeftAsItWas(const BlockFile& file, const std::string& path, const Entry& entry) {
        if (entry.kind == EntryKind::File) {
            Report(FileAction::Skipped, file, path);
        }
    }

    void Report(FileAction action, const BlockFile& file, const std::string& path) {
        result_.events.push_back(FileEvent{action, path, file.path});
    }

    const BLOCKINFO& block_;
    Definitions definitions_;
    RunEnvironment& environment_;
    UserPrompts& prompts_;
    RunResult& result_;
    BlockFolder& folder_;
    const std::string directory_;
    OverwriteAnswer lastAnswer_ = OverwriteAnswer::Yes;
    // A Yes to All given to a question about a file with hand edits, which
    // alone answers the later ones.
    bool editsYesToAll_ = false;
    WrittenRecord written_;
    std::vector<ParameterOrder> parameterOrders_;
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
    return "Cannot write file " + DisplayPath(orphanPath) +
           " to keep the sections that were not carried over.  " + DisplayPath(path) +
           " was left as it was.";
}

size_t RunResult::Count(FileAction action) const {
    return static_cast<size_t>(std::count_if(
        events.begin(), events.end(), [&](const FileEvent& e) { return e.action == action; }));
}

size_t RunResult::ReadOnlyReplaced() const {
    return static_cast<size_t>(
        std::count_if(events.begin(), events.end(), [](const FileEvent& e) { return e.readOnly; }));
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
    if (!block.Directory.empty() && NamesRootFolderHere(block.Directory)) {
        return "The block directory " + block.Directory +
               " is a root folder, which is never a block's folder. Nothing was generated.";
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
    // Remembered as the user would write it: no "..", the case as typed.
    std::string directory = CleanPath(block.Directory);
    if (directory.size() > 1 && IsSeparator(directory.back())) {
        directory.pop_back();
    }
    settings.write(setting::SECTION, setting::OPEN_DIRECTORY, directory);

    // New blocks start beside this one (c:\blocks\myadd: in c:\blocks), never
    // inside it, whatever its folder is named.
    const size_t separator = directory.find_last_of("\\/");
    if (separator != std::string::npos && separator > 0 && directory[separator - 1] != ':') {
        directory.erase(separator);
    }
    settings.write(setting::SECTION, setting::BLOCK_DIRECTORY, directory);
    settings.write(setting::SECTION, setting::LIB_DIRECTORY, block.LibraryPath);
    settings.write(setting::SECTION, setting::INCLUDE_DIRECTORY, block.IncludePath);
    settings.write(setting::SECTION, setting::COMPANY_NAME, block.CompanyName);
    settings.write(setting::SECTION, setting::VENDOR_NAME, block.VendorName);
}

namespace {

// The run in its block folder, which it holds locked meanwhile: a folder
// that cannot be held (another run writes there, a link where the run would
// write) stops it before anything is written.
void ProduceInFolder(const BLOCKINFO& block, RunEnvironment& environment, RunResult& result) {
    RunFolder folder;
    if (const FileResult opened = folder.Open(block, RunFileSet(block)); !opened) {
        environment.prompts->showMessage(opened.Message(), MessageIcon::Stop);
        result.outcome = RunOutcome::Aborted;
        return;
    }
    if (!folder.LeftoverFault().empty()) {
        environment.prompts->showMessage(folder.LeftoverFault(), MessageIcon::Exclamation);
    }
    Run(block, environment, result, folder.Folder()).ProduceFileSet();
    // Only folders a run could write to become the next block's defaults.
    if (result.outcome == RunOutcome::Completed) {
        RememberSettings(block, *environment.settings);
    }
}

}  // namespace

RunResult RunGeneration(const BLOCKINFO& block, RunEnvironment& environment) {
    RunResult result;
    environment.Stopping = false;
    const std::string refusal = RefusalReason(block);
    if (!refusal.empty()) {
        environment.prompts->showMessage(refusal, MessageIcon::Stop);
        result.outcome = RunOutcome::Refused;
    } else {
        ProduceInFolder(block, environment, result);
    }
    // After the run, so that no file waits for the user to read them.
    for (const SpliceLeftovers& leftovers : result.leftovers) {
        environment.prompts->showMessage(LeftoversMessage(leftovers), MessageIcon::Exclamation);
    }
    // The end of every run: nothing more is written until the next one starts.
    environment.Stopping = true;
    return result;
}

RunEnvironment MakeRunEnvironment(UserPrompts* prompts, const Clock& clock, SettingsStore& settings,
                                  std::string workingDirectory, std::string settingsDirectory) {
    RunEnvironment environment;
    environment.prompts = prompts;
    environment.clock = &clock;
    environment.settings = &settings;
    environment.workingDirectory = std::move(workingDirectory);
    environment.settingsDirectory = std::move(settingsDirectory);
    return environment;
}

}  // namespace bw
