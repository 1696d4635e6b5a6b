// Hand-made element sets and file trees for the catalogue tests: one real
// low-earth element set with its number, name, mean motion or inclination
// replaced and the checksums recomputed.
#pragma once
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

inline std::string tle_fix_checksum(std::string line)
{
    int sum = 0;
    for (int i = 0; i < 68; ++i) {
        if (line[i] >= '0' && line[i] <= '9')
            sum += line[i] - '0';
        else if (line[i] == '-')
            sum += 1;
    }
    line[68] = static_cast<char>('0' + sum % 10);
    return line;
}

struct tleSpec_t {
    std::string name;
    std::string number = "25544";  // five characters, Alpha-5 allowed
    double meanMotion = 15.49496548;
    double inclination = 51.6337;
};

// Three lines with CR LF ends, as published.
inline std::string tle_text(const tleSpec_t& s)
{
    std::string l1 = "1 25544U 98067A   26150.51748228  .00011776  00000+0  21767-3 0  9998";
    std::string l2 = "2 25544  51.6337  27.5746 0007245 114.7080 245.4664 15.49496548569014";
    l1.replace(2, 5, s.number);
    l2.replace(2, 5, s.number);
    char field[16];
    std::snprintf(field, sizeof field, "%8.4f", s.inclination);
    l2.replace(8, 8, field);
    std::snprintf(field, sizeof field, "%11.8f", s.meanMotion);
    l2.replace(52, 11, field);
    return s.name + "\r\n" + tle_fix_checksum(l1) + "\r\n" + tle_fix_checksum(l2) + "\r\n";
}

inline void write_file(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

// A fresh directory under /tmp, removed with everything in it at the end.
class TempDir {
public:
    TempDir()
    {
        char tmpl[] = "/tmp/skytrace-test-XXXXXX";
        const char* p = mkdtemp(tmpl);
        path = p ? p : "";
    }
    ~TempDir()
    {
        std::error_code ec;
        if (!path.empty())
            std::filesystem::remove_all(path, ec);
    }
    std::string operator/(const std::string& name) const { return path + "/" + name; }
    std::string path;
};

// The comma-separated form: a header line and one row per element set.
inline std::string csv_header()
{
    return "OBJECT_NAME,OBJECT_ID,EPOCH,MEAN_MOTION,ECCENTRICITY,INCLINATION,RA_OF_ASC_NODE,"
           "ARG_OF_PERICENTER,MEAN_ANOMALY,EPHEMERIS_TYPE,CLASSIFICATION_TYPE,NORAD_CAT_ID,"
           "ELEMENT_SET_NO,REV_AT_EPOCH,BSTAR,MEAN_MOTION_DOT,MEAN_MOTION_DDOT\n";
}

inline std::string csv_row(const std::string& name, unsigned number)
{
    return name + ",2019-074B,2026-05-30T07:25:28.869024,15.47704531,.0003034,53.1513,154.1788,"
                  "54.2939,305.8351,0,U," +
           std::to_string(number) + ",999,36144,0.001518,.00080211,0.0\n";
}
