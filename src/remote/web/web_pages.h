#pragma once
// The HTML of the web view: the live page and the history table. Plain HTML with a little
// script that refreshes the values and the picture once a second; every text is escaped.

#include <string>
#include <string_view>
#include <vector>

#include "remote/panel_snapshot.h"
#include "remote/web/web_view.h"

namespace remote {

std::string htmlEscape(std::string_view text);
std::string livePage(const PanelSnapshot& snapshot, uint64_t frameNumber);
std::string historyPage(const std::string& dryerName, const std::vector<HistoryEntry>& entries);

}  // namespace remote
