#include "support/fsys.h"

#include <sys/stat.h>

#include <cstdlib>
#include <string>

#include "support/str.h"

int fsys_type(const char* path)
{
    struct stat st;
    if (stat(path, &st) != 0)
        return 0;
    if (S_ISREG(st.st_mode))
        return 1;
    if (S_ISDIR(st.st_mode))
        return 2;
    return 0;
}

unsigned fsys_size(const char* path, size_t* size)
{
    struct stat st;
    if (stat(path, &st) != 0)
        return 6;
    *size = static_cast<size_t>(st.st_size);
    return 0;
}

bool fsys_exist(const char* path)
{
    struct stat st;
    return stat(path, &st) == 0;
}

int fsys_getHomePath(char* dst, size_t cap)
{
    const char* home = std::getenv("HOME");
    if (!home)
        return 0;
    str_copy(dst, home, cap);
    return 1;
}

int fsys_getDocumentsPath(char* dst, size_t cap)
{
    if (!fsys_getHomePath(dst, cap))
        return 0;
    std::string docs(dst);
    std::string joined = docs;
    joined.resize(docs.size() + 16 + 1, '\0');
    strcat_fpath(&joined[0], "Documents", joined.size());
    if (fsys_type(joined.c_str()) == 2)
        str_copy(dst, joined.c_str(), cap);
    return 1;
}
