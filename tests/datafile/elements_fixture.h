// A real element set in both forms, with fields replaced; readers and loaders.
#pragma once
#include <initializer_list>
#include <utility>
#include <vector>

#include "../test_util.h"
#include "datafile/csv_file.h"
#include "datafile/manager_file.h"
#include "datafile/tle_file.h"
#include "objects/objects.h"
#include "sgp4/SGP4.h"

const std::string s_line1 = "1 25544U 98067A   26150.51748228  .00011776  00000+0  21767-3 0  9998";
const std::string s_line2 = "2 25544  51.6337  27.5746 0007245 114.7080 245.4664 15.49496548569014";
const std::string s_csvHeader =
    "OBJECT_NAME,OBJECT_ID,EPOCH,MEAN_MOTION,ECCENTRICITY,INCLINATION,RA_OF_ASC_NODE,"
    "ARG_OF_PERICENTER,MEAN_ANOMALY,EPHEMERIS_TYPE,CLASSIFICATION_TYPE,NORAD_CAT_ID,"
    "ELEMENT_SET_NO,REV_AT_EPOCH,BSTAR,MEAN_MOTION_DOT,MEAN_MOTION_DDOT\n";

// The line with the columns from `col` (from 0) replaced and its checksum recomputed.
inline std::string tle_patch(std::string l, size_t col = 0, const std::string& text = "")
{
    int sum = 0;
    for (char c : l.replace(col, text.size(), text).substr(0, 68))
        sum += c >= '0' && c <= '9' ? c - '0' : c == '-';
    l[68] = char('0' + sum % 10);
    return l;
}

// Name line (none when empty) and the element lines, CR LF ends; 8-character inclination.
inline std::string tle_text(const std::string& name, const std::string& number = "25544",
                            const std::string& inclination = " 51.6337")
{
    return (name.empty() ? "" : name + "\r\n") + tle_patch(s_line1, 2, number) + "\r\n" +
           tle_patch(tle_patch(s_line2, 2, number), 8, inclination) + "\r\n";
}

// One comma-separated row (LF end) with the given columns (from 0) replaced.
inline std::string csv_row(std::initializer_list<std::pair<int, std::string>> cols = {})
{
    std::vector<std::string> f = {"ISS (ZARYA)", "1998-067A", "2026-05-30T12:25:10.468992",
                                  "15.49496548", ".0007245", "51.6337", "27.5746", "114.7080",
                                  "245.4664", "0", "U", "25544", "999", "56901", ".21767e-3",
                                  ".00011776", "0"};
    for (const auto& [col, value] : cols)
        f[size_t(col)] = value;
    std::string s;
    for (const std::string& x : f)
        s += x + (&x == &f.back() ? "\n" : ",");
    return s;
}

// Every element set the reader takes from the text; `valid` gets its verdict.
template <class Reader>
std::vector<OrbitalElements_t> read_all(const std::string& text, bool* valid = nullptr)
{
    TextFile t;
    t.Assign(text);
    Reader r(&t);
    if (valid)
        *valid = r.IsValid();
    std::vector<OrbitalElements_t> out;
    OrbitalElements_t el;
    for (bool ok = r.ReadFirstElements(el); ok; ok = r.ReadNextElements(el))
        out.push_back(el);
    return out;
}

// Names of the sets a reader takes from the text, "-" when it refuses the text.
template <class Reader>
std::string names_read(const std::string& text)
{
    bool valid = false;
    std::string out;
    for (const OrbitalElements_t& el : read_all<Reader>(text, &valid))
        out += el.name + ";";
    return valid ? out : "-";
}

// Result of loading the text as a data manager file and what loaded: "0: 25544 ISS (ZARYA), 1 A".
inline std::string load_manager(const TempDir& dir, const std::string& text)
{
    CObjects objs;
    std::string out = std::to_string(ManagerFile().Load(objs, dir.write("datamgr.txt", text).c_str())) + ":";
    for (object_t* o = objs.first; o; o = o->next)
        out += (o == objs.first ? " " : ", ") + std::to_string(obj_catnum(o)) + " " + o->tle->Name();
    return out;
}
