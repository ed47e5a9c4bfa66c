#pragma once

// What the command line prints comes partly from templates, which travel: a
// block name may hold an escape sequence or a NUL byte. The console shows
// every control character other than a line end or a tab escaped ("\x1b"),
// so nothing from a template can steer the terminal.

#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>

namespace bw {

// text with its control characters (but line ends and tabs) as "\xNN".
std::string VisibleText(std::string_view text);

// A stream that writes into another stream's buffer with every control
// character escaped; a write the buffer refuses fails this stream.
class VisibleStream : public std::ostream {
public:
    explicit VisibleStream(std::ostream& target);

private:
    class Buffer : public std::streambuf {
    public:
        explicit Buffer(std::streambuf* target) : target_(target) {}

    protected:
        int_type overflow(int_type c) override;
        std::streamsize xsputn(const char* data, std::streamsize size) override;
        int sync() override { return target_->pubsync(); }

    private:
        std::streambuf* target_;
    };

    Buffer buffer_;
};

}  // namespace bw
