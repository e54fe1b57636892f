// Where the caret may stand in the text line: never inside a character the reader sees as one
// (a letter with its accents, an emoji with its skin tone, a flag).
#pragma once

#include <cstddef>
#include <string_view>

namespace quillon {

// The cluster boundary at or before pos, and the one at or after it. A pos beyond the text is
// its end.
std::size_t ClusterBoundaryBefore(std::u16string_view text, std::size_t pos);
std::size_t ClusterBoundaryAfter(std::u16string_view text, std::size_t pos);

} // namespace quillon
