// Name-pattern match with one back-tracking point: each '*' restarts the
// search from the name position after the last attempt.
#include "datafile/name_match.h"

#include <cctype>

static int upper(char c)
{
    return std::toupper(static_cast<unsigned char>(c));
}

bool name_match(std::string_view name, std::string_view pattern)
{
    size_t s = 0, p = 0;
    bool haveBack = false;
    size_t backS = 0, backP = 0;
    while (s < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || upper(pattern[p]) == upper(name[s]))) {
            ++s;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            haveBack = true;
            backP = ++p;
            backS = s;
        } else if (haveBack) {
            s = ++backS;
            p = backP;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

bool name_isPattern(std::string_view pattern)
{
    return pattern.find_first_of("*?") != std::string_view::npos;
}
