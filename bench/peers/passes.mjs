// Peer figures for `make bench`: every pass of the given element files over
// one observer, the way users of an independent JavaScript/WebAssembly orbit
// library find them, since it has no pass finder of its own: look angles
// every 30 s from its WebAssembly bulk propagator, each change of side
// refined by bisection and each culmination by golden-section search with
// its JavaScript propagate(), both to 1 ms. The same work as
// `skytrace-cli passes FILE --observer LAT,LON,ALT_M --from ISO --hours H
// --min-elevation DEG`; prints one line with the passes, satellites, errors
// (satellites whose propagation failed at a sampled instant) and ms.
import { readSatrecs } from './elements.mjs';
import {
  propagate, gstime, eciToEcf, ecfToLookAngles, degreesToRadians,
  BulkPropagator, EciBaseCalculator, GmstCalculator, EcfPositionCalculator,
  LookAnglesCalculator, createSingleThreadRuntime,
} from 'satellite.js';

const args = process.argv.slice(2);
let from = '2026-12-06T00:00:00Z', hours = 24, minEl = 10, observer = '48.85,2.35,35';
const files = [];
for (let i = 0; i < args.length; ++i) {
  if (args[i] === '--from') from = args[++i];
  else if (args[i] === '--hours') hours = Number(args[++i]);
  else if (args[i] === '--min-elevation') minEl = Number(args[++i]);
  else if (args[i] === '--observer') observer = args[++i];
  else files.push(args[i]);
}
if (!files.length) {
  console.error('usage: node passes.mjs FILE... [--observer LAT,LON,ALT_M] [--from ISO] [--hours H] [--min-elevation DEG]');
  process.exit(2);
}
const [lat, lon, alt] = observer.split(',').map(Number);
const site = { latitude: degreesToRadians(lat), longitude: degreesToRadians(lon), height: (alt || 0) / 1000 };
const minRad = degreesToRadians(minEl);

const satrecs = readSatrecs(files);

const t0 = Date.parse(from);
const span = hours * 3600e3;
const step = 30e3;
const dates = [];
for (let t = 0; t < span; t += step) dates.push(new Date(t0 + t));
dates.push(new Date(t0 + span));
const offset = (k) => Math.min(k * step, span);

// Elevation (radians) by the JavaScript propagator, or null on a failure.
let jsCalls = 0;
function elevation(s, ms) {
  ++jsCalls;
  const d = new Date(t0 + ms);
  const pv = propagate(s, d);
  if (!pv || !pv.position) return null;
  return ecfToLookAngles(site, eciToEcf(pv.position, gstime(d))).elevation;
}

const start = process.hrtime.bigint();
const runtime = await createSingleThreadRuntime();
const chunk = 256;
const bulk = new BulkPropagator({
  runtime,
  calculators: [new EciBaseCalculator(), new GmstCalculator(), new EcfPositionCalculator(),
    new LookAnglesCalculator()],
  satRecsCount: chunk,
  datesCount: dates.length,
});
bulk.setDates(dates);
let passes = 0, errors = 0;
const golden = (Math.sqrt(5) - 1) / 2;
for (let first = 0; first < satrecs.length; first += chunk) {
  const group = satrecs.slice(first, first + chunk);
  bulk.setSatRecs(group);
  bulk.run({ lookAngles: { observer: site } });
  const raw = bulk.getRawOutput();
  const look = raw.lookAngles, err = raw.eci.error;
  for (let s = 0; s < group.length; ++s) {
    const base = s * dates.length;
    let failed = false;
    for (let k = 0; k < dates.length && !failed; ++k) failed = err[base + k] !== 0;
    const found = [];
    let aos = -1, best = -1;
    for (let k = 0; k < dates.length && !failed; ++k) {
      const el = look[(base + k) * 3 + 1];
      const up = el >= minRad;
      if (up && aos < 0) {
        aos = 0;
        best = k;
        if (k > 0) {  // the rise between samples k - 1 and k
          let lo = offset(k - 1), hi = offset(k);
          while (hi - lo > 1) {
            const mid = Math.floor((lo + hi) / 2), e = elevation(group[s], mid);
            if (e === null) { failed = true; break; }
            if (e >= minRad) hi = mid; else lo = mid;
          }
          aos = hi;
        }
      }
      if (aos !== -1 && up && el > look[(base + best) * 3 + 1]) best = k;
      if (aos !== -1 && (!up || k === dates.length - 1) && !failed) {
        let los = offset(k);
        if (!up) {
          let lo = offset(k - 1), hi = offset(k);
          while (hi - lo > 1) {
            const mid = Math.floor((lo + hi) / 2), e = elevation(group[s], mid);
            if (e === null) { failed = true; break; }
            if (e >= minRad) lo = mid; else hi = mid;
          }
          los = lo;
        }
        // The culmination within a sample step of the best sample.
        let a = Math.max(aos, offset(best) - step), b = Math.min(los, offset(best) + step);
        let c = b - golden * (b - a), d = a + golden * (b - a);
        let fc = elevation(group[s], c), fd = elevation(group[s], d);
        while (b - a > 1 && fc !== null && fd !== null) {
          if (fc > fd) { b = d; d = c; fd = fc; c = b - golden * (b - a); fc = elevation(group[s], c); }
          else { a = c; c = d; fc = fd; d = a + golden * (b - a); fd = elevation(group[s], d); }
        }
        if (fc === null || fd === null) failed = true;
        found.push([aos, (a + b) / 2, los]);
        aos = -1;
      }
    }
    if (failed) ++errors;
    else passes += found.length;
  }
}
bulk.dispose();
const ms = Number(process.hrtime.bigint() - start) / 1e6;
console.log(`peer passes=${passes} satellites=${satrecs.length} errors=${errors} ms=${ms.toFixed(1)} ` +
  `samples=${satrecs.length * dates.length} refinements=${jsCalls}`);
