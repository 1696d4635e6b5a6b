// Data manager files of either syntax, loaded in a folder holding element
// files, a folder, a FIFO and a link to /dev/zero for entries to name.
#include <sys/stat.h>
#include <unistd.h>

#include "datafile/manager_file.h"
#include "fuzz_util.h"
#include "objects/objects.h"

static const char s_tle[] =
    "ISS (ZARYA)\n"
    "1 25544U 98067A   26150.51748228  .00011776  00000+0  21767-3 0  9998\n"
    "2 25544  51.6337  27.5746 0007245 114.7080 245.4664 15.49496548569014\n";
static const char s_csv[] =
    "OBJECT_NAME,OBJECT_ID,EPOCH,MEAN_MOTION,ECCENTRICITY,INCLINATION,RA_OF_ASC_NODE,"
    "ARG_OF_PERICENTER,MEAN_ANOMALY,EPHEMERIS_TYPE,CLASSIFICATION_TYPE,NORAD_CAT_ID,"
    "ELEMENT_SET_NO,REV_AT_EPOCH,BSTAR,MEAN_MOTION_DOT,MEAN_MOTION_DDOT\n"
    "ISS (ZARYA),1998-067A,2026-05-30T12:25:10.468992,15.49496548,.0007245,51.6337,"
    "27.5746,114.7080,245.4664,0,U,25544,999,56901,.21767e-3,.00011776,0\n";

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    const std::string& d = fuzz_scratch();
    if (chdir(d.c_str()) != 0)
        std::abort();
    fuzz_write("a.tle", s_tle);
    fuzz_write("b.csv", s_csv);
    mkdir("sub", 0755);
    fuzz_write("sub/c.tle", s_tle);
    mkfifo("fifo", 0644);
    if (symlink("/dev/zero", "zero") != 0 || symlink("sub", "link") != 0)
        std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz_write("datamgr.txt", data, size);
    CObjects objs;
    ManagerFile().Load(objs, "datamgr.txt");
    return 0;
}
