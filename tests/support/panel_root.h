#pragma once
// Panel roots for tests: a scratch folder whose flash disk ("Hard Disk") holds folders of the
// built panel image.

#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace testsupport {

// The built panel image's flash disk (ORVANE_IMAGE_DIR names the image).
std::filesystem::path imageDisk();

// How the image's folders go into a panel root.
enum class ImageLinks {
    Folder,  // one link to the image's folder
    Files,   // real folders holding a link to each file: a test may put its own file in place
};

// Puts the image's `folders` (paths below its flash disk) into the flash disk of `root`; false,
// with nothing linked, when the image lacks one of them (it has not been built).
bool linkImageFolders(const TempDir& root, const std::vector<std::string>& folders,
                      ImageLinks links = ImageLinks::Folder);

// Real folders below `to` as below `from`, with a link to each of its files in them.
void linkFiles(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace testsupport
