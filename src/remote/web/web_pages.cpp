#include "remote/web/web_pages.h"

namespace remote {
namespace {

std::string tenthsText(int tenths) {
    const bool negative = tenths < 0;
    const int magnitude = negative ? -tenths : tenths;
    return (negative ? "-" : "") + std::to_string(magnitude / 10) + "." +
           std::to_string(magnitude % 10);
}

std::string row(std::string_view id, std::string_view label, const std::string& value) {
    return "<tr><th>" + std::string(label) + "</th><td id=\"" + std::string(id) + "\">" +
           htmlEscape(value) + "</td></tr>\n";
}

std::string plenumRows(const PanelSnapshot& s, const std::string& degrees) {
    std::string out;
    for (const PlenumValue& p : s.plenums) {
        const std::string n = std::to_string(p.fanHeater);
        out += row("plenum" + n, "Plenum " + n,
                   std::to_string(p.temperature) + degrees + " (setpoint " +
                       std::to_string(p.setpoint) + degrees + ")");
    }
    return out;
}

std::string shutdownBlock(const PanelSnapshot& s) {
    if (!s.shutdown) return "<div id=\"shutdown\" class=\"ok\">No shutdown</div>\n";
    std::string out = "<div id=\"shutdown\" class=\"alarm\"><b>" + htmlEscape(s.shutdown->code) +
                      " " + htmlEscape(s.shutdown->device) + "</b><br>" +
                      htmlEscape(s.shutdown->text) + "<pre>";
    for (const std::string& line : s.shutdown->help)
        out += htmlEscape(line) + "\n";
    return out + "</pre></div>\n";
}

constexpr std::string_view kStyle = R"(<style>
body{background:#1b1f24;color:#e8ecf0;font-family:sans-serif;margin:16px}
h1{font-size:20px;margin:0 0 12px}
#panel{display:flex;flex-wrap:wrap;gap:16px;align-items:flex-start}
#values{flex:1 1 320px;max-width:440px}
#frame{width:640px;max-width:100%;image-rendering:pixelated;border:2px solid #4a5360}
table{border-collapse:collapse;min-width:300px}
th{text-align:left;color:#9fb3c8;padding:4px 12px 4px 0;font-weight:normal}
td{font-size:18px;padding:4px 0}
.alarm{background:#7a1a12;padding:8px;margin-top:12px}
.ok{color:#7fd88f;margin-top:12px}
pre{white-space:pre-wrap;font-size:14px}
a{color:#8cc8ff}
</style>
)";

constexpr std::string_view kScript = R"(<script>
let frame = Number(document.body.dataset.frame);
async function refresh() {
  try {
    const r = await fetch('/api/status', {cache: 'no-store'});
    if (!r.ok) return;
    const s = await r.json();
    const d = ' °' + s.units.temperature;
    const set = (id, text) => { const e = document.getElementById(id); if (e) e.textContent = text; };
    set('state', s.state);
    set('moistureIn', s.moisture.incoming.toFixed(1) + ' %');
    set('moistureOut', s.moisture.discharge.toFixed(1) + ' %');
    set('moistureSetpoint', s.moisture.setpoint.toFixed(1) + ' %');
    set('grainIn', s.grainTemperature.incoming + d);
    set('grainOut', s.grainTemperature.discharge + d);
    set('grainSetpoint', s.grainTemperature.setpoint + d);
    set('rate', s.bushelsPerHour + ' bu/h');
    for (const p of s.plenums)
      set('plenum' + p.fanHeater, p.temperature + d + ' (setpoint ' + p.setpoint + d + ')');
    set('link', s.link.state);
    set('lastGoodFrame', s.link.lastGoodFrame || '-');
    const box = document.getElementById('shutdown');
    if (s.shutdown) {
      box.className = 'alarm';
      box.innerHTML = '';
      const b = document.createElement('b');
      b.textContent = s.shutdown.code + ' ' + s.shutdown.device;
      const t = document.createElement('div');
      t.textContent = s.shutdown.text;
      const pre = document.createElement('pre');
      pre.textContent = s.shutdown.help.join('\n');
      box.append(b, t, pre);
    } else {
      box.className = 'ok';
      box.textContent = 'No shutdown';
    }
    if (s.frame !== frame) {
      frame = s.frame;
      document.getElementById('frame').src = '/frame.png?n=' + frame;
    }
  } catch (e) {}
}
setInterval(refresh, 1000);
</script>
)";

}  // namespace

std::string htmlEscape(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&#39;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string livePage(const PanelSnapshot& s, uint64_t frameNumber) {
    const std::string degrees = s.celsius ? " °C" : " °F";
    const std::string n = std::to_string(frameNumber);
    std::string page =
        "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">"
        "<meta name=\"viewport\" content=\"width=device-width\">"
        "<title>" +
        htmlEscape(s.dryer) + "</title>\n" + std::string(kStyle) + "</head>\n<body data-frame=\"" +
        n + "\">\n<h1>" + htmlEscape(s.dryer) +
        "</h1>\n<div id=\"panel\"><img id=\"frame\" alt=\"panel\" "
        "src=\"/frame.png?n=" +
        n + "\">\n<div id=\"values\"><table>\n";
    page += row("state", "State", s.state);
    page += row("moistureIn", "Moisture in", tenthsText(s.moistureInTenths) + " %");
    page += row("moistureOut", "Moisture out", tenthsText(s.moistureOutTenths) + " %");
    page +=
        row("moistureSetpoint", "Moisture setpoint", tenthsText(s.moistureSetpointTenths) + " %");
    page += row("grainIn", "Grain in", std::to_string(s.grainIn) + degrees);
    page += row("grainOut", "Grain out", std::to_string(s.grainOut) + degrees);
    page += row("grainSetpoint", "Grain setpoint", std::to_string(s.grainSetpoint) + degrees);
    page += plenumRows(s, degrees);
    page += row("rate", "Rate", std::to_string(s.bushelsPerHour) + " bu/h");
    page += row("link", "Link", s.linkUp ? "connected" : "lost");
    page +=
        row("lastGoodFrame", "Last good frame", s.lastGoodFrame.empty() ? "-" : s.lastGoodFrame);
    page += "</table>\n" + shutdownBlock(s);
    page +=
        "<p><a href=\"/history\">Shutdown history</a> | "
        "<a href=\"/download/LongTermDataLog.csv\">Long-term log (CSV)</a> | "
        "<a href=\"/download/DryerShutdownHistory.txt\">History export</a></p>\n";
    page += "</div></div>\n" + std::string(kScript) + "</body></html>\n";
    return page;
}

std::string historyPage(const std::string& dryerName, const std::vector<HistoryEntry>& entries) {
    std::string page =
        "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>" + htmlEscape(dryerName) +
        " - shutdown history</title>\n" + std::string(kStyle) + "</head>\n<body>\n<h1>" +
        htmlEscape(dryerName) +
        " - shutdown history</h1>\n<p><a href=\"/\">Live panel</a></p>\n"
        "<table id=\"history\">\n<tr><th>Time</th><th>Node</th><th>Warning</th></tr>\n";
    for (const HistoryEntry& e : entries) {
        page += "<tr><td>" + htmlEscape(e.time) + "</td><td>" + htmlEscape(e.node) + "</td><td>" +
                htmlEscape(e.warning) + "</td></tr>\n";
    }
    return page + "</table>\n</body></html>\n";
}

}  // namespace remote
