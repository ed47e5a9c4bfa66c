#include "generation/output_file.h"

#include <cstring>

#include "definition/file_bytes.h"
#include "generation/paths.h"

namespace bw {

namespace {

// Writes reach the disk in chunks of this size rather than line by line; most
// generated files are smaller and go out in one write on Close.
constexpr size_t BUFFER_SIZE = 256 * 1024;

// The buffer of a file no longer in use, kept for the next one: fresh memory
// costs a page fault for every page first written.
thread_local std::unique_ptr<char[]> spareBuffer;

}  // namespace

OutputFile::OutputFile(RunEnvironment& environment) : environment_(environment) {}

OutputFile::~OutputFile() {
    Close();
    if (!spareBuffer) {
        spareBuffer = std::move(buffer_);
    }
}

bool OutputFile::Open(const std::string& path) {
    Close();
    path_ = path;
    failed_ = false;
    if (IsForeignPath(path)) {
        return false;
    }
    CreateDirectoryPath(path);  // a failure shows in the open that follows
    file_ = OpenFile(NativePath(path), "wb");
    if (file_ == nullptr) {
        return false;
    }
    // Our own buffer already gathers large chunks; a second one in stdio
    // would only copy them again.
    std::setvbuf(file_, nullptr, _IONBF, 0);
    if (!buffer_) {
        buffer_ = spareBuffer ? std::move(spareBuffer)
                              : std::make_unique_for_overwrite<char[]>(BUFFER_SIZE);
    }
    used_ = 0;
    return true;
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
    if (file_ == nullptr) {
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
    if (std::fwrite(data, 1, size, file_) != size) {
        failed_ = true;
    }
}

void OutputFile::Flush() {
    if (used_ > 0 && file_ != nullptr) {
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
