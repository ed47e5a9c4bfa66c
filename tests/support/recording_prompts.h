#pragma once

#include <deque>
#include <string>
#include <vector>

#include "definition/seams.h"

namespace bw {

// Scripted answers and recorded messages for tests. An unscripted overwrite
// question answers Yes; an unscripted Yes/No question answers Yes.
class RecordingPrompts : public UserPrompts {
public:
    OverwriteAnswer askOverwrite(const std::string& path) override {
        overwriteQuestions.push_back(path);
        if (overwriteAnswers.empty()) {
            return OverwriteAnswer::Yes;
        }
        OverwriteAnswer answer = overwriteAnswers.front();
        overwriteAnswers.pop_front();
        return answer;
    }
    bool askYesNo(const std::string& text, MessageIcon) override {
        questions.push_back(text);
        if (yesNoAnswers.empty()) {
            return true;
        }
        bool answer = yesNoAnswers.front();
        yesNoAnswers.pop_front();
        return answer;
    }
    void showMessage(const std::string& text, MessageIcon) override { messages.push_back(text); }

    std::deque<OverwriteAnswer> overwriteAnswers;
    std::deque<bool> yesNoAnswers;
    std::vector<std::string> overwriteQuestions;
    std::vector<std::string> questions;
    std::vector<std::string> messages;
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
