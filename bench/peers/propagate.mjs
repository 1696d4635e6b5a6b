// Peer figures for `make bench`: the same propagation work as
// `skytrace-cli where FILE... --repeat 60 --step 60`, done by an independent
// JavaScript/WebAssembly orbit library. Every element set of the given files
// is propagated at 60 instants a minute apart and converted to geodetic
// coordinates, once by the WebAssembly bulk propagator and once by the
// JavaScript propagate(); the bulk propagator also runs once with TEME
// positions alone (the work of `where --teme`). Prints one line per method
// with ns/propagation.
import { readSatrecs } from './elements.mjs';
import {
  propagate, gstime, eciToGeodetic,
  BulkPropagator, EciBaseCalculator, GmstCalculator, GeodeticPositionCalculator,
  createSingleThreadRuntime,
} from 'satellite.js';

const args = process.argv.slice(2);
let at = '2026-12-06T00:00:00Z', repeat = 60, step = 60, rounds = 3;
const files = [];
for (let i = 0; i < args.length; ++i) {
  if (args[i] === '--at') at = args[++i];
  else if (args[i] === '--repeat') repeat = Number(args[++i]);
  else if (args[i] === '--step') step = Number(args[++i]);
  else if (args[i] === '--rounds') rounds = Number(args[++i]);
  else files.push(args[i]);
}
if (!files.length) {
  console.error('usage: node propagate.mjs FILE... [--at ISO] [--repeat N] [--step S] [--rounds R]');
  process.exit(2);
}

const t0 = process.hrtime.bigint();
const satrecs = readSatrecs(files);
const loadMs = Number(process.hrtime.bigint() - t0) / 1e6;

const start = Date.parse(at);
const dates = [];
for (let k = 0; k < repeat; ++k) dates.push(new Date(start + k * step * 1000));
const count = satrecs.length * dates.length;

// The median of a few rounds, in ns per propagation.
function measure(work) {
  const ns = [];
  for (let r = 0; r < rounds; ++r) {
    const t = process.hrtime.bigint();
    work();
    ns.push(Number(process.hrtime.bigint() - t) / count);
  }
  ns.sort((a, b) => a - b);
  return ns[Math.floor(ns.length / 2)];
}

const runtime = await createSingleThreadRuntime();
let sink = 0;
// The bulk propagator with the given calculators; the first output array's
// first value is read so that the work is used.
function bulkNs(calculators, output) {
  const bulk = new BulkPropagator({
    runtime, calculators, satRecsCount: satrecs.length, datesCount: dates.length,
  });
  bulk.setSatRecs(satrecs);
  bulk.setDates(dates);
  const ns = measure(() => {
    bulk.run();
    sink += output(bulk.getRawOutput()) || 0;
  });
  bulk.dispose();
  return ns;
}
const wasmNs = bulkNs([new EciBaseCalculator(), new GmstCalculator(), new GeodeticPositionCalculator()],
  (out) => out.geodeticPosition[0]);
const wasmTemeNs = bulkNs([new EciBaseCalculator()], (out) => out.eci.position[0]);

let errors = 0;
const jsNs = measure(() => {
  errors = 0;
  for (const date of dates) {
    const gmst = gstime(date);
    for (const s of satrecs) {
      const pv = propagate(s, date);
      if (!pv || !pv.position) { ++errors; continue; }
      sink += eciToGeodetic(pv.position, gmst).height;
    }
  }
});

const fmt = (x) => x.toFixed(1);
console.log(`peer objects=${satrecs.length} propagations=${count} errors=${errors} load_ms=${fmt(loadMs)}`);
console.log(`peer wasm_bulk ns_per_propagation=${fmt(wasmNs)}`);
console.log(`peer wasm_bulk_teme ns_per_propagation=${fmt(wasmTemeNs)}`);
console.log(`peer js_propagate ns_per_propagation=${fmt(jsNs)}`);
if (!Number.isFinite(sink)) console.log('peer note: non-finite result seen');
