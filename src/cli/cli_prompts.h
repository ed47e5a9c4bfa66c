#pragma once

#include <iosfwd>
#include <string>

#include "definition/seams.h"
#include "generation/output_file.h"

namespace bw {

// How the command line answers the overwrite question.
enum class OverwriteMode { Ask, Yes, No, All, Cancel };
// How it answers the question whether to splice a previous version.
enum class SpliceMode { Ask, Yes, No };

// The splice question begins with this text.
inline constexpr const char* SPLICE_QUESTION_START = "Found a previous version of ";

// The command line's answers: fixed by its options, or asked on a terminal.
// A question that has no fixed answer and no terminal to ask on is never
// guessed: it ends the run (Cancel, or the run's Stopping flag set) with a
// message saying which option would answer it.
class CliPrompts : public UserPrompts {
public:
    CliPrompts(OverwriteMode overwrite, SpliceMode splice, std::istream& in, std::ostream& err,
               bool terminal);

    // The run whose Stopping flag an unanswerable Yes/No question sets.
    void attach(RunEnvironment* environment) { environment_ = environment; }
    // True once a question could not be answered.
    bool unanswered() const { return unanswered_; }

    OverwriteAnswer askOverwrite(const std::string& path) override;
    OverwriteAnswer askOverwriteReadOnly(const std::string& path) override;
    OverwriteAnswer askOverwriteLosingEdits(const std::string& path, const std::string& note,
                                            FileAccess access) override;
    bool askYesNo(const std::string& text, MessageIcon icon) override;
    void showMessage(const std::string& text, MessageIcon icon) override;

private:
    // The overwrite question, with note after its text and losing on a line
    // of its own before it.
    OverwriteAnswer askOverwrite(const std::string& path, const std::string& note,
                                 const std::string& losing = {});
    // Reads one answer from the terminal: the first letter of a line that is
    // one of choices, or '\0' at the end of input.
    char readChoice(const std::string& question, const std::string& choices);
    void giveUp(const std::string& why);

    OverwriteMode overwrite_;
    SpliceMode splice_;
    std::istream& in_;
    std::ostream& err_;
    bool terminal_;
    RunEnvironment* environment_ = nullptr;
    bool unanswered_ = false;
};

}  // namespace bw
