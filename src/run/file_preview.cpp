#include "run/file_preview.h"

#include <memory>
#include <optional>

#include "definition/template_file.h"
#include "files/path_calls.h"
#include "generation/overwrite.h"
#include "generation/paths.h"
#include "generation/splice_leftovers.h"
#include "run/file_text.h"
#include "run/written_record.h"

namespace bw {

namespace {

// What a run would do with one file of the set, found without writing or
// asking anything; folder is null when the block folder is not there yet.
FilePreview PreviewFile(const BlockFile& file, const std::string& path, const BlockFolder* folder,
                        const WrittenRecord& written, Definitions& definitions,
                        RunEnvironment& quiet, SectionsCarried sections) {
    FilePreview preview{path, file.path};
    const Entry entry = folder != nullptr ? folder->Look(file.path) : Entry{};
    const bool exists = entry.kind == EntryKind::File;
    std::optional<std::string> text;
    Previous previous;
    switch (file.kind) {
        case FileKind::Template: {
            std::string existing;
            if (exists && folder->Read(file.path, LARGEST_FILE_READ, existing)) {
                text = TemplateTextOver(definitions.For(file), existing);
            }
            break;
        }
        case FileKind::StockCopy:
            text = ReadWholeFile(NativePath(quiet.workingDirectory + file.stockFile));
            break;
        case FileKind::Generated: {
            if (folder != nullptr) {
                previous = ReadPrevious(*folder, file, exists);
            }
            Carried carried;
            const BLOCKINFO& block = definitions.For(file);
            const std::tm now = quiet.clock->localNow();
            text = ProduceText(file, path, SizeGuess(entry), block, quiet, now,
                               carried.From(file, previous));
            // Declined, the run writes a file that changes as if there were
            // no previous version; one that holds the text with its sections
            // carried over is left alone all the same.
            const bool declined = sections == SectionsCarried::No && carried.Any();
            if (declined) {
                if (exists && HoldsAlready(*folder, file.path, previous.bytes, *text)) {
                    preview.change = FileChange::Unchanged;
                    return preview;
                }
                text = ProduceText(file, path, SizeGuess(entry), block, quiet, now, nullptr);
            }
            preview.splices = !declined && carried.Any();
            preview.keepsAside =
                preview.splices &&
                !FindLeftSections(carried.Record(), DefaultsProducer(file, path, block, now,
                                                                     *carried.Record().layout))
                     .empty();
            break;
        }
        case FileKind::TreeOnly:
            break;
    }
    preview.change = !exists ? FileChange::New
                     : text && HoldsAlready(*folder, file.path, previous.bytes, *text)
                         ? FileChange::Unchanged
                         : FileChange::Changed;
    if (preview.change == FileChange::Changed && file.kind != FileKind::Template) {
        std::string onDisk;
        if (previous.bytes) {
            preview.editedByHand = written.EditedByHand(file, *previous.bytes);
        } else if (folder->Read(file.path, LARGEST_FILE_READ, onDisk)) {
            preview.editedByHand = written.EditedByHand(file, onDisk);
        }
        preview.copy = DirectoryPrefix(definitions.For(file)) + BackupOf(file.path);
    }
    return preview;
}

}  // namespace

std::vector<FilePreview> PreviewFileSet(const BLOCKINFO& block, const RunEnvironment& environment,
                                        SectionsCarried carried) {
    // Nobody to ask and nothing to pump: a preview neither asks nor shows.
    RunEnvironment quiet = environment;
    quiet.prompts = nullptr;
    quiet.pump = nullptr;
    quiet.fileInHand = nullptr;
    quiet.Stopping = false;
    Definitions definitions(block);
    std::vector<FilePreview> previews;
    const std::string directory = DirectoryPrefix(block);
    // Looked at, never created: a folder that is not there holds no file yet.
    std::unique_ptr<BlockFolder> folder;
    if (!IsForeignPath(block.Directory)) {
        BlockFolder::Open(NativePath(block.Directory), false, folder);
    }
    const WrittenRecord written = WrittenRecord::Read(folder.get());
    for (const BlockFile& file : RunFileSet(block)) {
        previews.push_back(PreviewFile(file, directory + file.path, folder.get(), written,
                                       definitions, quiet, carried));
    }
    return previews;
}

}  // namespace bw
