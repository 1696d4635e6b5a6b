// The element sets of three-line files for the peer scripts: every "1 " line
// followed by a "2 " line, parsed by the peer library.
import { readFileSync } from 'node:fs';
import { twoline2satrec } from 'satellite.js';

export function readSatrecs(files) {
  const satrecs = [];
  for (const f of files) {
    const lines = readFileSync(f, 'latin1').split(/\r?\n/);
    for (let i = 0; i + 1 < lines.length; ++i) {
      if (lines[i].startsWith('1 ') && lines[i + 1].startsWith('2 ')) {
        satrecs.push(twoline2satrec(lines[i], lines[i + 1]));
        ++i;
      }
    }
  }
  return satrecs;
}
