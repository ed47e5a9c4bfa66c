#pragma once

// The one printer of generated text: lines that read like the lines they
// produce, with named variables ("<i>", "<IDENT>" ...) filled in.

#include <array>
#include <charconv>
#include <functional>
#include <initializer_list>
#include <memory>
#include <span>
#include <stdexcept>
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

// A pattern that names a variable no scope sets: a fault of the generator's
// code, never of the definition. It is thrown before anything of the line is
// written.
class UnknownVariable : public std::logic_error {
public:
    UnknownVariable(std::string_view pattern, std::string_view name);
};

// Writes generated text to an output file. Variables are set once for the
// file (Set) or for a section that needs more (With, until the scope ends) or
// for one call (the extra list). Filling runs once from the left: each
// "<name>" whose name begins with a letter or an underscore and holds only
// those, digits and blanks is a variable and is replaced (a name that no scope sets throws
// UnknownVariable), a value is never scanned again, and any other "<" (such as
// "#include <windows.h>" or "row<pPtr->Rows") stays as it is. The variables of one call come first,
// then the innermost scope's.
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
    // A pattern split once at its variables: the same lines are written tens
    // of thousands of times for the largest blocks (one per pair of channels).
    struct SplitPattern {
        struct Piece {
            std::string_view text;  // into pattern
            std::string_view name;  // the variable after the text; empty after the last
        };
        std::string pattern;  // tells a pattern from another one at the same address
        std::vector<Piece> pieces;
        size_t textSize = 0;  // of the pieces' texts
    };
    static constexpr size_t SPLIT_SLOTS = 64;

    // The value of the variable name; UnknownVariable names pattern when no scope sets it.
    const std::string& Value(std::string_view name, Vars extra, std::string_view pattern) const;
    // The pattern split, from the slot of its address when it was split before.
    const SplitPattern& Split(std::string_view pattern);
    void Write(std::string_view text, Vars extra, bool endLine);

    OutputFile& file_;
    std::vector<std::pair<std::string, std::string>> vars_;
    std::array<std::unique_ptr<SplitPattern>, SPLIT_SLOTS> splits_;
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
