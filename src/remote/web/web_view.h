#pragma once
// The read-only web view of the panel on the farm's network: a page with the live screen and the
// key values, the shutdown history, the long-term log and the history as downloads, and a JSON
// API. It serves on a thread pool of its own, reads snapshots only and never writes to the
// dryer or the panel. Every request needs the panel's access token.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "remote/link_watch.h"
#include "remote/panel_snapshot.h"

namespace remote {

struct HistoryEntry {
    std::string warning;
    std::string node;
    std::string time;  // local "yyyy-MM-ddTHH:mm:ss"
};

// What the view shows, filled by the composition root. Each may be called from a server thread.
struct WebContent {
    PanelSources panel;
    std::function<std::vector<HistoryEntry>()> history;       // newest first
    std::function<std::optional<std::string>()> historyText;  // the USB export's text
    std::function<std::optional<std::string>()> longTermLog;  // the CSV file's bytes
    // The screen as PNG, taken on the UI thread; empty when it could not be had in time.
    std::function<std::vector<uint8_t>()> framePng;
    std::function<uint64_t()> frameNumber;  // grows with every change of the screen
};

struct WebOptions {
    std::string host = "127.0.0.1";
    int port = 0;  // 0: any free port
    std::string token;
    std::string dryerName;
};

// At most this many requests are served at once; more wait for a free worker.
inline constexpr int kWebWorkers = 8;

class WebView {
  public:
    WebView();
    ~WebView();
    WebView(const WebView&) = delete;
    WebView& operator=(const WebView&) = delete;

    // Binds the address and starts serving. False, with the reason, when it cannot be bound.
    bool start(const WebOptions& options, WebContent content, LinkWatch& watch, std::string& error);
    // The port bound (useful with port 0).
    int port() const;
    void stop();

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// "HOST:PORT" into its parts; false for anything else (a port outside 0..65535, no colon).
bool parseWebAddress(const std::string& text, std::string& host, int& port);

}  // namespace remote
