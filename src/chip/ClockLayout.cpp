#include "chip/ClockLayout.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "chip/ClockTree.h"

namespace chip {
namespace {

constexpr double kMargin = 16;
constexpr double kGap = 104;  // between columns: trunks and edge labels
constexpr double kBoxHeight = 56;
constexpr double kRowPitch = kBoxHeight + 14;
constexpr double kPad = kClockPad;
constexpr double kMinBoxWidth = 96;
constexpr int kColumns = 6;
constexpr int kRows = 8;

struct Slot {
    int column;
    int row;
};

// Fixed places. Rows 0..3 hold what the timers feed, rows 4..7 what SYSCLK
// feeds directly, so those edges run below the timers.
Slot SlotOf(const ClockNode& n, int pcaRow) {
    static const std::map<std::string, Slot> kSlots = {
        {"intosc", {0, 0}}, {"lfosc", {0, 1}},  {"extosc", {0, 2}}, {"multiplier", {1, 3}},
        {"sysclk", {2, 0}}, {"usb", {2, 4}},    {"timer0", {3, 0}}, {"timer1", {3, 1}},
        {"timer2", {3, 2}}, {"timer3", {3, 3}}, {"uart0", {4, 1}},  {"smbus", {4, 2}},
        {"uart1", {4, 4}},  {"spi0", {4, 5}},   {"adc0", {4, 6}},
    };
    if (n.name == "pca") return {4, pcaRow};
    // The PCA's outputs stand beside the counter.
    const int first = pcaRow == 0 ? 0 : kRows - 6;
    if (n.name == "watchdog") return {5, first + 5};
    if (n.name.rfind("pca.cex", 0) == 0) return {5, first + (n.name.back() - '0')};
    auto it = kSlots.find(n.name);
    return it == kSlots.end() ? Slot{5, 0} : it->second;
}

std::string ValueText(const ClockNode& n) {
    return n.text == "-" ? "-" : n.text + " " + n.unit;
}

double TextWidth(const std::string& s) {
    return static_cast<double>(s.size()) * kClockCharWidth;
}

std::string Escaped(const std::string& s) {
    std::string out;
    for (char c : s) {
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

std::string Num(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f", v);
    return buf;
}

}  // namespace

const LayoutBox* ClockLayout::BoxAt(double x, double y) const {
    for (const LayoutBox& b : boxes)
        if (x >= b.x && x < b.x + b.w && y >= b.y && y < b.y + b.h) return &b;
    return nullptr;
}

const LayoutBox* ClockLayout::Box(const std::string& node) const {
    for (const LayoutBox& b : boxes)
        if (b.node == node) return &b;
    return nullptr;
}

ClockLayout LayoutClockTree(const ClockTree& tree) {
    const ClockNode* pca = tree.Find("pca");
    const int pcaRow = pca && pca->parent == "timer0" ? 0 : kRows - 1;

    double widths[kColumns];
    std::fill(std::begin(widths), std::end(widths), kMinBoxWidth);
    for (const ClockNode& n : tree.Nodes()) {
        const Slot s = SlotOf(n, pcaRow);
        const double w =
            std::max({TextWidth(n.title), TextWidth(ValueText(n)), TextWidth(n.detail)});
        widths[s.column] = std::max(widths[s.column], w + 2 * kPad);
    }
    double left[kColumns];
    double x = kMargin;
    for (int c = 0; c < kColumns; ++c) {
        left[c] = x;
        x += widths[c] + kGap;
    }

    ClockLayout layout;
    layout.width = x - kGap + kMargin;
    layout.height = 2 * kMargin + kRows * kRowPitch - (kRowPitch - kBoxHeight);
    std::map<std::string, int> rowOf;
    for (const ClockNode& n : tree.Nodes()) {
        const Slot s = SlotOf(n, pcaRow);
        rowOf[n.name] = s.row;
        layout.boxes.push_back({n.name, left[s.column], kMargin + s.row * kRowPitch,
                                widths[s.column], kBoxHeight, n.title, ValueText(n), n.detail,
                                !n.inUse, n.warning});
    }
    for (const ClockNode& n : tree.Nodes()) {
        const LayoutBox* child = layout.Box(n.name);
        const LayoutBox* parent = n.parent.empty() ? nullptr : layout.Box(n.parent);
        if (!child || !parent) continue;
        // Each parent gets its own trunk, so the trunks of two parents in one
        // column never run on top of each other.
        const double trunk = parent->x + parent->w + 10 + 6 * (rowOf[n.parent] % 4);
        const double y0 = parent->y + parent->h / 2;
        const double y1 = child->y + child->h / 2;
        LayoutEdge e{n.parent, n.name, {}, n.via, child->x - 6, y1 - 4, !n.inUse};
        e.points.push_back({parent->x + parent->w, y0});
        if (y0 != y1) {
            e.points.push_back({trunk, y0});
            e.points.push_back({trunk, y1});
        }
        e.points.push_back({child->x, y1});
        layout.edges.push_back(std::move(e));
    }
    return layout;
}

std::string ClockTreeSvg(const ClockLayout& layout) {
    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + Num(layout.width) +
           "\" height=\"" + Num(layout.height) + "\" viewBox=\"0 0 " + Num(layout.width) + " " +
           Num(layout.height) + "\" font-family=\"sans-serif\">\n";
    svg += "<title>Clock tree</title>\n";
    svg +=
        "<rect width=\"100%\" height=\"100%\" fill=\"" + std::string(kClockBackground) + "\"/>\n";
    for (const LayoutEdge& e : layout.edges) {
        const char* ink = e.dimmed ? kClockDimInk : kClockEdge;
        svg += "<g class=\"edge\" data-from=\"" + Escaped(e.from) + "\" data-to=\"" +
               Escaped(e.to) + "\">";
        svg += "<polyline fill=\"none\" stroke=\"" + std::string(ink) + "\" points=\"";
        for (std::size_t i = 0; i < e.points.size(); ++i)
            svg += (i ? " " : "") + Num(e.points[i].x) + "," + Num(e.points[i].y);
        svg += "\"/>";
        if (!e.label.empty())
            svg += "<text x=\"" + Num(e.labelX) + "\" y=\"" + Num(e.labelY) +
                   "\" text-anchor=\"end\" font-size=\"" + Num(kClockLabelSize) + "\" fill=\"" +
                   ink + "\">" + Escaped(e.label) + "</text>";
        svg += "</g>\n";
    }
    for (const LayoutBox& b : layout.boxes) {
        const char* ink = b.dimmed ? kClockDimInk : kClockInk;
        const char* frame = b.warning ? kClockWarning : b.dimmed ? kClockDimInk : kClockFrame;
        const char* valueInk = b.warning ? kClockWarning : ink;
        const double tx = b.x + kPad;
        svg += "<g class=\"box" + std::string(b.dimmed ? " unused" : "") +
               (b.warning ? " warning" : "") + "\" id=\"" + Escaped(b.node) + "\">";
        svg += "<rect x=\"" + Num(b.x) + "\" y=\"" + Num(b.y) + "\" width=\"" + Num(b.w) +
               "\" height=\"" + Num(b.h) + "\" rx=\"4\" fill=\"" +
               (b.dimmed ? kClockDimFill : kClockBoxFill) + "\" stroke=\"" + frame + "\"/>";
        svg += "<text x=\"" + Num(tx) + "\" y=\"" + Num(b.y + kClockTitleBaseline) +
               "\" font-size=\"" + Num(kClockTitleSize) + "\" font-weight=\"bold\" fill=\"" + ink +
               "\">" + Escaped(b.title) + "</text>";
        svg += "<text x=\"" + Num(tx) + "\" y=\"" + Num(b.y + kClockValueBaseline) +
               "\" font-size=\"" + Num(kClockTextSize) + "\" fill=\"" + valueInk + "\">" +
               Escaped(b.value) + "</text>";
        if (!b.detail.empty())
            svg += "<text x=\"" + Num(tx) + "\" y=\"" + Num(b.y + kClockDetailBaseline) +
                   "\" font-size=\"" + Num(kClockLabelSize) + "\" fill=\"" + ink + "\">" +
                   Escaped(b.detail) + "</text>";
        svg += "</g>\n";
    }
    svg += "</svg>\n";
    return svg;
}

}  // namespace chip
