#include "remote/web/web_view.h"

#include <httplib.h>

#include <charconv>
#include <thread>

#include "remote/access_token.h"
#include "remote/json.h"
#include "remote/web/web_pages.h"

namespace remote {

namespace {

constexpr std::string_view kCookieName = "orvane_token";
constexpr size_t kMaxRequestBody = 4096;
constexpr time_t kSocketTimeoutSeconds = 5;

std::string cookieToken(const httplib::Request& request) {
    const std::string cookies = request.get_header_value("Cookie");
    const std::string prefix = std::string(kCookieName) + "=";
    size_t at = 0;
    while (at < cookies.size()) {
        while (at < cookies.size() && (cookies[at] == ' ' || cookies[at] == ';'))
            ++at;
        const size_t end = std::min(cookies.find(';', at), cookies.size());
        const std::string_view pair(cookies.data() + at, end - at);
        if (pair.starts_with(prefix)) return std::string(pair.substr(prefix.size()));
        at = end;
    }
    return {};
}

std::string bearerToken(const httplib::Request& request) {
    const std::string header = request.get_header_value("Authorization");
    constexpr std::string_view kBearer = "Bearer ";
    return header.starts_with(kBearer) ? header.substr(kBearer.size()) : std::string();
}

void sendText(httplib::Response& response, int status, const std::string& body, const char* type) {
    response.status = status;
    response.set_header("Cache-Control", "no-store");
    response.set_header("X-Content-Type-Options", "nosniff");
    response.set_content(body, type);
}

}  // namespace

struct WebView::Impl {
    WebOptions options;
    WebContent content;
    LinkWatch* watch = nullptr;
    httplib::Server server;
    std::thread thread;
    int port = 0;

    PanelSnapshot snapshot() const {
        return takePanelSnapshot(dryer::dryerState(), content.panel, options.dryerName,
                                 watch->lastGoodFrame());
    }
    uint64_t frameNumber() const { return content.frameNumber ? content.frameNumber() : 0; }

    // Every request shows the token: a bearer header, the login cookie, or `?token=`, which also
    // sets the cookie so that a browser keeps it for the page's own requests.
    httplib::Server::HandlerResponse authorize(const httplib::Request& request,
                                               httplib::Response& response) {
        const std::string query = request.get_param_value("token");
        if (!query.empty() && sameToken(query, options.token)) {
            response.set_header("Set-Cookie", std::string(kCookieName) + "=" + options.token +
                                                  "; Path=/; HttpOnly; SameSite=Strict");
            if (request.method == "GET" && request.path == "/") {
                response.status = 303;
                response.set_header("Location", "/");
                return httplib::Server::HandlerResponse::Handled;
            }
            return httplib::Server::HandlerResponse::Unhandled;
        }
        if (sameToken(bearerToken(request), options.token) ||
            sameToken(cookieToken(request), options.token)) {
            return httplib::Server::HandlerResponse::Unhandled;
        }
        response.set_header("WWW-Authenticate", "Bearer");
        sendText(response, 401, "401 the panel's access token is needed\n", "text/plain");
        return httplib::Server::HandlerResponse::Handled;
    }

    void routes() {
        server.Get("/", [this](const httplib::Request&, httplib::Response& response) {
            sendText(response, 200, livePage(snapshot(), frameNumber()),
                     "text/html; charset=utf-8");
        });
        server.Get("/api/status", [this](const httplib::Request&, httplib::Response& response) {
            const uint64_t frame = frameNumber();
            sendText(response, 200,
                     panelSnapshotJson(snapshot(),
                                       [frame](JsonWriter& w) { w.key("frame").value(frame); }),
                     "application/json");
        });
        server.Get("/api/history", [this](const httplib::Request&, httplib::Response& response) {
            JsonWriter w;
            w.beginArray();
            for (const HistoryEntry& e : content.history()) {
                w.beginObject().key("time").value(e.time).key("node").value(e.node);
                w.key("warning").value(e.warning).endObject();
            }
            w.endArray();
            sendText(response, 200, w.text(), "application/json");
        });
        server.Get("/history", [this](const httplib::Request&, httplib::Response& response) {
            sendText(response, 200, historyPage(options.dryerName, content.history()),
                     "text/html; charset=utf-8");
        });
        server.Get("/frame.png", [this](const httplib::Request&, httplib::Response& response) {
            const std::vector<uint8_t> png = content.framePng();
            if (png.empty()) {
                sendText(response, 503, "the panel's picture is not available now\n", "text/plain");
                return;
            }
            response.set_header("Cache-Control", "no-store");
            response.set_content(reinterpret_cast<const char*>(png.data()), png.size(),
                                 "image/png");
        });
        download("/download/LongTermDataLog.csv", "LongTermDataLog.csv", "text/csv",
                 [this] { return content.longTermLog(); });
        download("/download/DryerShutdownHistory.txt", "DryerShutdownHistory.txt",
                 "text/plain; charset=utf-8", [this] { return content.historyText(); });
    }

