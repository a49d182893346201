#pragma once
// Machine-readable output (--json): objects keep the order their keys were
// added in, so the output is stable and documented in that order.

#include <string>

#include <nlohmann/json.hpp>

namespace cli {

using Json = nlohmann::ordered_json;

// Project texts are 8-bit Latin-1; JSON strings are UTF-8.
std::string Utf8(const std::string& latin1);

// Writes `json` indented by two spaces, with a final line end, to standard
// output. A failure is reported and gives false.
bool WriteJson(const Json& json);

}  // namespace cli
