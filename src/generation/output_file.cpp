#include "generation/output_file.h"

#include "generation/paths.h"

namespace bw {

namespace {

// Writes reach the disk in chunks of this size rather than line by line.
constexpr size_t FLUSH_THRESHOLD = 64 * 1024;

}  // namespace

OutputFile::OutputFile(RunEnvironment& environment) : environment_(environment) {}

OutputFile::~OutputFile() { Close(); }

bool OutputFile::Open(const std::string& path) {
    Close();
    path_ = path;
    failed_ = false;
    CreateDirectoryPath(path);
    file_ = std::fopen(NativePath(path).c_str(), "wb");
    return file_ != nullptr;
}

bool OutputFile::Close() {
    if (file_ == nullptr) {
        return !failed_;
    }
    Flush();
    if (std::fclose(file_) != 0) {
        failed_ = true;
    }
    file_ = nullptr;
    return !failed_;
}

void OutputFile::WriteText(std::string_view text) {
    if (environment_.pump) {
        environment_.pump();
    }
    if (environment_.Stopping || file_ == nullptr) {
        return;
    }
    buffer_.append(text);
    if (buffer_.size() >= FLUSH_THRESHOLD) {
        Flush();
    }
}

bool OutputFile::Flush() {
    if (!buffer_.empty() && file_ != nullptr) {
        if (std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size()) {
            failed_ = true;
        }
    }
    buffer_.clear();
    return !failed_;
}

std::string OutputFile::FileName() const {
    const auto [directory, name] = SplitPath(path_);
    return directory.empty() ? path_ : name;
}

void WriteLine(OutputFile& file, std::string_view a, std::string_view b) {
    std::string line;
    line.reserve(a.size() + b.size() + 2);
    line.append(a).append(b).append("\r\n");
    file.WriteText(line);
}

void Write(OutputFile& file, std::string_view a, std::string_view b) {
    std::string text;
    text.reserve(a.size() + b.size());
    text.append(a).append(b);
    file.WriteText(text);
}

namespace {

// Replaces each placeholder in turn, scanning only text not yet substituted.
int ReplaceAll(std::string& line, std::string_view placeholder, std::string_view value) {
    int count = 0;
    size_t from = 0;
    for (size_t at; (at = line.find(placeholder, from)) != std::string::npos;) {
        line.replace(at, placeholder.size(), value);
        from = at + value.size();
        ++count;
    }
    return count;
}

}  // namespace

int WriteTemplateLine(OutputFile& file, std::string_view line, std::string_view s1,
                      std::string_view s2) {
    // "%2" is replaced first in the text outside s1's replacements by marking
    // the original positions: substitute %1 in the pieces between "%2"s.
    std::string result;
    int count = 0;
    size_t start = 0;
    for (;;) {
        const size_t at = line.find("%2", start);
        std::string piece(line.substr(start, at == std::string_view::npos ? at : at - start));
        count += ReplaceAll(piece, "%1", s1);
        result += piece;
        if (at == std::string_view::npos) {
            break;
        }
        result.append(s2);
        ++count;
        start = at + 2;
    }
    if (result.rfind("#include", 0) == 0) {
        for (char& c : result) {
            if (c >= 'A' && c <= 'Z') {
                c = static_cast<char>(c - 'A' + 'a');
            }
        }
    }
    WriteLine(file, result);
    return count;
}

std::string MakeIdentifier(std::string_view text, int n) {
    std::string identifier = "_";
    for (char c : text) {
        const bool keep = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                          (c >= '0' && c <= '9') || c == '_';
        if (keep) {
            identifier += c;
        }
    }
    if (identifier.size() == 1) {
        return "Parameter" + std::to_string(n);
    }
    return identifier;
}

}  // namespace bw
