// One zip archive of the outputs, stored without compression: the files
// are small text, and a zip every system opens needs no library.
'use strict';

const CRC_TABLE = (() => {
  const table = new Uint32Array(256);
  for (let n = 0; n < 256; n++) {
    let c = n;
    for (let k = 0; k < 8; k++) c = c & 1 ? 0xEDB88320 ^ (c >>> 1) : c >>> 1;
    table[n] = c >>> 0;
  }
  return table;
})();

function crc32(bytes) {
  let crc = 0xFFFFFFFF;
  for (let i = 0; i < bytes.length; i++) crc = CRC_TABLE[(crc ^ bytes[i]) & 0xFF] ^ (crc >>> 8);
  return (crc ^ 0xFFFFFFFF) >>> 0;
}

// The date and time fields of a zip header, in MS-DOS form.
function dosDateTime(date) {
  const time = (date.getHours() << 11) | (date.getMinutes() << 5) | (date.getSeconds() >> 1);
  const day = ((date.getFullYear() - 1980) << 9) | ((date.getMonth() + 1) << 5) | date.getDate();
  return {time, day};
}

function zipHeader(size, fields) {
  const bytes = new Uint8Array(size);
  const view = new DataView(bytes.buffer);
  for (const [at, width, value] of fields) {
    if (width === 2) view.setUint16(at, value, true); else view.setUint32(at, value, true);
  }
  return bytes;
}

// files: [{name, bytes: Uint8Array}] -> a Blob of the zip archive.
function makeZip(files, date) {
  const {time, day} = dosDateTime(date || new Date());
  const parts = [];
  const central = [];
  let offset = 0;
  for (const {name, bytes} of files) {
    const nameBytes = new TextEncoder().encode(name);
    const crc = crc32(bytes);
    // Version 20, flag 0x800 (UTF-8 names), method 0 (stored).
    const common = [[4, 2, 20], [6, 2, 0x800], [8, 2, 0], [10, 2, time], [12, 2, day],
                    [14, 4, crc], [18, 4, bytes.length], [22, 4, bytes.length], [26, 2, nameBytes.length]];
    const local = zipHeader(30, [[0, 4, 0x04034B50], ...common]);
    parts.push(local, nameBytes, bytes);
    const entry = zipHeader(46, [[0, 4, 0x02014B50], [4, 2, 20],
      ...common.map(([at, width, value]) => [at + 2, width, value]), [42, 4, offset]]);
    central.push(entry, nameBytes);
    offset += local.length + nameBytes.length + bytes.length;
  }
  const centralSize = central.reduce((sum, part) => sum + part.length, 0);
  const end = zipHeader(22, [[0, 4, 0x06054B50], [8, 2, files.length], [10, 2, files.length],
                             [12, 4, centralSize], [16, 4, offset]]);
  return new Blob([...parts, ...central, end], {type: 'application/zip'});
}
