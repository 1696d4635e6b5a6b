#!/usr/bin/env bash
# Writes the made-up demo catalogue to stdout: Walker-delta shells in low,
# polar, sun-synchronous and navigation orbits and a geostationary ring, 230
# satellites named DEMO-..., catalogue numbers 90001 to 90518.
# Usage: scripts/demo-catalogue.sh SKYTRACE-CLI [EPOCH]   (ISO, default now)
set -euo pipefail
cli=$1
epoch=(${2:+--epoch "$2"})
shell() { "$cli" walker "${epoch[@]}" "$@"; }
shell --planes 12 --per-plane 10 --phasing 1 --inclination 53 --altitude 550 \
  --first-number 90001 --name DEMO-LEO
shell --planes 6 --per-plane 8 --phasing 2 --inclination 86.4 --altitude 780 \
  --first-number 90201 --name DEMO-POLAR
shell --planes 4 --per-plane 5 --phasing 1 --inclination 97.6 --altitude 700 \
  --first-number 90301 --name DEMO-SSO
shell --planes 3 --per-plane 8 --phasing 1 --inclination 56 --altitude 23222 \
  --first-number 90401 --name DEMO-NAV
shell --planes 1 --per-plane 18 --phasing 0 --inclination 0 --altitude 35786 \
  --first-number 90501 --name DEMO-GEO
