#pragma once
// The panel root: the host folder that stands for the panel's file system ("\" and "\Hard Disk").

#include <string>

namespace shell {

// The per-user panel folder used without --root:
// ${XDG_DATA_HOME:-$HOME/.local/share}/orvane-display/panel.
std::string defaultPanelRoot();

// The panel image that fills a new panel root: $ORVANE_IMAGE_DIR when set, else the image of the
// build this program came from, else the copy installed beside the program
// (<bin>/../share/orvane-display/panel-image). Empty when none exists.
std::string findPanelImage(const std::string& programPath);

// Makes sure the root and its flash disk ("Hard Disk") exist. With an image, copies every image
// file the root lacks or holds in an older version (a rebuilt image refreshes the root; a file the
// panel has written since the image was built stays). Nothing is ever deleted.
bool preparePanelRoot(const std::string& root, const std::string& image, std::string& error);

}  // namespace shell
