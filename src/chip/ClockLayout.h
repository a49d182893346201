#pragma once
// Where the clock tree's boxes and edges go, computed without a toolkit, so
// the desktop view paints and the command line writes (as SVG) one drawing.
//
// Columns from left to right: the oscillators; the clock multiplier; SYSCLK
// with the USB clock; the four timers; the consumers (UARTs, SPI0, SMBus, the
// PCA counter, ADC0); the PCA's outputs. Rows are fixed per node, chosen so
// that an edge which skips a column passes below that column's boxes. An
// edge leaves its parent's right side, runs down or up a vertical trunk just
// right of the parent, then straight into the child's left side; its label
// sits on that last stretch, right-aligned against the child.

#include <string>
#include <vector>

namespace chip {

class ClockTree;

struct LayoutPoint {
    double x;
    double y;
};

struct LayoutBox {
    std::string node;  // the clock node's name
    double x, y, w, h;
    std::string title;   // bold first line
    std::string value;   // "115200 bps", "-"
    std::string detail;  // small third line
    bool dimmed;         // not in use
    bool warning;        // value in the warning colour
};

struct LayoutEdge {
    std::string from, to;
    std::vector<LayoutPoint> points;  // a polyline from parent to child
    std::string label;
    double labelX, labelY;  // the label's right end and baseline
    bool dimmed;
};

struct ClockLayout {
    double width = 0, height = 0;
    std::vector<LayoutBox> boxes;
    std::vector<LayoutEdge> edges;

    // The box under a point, or nullptr.
    const LayoutBox* BoxAt(double x, double y) const;
    const LayoutBox* Box(const std::string& node) const;
};

// Type sizes in pixels the drawing assumes; the widths reserve kCharWidth
// per character, enough for a common sans-serif face at these sizes.
inline constexpr double kClockTitleSize = 12;
inline constexpr double kClockTextSize = 11;
inline constexpr double kClockLabelSize = 10;
inline constexpr double kClockCharWidth = 7;
// Inside a box: the text's left inset and the baselines of its three lines.
inline constexpr double kClockPad = 8;
inline constexpr double kClockTitleBaseline = 17;
inline constexpr double kClockValueBaseline = 33;
inline constexpr double kClockDetailBaseline = 48;
// The colours, as "#RRGGBB".
inline constexpr const char* kClockInk = "#202020";
inline constexpr const char* kClockDimInk = "#6e6e6e";
inline constexpr const char* kClockBoxFill = "#f4f7fb";
inline constexpr const char* kClockDimFill = "#f7f7f7";
inline constexpr const char* kClockFrame = "#5b7896";
inline constexpr const char* kClockWarning = "#c62828";
inline constexpr const char* kClockEdge = "#5b7896";
inline constexpr const char* kClockBackground = "#ffffff";

ClockLayout LayoutClockTree(const ClockTree& tree);

// The drawing as a standalone SVG document (UTF-8, one box per node, each
// group carrying the node's name as its id).
std::string ClockTreeSvg(const ClockLayout& layout);

}  // namespace chip
