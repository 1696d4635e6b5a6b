// Satellites and the catalogue: element sets turned into propagators, and
// every satellite's current sub-satellite point.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "objects/orbital_elements.h"
#include "sgp4/SGP4Batch.h"
#include "support/types.h"

namespace libsgp4 {
class Tle;
class SGP4;
class DateTime;
struct CoordGeodetic;
}

struct object_t {
    libsgp4::Tle* tle;       // owned
    libsgp4::SGP4* sgp4;     // owned
    point2f_t* pos;          // entry in the catalogue's positions, not owned
    double altitude;         // km above the ellipsoid at the last computation of pos
    object_t* next;
    // False until a position was computed; such a satellite is not drawn and
    // cannot be picked by a click (its position entry holds zeros).
    bool hasPos;
};

struct orbitInfo_t {
    double revsPerDay;
    double orbitNumber;  // revolution number at epoch
    double period;       // seconds
};

struct objectInfo_t {
    char name[32];
    uint32_t catalogNumber;
    double revsPerDay;
    double orbitNumber;
    double period;        // seconds
    char periodText[32];  // "%03d:%02d:%02d:%02d" days:hours:minutes:seconds
};

// 0 with a new satellite in *out; initialisation errors of the propagator
// leave as exceptions (the element readers skip such element sets).
int new_obj(object_t** out, const OrbitalElements_t& el);
void obj_free(object_t* o);
void obj_free_all(object_t* first);
// Position at now + seconds: longitude/latitude (radians) into *pt; when pt
// is the satellite's own entry (obj->pos) also its altitude and hasPos. On a
// propagation error nothing is stored. Returns whether a position was computed.
bool obj_coord(point2f_t* pt, object_t* obj, int seconds);
// The instant obj_coord computes for: the system clock plus seconds.
libsgp4::DateTime obj_time(int seconds);
// Geodetic position of the satellite at dt (radians, km); false, with *out
// unchanged, when the propagation reports the satellite decayed or its
// elements unusable. The one computation behind obj_coord.
bool obj_geodetic(libsgp4::CoordGeodetic* out, const object_t* obj, const libsgp4::DateTime& dt);
// obj_geodetic for n satellites: objs[i] at dts[i], with ok[i] telling
// whether out[i] was computed. The same results; the geodetic conversions
// run several at a time, which the processor overlaps.
void obj_geodetic_n(object_t* const* objs, const libsgp4::DateTime* dts, size_t n,
                    libsgp4::CoordGeodetic* out, bool* ok);
// One satellite at n instants through the vector lanes (the ground track's
// and the pass finder's work): failure[i] None where out[i] was computed,
// else why not (out[i] then unchanged). Agrees with obj_geodetic to about
// 1e-12 rad and 1e-9 km, and fails exactly where it fails.
void obj_geodetic_at(const object_t* obj, const libsgp4::DateTime* dts, size_t n,
                     libsgp4::CoordGeodetic* out, libsgp4::PropagationFailure* failure);
// The whole name; dst must hold it (names from comma-separated files have no
// length limit: prefer the capped form).
char* obj_name(char* dst, object_t* o);
// At most cap - 1 characters of the name, always terminated.
char* obj_name(char* dst, size_t cap, object_t* o);
uint32_t obj_catnum(object_t* o);
void obj_orbitInfo(orbitInfo_t* info, object_t* o);
void obj_info(objectInfo_t* info, object_t* o);
object_t* obj_find(unsigned catnum, object_t* first);

class CObjects {
public:
    CObjects() = default;
    CObjects(const CObjects&) = delete;
    CObjects& operator=(const CObjects&) = delete;
    ~CObjects();

    // Loads through the data manager file at path; its result (0 success).
    int Load(const char* path);
    // Allocates positions for the objects added so far and computes them
    // (the second half of Load, for catalogues filled without a manager file).
    void InitPositions();
    void Update();
    void Free();
    object_t* Next(object_t* o);
    object_t* Prior(object_t* o);
    void Add(object_t* o);

    // The satellites owning positions[0], positions[1], ... (list order, as
    // InitPositions assigned them): a dense walk for the once-a-second stages.
    const std::vector<object_t*>& Owners() const { return m_batchObjs; }

    object_t* first = nullptr;
    uint64_t count = 0;
    point2f_t* positions = nullptr;

private:
    void FreeBatch();

    // The satellites with a position entry, propagated together by Update
    // (built by InitPositions), and the results of the last update.
    libsgp4::SGP4Batch m_batch;
    std::vector<object_t*> m_batchObjs;
    std::vector<libsgp4::CoordGeodetic> m_geo;
    std::vector<libsgp4::PropagationFailure> m_failure;
    // The last object added, so that appending does not walk the list
    // (loading a large catalogue would otherwise take quadratic time).
    object_t* m_last = nullptr;
};

extern CObjects g_objs;
