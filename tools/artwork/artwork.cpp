#include "tools/artwork/artwork.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "platform/gfx/text.h"

namespace artwork {
namespace {

// DejaVu Sans Bold measured at a cell of 116 pixels, which is an em of about 100 pixels.
constexpr int kReferenceCell = 116;
constexpr double kReferenceEm = 100.0;
constexpr double kCapHeight = 0.73;  // of the em
constexpr double kLineGap = 1.18;    // baseline to baseline, of the em

double textWidth(const std::string& text, double size) {
    const auto extent =
        platform::gfx::textExtent(text, platform::gfx::FontSpec{"Tahoma", kReferenceCell, 700});
    return extent.width * size / kReferenceEm * 1.04;
}

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, separator))
        parts.push_back(part);
    if (parts.empty()) parts.push_back("");
    return parts;
}

std::vector<std::string> wrap(const std::vector<std::string>& lines, double width, double size) {
    std::vector<std::string> out;
    for (const auto& line : lines) {
        std::string current;
        for (const auto& word : split(line, ' ')) {
            const std::string candidate = current.empty() ? word : current + " " + word;
            if (!current.empty() && textWidth(candidate, size) > width) {
                out.push_back(current);
                current = word;
            } else {
                current = candidate;
            }
        }
        out.push_back(current);
    }
    return out;
}

bool fits(const std::vector<std::string>& lines, double width, double height, double size) {
    for (const auto& line : lines) {
        if (textWidth(line, size) > width) return false;
    }
    return kCapHeight * size + (lines.size() - 1) * kLineGap * size <= height;
}

std::string escape(const std::string& text) {
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
            default:
                out += c;
        }
    }
    return out;
}

std::string format(const char* pattern, double a, double b = 0, double c = 0, double d = 0) {
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, pattern, a, b, c, d);
    return buffer;
}

// Centred lines of bold text, vertically centred on cy by their capital height.
std::string textBlock(const FittedText& text, double cx, double cy, const std::string& colour) {
    std::string out;
    const double first =
        cy + kCapHeight * text.size / 2 - (text.lines.size() - 1) * kLineGap * text.size / 2;
    for (size_t i = 0; i < text.lines.size(); ++i) {
        out += format("<text x=\"%.1f\" y=\"%.1f\" font-size=\"%.1f\"", cx,
                      first + i * kLineGap * text.size, text.size);
        out += " font-family=\"DejaVu Sans\" font-weight=\"bold\" text-anchor=\"middle\" fill=\"" +
               colour + "\">" + escape(text.lines[i]) + "</text>\n";
    }
    return out;
}

std::string icon(const std::string& content, double x, double y, double size,
                 const std::string& colour, double strokeWidth = 2) {
    return format("<g transform=\"translate(%.1f,%.1f) scale(%.3f)\"", x, y, size / 24.0) +
           " fill=\"none\" stroke=\"" + colour + "\" stroke-width=\"" +
           format("%.2f", strokeWidth) + "\" stroke-linecap=\"round\" stroke-linejoin=\"round\">" +
           content + "</g>\n";
}

struct Palette {
    const char* top;
    const char* bottom;
    const char* edge;
    const char* text;
};

Palette paletteOf(const std::string& style) {
    if (style == "main") return {"#2f7fb0", "#0f3f60", "#a8dcff", "#ffffff"};
    if (style == "exit") return {"#d0453a", "#7a1a12", "#ffc2b8", "#ffffff"};
    if (style == "help") return {"#ffd54a", "#e08e00", "#fff3c0", "#000000"};
    if (style == "start") return {"#34b04e", "#155f26", "#c4f5cf", "#ffffff"};
    if (style == "autostart") return {"#1f9a7c", "#0b4c3c", "#b8f2e2", "#ffffff"};
    if (style == "grain") return {"#c08a2c", "#6a4610", "#ffe2a8", "#ffffff"};
    if (style.starts_with("trace:")) return {"#3a3f47", "#15181c", "#aab4c0", "#ffffff"};
    return {"#3b72b8", "#153d75", "#a3c8ff", "#ffffff"};
}

}  // namespace

