#pragma once
// The differences between two projects as a reviewer reads them: the model,
// the clock words, the header name and code format, then per routine each
// register whose value or written state differs ("    TMOD  0x20 -> 0x21")
// and each changed code text, line by line. The file version is not
// compared: a converted file configures the same chip as its original.

#include <string>

class CDeviceDocument;

namespace projectdiff {

// One line per difference (each ending in "\n"); empty when the projects are
// equal. `nameA` / `nameB` name the projects in "only in" lines.
std::string Describe(const CDeviceDocument& a, const CDeviceDocument& b, const std::string& nameA,
                     const std::string& nameB);

}  // namespace projectdiff
