#include "cli/cli_prompts.h"

#include <cctype>
#include <istream>
#include <ostream>

#include "generation/paths.h"

namespace bw {

CliPrompts::CliPrompts(OverwriteMode overwrite, SpliceMode splice, std::istream& in,
                       std::ostream& err, bool terminal)
    : overwrite_(overwrite), splice_(splice), in_(in), err_(err), terminal_(terminal) {}

OverwriteAnswer CliPrompts::askOverwrite(const std::string& path) {
    return askOverwrite(path, "");
}

OverwriteAnswer CliPrompts::askOverwriteReadOnly(const std::string& path) {
    return askOverwrite(path, READ_ONLY_NOTE);
}

OverwriteAnswer CliPrompts::askOverwriteLosingEdits(const std::string& path,
                                                    const std::string& note, FileAccess access) {
    return askOverwrite(path, access == FileAccess::ReadOnly ? READ_ONLY_NOTE : "", note);
}

OverwriteAnswer CliPrompts::askOverwrite(const std::string& path, const std::string& note,
                                         const std::string& losing) {
    switch (overwrite_) {
        case OverwriteMode::Yes:
            return OverwriteAnswer::Yes;
        case OverwriteMode::No:
            return OverwriteAnswer::No;
        case OverwriteMode::All:
            return OverwriteAnswer::YesToAll;
        case OverwriteMode::Cancel:
            return OverwriteAnswer::Cancel;
        case OverwriteMode::Ask:
            break;
    }
    // The path as this file system spells it, so that it can be looked at.
    const std::string shown = NativePath(path);
    if (!terminal_) {
        giveUp(shown + " exists" + (note.empty() ? "" : " (read-only)") +
               (losing.empty() ? "" : " and holds hand edits") +
               " and there is no terminal to ask whether to overwrite it; "
               "answer with --overwrite yes|no|all|cancel.");
        return OverwriteAnswer::Cancel;
    }
    switch (readChoice(shown + "\n" + (losing.empty() ? "" : losing + "\n") + OVERWRITE_QUESTION +
                           note + " [y]es, [n]o, yes to [a]ll, [c]ancel: ",
                       "ynac")) {
        case 'y':
            return OverwriteAnswer::Yes;
        case 'n':
            return OverwriteAnswer::No;
        case 'a':
            return OverwriteAnswer::YesToAll;
        case 'c':
            return OverwriteAnswer::Cancel;
        default:
            giveUp("No answer to the overwrite question for " + shown + ".");
            return OverwriteAnswer::Cancel;
    }
}

bool CliPrompts::askYesNo(const std::string& text, MessageIcon) {
    const bool splice = text.rfind(SPLICE_QUESTION_START, 0) == 0;
    if (splice && splice_ != SpliceMode::Ask) {
        return splice_ == SpliceMode::Yes;
    }
    // The splice is asked before the overwrite question; when that keeps
    // every existing file, carrying the sections over is all that is safe.
    if (splice && (overwrite_ == OverwriteMode::No || overwrite_ == OverwriteMode::Cancel)) {
        return true;
    }
    if (!terminal_) {
        giveUp("There is no terminal to answer: \"" + text + "\"" +
               (splice ? "; answer with --splice yes|no." : "."));
        return false;
    }
    switch (readChoice(text + " [y]es, [n]o: ", "yn")) {
        case 'y':
            return true;
        case 'n':
            return false;
        default:
            giveUp("No answer to: \"" + text + "\".");
            return false;
    }
}

void CliPrompts::showMessage(const std::string& text, MessageIcon) {
    err_ << text << '\n';
}

char CliPrompts::readChoice(const std::string& question, const std::string& choices) {
    for (;;) {
        err_ << question << std::flush;
        std::string line;
        if (!std::getline(in_, line)) {
            err_ << '\n';
            return '\0';
        }
        size_t first = 0;
        while (first < line.size() && std::isspace(static_cast<unsigned char>(line[first]))) {
            ++first;
        }
        if (first < line.size()) {
            const char choice =
                static_cast<char>(std::tolower(static_cast<unsigned char>(line[first])));
            if (choices.find(choice) != std::string::npos) {
                return choice;
            }
        }
    }
}

void CliPrompts::giveUp(const std::string& why) {
    unanswered_ = true;
    err_ << why << " Generation stopped.\n";
    if (environment_ != nullptr) {
        environment_->Stopping = true;
    }
}

}  // namespace bw
