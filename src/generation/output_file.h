#pragma once

#include <cstdio>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "definition/seams.h"

namespace bw {

struct SpliceRecord;

// What one generation run shares with every file it writes.
struct RunEnvironment {
    UserPrompts* prompts = nullptr;
    const Clock* clock = nullptr;  // required: every file head reads it
    SettingsStore* settings = nullptr;
    // Called before every write so that a window can repaint.
    std::function<void()> pump;
    // Set by a Cancel and at the end of every run: writes then do nothing.
    bool Stopping = false;
    // The program's working directory (stock icons and bitmaps), ending in a separator.
    std::string workingDirectory;
    // The application's settings directory (the "_rtparam.ini" record lives there).
    std::string settingsDirectory;
    // Where the splice notes what it carries over from the file being written.
    SpliceRecord* splice = nullptr;
};

// A generated file: CR LF written explicitly, directories created on opening,
// the pump called and the Stopping flag honoured on every write. Writes are
// collected in a buffer and reach the disk in large chunks, with the same
// result as writing each one at once: everything written before Stopping was
// set reaches the file (at the latest on Close), nothing after it does.
class OutputFile {
public:
    explicit OutputFile(RunEnvironment& environment);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Opens path (as the definition writes it: "\" or "/" separate) for
    // writing, creating or emptying it and creating missing directories.
    // A drive-letter path fails without creating anything.
    bool Open(const std::string& path);
    // Flushes and closes; false when any write to the disk failed.
    bool Close();
    bool IsOpen() const { return file_ != nullptr; }

    // Pumps, then appends text unless Stopping is set.
    void WriteText(std::string_view text);
    // The same for a + b (+ CR LF when endLine) handed over as one write.
    void WriteText(std::string_view a, std::string_view b, bool endLine);
    // The same for the parts in order, joined.
    void WriteParts(std::span<const std::string_view> parts, bool endLine);
    // For a writer that composes a line in place: pumps, then gives room for
    // size bytes (at most MAX_COMPOSED) to fill completely, or nullptr when
    // nothing is to be written.
    char* Compose(size_t size);
    static constexpr size_t MAX_COMPOSED = 4096;

    // The path as given to Open, and its name and extension.
    const std::string& Path() const { return path_; }
    std::string FileName() const;

    RunEnvironment& Environment() { return environment_; }

private:
    // Pumps and tells whether a write may go ahead.
    bool ReadyToWrite();
    // Room for size bytes at the end of the buffer, flushing it first when
    // they do not fit; nullptr when they exceed the whole buffer.
    char* RoomFor(size_t size);
    void Append(std::string_view text);
    void WriteOut(const char* data, size_t size);
    void Flush();

    RunEnvironment& environment_;
    std::FILE* file_ = nullptr;
    std::string path_;
    std::unique_ptr<char[]> buffer_;
    size_t used_ = 0;
    bool failed_ = false;
};

// The primitives under the printer (generation/text_lines.h), through which
// the generators write.
void WriteLine(OutputFile& file, std::string_view a, std::string_view b = {});
void Write(OutputFile& file, std::string_view a, std::string_view b = {});

// "_" followed by the letters, digits and underscores of text, or "Parameter"
// followed by n when nothing of text is left.
std::string MakeIdentifier(std::string_view text, int n);

}  // namespace bw
