// Runs the operations off the page's thread: places the chosen files in the
// core's in-memory file system, calls the core, and sends back its outcome
// and the bytes of every output.
'use strict';
importScripts('tamrel_web.js');

let corePromise = null;
function core() {
  if (!corePromise) {
    corePromise = createTamrelModule().then(M => {
      growFilesByDoubling(M.FS);
      warmUp(M);
      postMessage({type: 'ready'});
      return M;
    });
  }
  return corePromise;
}

// Emscripten's in-memory files grow by an eighth at a time past 1 MB, so
// writing a cleaned library of 35 MB copies it some thirty times over;
// doubling copies it about twice.
function growFilesByDoubling(FS) {
  const MEMFS = FS.filesystems && FS.filesystems.MEMFS;
  if (!MEMFS || !MEMFS.expandFileStorage) return;
  MEMFS.expandFileStorage = (node, wanted) => {
    const capacity = node.contents ? node.contents.length : 0;
    if (capacity >= wanted) return;
    const old = node.contents;
    node.contents = new Uint8Array(Math.max(wanted, capacity * 2, 256));
    if (node.usedBytes > 0) node.contents.set(old.subarray(0, node.usedBytes), 0);
  };
}

// The browser first runs WebAssembly from quickly made code and makes
// fast code only for the functions that have run a while.  A first large
// library would pay that, several times over: so the core runs each
// operation on a small made-up library as soon as it is loaded, while the
// person chooses the files.
function warmUpLibrary(count) {
  const entries = [];
  for (let i = 0; i < count; i++) {
    const n = i % (count - 50);  // the last 50 repeat earlier entries
    entries.push(`@article{key${i},\n  author = {Surname${n % 97}, A. and Other${n % 31}, B. C.},\n` +
      `  title = {A title of work ${n}},\n  journal = {J. Phys. ${n % 13}},\n  year = ${1990 + n % 30},\n` +
      `  volume = {${n % 50}},\n  pages = {${n}--${n + 9}},\n  doi = {10.1000/${n}}\n}\n`);
  }
  return entries.join('\n');
}

function warmUp(M) {
  const FS = M.FS;
  const keys = Array.from({length: 200}, (_, i) => `key${i * 7}`);
  FS.mkdir('/warm');
  FS.writeFile('/warm/library.bib', warmUpLibrary(3000));
  FS.writeFile('/warm/paper.tex', `\\documentclass{article}\\begin{document}\\cite{${keys.join(',')}}\\end{document}\n`);
  FS.chdir('/warm');
  for (let round = 0; round < 2; round++) {
    for (const [operation, first, second] of [['clean', 'library.bib', ''],
                                              ['compare', 'library.bib', 'library.bib'],
                                              ['extract', 'paper.tex', 'library.bib']]) {
      runCore(M, {operation, first, second, style: 'aps', pageRange: 0});
    }
  }
  FS.chdir('/');
  removeTree(FS, '/warm');
}

function removeTree(FS, path) {
  if (!FS.analyzePath(path).exists) return;
  if (!FS.isDir(FS.stat(path).mode)) return FS.unlink(path);
  for (const name of FS.readdir(path)) {
    if (name !== '.' && name !== '..') removeTree(FS, path + '/' + name);
  }
  FS.rmdir(path);
}

function makeFolders(FS, path) {
  let at = '';
  for (const part of path.split('/').slice(1, -1)) {
    at += '/' + part;
    if (!FS.analyzePath(at).exists) FS.mkdir(at);
  }
}

async function placeInputs(FS, inputs) {
  const total = inputs.reduce((sum, input) => sum + input.file.size, 0);
  let done = 0;
  for (const {path, file} of inputs) {
    makeFolders(FS, path);
    // The file system takes the bytes as they are, without a copy.
    FS.writeFile(path, new Uint8Array(await file.arrayBuffer()), {canOwn: true});
    done += file.size;
    postMessage({type: 'progress', stage: 'reading', done, total});
  }
}

function runCore(M, job) {
  const text = M.ccall('tamrel_run', 'number',
    ['string', 'string', 'string', 'string', 'number', 'string'],
    [job.operation, job.first, job.second, job.style, job.pageRange, '']);
  const json = M.UTF8ToString(text);
  M._tamrel_free(text);
  return JSON.parse(json);
}

async function run(job) {
  const M = await core();
  const FS = M.FS;
  FS.chdir('/');
  removeTree(FS, '/run');
  FS.mkdir('/run');
  await placeInputs(FS, job.inputs);
  FS.chdir(job.folder);
  postMessage({type: 'progress', stage: 'running'});
  const started = performance.now();
  const outcome = runCore(M, job);
  const coreMs = performance.now() - started;
  postMessage({type: 'progress', stage: 'collecting'});
  const files = outcome.outputs.map(path => ({name: path.split('/').pop(), bytes: FS.readFile(path)}));
  FS.chdir('/');
  removeTree(FS, '/run');  // the memory goes back for the next run
  return {type: 'done', outcome, files, coreMs};
}

core();  // loads and warms up at once, before the first job

onmessage = async event => {
  try {
    const result = await run(event.data);
    postMessage(result, result.files.map(f => f.bytes.buffer));
  } catch (error) {
    postMessage({type: 'failed', error: String(error && error.message || error)});
  }
};
