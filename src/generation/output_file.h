#pragma once

#include <ctime>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "definition/seams.h"

namespace bw {

class PreviousVersion;

// What one generation run shares with every file it writes.
struct RunEnvironment {
    UserPrompts* prompts = nullptr;
    const Clock* clock = nullptr;  // required: every file head reads it
    SettingsStore* settings = nullptr;
    // Called before every write so that a window can repaint.
    std::function<void()> pump;
    // Called as the run comes to each file of its set, with the file's path
    // relative to the block directory, so that a window can name it.
    std::function<void(const std::string&)> fileInHand;
    // Set by a Cancel and at the end of every run: writes then do nothing.
    bool Stopping = false;
    // The program's working directory (stock icons and bitmaps), ending in a separator.
    std::string workingDirectory;
    // The application's settings directory (the "_rtparam.ini" record lives there).
    std::string settingsDirectory;
};

// What a generator is handed besides the definition, all read by the run: a
// generator opens no file, asks nothing and reads no clock.
struct GeneratorInputs {
    std::tm now{};  // the time its file head gives
    // The program's working directory, as the environment holds it.
    std::string workingDirectory;
    // The previous version whose user sections are carried over, read by the
    // run and set to note what is carried; null when nothing is carried.
    PreviousVersion* carried = nullptr;
};

// Where a text goes piece by piece as it is produced, when it is not kept.
class TextSink {
public:
    virtual ~TextSink() = default;
    virtual void Take(std::string_view piece) = 0;
};

// A generated file: CR LF written explicitly, the pump called and the
// Stopping flag honoured on every write. The text is produced completely in
// memory and taken by the caller (the run writes it through its locked block
// folder); nothing on the disk is touched here. Everything written before
// Stopping was set belongs to the file, nothing after it does.
class OutputFile {
public:
    explicit OutputFile(RunEnvironment& environment, GeneratorInputs inputs = {});
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Starts the text of path (as the definition writes it: "\" or "/"
    // separate). A path that names nothing here (a drive-letter path off
    // Windows) fails.
    bool Open(const std::string& path);
    // Ends the file without writing it anywhere and gives its text.
    std::string TakeText();
    // Starts the text of path as Open does, but hands it on to sink piece by
    // piece as it is written instead of keeping it; Finish hands on the last.
    bool Open(const std::string& path, TextSink& sink);
    void Finish();
    bool IsOpen() const { return open_; }
    // Room for a text of about this many bytes, so that a long text is not
    // moved again and again as it grows.
    void Reserve(size_t bytes) { text_.reserve(bytes); }

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

    // What the generator writing this file is handed.
    const std::tm& Now() const { return inputs_.now; }
    const std::string& WorkingDirectory() const { return inputs_.workingDirectory; }
    PreviousVersion* Carried() const { return inputs_.carried; }

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
    const GeneratorInputs inputs_;
    bool open_ = false;
    std::string text_;          // what has left the buffer
    TextSink* sink_ = nullptr;  // or where it has gone
    std::string path_;
    std::unique_ptr<char[]> buffer_;
    size_t used_ = 0;
};

// The primitives under the printer (generation/text_lines.h), through which
// the generators write.
void WriteLine(OutputFile& file, std::string_view a, std::string_view b = {});
void Write(OutputFile& file, std::string_view a, std::string_view b = {});

// "_" followed by the letters, digits and underscores of text, or "Parameter"
// followed by n when nothing of text is left.
std::string MakeIdentifier(std::string_view text, int n);

}  // namespace bw
