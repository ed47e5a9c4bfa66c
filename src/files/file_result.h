#pragma once

// How a file operation ended: well, or with a message that names the path and
// gives the system's own reason ("No space left on device", "Permission
// denied"), ready to show as it is.

#include <string>
#include <string_view>

namespace bw {

class FileResult {
public:
    FileResult() = default;  // succeeded
    static FileResult Failed(std::string message) { return FileResult(std::move(message)); }
    // "Cannot <doing> <path>: <the system's reason for error>".
    static FileResult SystemFault(std::string_view doing, std::string_view path, int error);

    explicit operator bool() const { return message_.empty(); }
    const std::string& Message() const { return message_; }

private:
    explicit FileResult(std::string message) : message_(std::move(message)) {}
    std::string message_;
};

// The system's text for an error number of the C library (errno), and on
// Windows for an error of the system calls (GetLastError) too.
std::string SystemReason(int error);
#ifdef _WIN32
std::string WindowsReason(unsigned long error);
#endif

}  // namespace bw
