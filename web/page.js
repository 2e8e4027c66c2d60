// The page: the three tabs, the files chosen or dropped on each, and the
// results of a run.  The operations themselves run in worker.js, so the
// page stays responsive while a large library is read.
'use strict';

// The files of each slot: [{path, file}], path relative to what was dropped
// ("thesis/chapters/intro.tex" for a folder, "library.bib" for a file).
const chosen = {document: [], libraries: [], master: [], second: [], library: []};
const worker = new Worker('worker.js');
let running = null;     // {operation, started, timer} while a run goes on
let objectUrls = [];    // the download links of the last run, released on the next

const $ = (selector, root) => (root || document).querySelector(selector);
const $$ = (selector, root) => Array.from((root || document).querySelectorAll(selector));

// ---- tabs

function selectTab(tab) {
  for (const other of $$('[role=tab]')) {
    const selected = other === tab;
    other.setAttribute('aria-selected', String(selected));
    other.tabIndex = selected ? 0 : -1;
    $('#' + other.getAttribute('aria-controls')).hidden = !selected;
  }
}

function onTabKey(event) {
  const tabs = $$('[role=tab]');
  const at = tabs.indexOf(event.target);
  const moves = {ArrowRight: 1, ArrowLeft: -1, Home: -at, End: tabs.length - 1 - at};
  if (!(event.key in moves)) return;
  const next = tabs[(at + moves[event.key] + tabs.length) % tabs.length];
  selectTab(next);
  next.focus();
  event.preventDefault();
}

// ---- choosing and dropping files

function slotOf(name) { return $(`.slot[data-slot="${name}"]`); }

// The entries of a dropped folder, read whole: [{path, file}].
function readDroppedEntry(entry, prefix) {
  if (entry.isFile) {
    return new Promise((resolve, reject) =>
      entry.file(file => resolve([{path: prefix + file.name, file}]), reject));
  }
  const reader = entry.createReader();
  const found = [];
  return new Promise((resolve, reject) => {
    // A folder's reader gives its entries in batches until an empty one.
    const nextBatch = () => reader.readEntries(async entries => {
      if (entries.length === 0) return resolve(found);
      for (const child of entries) found.push(...await readDroppedEntry(child, prefix + entry.name + '/'));
      nextBatch();
    }, reject);
    nextBatch();
  });
}

async function droppedFiles(dataTransfer) {
  const entries = Array.from(dataTransfer.items || [])
    .map(item => item.webkitGetAsEntry && item.webkitGetAsEntry()).filter(Boolean);
  if (entries.length === 0) return Array.from(dataTransfer.files).map(file => ({path: file.name, file}));
  const files = [];
  for (const entry of entries) files.push(...await readDroppedEntry(entry, ''));
  return files;
}

function fromInput(input) {
  return Array.from(input.files).map(file => ({path: file.webkitRelativePath || file.name, file}));
}

// The document a folder's run starts from: a .tex file that begins a
// document, else the first .tex file, else an .aux file.
async function mainDocument(files) {
  const tex = files.filter(f => /\.(tex|ltx)$/i.test(f.path));
  for (const candidate of tex) {
    const head = await candidate.file.slice(0, 65536).text();
    if (/^[^%\n]*\\documentclass/m.test(head)) return candidate.path;
  }
  if (tex.length > 0) return tex[0].path;
  const aux = files.find(f => /\.aux$/i.test(f.path));
  return aux ? aux.path : (files[0] ? files[0].path : '');
}

async function setSlot(name, files) {
  const multiple = name === 'document' || name === 'libraries';
  chosen[name] = multiple ? files : files.slice(0, 1);
  const slot = slotOf(name);
  const list = $('.chosen', slot);
  list.textContent = '';
  for (const {path, file} of chosen[name]) {
    const item = document.createElement('li');
    item.textContent = `${path} (${formatSize(file.size)})`;
    list.appendChild(item);
  }
  slot.classList.toggle('filled', chosen[name].length > 0);
  if (name === 'document') await offerMainDocument();
}

async function offerMainDocument() {
  const box = $('.main-choice', slotOf('document'));
  const select = $('#extract-main');
  const files = chosen.document;
  select.textContent = '';
  const candidates = files.filter(f => /\.(tex|ltx|aux)$/i.test(f.path));
  for (const {path} of candidates.length ? candidates : files) select.add(new Option(path, path));
  select.value = await mainDocument(files);
  box.hidden = files.length < 2;
}

function formatSize(bytes) {
  if (bytes < 1024) return bytes + ' bytes';
  if (bytes < 1024 * 1024) return (bytes / 1024).toFixed(1) + ' KB';
  return (bytes / 1024 / 1024).toFixed(1) + ' MB';
}

