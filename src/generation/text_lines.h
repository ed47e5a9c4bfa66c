#pragma once

// The one printer of generated text: lines that read like the lines they
// produce, with named variables ("<i>", "<IDENT>" ...) filled in.

#include <charconv>
#include <functional>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "definition/seams.h"
#include "generation/output_file.h"

namespace bw {

// A variable of the printer: its value stands wherever the text says
// "<name>". Held by value, so a list of variables may outlive the expressions
// that made its values.
struct Var {
    Var(std::string_view nameText, std::string_view valueText) : name(nameText), value(valueText) {}
    Var(std::string_view nameText, const char* valueText) : name(nameText), value(valueText) {}
    Var(std::string_view nameText, const std::string& valueText)
        : name(nameText), value(valueText) {}
    Var(std::string_view nameText, int number) : name(nameText), value(std::to_string(number)) {}
    std::string_view name;
    std::string value;
};
using Vars = std::initializer_list<Var>;

// Writes generated text to an output file. Variables are set once for the
// file (Set) or for a section that needs more (With, until the scope ends) or
// for one call (the extra list). Filling runs once from the left: each
// "<name>" of a variable is replaced, a value is never scanned again, and any
// other "<" (such as "#include <windows.h>") stays as it is. The variables of
// one call come first, then the innermost scope's.
class Printer {
public:
    explicit Printer(OutputFile& file) : file_(file) {}
    Printer(const Printer&) = delete;
    Printer& operator=(const Printer&) = delete;

    OutputFile& File() const { return file_; }

    // Sets name: replaces the value that is in effect, or adds name to the
    // innermost scope.
    void Set(std::string_view name, std::string_view value);
    void Set(std::string_view name, int number) { Set(name, std::to_string(number)); }

    // Variables that hold until the scope ends.
    class [[nodiscard]] Scope {
    public:
        ~Scope() { printer_.vars_.resize(size_); }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        friend class Printer;
        Scope(Printer& printer, size_t size) : printer_(printer), size_(size) {}
        Printer& printer_;
        size_t size_;
    };
    Scope With(Vars vars);

    // The text filled in.
    std::string Fill(std::string_view text, Vars extra = {}) const;
    // The line filled in, then CR LF.
    void Line(std::string_view line, Vars extra = {});
    // The line as it is, then CR LF: for text already put together, which
    // may hold anything the user typed.
    void Raw(std::string_view line) { file_.WriteText(line, {}, true); }
    // The same without a line end.
    void RawText(std::string_view text) { file_.WriteText(text); }
    // The text filled in, without a line end.
    void Text(std::string_view text, Vars extra = {});
    // Each line filled in, in order.
    void Lines(std::initializer_list<std::string_view> lines, Vars extra = {});
    void Lines(std::span<const char* const> lines);
    // A block of lines written as a raw string: the line break right after
    // its opening and the one right before its closing are dropped, every
    // other line is filled in and ends with CR LF. Lines whose trailing
    // blanks matter do not belong in a block (they cannot be seen there).
    void Block(std::string_view block, Vars extra = {});

private:
    // The value of the variable name, or nullptr.
    const std::string* Find(std::string_view name, Vars extra) const;
    // Calls piece(text) for the filled text's pieces, in order.
    template <typename Piece>
    void Split(std::string_view text, Vars extra, Piece piece) const;
    void Write(std::string_view text, Vars extra, bool endLine);

    OutputFile& file_;
    std::vector<std::pair<std::string, std::string>> vars_;
};

// A line split once at the named placeholders, for a line written many times
// with different values (the per-channel lines of the largest blocks): it is
// composed straight into the file's buffer.
class LinePattern {
public:
    LinePattern(std::string_view line, std::initializer_list<std::string_view> names);
    LinePattern(const LinePattern&) = delete;  // the pieces point into line_
    LinePattern& operator=(const LinePattern&) = delete;
    // Writes the line with values[n] in place of "<names[n]>", and CR LF.
    void Print(Printer& printer, std::initializer_list<std::string_view> values) const;

private:
    struct Piece {
        std::string_view text;  // into line_
        int slot;               // the placeholder after the text, -1 at the end
    };
    std::string line_;
    std::vector<Piece> pieces_;
    size_t textSize_ = 0;  // the pieces' text, without values
};

// Every generated file's head: gives the lines that head writes the variables
// "<date>" and "<time>" of the instant the run handed the file, with
// "<FileName>" (the file's name and extension) and "<product>" (the program
// as heads name it).
void WriteFileHead(Printer& print, const std::function<void()>& head);

// The decimal digits of a number, without allocating.
class NumberText {
public:
    explicit NumberText(int value)
        : size_(static_cast<size_t>(std::to_chars(digits_, digits_ + sizeof digits_, value).ptr -
                                    digits_)) {}
    operator std::string_view() const { return {digits_, size_}; }

private:
    char digits_[12];
    size_t size_;
};

// text followed by blanks up to width characters; longer texts stay whole.
std::string PadRight(std::string_view text, size_t width);

}  // namespace bw
