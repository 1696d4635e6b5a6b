#pragma once
#include "sgp4/DecayedException.h"
#include "sgp4/Eci.h"
#include "sgp4/OrbitalElements.h"
#include "sgp4/PropagationFailure.h"
#include "sgp4/SatelliteException.h"
#include "sgp4/Tle.h"

namespace libsgp4 {

// SGP4 (near earth) and SDP4 (deep space) propagation of one element set.
class SGP4 {
public:
    // Elements from the Tle, then Initialise(); throws SatelliteException.
    explicit SGP4(const Tle& tle);

    // Tests the elements and computes every constant of the model.
    void Initialise();
    Eci FindPosition(const DateTime& dt) const;
    // tsince: minutes from the epoch. Throws SatelliteException, DecayedException.
    Eci FindPosition(double tsince) const;
    // FindPosition without exceptions or allocation: true with the result in
    // out and failure None; false with the failure kind, out then holding the
    // instant, position and velocity for Decayed and unchanged otherwise. The
    // resonance integrator moves as in FindPosition, failure or not.
    bool TryFindPosition(const DateTime& dt, Eci& out, PropagationFailure& failure) const;
    bool TryFindPosition(double tsince, Eci& out, PropagationFailure& failure) const;
    const OrbitalElements& Elements() const { return m_elements; }

    bool UsesDeepSpace() const { return m_useDeepSpace; }
    bool UsesSimpleModel() const { return m_useSimpleModel; }

private:
    // Packs the near-earth constants into its vector lanes.
    friend class SGP4Batch;

    struct CommonConstants {
        double cosio, sinio, eta, t2cof, x1mth2, x3thm1, x7thm1, aycof, xlcof, xnodcf, c1, c4,
            omgdot, xnodot, xmdot;
    };
    struct NearEarthConstants {
        double c5, omgcof, xmcof, delmo, sinmo, d2, d3, d4, t3cof, t4cof, t5cof;
    };
    enum Resonance { RES_NONE = 0, RES_HALF_DAY = 1, RES_SYNCHRONOUS = 2 };
    struct DeepSpaceConstants {
        double gsto, zmol, zmos;
        double sse, ssi, ssl, ssg, ssh;
        double se2, si2, sl2, sgh2, sh2, se3, si3, sl3, sgh3, sh3, sl4, sgh4;
        double ee2, e3, xi2, xi3, xl2, xl3, xl4, xgh2, xgh3, xgh4, xh2, xh3;
        double d2201, d2211, d3210, d3222, d4410, d4422, d5220, d5232, d5421, d5433;
        double del1, del2, del3;
        double xfact, xlamo;
        Resonance resonance;
    };
    struct IntegratorParams {
        double xli, xni, atime;
    };
    // Inclination-dependent terms, recomputed per step by the deep-space path.
    struct InclinationTerms {
        double sinio, cosio, x3thm1, x1mth2, x7thm1, xlcof, aycof;
    };

    static InclinationTerms RecomputeConstants(double xinc);
    // The steps of a propagation: None with the result in out, or why not
    // (out as for TryFindPosition).
    PropagationFailure FindPositionSDP4(double tsince, Eci& out) const;
    PropagationFailure FindPositionSGP4(double tsince, Eci& out) const;
    PropagationFailure CalculateFinalPositionVelocity(double tsince, double e, double a,
                                                      double omega, double xl, double xnode,
                                                      double xinc, const InclinationTerms& inc,
                                                      Eci& out) const;
    void DeepSpaceInitialise(double eosq, double sinio, double cosio, double betao,
                             double theta2, double betao2, double xmdot, double omgdot,
                             double xnodot);
    void DeepSpaceSecular(double tsince, double& xll, double& omgasm, double& xnodes, double& em,
                          double& xinc, double& xn) const;
    void DeepSpacePeriodics(double tsince, double& em, double& xinc, double& omgasm,
                            double& xnodes, double& xll) const;
    void Reset();

    CommonConstants m_common{};
    NearEarthConstants m_nearspace{};
    DeepSpaceConstants m_deepspace{};
    mutable IntegratorParams m_integrator{};
    OrbitalElements m_elements;
    bool m_useSimpleModel = false;
    bool m_useDeepSpace = false;
};

}  // namespace libsgp4
