#include "datafile/str_view.h"

namespace StrView {

void split(std::string_view text, char sep, std::vector<std::string_view>& out)
{
    out.clear();
    size_t start = 0;
    for (;;) {
        const size_t pos = text.find(sep, start);
        if (pos == std::string_view::npos) {
            out.push_back(text.substr(start));
            return;
        }
        out.push_back(text.substr(start, pos - start));
        start = pos + 1;
    }
}

std::vector<std::string_view> split(std::string_view text, char sep)
{
    std::vector<std::string_view> out;
    split(text, sep, out);
    return out;
}

}  // namespace StrView
