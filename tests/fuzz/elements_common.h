// Element reader fuzz body: every set read, then a catalogue of them propagated
// a day either side of their epochs, by the scalar model and the batch path,
// which must fail exactly where the scalar model fails.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "datafile/text_file.h"
#include "objects/objects.h"
#include "sgp4/SGP4.h"
#include "sgp4/SGP4Batch.h"

template <class Reader>
void fuzz_elements(const uint8_t* data, size_t size)
{
    TextFile text;
    text.Assign(std::string_view(reinterpret_cast<const char*>(data), size));
    Reader reader(&text);
    OrbitalElements_t el;
    size_t sets = 0;
    for (bool ok = reader.ReadFirstElements(el); ok; ok = reader.ReadNextElements(el)) {
        // Every element set takes at least one line: more would mean a loop.
        if (++sets > size)
            __builtin_trap();
    }

    CObjects objs;
    reader.ReadObjects(objs);
    libsgp4::Eci eci{libsgp4::DateTime(), libsgp4::Vector(), libsgp4::Vector()};
    libsgp4::PropagationFailure failure;
    std::vector<const libsgp4::SGP4*> sats;
    const double times[] = {0.0, 1440.0, -1440.0};
    for (object_t* o = objs.first; o; o = o->next) {
        sats.push_back(o->sgp4);
        libsgp4::Vector pos[3];
        libsgp4::PropagationFailure batched[3];
        libsgp4::SGP4Batch::TemeAt(*o->sgp4, times, 3, pos, nullptr, batched);
        for (int k = 0; k < 3; ++k) {
            if (o->sgp4->TryFindPosition(times[k], eci, failure))
                eci.ToGeodetic();
            if (failure != batched[k])
                __builtin_trap();
        }
    }
    if (sats.empty())
        return;
    // The whole catalogue at one instant, a day after the first epoch.
    libsgp4::SGP4Batch batch;
    batch.Assign(sats.data(), sats.size());
    const libsgp4::DateTime dt = sats[0]->Elements().Epoch().AddMinutes(1440.0);
    std::vector<libsgp4::CoordGeodetic> geo(sats.size());
    std::vector<libsgp4::PropagationFailure> batched(sats.size());
    batch.Geodetic(dt, geo.data(), batched.data());
    for (size_t i = 0; i < sats.size(); ++i) {
        sats[i]->TryFindPosition(dt, eci, failure);
        if (failure != batched[i])
            __builtin_trap();
    }
}
