// Element reader fuzz body: every set read, then a catalogue of them propagated
// a day either side of their epochs.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "datafile/text_file.h"
#include "objects/objects.h"
#include "sgp4/SGP4.h"

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
    for (object_t* o = objs.first; o; o = o->next)
        for (double minutes : {0.0, 1440.0, -1440.0})
            if (o->sgp4->TryFindPosition(minutes, eci, failure))
                eci.ToGeodetic();
}
