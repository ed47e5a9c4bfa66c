#include "launch/launcher.h"

namespace bw {

WaitEnd WaitInSteps(Process& process, const std::function<void()>& pump,
                    const std::function<bool()>& cancelled, int limitMilliseconds) {
    int waited = 0;
    while (!process.WaitFor(WAIT_STEP_MILLISECONDS)) {
        waited += WAIT_STEP_MILLISECONDS;
        if (limitMilliseconds > 0 && waited >= limitMilliseconds) {
            return WaitEnd::TimedOut;
        }
        if (pump) {
            pump();
        }
        if (cancelled && cancelled()) {
            return WaitEnd::Cancelled;
        }
    }
    return WaitEnd::Ended;
}

std::string LastLines(std::string_view output, int count) {
    while (!output.empty() && (output.back() == '\n' || output.back() == '\r')) {
        output.remove_suffix(1);
    }
    size_t start = output.size();
    for (int found = 0; found < count; ++found) {
        const size_t lineEnd = start == 0 ? std::string_view::npos : output.rfind('\n', start - 1);
        if (lineEnd == std::string_view::npos) {
            start = 0;
            break;
        }
        start = lineEnd + 1;
        if (found + 1 < count) {
            start = lineEnd;  // the next line up ends here
        }
    }
    // Windows tools end their lines with CR LF.
    std::string lines(output.substr(start));
    std::erase(lines, '\r');
    return lines;
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
