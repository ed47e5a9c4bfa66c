#include "files/file_result.h"

namespace bw {

FileResult FileResult::Fault(std::string_view doing, std::string_view path, std::string reason) {
    std::string message = "Cannot ";
    message.append(doing).append(" ").append(path).append(": ").append(reason);
    return FileResult(std::move(message), std::move(reason));
}

FileResult FileResult::SystemFault(std::string_view doing, std::string_view path, int error) {
    return Fault(doing, path, SystemReason(error));
}

}  // namespace bw
