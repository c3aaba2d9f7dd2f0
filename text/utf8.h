#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace orvel {

constexpr bool IsSurrogate(char32_t cp) { return cp >= 0xD800 && cp <= 0xDFFF; }

// Decodes the code point at `pos` and moves `pos` past it. Besides
// well-formed UTF-8 this reads the 3-byte forms of surrogates (ED A0 80 ..
// ED BF BF), which carry UTF-16 text that is not well formed; callers that
// want characters refuse them. For any other ill-formed bytes: nullopt, with
// `pos` moved past the longest start of a sequence (at least one byte), so
// each such stretch counts once.
std::optional<char32_t> NextCodePoint(std::string_view text, size_t& pos);

}  // namespace orvel
