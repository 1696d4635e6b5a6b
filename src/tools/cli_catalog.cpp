// skytrace-cli catalog FILE: the satellites an element file or a data manager
// file gives, in catalogue order.
#include <cstdio>

#include "objects/objects.h"
#include "sgp4/Tle.h"
#include "tools/cli.h"
#include "tools/cli_objects.h"

static int run(int argc, char** argv)
{
    if (argc != 2 || argv[1][0] == '-')
        return cli_usage(argv[0]);
    CObjects objs;
    int result = 0;
    const int rc = cli_loadObjects(objs, argv[1], &result);
    if (rc != CLI_OK) {
        std::fprintf(stderr, "skytrace-cli catalog: cannot read '%s'\n", argv[1]);
        return rc;
    }
    uint64_t index = 0;
    for (object_t* o = objs.first; o; o = o->next) {
        int y, mo, d, h, mi, s, us;
        o->tle->Epoch().Decompose(y, mo, d, h, mi, s, us);
        std::printf("%llu\t%u\t%s\t%04d-%02d-%02dT%02d:%02d:%02d.%06d\n",
                    static_cast<unsigned long long>(++index), o->tle->CatalogNumber(),
                    o->tle->Name().c_str(), y, mo, d, h, mi, s, us);
    }
    std::printf("objects=%llu result=%d\n", static_cast<unsigned long long>(objs.count), result);
    return CLI_OK;
}

static cliRegistrar s_reg({"catalog",
                           "  catalog FILE\n"
                           "      Lists the satellites that FILE gives, in catalogue order:\n"
                           "      index, catalogue number, name, epoch (UTC). FILE is an element\n"
                           "      file (loaded whole) or else a data manager file. The last line\n"
                           "      is objects=<count> result=<loader result>.",
                           run});
