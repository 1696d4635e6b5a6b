#!/usr/bin/env node
// Converts the land polygons of a world-atlas TopoJSON file into the coastline
// polyline file read by the map ("lon lat" in degrees, one point a line,
// polylines separated by blank lines).
//
// The source rings are not split at the antimeridian (points on +180 are
// stored as -180), so every segment that crosses +-180 is cut there with the
// latitude interpolated on both sides, and the artificial ring edges that run
// along +-180 longitude or along the -90 latitude edge are dropped. The result
// is checked: no segment may jump by more than 180 degrees of longitude.
//
// Usage: make_world_dat.js TOPOJSON_MODULE_DIR LAND_JSON OUT_FILE
'use strict';
const fs = require('fs');
const path = require('path');

if (process.argv.length !== 5) {
  console.error('usage: make_world_dat.js TOPOJSON_MODULE_DIR LAND_JSON OUT_FILE');
  process.exit(2);
}
const topojson = require(path.resolve(process.argv[2]));
const topo = JSON.parse(fs.readFileSync(process.argv[3], 'utf8'));
const outFile = process.argv[4];

const EDGE_LON = 180;
const SOUTH_EDGE = -89.99;  // the source's bottom edge lies at -89.999

const round4 = (v) => Math.round(v * 1e4) / 1e4;
const onMeridianEdge = (p) => Math.abs(Math.abs(p[0]) - EDGE_LON) < 1e-9;
const onSouthEdge = (p) => p[1] <= SOUTH_EDGE;

const polylines = [];
let current = [];

function push(p) {
  const q = [round4(p[0]), round4(p[1])];
  const last = current[current.length - 1];
  if (!last || last[0] !== q[0] || last[1] !== q[1])
    current.push(q);
}

function endPolyline() {
  if (current.length >= 2)
    polylines.push(current);
  current = [];
}

// Walks one closed ring; a ring that never needs cutting stays one polyline.
function addRing(ring) {
  current = [];
  push(ring[0]);
  for (let i = 1; i < ring.length; i++) {
    const p = ring[i - 1];
    const q = ring[i];
    if ((onMeridianEdge(p) && onMeridianEdge(q)) || (onSouthEdge(p) && onSouthEdge(q))) {
      endPolyline();
      push(q);
      continue;
    }
    const dx = q[0] - p[0];
    if (Math.abs(dx) > 180) {
      // Unwrap q next to p, then cut at the edge on p's side.
      const edge = p[0] > 0 || (p[0] === 0 && dx < 0) ? EDGE_LON : -EDGE_LON;
      const qx = q[0] + (dx < 0 ? 360 : -360);
      const t = (edge - p[0]) / (qx - p[0]);
      const lat = p[1] + t * (q[1] - p[1]);
      push([edge, lat]);
      endPolyline();
      push([-edge, lat]);
    }
    push(q);
  }
  endPolyline();
}

const land = topojson.feature(topo, topo.objects.land);
const geoms = land.type === 'FeatureCollection' ? land.features.map((f) => f.geometry) : [land.geometry];
for (const g of geoms) {
  const polys = g.type === 'Polygon' ? [g.coordinates] : g.coordinates;
  for (const poly of polys)
    for (const ring of poly)
      addRing(ring);
}

let points = 0;
for (const line of polylines) {
  points += line.length;
  for (let i = 1; i < line.length; i++) {
    if (Math.abs(line[i][0] - line[i - 1][0]) > 180) {
      console.error(`segment jumps across the map: ${line[i - 1]} -> ${line[i]}`);
      process.exit(1);
    }
  }
}

const out = [];
out.push('# Coastlines: Natural Earth 1:50m land polygons (public domain), from the');
out.push('# world-atlas 2.0.2 TopoJSON (ISC licence), cut at the antimeridian.');
out.push('# Longitude latitude in degrees, one point a line; a blank line ends a polyline.');
for (const line of polylines) {
  out.push('');
  for (const p of line)
    out.push(`${p[0].toFixed(4)} ${p[1].toFixed(4)}`);
}
out.push('');
fs.writeFileSync(outFile, out.join('\n'));
console.log(`${outFile}: ${points} points in ${polylines.length} polylines`);
