// Walks an element file into the catalogue, all element sets or those chosen
// by catalogue number and name pattern.
#include <algorithm>
#include <stdexcept>

#include "datafile/elements_file.h"
#include "datafile/name_match.h"
#include "objects/objects.h"

// Adds the satellite of one element set. Element sets the propagator cannot
// use (its initialisation throws) are skipped so that loading goes on.
static void add_obj(CObjects& objs, const OrbitalElements_t& el)
{
    object_t* o = nullptr;
    try {
        if (new_obj(&o, el) != 0)
            return;
    } catch (const std::runtime_error&) {
        return;
    }
    objs.Add(o);
}

int ElementsFile::ReadObjects(CObjects& objs)
{
    OrbitalElements_t el;
    for (bool ok = ReadFirstElements(el); ok; ok = ReadNextElements(el))
        add_obj(objs, el);
    return 0;
}

int ElementsFile::ReadObjects(CObjects& objs, std::vector<unsigned long>& catIds,
                              std::vector<std::string>& names)
{
    OrbitalElements_t el;
    for (bool ok = ReadFirstElements(el); ok; ok = ReadNextElements(el)) {
        const auto id = std::find(catIds.begin(), catIds.end(),
                                  static_cast<unsigned long>(el.catalogNumber));
        if (id != catIds.end()) {
            add_obj(objs, el);
            catIds.erase(id);
            continue;
        }
        for (auto n = names.begin(); n != names.end(); ++n) {
            if (!name_match(el.name, *n))
                continue;
            add_obj(objs, el);
            // An exact name selects one element set; a pattern selects all.
            if (!name_isPattern(*n))
                names.erase(n);
            break;
        }
    }
    return 0;
}
