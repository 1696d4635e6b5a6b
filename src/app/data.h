// The data pipeline: raw, projected and screen levels of every dataset,
// driven by bit masks of stages and datasets.
#pragma once
#include <cstdint>

enum dataFlags {
    DATA_LAT_LINES = 0x0001,
    DATA_LON_LINES = 0x0002,
    DATA_COASTLINES = 0x0004,
    DATA_OBJECTS = 0x0008,
    DATA_PATH = 0x0010,
    DATA_RAW = 0x1000,
    DATA_PROJECTION = 0x2000,
    DATA_SCREEN = 0x4000,
};

void init_data(int flags);
void update_data(int flags);
void free_data(int flags);
// Time-driven refresh; returns the dataset bits it updated.
int tick_data(unsigned ms);
