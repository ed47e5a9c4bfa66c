// The host's catalogue elsewhere than on Windows: only the family's settings
// files, under the folders the application's own settings use.
#include "platform/host_catalogue_parts.h"
#include "platform/settings_store.h"

namespace bw {

FamilyFolders FamilyFolders::FromEnvironment() {
    FamilyFolders folders;
    folders.user = UserConfigFolder();
    for (const std::string& folder : SystemConfigFolders()) {
        if (folder != folders.user) {
            folders.system.push_back(folder);
        }
    }
    return folders;
}

void catalogue::ReadSystemCatalogue(HostCatalogue&) {}

}  // namespace bw
