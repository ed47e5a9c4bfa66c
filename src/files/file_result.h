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
    static FileResult Failed(std::string message) { return FileResult(std::move(message), {}); }
    // "Cannot <doing> <path>: <reason>".
    static FileResult Fault(std::string_view doing, std::string_view path, std::string reason);
    // The same with the system's reason for error.
    static FileResult SystemFault(std::string_view doing, std::string_view path, int error);

    explicit operator bool() const { return message_.empty(); }
    const std::string& Message() const { return message_; }
    // The reason alone, for a message that names the path its own way.
    const std::string& Reason() const { return reason_.empty() ? message_ : reason_; }

private:
    FileResult(std::string message, std::string reason)
        : message_(std::move(message)), reason_(std::move(reason)) {}
    std::string message_, reason_;
};

// The system's text for an error number of the C library (errno), and on
// Windows for an error of the system calls (GetLastError) too.
std::string SystemReason(int error);

}  // namespace bw
