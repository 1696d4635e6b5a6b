// Splitting of string views without copying.
#pragma once
#include <string_view>
#include <vector>

namespace StrView {

// The pieces between separators: n separators give n + 1 pieces, an empty
// text one empty piece. No quoting.
std::vector<std::string_view> split(std::string_view text, char sep);
// The same into an existing array, reusing its storage.
void split(std::string_view text, char sep, std::vector<std::string_view>& out);

}  // namespace StrView
