// Base of the element-set readers: bound to a TextFile, it tells whether the
// text is in the reader's format and walks it one element set at a time.
#pragma once
#include <string>
#include <vector>

#include "datafile/text_file.h"
#include "objects/orbital_elements.h"

class CObjects;

class ElementsFile {
public:
    ElementsFile() = default;
    virtual ~ElementsFile() = default;
    ElementsFile(const ElementsFile&) = delete;
    ElementsFile& operator=(const ElementsFile&) = delete;

    // Checks that the bound text is in the reader's format; may move the cursor.
    virtual bool Validate();
    // Back to the first element set and reads it; false when there is none.
    virtual bool ReadFirstElements(OrbitalElements_t& el);
    // The element set after the previous one; false at the end or at the
    // first one that cannot be read (nothing after it is read).
    virtual bool ReadNextElements(OrbitalElements_t& el);

    // Binds the text (not owned) and validates it; returns valid.
    bool SetFile(TextFile* f);
    bool IsValid() const { return valid; }

    // Every element set into the catalogue; returns 0.
    int ReadObjects(CObjects& objs);
    // Only the element sets the lists select; satisfied entries are removed.
    int ReadObjects(CObjects& objs, std::vector<unsigned long>& catIds,
                    std::vector<std::string>& names);

protected:
    TextFile* file = nullptr;
    bool valid = false;
};
