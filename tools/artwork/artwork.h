#pragma once
// The pictures of the panel image as SVG documents: the localized button faces, the warning
// help pictures and the rear-discharge help pictures. Text is set in DejaVu Sans (the panel's
// font) and fitted to the picture with the panel's own font metrics.

#include <optional>
#include <string>
#include <vector>

namespace artwork {

struct ButtonSpec {
    int number = 0;
    int width = 0;
    int height = 0;
    std::string
        style;         // menu, main, exit, help, start, autostart, grain, trace:RRGGBB, discharge:N
    std::string icon;  // inner SVG content of a 24 x 24 icon, or empty
};

// Text fitted into a box: the font size in pixels (em) and the lines; `fits` is false when even
// at the smallest size a line is too wide or the lines too high.
struct FittedText {
    double size = 0;
    std::vector<std::string> lines;
    bool fits = true;
};

// Fits a label ('|' breaks lines) into width x height, from maxSize down to minSize, wrapping
// at spaces when the given lines do not fit. With no fit the text comes at minSize, wrapped, and
// `fits` false.
FittedText fitText(const std::string& label, double width, double height, double maxSize,
                   double minSize);

// The button's face with its label; nullopt when the label does not fit the button.
std::optional<std::string> buttonSvg(const ButtonSpec& entry, const std::string& label);
// Rear-discharge help picture, frame 1 to 4: grain leaving the dryer through the discharge
// auger; the last frame marks the high level switch.
std::string dischargeSvg(int frame);

struct WarningPicture {
    std::string device;  // the device name, as the warning window shows it
    std::string code;    // "0201"
    std::string icon;    // inner SVG content of a 24 x 24 icon
    std::string text;    // the warning text in the picture's language, without its code
};
std::string warningSvg(const WarningPicture& picture);

// The drawing inside an icon file (between its <svg> and </svg>).
std::string iconContent(const std::string& svgFile);

}  // namespace artwork
