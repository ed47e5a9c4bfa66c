#include "cli/console_text.h"

#include <cstdio>

namespace bw {

namespace {

bool IsShownAsItIs(unsigned char c) {
    return (c >= 0x20 && c != 0x7f) || c == '\n' || c == '\t';
}

std::string Escaped(unsigned char c) {
    char text[8];
    std::snprintf(text, sizeof text, "\\x%02x", c);
    return text;
}

}  // namespace

std::string VisibleText(std::string_view text) {
    std::string shown;
    shown.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        shown += IsShownAsItIs(byte) ? std::string(1, c) : Escaped(byte);
    }
    return shown;
}

VisibleStream::VisibleStream(std::ostream& target)
    : std::ostream(nullptr), buffer_(target.rdbuf()) {
    rdbuf(&buffer_);
}

VisibleStream::Buffer::int_type VisibleStream::Buffer::overflow(int_type c) {
    if (traits_type::eq_int_type(c, traits_type::eof())) {
        return traits_type::not_eof(c);
    }
    const char byte = traits_type::to_char_type(c);
    return xsputn(&byte, 1) == 1 ? c : traits_type::eof();
}

std::streamsize VisibleStream::Buffer::xsputn(const char* data, std::streamsize size) {
    const std::string shown = VisibleText(std::string_view(data, static_cast<size_t>(size)));
    const auto length = static_cast<std::streamsize>(shown.size());
    return target_->sputn(shown.data(), length) == length ? size : 0;
}

}  // namespace bw