FittedText fitText(const std::string& label, double width, double height, double maxSize,
                   double minSize) {
    // The given lines a little smaller read better than more lines at full size.
    const std::vector<std::string> given = split(label, '|');
    for (double size = maxSize; size >= std::max(minSize, maxSize * 0.8); size -= 0.5) {
        if (fits(given, width, height, size)) return {size, given};
    }
    for (double size = maxSize; size >= minSize; size -= 0.5) {
        const auto wrapped = wrap(given, width, size);
        if (fits(wrapped, width, height, size)) return {size, wrapped};
    }
    return {minSize, wrap(given, width, minSize)};
}

std::string buttonSvg(const ButtonSpec& entry, const std::string& label) {
    const Palette p = paletteOf(entry.style);
    const double w = entry.width;
    const double h = entry.height;
    const double radius = h >= 40 ? 5 : 3;
    std::string svg = format(
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%.0f\" height=\"%.0f\" "
        "viewBox=\"0 0 %.0f %.0f\">\n",
        w, h, w, h);
    svg += std::string("<defs><linearGradient id=\"face\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"1\">") +
           "<stop offset=\"0\" stop-color=\"" + p.top + "\"/><stop offset=\"1\" stop-color=\"" +
           p.bottom + "\"/></linearGradient></defs>\n";
    svg += format("<rect width=\"%.0f\" height=\"%.0f\" fill=\"#10161e\"/>\n", w, h);
    svg += format("<rect x=\"1\" y=\"1\" width=\"%.0f\" height=\"%.0f\" rx=\"%.0f\"", w - 2, h - 2,
                  radius) +
           " fill=\"url(#face)\" stroke=\"" + p.edge + "\" stroke-width=\"1.5\"/>\n";
    svg += format("<rect x=\"3\" y=\"2.5\" width=\"%.0f\" height=\"%.1f\" rx=\"%.0f\"", w - 6,
                  (h - 5) * 0.45, radius - 1) +
           " fill=\"#ffffff\" fill-opacity=\"0.12\"/>\n";

    const double right = w - 6;
    const double maxSize = h >= 40 ? 16 : 13;
    double left = 6;
    FittedText text = fitText(label, right - left, h - 10, maxSize, 8);
    if (entry.style.starts_with("trace:")) {
        svg += format("<rect x=\"5\" y=\"5\" width=\"9\" height=\"%.0f\" rx=\"2\"", h - 10) +
               " fill=\"#" + entry.style.substr(6) + "\" stroke=\"#000000\" stroke-width=\"1\"/>\n";
        left = 18;
        text = fitText(label, right - left, h - 8, maxSize, 8);
    } else if (!entry.icon.empty() && h >= 33) {
        // The icon gives way when it would shrink the label too far.
        const double size = h * 0.56;
        const FittedText beside = fitText(label, right - (8 + size + 6), h - 10, maxSize, 8);
        if (beside.size >= 12 || beside.size >= text.size) {
            svg += icon(entry.icon, 8, (h - size) / 2, size, p.text);
            left = 8 + size + 6;
            svg += format("<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\"", left - 3,
                          h * 0.18, left - 3, h * 0.82) +
                   " stroke=\"" + p.edge + "\" stroke-opacity=\"0.55\"/>\n";
            text = beside;
        }
    }
    svg += textBlock(text, (left + right) / 2, h / 2, p.text);
    svg += "</svg>\n";
    return svg;
}