    void download(const std::string& path, const std::string& name, const char* type,
                  std::function<std::optional<std::string>()> read) {
        server.Get(path, [name, type, read](const httplib::Request&, httplib::Response& response) {
            const std::optional<std::string> bytes = read();
            if (!bytes) {
                sendText(response, 404, name + " is not on the panel\n", "text/plain");
                return;
            }
            response.set_header("Content-Disposition", "attachment; filename=\"" + name + "\"");
            sendText(response, 200, *bytes, type);
        });
    }

    void limits() {
        server.new_task_queue = [] { return new httplib::ThreadPool(kWebWorkers); };
        server.set_payload_max_length(kMaxRequestBody);
        server.set_read_timeout(kSocketTimeoutSeconds, 0);
        server.set_write_timeout(kSocketTimeoutSeconds, 0);
        server.set_keep_alive_timeout(kSocketTimeoutSeconds);
        // One request per connection: the library watches an idle kept-alive connection with
        // short polls, which with a browser open cost more than a new connection a second.
        server.set_keep_alive_max_count(1);
        server.set_pre_routing_handler(
            [this](const httplib::Request& request, httplib::Response& response) {
                return authorize(request, response);
            });
        server.set_error_handler([](const httplib::Request&, httplib::Response& response) {
            if (response.body.empty()) {
                response.set_content(std::to_string(response.status) + "\n", "text/plain");
            }
        });
    }
};

WebView::WebView() : impl_(std::make_unique<Impl>()) {}

WebView::~WebView() {
    stop();
}

bool WebView::start(const WebOptions& options, WebContent content, LinkWatch& watch,
                    std::string& error) {
    if (options.token.empty()) {
        error = "the web view has no access token";
        return false;
    }
    Impl& impl = *impl_;
    impl.options = options;
    impl.content = std::move(content);
    impl.watch = &watch;
    impl.limits();
    impl.routes();
    impl.port = options.port == 0
                    ? impl.server.bind_to_any_port(options.host)
                    : (impl.server.bind_to_port(options.host, options.port) ? options.port : -1);
    if (impl.port < 0) {
        error = "cannot serve the web view on " + options.host + ":" + std::to_string(options.port);
        return false;
    }
    impl.thread = std::thread([&impl] { impl.server.listen_after_bind(); });
    return true;
}

int WebView::port() const {
    return impl_->port;
}

void WebView::stop() {
    if (!impl_->thread.joinable()) return;
    // A stop before the server thread has begun listening would be lost.
    for (int i = 0; i < 2000 && !impl_->server.is_running(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    impl_->server.stop();
    impl_->thread.join();
}

bool parseWebAddress(const std::string& text, std::string& host, int& port) {
    const size_t colon = text.rfind(':');
    if (colon == std::string::npos || colon == 0 || colon + 1 == text.size()) return false;
    std::string name = text.substr(0, colon);
    if (name.front() == '[' && name.back() == ']') name = name.substr(1, name.size() - 2);
    const std::string digits = text.substr(colon + 1);
    int value = -1;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (ec != std::errc() || end != digits.data() + digits.size() || value < 0 || value > 65535)
        return false;
    host = name;
    port = value;
    return true;
}

}  // namespace remote
