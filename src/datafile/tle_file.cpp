#include "datafile/tle_file.h"

#include <cctype>
#include <string>

#include "datafile/field_parse.h"

namespace {

constexpr size_t kLineLength = 69;
constexpr size_t kNameMax = 26;

struct tleField_t {
    int line;    // 1 or 2
    int column;  // first column, from 0
    int width;
    int index;   // equals the position in the table
};

const tleField_t s_fields[19] = {
    {1, 2, 5, 0},    // satellite number
    {1, 7, 1, 1},    // classification
    {1, 9, 8, 2},    // international designator
    {1, 18, 2, 3},   // epoch year
    {1, 20, 12, 4},  // epoch day of year
    {1, 33, 10, 5},  // first derivative of the mean motion
    {1, 44, 8, 6},   // second derivative, assumed point and exponent
    {1, 53, 8, 7},   // B*, assumed point and exponent
    {1, 62, 1, 8},   // ephemeris type
    {1, 64, 4, 9},   // element set number
    {1, 68, 1, 10},  // checksum
    {2, 8, 8, 11},   // inclination
    {2, 17, 8, 12},  // right ascension of the node
    {2, 26, 7, 13},  // eccentricity, assumed point
    {2, 34, 8, 14},  // argument of perigee
    {2, 43, 8, 15},  // mean anomaly
    {2, 52, 11, 16}, // mean motion
    {2, 63, 5, 17},  // revolution number
    {2, 68, 1, 18},  // checksum
};

// Alpha-5 letter value from the character code; I counts as J, O as P.
unsigned alpha5(char c)
{
    if (c < 'J')
        return unsigned(c - 55);
    if (c < 'P')
        return unsigned(c - 56);
    return unsigned(c - 57);
}

}  // namespace

bool TleFile::IsChecksum(std::string_view l)
{
    if (l.size() < kLineLength)
        return false;
    int sum = 0;
    for (size_t i = 0; i < kLineLength - 1; ++i) {
        const char c = l[i];
        if (c >= '0' && c <= '9')
            sum += c - '0';
        else if (c == '-')
            sum += 1;
    }
    const char check = l[kLineLength - 1];
    return check >= '0' && check <= '9' && sum % 10 == check - '0';
}

size_t TleFile::ReadLine()
{
    std::string_view raw;
    file->ReadLine(raw);
    line = fp_trim(raw);
    return line.size();
}

int TleFile::ReadLines()
{
    if (file->IsEnd())
        return TLE_NO_MORE;
    for (;;) {
        if (ReadLine() != 0)
            break;
        if (file->IsEnd())
            return TLE_NO_MORE;
    }
    if (line.size() <= kNameMax) {
        nameLine = line;
        if (nameLine.size() >= 2 && nameLine[0] == '0' && nameLine[1] == ' ')
            nameLine.remove_prefix(2);
        ReadLine();
    } else {
        nameLine = std::string_view();
    }
    if (line.size() != kLineLength)
        return TLE_LINE1_LENGTH;
    if (!IsChecksum(line))
        return TLE_LINE1_CHECKSUM;
    line1 = line;
    ReadLine();
    if (line.size() != kLineLength)
        return TLE_LINE2_LENGTH;
    if (!IsChecksum(line))
        return TLE_LINE2_CHECKSUM;
    line2 = line;
    return TLE_OK;
}

std::string_view TleFile::GetStr(int index) const
{
    const tleField_t& f = s_fields[index];
    const std::string_view l = f.line == 1 ? line1 : line2;
    if (size_t(f.column) >= l.size())
        return std::string_view();
    return fp_trim(l.substr(size_t(f.column), size_t(f.width)));
}

bool TleFile::GetUInt(int index, unsigned& value) const
{
    const std::string_view s = GetStr(index);
    return !s.empty() && fp_uint(s, value);
}

bool TleFile::GetDouble(int index, double& value) const
{
    const std::string_view s = GetStr(index);
    if (s.empty())
        return false;
    value = fp_double(s);
    return true;
}

bool TleFile::GetDecAssumed(int index, double& value) const
{
    std::string s(GetStr(index));
    if (!s.empty() && (s[0] == '-' || s[0] == '+'))
        s.insert(1, 1, '.');
    else
        s.insert(0, 1, '.');
    if (s.size() >= 2 && (s[s.size() - 2] == '-' || s[s.size() - 2] == '+'))
        s.insert(s.size() - 2, 1, 'E');
    value = fp_double(s);
    return !s.empty();
}

bool TleFile::GetCatId(unsigned& id) const
{
    std::string_view s = GetStr(0);
    unsigned base = 0;
    if (!s.empty() && std::isalpha(static_cast<unsigned char>(s[0]))) {
        // Lower-case letters count as their upper-case Alpha-5 values.
        base = alpha5(char(std::toupper(static_cast<unsigned char>(s[0])))) * 10000;
        s.remove_prefix(1);
    }
    unsigned rest = 0;
    if (fp_uint(s, rest))
        base += rest;
    id = base;
    return id != 0;
}

bool TleFile::ReadElements(OrbitalElements_t& el)
{
    if (ReadLines() != TLE_OK)
        return false;
    el.name = std::string(nameLine.empty() ? GetStr(0) : nameLine);
    if (el.name.empty())
        return false;
    unsigned u = 0;
    if (!GetCatId(u))
        return false;
    el.catalogNumber = u;
    el.classification = line1[7];
    el.intlDesignator = std::string(GetStr(2));

    // Two-digit year: 57 to 99 are 1957 to 1999, the rest 2000 to 2056.
    std::string_view ys = GetStr(3);
    bool neg = false;
    if (!ys.empty() && (ys[0] == '+' || ys[0] == '-')) {
        neg = ys[0] == '-';
        ys.remove_prefix(1);
    }
    unsigned yy = 0;
    if (ys.empty() || ys[0] < '0' || ys[0] > '9' || !fp_uint(ys, yy))
        return false;
    const int year = neg ? -int(yy) : int(yy);
    el.epochYear = uint32_t(year > 56 ? 1900 + year : 2000 + year);

    if (!GetDouble(4, el.epochDay))
        return false;
    el.epochIsDayOfYear = true;
    if (!GetDouble(5, el.meanMotionDot))
        return false;
    if (!GetDecAssumed(6, el.meanMotionDdot) || !GetDecAssumed(7, el.bstar))
        return false;
    if (!GetUInt(8, u))
        return false;
    el.ephemerisType = u;
    if (!GetUInt(9, u))
        return false;
    el.elementSetNumber = u;
    if (!GetDouble(11, el.inclination) || !GetDouble(12, el.raan))
        return false;
    if (!GetDecAssumed(13, el.eccentricity))
        return false;
    if (!GetDouble(14, el.argPerigee) || !GetDouble(15, el.meanAnomaly) ||
        !GetDouble(16, el.meanMotion))
        return false;
    if (!GetUInt(17, u))
        return false;
    el.revNumber = u;
    return true;
}

bool TleFile::Validate()
{
    file->SeekSet(0);
    return ReadLines() == TLE_OK;
}

bool TleFile::ReadFirstElements(OrbitalElements_t& el)
{
    if (!file)
        return false;
    file->SeekSet(0);
    return ReadElements(el);
}

bool TleFile::ReadNextElements(OrbitalElements_t& el)
{
    return file && ReadElements(el);
}
