// Runs the operations off the page's thread: places the chosen files in the
// core's in-memory file system, calls the core, and sends back its outcome
// and the bytes of every output.
'use strict';
importScripts('tamrel_web.js');

let corePromise = null;
function core() {
  if (!corePromise) corePromise = createTamrelModule();
  return corePromise;
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
    FS.writeFile(path, new Uint8Array(await file.arrayBuffer()));
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

onmessage = async event => {
  try {
    const result = await run(event.data);
    postMessage(result, result.files.map(f => f.bytes.buffer));
  } catch (error) {
    postMessage({type: 'failed', error: String(error && error.message || error)});
  }
};
