#include "support/panel_root.h"

#include <cstdlib>

namespace testsupport {

namespace fs = std::filesystem;

fs::path imageDisk() {
    const char* image = std::getenv("ORVANE_IMAGE_DIR");
    return fs::path(image ? image : "") / "Hard Disk";
}

bool linkImageFolders(const TempDir& root, const std::vector<std::string>& folders,
                      ImageLinks links) {
    for (const std::string& folder : folders) {
        if (!fs::is_directory(imageDisk() / folder)) return false;
    }
    for (const std::string& folder : folders) {
        const fs::path to = root.path() / "Hard Disk" / folder;
        if (links == ImageLinks::Files) {
            linkFiles(imageDisk() / folder, to);
        } else {
            fs::create_directories(to.parent_path());
            fs::create_directory_symlink(imageDisk() / folder, to);
        }
    }
    return true;
}

void linkFiles(const fs::path& from, const fs::path& to) {
    fs::create_directories(to);
    for (const auto& entry : fs::directory_iterator(from)) {
        if (entry.is_directory()) {
            linkFiles(entry.path(), to / entry.path().filename());
        } else {
            fs::create_symlink(entry.path(), to / entry.path().filename());
        }
    }
}

}  // namespace testsupport
