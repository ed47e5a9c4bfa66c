#include "run/parameter_order.h"

#include "definition/profile_file.h"
#include "files/block_folder.h"
#include "files/path_calls.h"
#include "files/path_text.h"
#include "generation/paths.h"

namespace bw {

std::string ParameterOrderFile(const std::string& settingsDirectory) {
    std::string path = settingsDirectory;
    if (!path.empty() && !IsSeparator(path.back())) {
        path += '/';
    }
    return path + "_rtparam.ini";
}

FileResult RecordParameterOrder(const std::string& file, const ParameterOrder& order) {
    if (order.members.empty()) {
        return {};
    }
    CreateDirectoryPath(file);  // a failure shows in the writing
    const std::string path = NativePath(file);
    std::string bytes;
    if (FileExists(path)) {
        if (FileResult read = ReadRegularFile(path, LARGEST_FILE_READ, bytes); !read) {
            return read;
        }
    }
    ProfileFile profile;
    profile.Parse(bytes);
    for (size_t k = 0; k < order.members.size(); ++k) {
        profile.SetString(order.blockName, std::to_string(k), order.members[k]);
    }
    return ReplaceNamedFile(path, profile.Text());
}

}  // namespace bw
