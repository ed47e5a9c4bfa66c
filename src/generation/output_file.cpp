#include "generation/output_file.h"

#include <cstring>
#include <utility>

#include "generation/paths.h"

namespace bw {

namespace {

// Writes are gathered in chunks of this size before they join the text.
constexpr size_t BUFFER_SIZE = 256 * 1024;

// The buffer of a file no longer in use, kept for the next one: fresh memory
// costs a page fault for every page first written.
thread_local std::unique_ptr<char[]> spareBuffer;

}  // namespace

OutputFile::OutputFile(RunEnvironment& environment, GeneratorInputs inputs)
    : environment_(environment), inputs_(std::move(inputs)) {}

OutputFile::~OutputFile() {
    open_ = false;
    if (!spareBuffer) {
        spareBuffer = std::move(buffer_);
    }
}

bool OutputFile::Open(const std::string& path) {
    path_ = path;
    open_ = false;
    text_.clear();
    sink_ = nullptr;
    used_ = 0;
    if (IsForeignPath(path)) {
        return false;
    }
    if (!buffer_) {
        buffer_ = spareBuffer ? std::move(spareBuffer)
                              : std::make_unique_for_overwrite<char[]>(BUFFER_SIZE);
    }
    open_ = true;
    return true;
}

bool OutputFile::Open(const std::string& path, TextSink& sink) {
    if (!Open(path)) {
        return false;
    }
    sink_ = &sink;
    return true;
}

void OutputFile::Finish() {
    Flush();
    open_ = false;
}

std::string OutputFile::TakeText() {
    Flush();
    open_ = false;
    return std::move(text_);
}

void OutputFile::WriteText(std::string_view text) {
    WriteText(text, {}, false);
}

void OutputFile::WriteText(std::string_view a, std::string_view b, bool endLine) {
    const std::string_view parts[] = {a, b, endLine ? "\r\n" : ""};
    WriteParts(parts, false);
}

bool OutputFile::ReadyToWrite() {
    if (environment_.pump) {
        environment_.pump();
    }
    if (!open_) {
        return false;
    }
    if (environment_.Stopping) {
        // What came before the stop belongs in the file now, as if every
        // earlier write had gone straight to the disk.
        Flush();
        return false;
    }
    return true;
}

char* OutputFile::RoomFor(size_t size) {
    if (size > BUFFER_SIZE - used_) {
        Flush();
        if (size > BUFFER_SIZE) {
            return nullptr;
        }
    }
    char* room = buffer_.get() + used_;
    used_ += size;
    return room;
}

char* OutputFile::Compose(size_t size) {
    static_assert(MAX_COMPOSED <= BUFFER_SIZE);
    return size <= MAX_COMPOSED && ReadyToWrite() ? RoomFor(size) : nullptr;
}

void OutputFile::WriteParts(std::span<const std::string_view> parts, bool endLine) {
    if (!ReadyToWrite()) {
        return;
    }
    size_t size = endLine ? 2 : 0;
    for (std::string_view part : parts) {
        size += part.size();
    }
    char* out = RoomFor(size);
    if (out == nullptr) {  // larger than the whole buffer
        for (std::string_view part : parts) {
            Append(part);
        }
        Append(endLine ? "\r\n" : "");
        return;
    }
    // The usual case, a line that fits: copied straight into the buffer.
    for (std::string_view part : parts) {
        if (!part.empty()) {  // an empty view may hold no pointer at all
            std::memcpy(out, part.data(), part.size());
            out += part.size();
        }
    }
    if (endLine) {
        out[0] = '\r';
        out[1] = '\n';
    }
}

void OutputFile::Append(std::string_view text) {
    if (text.size() > BUFFER_SIZE - used_) {
        Flush();
        if (text.size() > BUFFER_SIZE) {
            WriteOut(text.data(), text.size());
            return;
        }
    }
    if (!text.empty()) {
        std::memcpy(buffer_.get() + used_, text.data(), text.size());
        used_ += text.size();
    }
}

void OutputFile::WriteOut(const char* data, size_t size) {
    if (sink_ != nullptr) {
        sink_->Take(std::string_view(data, size));
    } else {
        text_.append(data, size);
    }
}

void OutputFile::Flush() {
    if (used_ > 0 && open_) {
        WriteOut(buffer_.get(), used_);
    }
    used_ = 0;
}

std::string OutputFile::FileName() const {
    const auto [directory, name] = SplitPath(path_);
    return directory.empty() ? path_ : name;
}

void WriteLine(OutputFile& file, std::string_view a, std::string_view b) {
    file.WriteText(a, b, true);
}

void Write(OutputFile& file, std::string_view a, std::string_view b) {
    file.WriteText(a, b, false);
}

std::string MakeIdentifier(std::string_view text, int n) {
    std::string identifier = "_";
    for (char c : text) {
        const bool keep =
            (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
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
