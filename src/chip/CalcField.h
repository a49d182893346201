#pragma once
// Calculator fields that must hold an unsigned 32-bit number. No Qt.

#include <cstdint>
#include <optional>
#include <string>

// Decimal digits only, with blanks around them allowed; nothing for any
// other text (empty, a sign, letters, inner blanks) or a value above 4294967295.
std::optional<std::uint32_t> ParseUnsignedField(const std::string& text);
