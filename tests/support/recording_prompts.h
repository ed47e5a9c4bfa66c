#pragma once

#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "definition/seams.h"

namespace bw {

// Scripted answers and recorded messages for tests. An unscripted overwrite
// question answers Yes; an unscripted Yes/No question answers Yes.
class RecordingPrompts : public UserPrompts {
public:
    OverwriteAnswer askOverwrite(const std::string& path) override {
        overwriteQuestions.push_back(path);
        return Next(overwriteAnswers, OverwriteAnswer::Yes);
    }
    // Recorded among the overwrite questions, and apart.
    OverwriteAnswer askOverwriteReadOnly(const std::string& path) override {
        readOnlyQuestions.push_back(path);
        return askOverwrite(path);
    }
    // Recorded with their note, and among the overwrite questions.
    OverwriteAnswer askOverwriteLosingEdits(const std::string& path, const std::string& note,
                                            FileAccess access) override {
        losingEditsQuestions.emplace_back(path, note);
        return access == FileAccess::ReadOnly ? askOverwriteReadOnly(path) : askOverwrite(path);
    }
    bool askYesNo(const std::string& text, MessageIcon) override {
        questions.push_back(text);
        return Next(yesNoAnswers, true);
    }
    void showMessage(const std::string& text, MessageIcon) override { messages.push_back(text); }

    std::deque<OverwriteAnswer> overwriteAnswers;
    std::deque<bool> yesNoAnswers;
    std::vector<std::string> overwriteQuestions;
    std::vector<std::string> readOnlyQuestions;
    std::vector<std::pair<std::string, std::string>> losingEditsQuestions;  // path, note
    std::vector<std::string> questions;
    std::vector<std::string> messages;

private:
    template <typename Answer>
    static Answer Next(std::deque<Answer>& script, Answer unscripted) {
        if (script.empty()) {
            return unscripted;
        }
        const Answer answer = script.front();
        script.pop_front();
        return answer;
    }
};

// A clock that always tells the same time.
class FixedClock : public Clock {
public:
    explicit FixedClock(std::tm time) : time_(time) {}
    std::tm localNow() const override { return time_; }

private:
    std::tm time_;
};

}  // namespace bw
