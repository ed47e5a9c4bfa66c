#include "launch/launcher.h"

namespace bw {

bool WaitInSteps(Process& process, const std::function<void()>& pump, int limitMilliseconds) {
    int waited = 0;
    while (!process.WaitFor(WAIT_STEP_MILLISECONDS)) {
        waited += WAIT_STEP_MILLISECONDS;
        if (limitMilliseconds > 0 && waited >= limitMilliseconds) {
            return false;
        }
        if (pump) {
            pump();
        }
    }
    return true;
}

std::vector<std::string> SplitCommandLine(std::string_view commandLine) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    bool quoted = false;
    for (char c : commandLine) {
        if (c == '"') {
            quoted = !quoted;
            inWord = true;  // "" stands for an empty argument
        } else if (!quoted && (c == ' ' || c == '\t')) {
            if (inWord) {
                words.push_back(word);
                word.clear();
                inWord = false;
            }
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) {
        words.push_back(word);
    }
    return words;
}

std::string QuotedCommandLine(std::string_view program, std::string_view arguments) {
    std::string line = "\"";
    line += program;
    line += "\" ";
    line += arguments;
    return line;
}

}  // namespace bw