function wireSlot(slot) {
  const name = slot.dataset.slot;
  for (const input of $$('input[type=file]', slot)) {
    input.addEventListener('change', () => setSlot(name, fromInput(input)));
  }
  slot.addEventListener('dragover', event => { event.preventDefault(); slot.classList.add('over'); });
  slot.addEventListener('dragleave', () => slot.classList.remove('over'));
  slot.addEventListener('drop', async event => {
    event.preventDefault();
    slot.classList.remove('over');
    await setSlot(name, await droppedFiles(event.dataTransfer));
  });
}

async function loadExample() {
  const fetchFile = async name => {
    const response = await fetch(name);
    if (!response.ok) throw new Error(`${name}: ${response.status}`);
    return {path: name, file: new File([await response.blob()], name)};
  };
  try {
    await setSlot('document', [await fetchFile('paper.tex')]);
    await setSlot('libraries', [await fetchFile('library.bib')]);
  } catch (error) {
    showError('The example could not be loaded (' + error.message + '). Open the page through a web server.');
  }
}

// ---- running

// The job for the worker: every file with the place it takes in the
// worker's file system, and the arguments of the operation there.  Each
// slot has a folder of its own, so that two inputs of the same name do
// not meet.  The run starts in the library's folder with the library
// named as it is, and writes its outputs beside it: the files are those
// of "tamrel clean library.bib" run in a folder holding the library,
// down to the names the clean log gives.
function jobFor(operation) {
  const place = (slot, index, path) => `/run/in/${slot}${index}/${path.replace(/\n/g, ' ')}`;
  const inputs = [];
  const add = (slot, files) => files.map((f, i) => {
    const where = place(slot, slot === 'document' ? '' : i, f.path);
    inputs.push({path: where, file: f.file});
    return where;
  });
  let first = '', second = [];
  const job = {operation, inputs, style: 'aps', pageRange: 0};
  if (operation === 'extract') {
    add('document', chosen.document);
    first = place('document', '', $('#extract-main').value || (chosen.document[0] || {}).path || '');
    second = add('libraries', chosen.libraries);
    job.style = $('input[name=style]:checked').value;
    job.pageRange = Number($('input[name=pages]:checked').value);
  } else if (operation === 'compare') {
    first = add('master', chosen.master)[0];
    second = add('second', chosen.second);
  } else {
    first = add('library', chosen.library)[0];
  }
  const home = operation === 'extract' && second.length ? second[0] : first;
  job.folder = home.slice(0, home.lastIndexOf('/'));
  job.first = relativeTo(job.folder, first);
  job.second = second.map(path => relativeTo(job.folder, path)).join('\n');
  return job;
}

// A place under /run/in as seen from folder, another place there.
function relativeTo(folder, path) {
  if (path.startsWith(folder + '/')) return path.slice(folder.length + 1);
  const depth = folder.split('/').length - 3;  // the folders below /run/in
  return '../'.repeat(depth) + path.slice('/run/in/'.length);
}

// What is still to choose before a run, or ''.
function missingChoice(operation) {
  if (operation === 'extract') {
    // Without a library the core reads those the document names.
    if (chosen.document.length === 0) return 'Choose or drop the LaTeX document first.';
  } else if (operation === 'compare') {
    if (chosen.master.length === 0) return 'Choose or drop the master library.';
    if (chosen.second.length === 0) return 'Choose or drop the second file.';
  } else if (chosen.library.length === 0) {
    return 'Choose or drop the BibTeX library.';
  }
  return '';
}

function startRun(operation) {
  if (running) return;
  clearResults();
  const missing = missingChoice(operation);
  if (missing) return showError(missing);
  running = {operation, started: performance.now()};
  for (const button of $$('button.run')) button.disabled = true;
  $('#progress').hidden = false;
  showProgress('Reading the files…', null);
  running.timer = setInterval(tickProgress, 100);
  worker.postMessage(jobFor(operation));
}

function showProgress(text, fraction) {
  const bar = $('#progress-bar');
  if (fraction === null) bar.removeAttribute('value'); else bar.value = fraction;
  $('#progress-text').dataset.stage = text;
  tickProgress();
}

function tickProgress() {
  if (!running) return;
  const seconds = ((performance.now() - running.started) / 1000).toFixed(1);
  $('#progress-text').textContent = `${$('#progress-text').dataset.stage} ${seconds} s`;
}

function endRun() {
  clearInterval(running.timer);
  const seconds = (performance.now() - running.started) / 1000;
  running = null;
  for (const button of $$('button.run')) button.disabled = false;
  $('#progress').hidden = true;
  return seconds;
}

worker.onmessage = event => {
  const message = event.data;
  if (message.type === 'ready') {
    document.body.dataset.core = 'ready';
    return;
  }
  if (message.type === 'progress') {
    const names = {reading: 'Reading the files…', running: `Running ${running.operation}…`,
                   collecting: 'Collecting the outputs…'};
    showProgress(names[message.stage], message.total ? message.done / message.total : null);
    return;
  }
  const seconds = endRun();
  if (message.type === 'failed') return showError('The run failed: ' + message.error);
  showOutcome(message.outcome, message.files, seconds);
  // The run's times, for the bench: the whole run as the person waits for
  // it, and the core's part of it.
  document.body.dataset.seconds = seconds.toFixed(3);
  document.body.dataset.coreSeconds = (message.coreMs / 1000).toFixed(3);
};

