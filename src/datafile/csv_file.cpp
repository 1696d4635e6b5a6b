#include "datafile/csv_file.h"

#include <climits>

#include "datafile/field_parse.h"
#include "datafile/str_view.h"
#include "sgp4/DateTime.h"

namespace {

// One epoch part as a signed decimal within its positions: leading blanks,
// an optional '+' and an optional '-', at least one digit.
bool epochPart(std::string_view s, int& out)
{
    s = fp_trimLeft(s);
    size_t i = 0;
    if (i < s.size() && s[i] == '+')
        ++i;
    bool neg = false;
    if (i < s.size() && s[i] == '-') {
        neg = true;
        ++i;
    }
    if (i >= s.size() || s[i] < '0' || s[i] > '9')
        return false;
    long long v = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        v = v * 10 + (s[i] - '0');
        if (v > INT_MAX)
            return false;
    }
    out = int(neg ? -v : v);
    return true;
}

// Fraction of a second as microseconds: digits after the point, scaled to
// six places; further digits are cut off. A sign other than '+' is refused
// (a negative fraction is no time of day).
bool epochFraction(std::string_view s, int& out)
{
    s = fp_trimLeft(s);
    size_t i = 0;
    if (i < s.size() && s[i] == '+')
        ++i;
    if (i >= s.size() || s[i] < '0' || s[i] > '9')
        return false;
    int v = 0;
    int digits = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        if (digits < 6) {
            v = v * 10 + (s[i] - '0');
            ++digits;
        }
    }
    for (; digits < 6; ++digits)
        v *= 10;
    out = v;
    return true;
}

}  // namespace

std::string_view CsvFile::Field(int col) const
{
    if (col < 0 || col >= EL_COUNT || size_t(col) >= fields.size())
        return std::string_view();
    return fields[size_t(col)];
}

bool CsvFile::ReadSeparatedValues()
{
    StrView::split(file->ReadLine(), ',', fields);
    return fields.size() == size_t(EL_COUNT);
}

bool CsvFile::Validate()
{
    file->SeekSet(0);
    if (!ReadSeparatedValues() || fields[0] != "OBJECT_NAME")
        return false;
    dataStart = file->Cursor();
    return true;
}

bool CsvFile::ReadFirstElements(OrbitalElements_t& el)
{
    if (!file)
        return false;
    file->SeekSet(size_t(dataStart));
    return ReadSeparatedValues() && GetElements(el);
}

bool CsvFile::ReadNextElements(OrbitalElements_t& el)
{
    return file && ReadSeparatedValues() && GetElements(el);
}

bool CsvFile::GetStr(int col, std::string& out) const
{
    const std::string_view s = fp_trim(Field(col));
    if (s.empty())
        return false;
    out.assign(s.data(), s.size());
    return true;
}

bool CsvFile::GetChar(int col, char& out) const
{
    const std::string_view s = fp_trim(Field(col));
    if (s.empty())
        return false;
    out = s[0];
    return true;
}

bool CsvFile::GetDouble(int col, double& out) const
{
    const std::string_view s = fp_trimLeft(Field(col));
    if (s.empty())
        return false;
    out = fp_double(s);
    return true;
}

bool CsvFile::GetUInt(int col, unsigned& out) const
{
    const std::string_view s = fp_trimLeft(Field(col));
    return !s.empty() && fp_uint(s, out);
}

bool CsvFile::GetEpoch(OrbitalElements_t& el) const
{
    const std::string_view s = fp_trim(Field(2));
    if (s.size() < 21)
        return false;
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, micro = 0;
    if (!epochPart(s.substr(0, 4), year) || !epochPart(s.substr(5, 2), month) ||
        !epochPart(s.substr(8, 2), day) || !epochPart(s.substr(11, 2), hour) ||
        !epochPart(s.substr(14, 2), minute) || !epochPart(s.substr(17, 2), second) ||
        !epochFraction(s.substr(20), micro))
        return false;
    // An impossible date or time fails like any other column.
    if (!libsgp4::DateTime::IsValid(year, month, day, hour, minute, second, micro))
        return false;
    el.epochYear = uint32_t(year);
    el.epochMonth = month;
    el.epochDayOfMonth = day;
    el.epochHour = hour;
    el.epochMinute = minute;
    el.epochSecond = second;
    el.epochMicrosecond = micro;
    el.epochIsDayOfYear = false;
    return true;
}

bool CsvFile::GetElements(OrbitalElements_t& el)
{
    unsigned u = 0;
    if (!GetStr(0, el.name) || !GetStr(1, el.intlDesignator) || !GetEpoch(el))
        return false;
    if (!GetDouble(3, el.meanMotion) || !GetDouble(4, el.eccentricity) ||
        !GetDouble(5, el.inclination) || !GetDouble(6, el.raan) ||
        !GetDouble(7, el.argPerigee) || !GetDouble(8, el.meanAnomaly))
        return false;
    if (!GetUInt(9, u))
        return false;
    el.ephemerisType = u;
    if (!GetChar(10, el.classification))
        return false;
    if (!GetUInt(11, u))
        return false;
    el.catalogNumber = u;
    if (!GetUInt(12, u))
        return false;
    el.elementSetNumber = u;
    if (!GetUInt(13, u))
        return false;
    el.revNumber = u;
    return GetDouble(14, el.bstar) && GetDouble(15, el.meanMotionDot) &&
           GetDouble(16, el.meanMotionDdot);
}
