// Linked into the programs of sanitizer builds only: shared libraries are
// never unloaded, so a leak report from inside a library SDL loaded for its
// video driver still names that library and tests/lsan.supp can match it.
extern "C" int dlclose(void*)
{
    return 0;
}
