#include "files/file_result.h"

#include "files/wide_text.h"

#include <cstring>

#ifdef _WIN32
#include <windows.h>
#endif

namespace bw {

FileResult FileResult::Fault(std::string_view doing, std::string_view path, std::string reason) {
    std::string message = "Cannot ";
    message.append(doing).append(" ").append(path).append(": ").append(reason);
    return FileResult(std::move(message), std::move(reason));
}

FileResult FileResult::SystemFault(std::string_view doing, std::string_view path, int error) {
    return Fault(doing, path, SystemReason(error));
}

#ifdef _WIN32

std::string SystemReason(int error) {
    // Errors of the system calls travel as negative numbers, those of the C
    // library as they are (see files/native_calls.h).
    if (error < 0) {
        return WindowsReason(static_cast<unsigned long>(-error));
    }
    char text[256] = {};
    strerror_s(text, sizeof text, error);
    return text;
}

std::string WindowsReason(unsigned long error) {
    wchar_t* text = nullptr;
    const DWORD size = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string reason = Utf8Text(std::wstring_view(text, size));
    LocalFree(text);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' ||
                               reason.back() == ' ' || reason.back() == '.')) {
        reason.pop_back();
    }
    return reason.empty() ? "system error " + std::to_string(error) : reason;
}

#else

std::string SystemReason(int error) {
    return std::strerror(error);
}

#endif

}  // namespace bw
