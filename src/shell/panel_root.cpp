#include "shell/panel_root.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace shell {
namespace fs = std::filesystem;

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

bool isFolder(const fs::path& path) {
    std::error_code ec;
    return fs::is_directory(path, ec);
}

fs::path programFolder(const std::string& programPath) {
    std::error_code ec;
    fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (ec || self.empty()) self = fs::absolute(programPath, ec);
    return self.parent_path();
}

// A target that cannot be read (most often: missing) is copied.
bool needsCopy(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    const auto target = fs::last_write_time(to, ec);
    if (ec) return true;
    const auto source = fs::last_write_time(from, ec);
    return !ec && source > target;
}

bool copyImage(const fs::path& image, const fs::path& root, std::string& error) {
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(image, ec); !ec && it != fs::end(it);
         it.increment(ec)) {
        // Lexical: every entry lies below the image, and fs::relative would resolve both paths
        // on the file system for each of the image's thousands of files at every start.
        const fs::path target = root / it->path().lexically_relative(image);
        if (it->is_directory(ec)) {
            fs::create_directories(target, ec);
        } else if (it->is_regular_file(ec) && needsCopy(it->path(), target)) {
            fs::copy_file(it->path(), target, fs::copy_options::overwrite_existing, ec);
        }
        if (ec) {
            error = "cannot copy the panel image to " + target.string() + ": " + ec.message();
            return false;
        }
    }
    if (ec) error = "cannot read the panel image " + image.string() + ": " + ec.message();
    return !ec;
}

}  // namespace

std::string defaultPanelRoot() {
    std::string data = environment("XDG_DATA_HOME");
    if (data.empty()) {
        const std::string home = environment("HOME");
        data = home.empty() ? "." : home + "/.local/share";
    }
    return data + "/orvane-display/panel";
}

std::string findPanelImage(const std::string& programPath) {
    const std::string fromEnvironment = environment("ORVANE_IMAGE_DIR");
    if (!fromEnvironment.empty()) return isFolder(fromEnvironment) ? fromEnvironment : "";
    if (isFolder(ORVANE_BUILD_IMAGE_DIR)) return ORVANE_BUILD_IMAGE_DIR;
    const fs::path installed = programFolder(programPath) / "../share/orvane-display/panel-image";
    return isFolder(installed) ? installed.lexically_normal().string() : "";
}

bool preparePanelRoot(const std::string& root, const std::string& image, std::string& error) {
    std::error_code ec;
    fs::create_directories(fs::path(root) / "Hard Disk", ec);
    if (ec) {
        error = "cannot create the panel root " + root + ": " + ec.message();
        return false;
    }
    return image.empty() || copyImage(image, root, error);
}

}  // namespace shell
