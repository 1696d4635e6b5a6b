// Catalogue loading shared by the catalog and where subcommands.
#pragma once

class CObjects;

// Loads FILE into objs: whole when an element reader accepts it, else as a
// data manager file (as the program does at start-up, without computing
// positions). CLI_OK with *result the loader's result, or CLI_UNREADABLE.
int cli_loadObjects(CObjects& objs, const char* file, int* result);