worker.onerror = event => {
  if (running) endRun();
  showError('The page could not start Tamrel (' + (event.message || 'worker error') +
            '). Open the page through a web server, for example python3 -m http.server.');
};

// ---- results

function clearResults() {
  $('#results').hidden = false;
  $('#error').hidden = true;
  $('#report').hidden = true;
  for (const url of objectUrls) URL.revokeObjectURL(url);
  objectUrls = [];
  for (const list of $$('#report ul')) list.textContent = '';
  $('#previews').textContent = '';
  document.body.dataset.state = 'running';
}

function showError(text) {
  $('#results').hidden = false;
  const box = $('#error');
  box.textContent = text;
  box.hidden = false;
  document.body.dataset.state = 'error';
}

// An input's path in the worker as the person knows it: "../second0/a.bib" -> "a.bib".
function shownPath(text) {
  return text.replace(/(\.\.\/)+[a-z]+\d*\//g, '');
}

function addItems(list, texts) {
  for (const text of texts) {
    const item = document.createElement('li');
    item.textContent = shownPath(text);
    list.appendChild(item);
  }
}

function messageText(m) {
  let text = `${m.caption}: ${m.text.replace(/\s*\n\s*/g, ' ').trim()}`;
  if (m.path) text += ` (${shownPath(m.path)}: ${m.reason})`;
  return text;
}

function showOutcome(outcome, files, seconds) {
  const problems = outcome.lines.filter(line => /: line \d+:/.test(line) || /^File not found/.test(line));
  const summary = outcome.lines.filter(line => !problems.includes(line) && !/^Not in the library:/.test(line));
  const missing = outcome.cited.filter(c => !c.found).map(c => c.key);
  const fill = (id, texts) => {
    $(id).hidden = texts.length === 0;
    addItems($(id + ' ul'), texts);
  };
  if (outcome.inputProblem || !outcome.done) {
    const texts = outcome.messages.map(messageText);
    showError([outcome.inputProblem, ...texts].filter(Boolean).join('\n') || 'The operation stopped.');
  }
  if (outcome.done || outcome.lines.length > 0) {
    $('#report').hidden = false;
    addItems($('#report-summary'), summary.concat(`Done in ${seconds.toFixed(2)} s.`));
    fill('#report-missing', outcome.done ? missing : []);
    fill('#report-problems', problems);
    fill('#report-messages', outcome.done ? outcome.messages.map(messageText) : []);
    showDownloads(files);
  }
  document.body.dataset.state = outcome.done ? 'done' : 'error';
}

function showDownloads(files) {
  const list = $('#downloads');
  for (const {name, bytes} of files) {
    const url = URL.createObjectURL(new Blob([bytes], {type: 'application/octet-stream'}));
    objectUrls.push(url);
    const item = document.createElement('li');
    const link = document.createElement('a');
    link.href = url;
    link.download = name;
    link.textContent = name;
    item.append(link, ` (${formatSize(bytes.length)})`);
    list.appendChild(item);
    showPreview(name, bytes);
  }
  const button = $('#download-all');
  button.hidden = files.length === 0;
  button.onclick = () => {
    const link = document.createElement('a');
    link.href = URL.createObjectURL(makeZip(files));
    objectUrls.push(link.href);
    link.download = 'tamrel-outputs.zip';
    document.body.appendChild(link);
    link.click();
    link.remove();
  };
}

// The logs and the item file open in the page; large files only in part.
function showPreview(name, bytes) {
  const limit = 100000;
  const details = document.createElement('details');
  details.open = /\.(log|txt)$/.test(name);
  const summary = document.createElement('summary');
  summary.textContent = name;
  const pre = document.createElement('pre');
  const text = new TextDecoder('utf-8').decode(bytes.subarray(0, limit));
  pre.textContent = bytes.length > limit ? text + '\n…' : text;
  details.append(summary, pre);
  $('#previews').appendChild(details);
}

// ---- start

for (const tab of $$('[role=tab]')) {
  tab.addEventListener('click', () => selectTab(tab));
  tab.addEventListener('keydown', onTabKey);
}
for (const slot of $$('.slot')) wireSlot(slot);
for (const button of $$('button.run')) {
  button.addEventListener('click', () => startRun(button.closest('[role=tabpanel]').dataset.operation));
}
$('#example-extract').addEventListener('click', loadExample);
// A file dropped beside a box would otherwise be opened by the browser in
// place of the page.
window.addEventListener('dragover', event => event.preventDefault());
window.addEventListener('drop', event => event.preventDefault());
document.body.dataset.state = 'ready';
