// The console's one-line editor: plain functions over one module-wide line.
#pragma once
#include <cstdint>

// Capacity of the line in characters (the buffer holds one more for the NUL).
constexpr uint64_t LE_CAP = 4096;

// Change flags returned by the editing functions, ORed.
enum leFlags {
    LE_MOVED = 1,    // the cursor moved
    LE_CHANGED = 2,  // characters at or after the cursor changed or moved
    LE_RESIZED = 4,  // the length changed
};

char* LE_Line();
uint64_t LE_Len();
uint64_t LE_Pos();
bool LE_IsEnd();
int LE_IsIns();
void LE_SetIns(int ins);

int LE_Left();
int LE_Right();
int LE_Start();
int LE_End();
// Types the low 8 bits of c at the cursor (insert or overwrite mode).
int LE_PutChr(int c);
int LE_PutStr(const char* s);
int LE_Backspace();
int LE_Delete();
int LE_Clear();
