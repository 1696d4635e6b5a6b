#include "datafile/elements_file.h"

bool ElementsFile::Validate()
{
    return false;
}

bool ElementsFile::ReadFirstElements(OrbitalElements_t&)
{
    return false;
}

bool ElementsFile::ReadNextElements(OrbitalElements_t&)
{
    return false;
}

bool ElementsFile::SetFile(TextFile* f)
{
    file = f;
    valid = f ? Validate() : false;
    return valid;
}
