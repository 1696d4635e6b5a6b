#include "tools/cli_objects.h"

#include <string>

#include "datafile/elements_reader.h"
#include "datafile/manager_file.h"
#include "datafile/text_file.h"
#include "objects/objects.h"
#include "support/fsys.h"
#include "tools/cli.h"

int cli_loadObjects(CObjects& objs, const char* file, int* result)
{
    // Only a regular file can be either; anything else cannot be read.
    if (fsys_type(file) != 1)
        return CLI_UNREADABLE;
    bool elements = false;
    {
        TextFile text;
        if (text.Load(file) != 0)
            return CLI_UNREADABLE;
        elements = elements_accepts(&text);
    }
    if (elements) {
        std::string path(file);
        *result = load_objs(objs, path);
        return CLI_OK;
    }
    ManagerFile mgr;
    *result = mgr.Load(objs, file);
    return *result > 0 ? CLI_UNREADABLE : CLI_OK;
}
