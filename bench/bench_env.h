// Shared set-up of the benchmarks: the catalogues they run on, loaded into
// the pipeline as the program loads them, and a count of heap allocations.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Heap allocations made through operator new since the program started.
long bench_allocations();

// A data manager file naming the eight three-line files of the shared
// element snapshot; empty when the snapshot is absent.
const std::string& bench_snapshot_manager();

// Makes g_objs a catalogue of n satellites with every pipeline level built
// (coastlines, grid, positions, projection, screen for a 1280 x 720 plot,
// the first satellite selected with an 8-orbit path). n == 12000 is the
// shared snapshot (about 12,000 satellites); other sizes are synthetic
// Walker shells. Returns a label for the report, or empty with *why set
// when the catalogue cannot be made.
std::string bench_use_catalog(int n, std::string* why);

// Appends n synthetic element sets (Walker shells in low, medium and
// geostationary orbits) with the epoch 2026-12-06T00:00:00Z.
struct OrbitalElements_t;
void bench_synthetic_elements(int n, std::vector<OrbitalElements_t>& out);
