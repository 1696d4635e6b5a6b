#pragma once
#include <cstddef>
#include <vector>

#include "sgp4/CoordGeodetic.h"
#include "sgp4/DateTime.h"
#include "sgp4/PropagationFailure.h"
#include "sgp4/SGP4Lanes.h"
#include "sgp4/Vector.h"

namespace libsgp4 {

class SGP4;

// Batch propagation: many satellites at one instant, or one satellite at
// many instants, with the near-earth model evaluated in SIMD lanes (the
// widest instruction set of the processor, chosen at start-up).
//
// Results agree with SGP4::TryFindPosition and Eci::ToGeodetic to about
// 1e-7 km and 1e-10 rad. Failures are exactly the scalar model's: a failure
// the lanes are sure of is reported directly, and a lane whose failure
// checks or branches come close to their thresholds is computed again by
// the scalar model, which decides with its own bits. Deep-space satellites
// (period of 225 minutes or more) run in lanes too when many satellites are
// propagated at one instant, each with its own resonance integrator that
// moves from call to call as the scalar one does; in the one-satellite
// calls they take the scalar path in call order, as do satellites whose
// elements lie far outside those of real ones (InLanes).
//
// Outputs are indexed like the inputs. failure[i] is None where a result was
// written; for any other kind, position, velocity and geodetic entries i are
// left as they were (the message is PropagationFailureMessage(failure[i])).
// Nothing here allocates once the batch is assigned.
class SGP4Batch {
public:
    // The satellites of later calls, in this order. The propagators are not
    // copied: they must outlive the batch (or the next Assign/Clear).
    void Assign(const SGP4* const* sats, size_t n);
    void Clear();
    size_t Size() const { return m_sats.size(); }

    // Every satellite at dt: TEME position (km) and velocity (km/s; vel may
    // be null).
    void Teme(const DateTime& dt, Vector* pos, Vector* vel, PropagationFailure* failure) const;
    // Every satellite's geodetic position at dt.
    void Geodetic(const DateTime& dt, CoordGeodetic* out, PropagationFailure* failure) const;

    // One satellite at n instants given as minutes since its epoch, as
    // SGP4::TryFindPosition(tsince[i]) in order (vel may be null). For the
    // ground track and the pass finder.
    static void TemeAt(const SGP4& sat, const double* tsince, size_t n, Vector* pos, Vector* vel,
                       PropagationFailure* failure);
    // One satellite's geodetic position at n instants, as TryFindPosition
    // then Eci::ToGeodetic at dts[i].
    static void GeodeticAt(const SGP4& sat, const DateTime* dts, size_t n, CoordGeodetic* out,
                           PropagationFailure* failure);
    // Whether sat runs in lanes in TemeAt, GeodeticAt and Slots (else each
    // instant is a scalar propagation, and Slots does not take it).
    static bool ManyAtOnce(const SGP4& sat);

    // Satellites in slots, each propagated at its own instant by one call:
    // for searches that advance many satellites side by side. Only
    // satellites that ManyAtOnce accepts; a slot keeps its satellite until
    // it is given another.
    class Slots {
    public:
        explicit Slots(size_t n);  // rounded up to whole blocks
        size_t Size() const { return m_sats.size(); }
        void Put(size_t slot, const SGP4& sat);
        // Slot i at tsince[i] minutes since its satellite's epoch, as
        // TemeAt, for every slot given a satellite (entries of the others
        // are left as they were; their tsince is still read).
        void Teme(const double* tsince, Vector* pos, Vector* vel,
                  PropagationFailure* failure) const;

    private:
        std::vector<const SGP4*> m_sats;
        std::vector<laneBlock_t> m_blocks;
        bool m_any = false;  // a satellite was given
    };

    // The instruction set the lanes run on here ("AVX2", "SSE4", ...).
    static const char* Target();

private:
    // Whether the lanes agree with the scalar model for sat: drag and its
    // derived terms within bounds some hundred times those of real
    // satellites. Beyond them (element sets no satellite has, such as a B*
    // of 1e13) rounding differences of the vector functions grow past the
    // failure checks' margins, and the scalar model computes the satellite.
    static bool InLanes(const SGP4& sat);
    // Write the constants of sat into slot of b.
    static void Pack(const SGP4& sat, laneBlock_t& b, size_t slot);
    static void PackDeep(const SGP4& sat, deepBlock_t& b, size_t slot);
    // The integrators of the deep-space lanes from lane start on.
    laneIntegrator_t Integrator(size_t start) const;

    // Which satellites run in lanes: lane i is m_lane[i] (padding lanes of the
    // last block repeat a real one and are never stored).
    std::vector<const SGP4*> m_sats;
    std::vector<laneBlock_t> m_blocks;
    std::vector<size_t> m_lane;
    std::vector<DateTime> m_epoch;  // per lane
    // The same for deep-space lanes, with their integrators.
    std::vector<deepBlock_t> m_deepBlocks;
    std::vector<size_t> m_deepLane;
    std::vector<DateTime> m_deepEpoch;
    mutable std::vector<double> m_xli, m_xni, m_atime;
    std::vector<size_t> m_scalar;  // the others, in order
};

}  // namespace libsgp4
