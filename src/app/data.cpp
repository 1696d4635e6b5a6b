#include "app/data.h"

// The stages are filled in as the map datasets land.
void init_data(int) {}
void update_data(int) {}
void free_data(int) {}
int tick_data(unsigned) { return 0; }