std::string dischargeSvg(int frame) {
    std::string svg =
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"500\" height=\"400\" viewBox=\"0 0 500 "
        "400\">\n<rect width=\"500\" height=\"400\" fill=\"#eef2f6\"/>\n";
    // The dryer's grain column and the discharge hopper under it.
    svg +=
        "<rect x=\"60\" y=\"20\" width=\"150\" height=\"200\" fill=\"#d9b25f\" stroke=\"#333\" "
        "stroke-width=\"3\"/>\n";
    svg +=
        "<path d=\"M60 220 L110 280 L160 280 L210 220 Z\" fill=\"#d9b25f\" stroke=\"#333\" "
        "stroke-width=\"3\"/>\n";
    // Discharge auger tube running to the right.
    svg +=
        "<rect x=\"100\" y=\"280\" width=\"360\" height=\"50\" rx=\"8\" fill=\"#b8c2cc\" "
        "stroke=\"#333\" stroke-width=\"3\"/>\n";
    svg +=
        "<clipPath id=\"tube\"><rect x=\"102\" y=\"282\" width=\"356\" height=\"46\" "
        "rx=\"7\"/></clipPath>\n<g clip-path=\"url(#tube)\">\n";
    for (int i = 0; i < 14; ++i) {
        const double x = 96 + i * 27 + (frame - 1) * 9;
        svg += format("<path d=\"M%.0f 284 L%.0f 326\" stroke=\"#56606b\" stroke-width=\"4\"/>\n",
                      x, x + 14);
    }
    svg +=
        "</g>\n<path d=\"M250 360 L400 360 M385 350 L402 360 L385 370\" stroke=\"#1b4f8a\" "
        "stroke-width=\"5\" fill=\"none\" stroke-linecap=\"round\"/>\n";
    // Grain kernels moving along the auger, a step further in each frame.
    for (int i = 0; i < 10; ++i) {
        const double x = 120 + ((i * 34 + (frame - 1) * 11) % 330);
        svg += format(
            "<ellipse cx=\"%.0f\" cy=\"%.0f\" rx=\"6\" ry=\"4\" fill=\"#a8741a\" "
            "stroke=\"#5a3d0a\"/>\n",
            x, 300.0 + (i % 3) * 8);
    }
    // Flow arrows and the outlet.
    svg +=
        "<path d=\"M135 60 L135 200 M120 185 L135 205 L150 185\" stroke=\"#1b4f8a\" "
        "stroke-width=\"6\" fill=\"none\" stroke-linecap=\"round\"/>\n";
    svg +=
        "<path d=\"M460 305 L490 305 L490 380\" stroke=\"#333\" stroke-width=\"3\" "
        "fill=\"none\"/>\n";
    svg += format(
        "<path d=\"M475 330 L475 %.0f\" stroke=\"#a8741a\" stroke-width=\"10\" "
        "stroke-dasharray=\"6 6\" stroke-dashoffset=\"%.0f\"/>\n",
        390.0, -frame * 4.0);
    // The discharge high level switch on the hopper: it trips when the grain backs up.
    const bool alarm = frame == 4;
    svg += std::string("<circle cx=\"235\" cy=\"250\" r=\"22\" fill=\"") +
           (alarm ? "#e53935" : "#ffffff") + "\" stroke=\"#333\" stroke-width=\"3\"/>\n";
    svg += "<path d=\"M213 250 L180 250\" stroke=\"#333\" stroke-width=\"6\"/>\n";
    if (alarm) {
        svg +=
            "<path d=\"M235 205 L235 180 M262 223 L280 205 M208 223 L190 205\" "
            "stroke=\"#e53935\" stroke-width=\"5\" stroke-linecap=\"round\"/>\n";
    }
    svg += "</svg>\n";
    return svg;
}

std::string warningSvg(const WarningPicture& picture) {
    std::string svg =
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"500\" height=\"400\" viewBox=\"0 0 500 "
        "400\">\n<rect width=\"500\" height=\"400\" fill=\"#f3f5f8\"/>\n";
    svg += "<rect width=\"500\" height=\"56\" fill=\"#b71c1c\"/>\n";
    svg += textBlock(fitText(picture.device, 330, 30, 26, 12), 180, 28, "#ffffff");
    svg += "<rect x=\"370\" y=\"9\" width=\"118\" height=\"38\" rx=\"6\" fill=\"#ffffff\"/>\n";
    svg += textBlock({24, {picture.code}}, 429, 28, "#b71c1c");
    // The help dialog's text list covers the picture from y 322 down, so the sign and the
    // warning's text keep above it.
    svg +=
        "<path d=\"M250 66 L328 200 L172 200 Z\" fill=\"#ffcc00\" stroke=\"#222\" "
        "stroke-width=\"6\" stroke-linejoin=\"round\"/>\n";
    svg += icon(picture.icon, 208, 112, 84, "#111111", 2.2);
    svg +=
        "<line x1=\"20\" y1=\"212\" x2=\"480\" y2=\"212\" stroke=\"#b71c1c\" "
        "stroke-width=\"3\"/>\n";
    svg += textBlock(fitText(picture.text, 460, 96, 26, 12), 250, 264, "#111111");
    svg += "</svg>\n";
    return svg;
}

std::string iconContent(const std::string& svgFile) {
    const size_t open = svgFile.find("<svg");
    const size_t start = open == std::string::npos ? open : svgFile.find('>', open);
    const size_t end = svgFile.rfind("</svg>");
    if (start == std::string::npos || end == std::string::npos || end < start) return {};
    return svgFile.substr(start + 1, end - start - 1);
}

}  // namespace artwork
