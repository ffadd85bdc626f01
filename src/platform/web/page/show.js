// The page's side of the show: the music through Web Audio, one step of the
// show per animation frame on the audio clock, the picture onto the canvas,
// the keys, and the start and closing screens.
'use strict';

const SAMPLE_RATE = 44100;
// Audio is rendered in blocks of 2,048 frames (46 ms), kept a quarter of a
// second ahead of the ear so that a late animation frame never starves it;
// the sync bytes wait in the program until their row is heard.
const BLOCK_FRAMES = 2048;
const LEAD_SECONDS = 0.25;
// The first block starts this long after the click, so that it is not late.
const START_DELAY_SECONDS = 0.1;

const page = {
  ready: false,
  running: false,
  audio: null,
  origin: 0,         // audio clock time of the show's 0
  nextBlock: 0,      // audio clock time the next block plays at
  songEnded: false,
  samples: 0,        // the program's block of 16-bit stereo
  feeder: 0,         // interval that keeps the audio fed while frames are held back
  stepMs: [],        // how long each step took, for the frame-time figures
  canvas: document.getElementById('picture'),
  context: null,
};

var Module = {
  setStatus(text) {
    const progress = /\((\d+(?:\.\d+)?)\/(\d+)\)/.exec(text);
    if (progress) {
      document.getElementById('loaded').style.width = (100 * progress[1] / progress[2]) + '%';
    }
    if (text) {
      document.getElementById('status').textContent = text.replace(/\(.*\)/, '').trim() || 'Loading...';
    }
  },
  onRuntimeInitialized() {
    page.ready = true;
    page.samples = Module._malloc(BLOCK_FRAMES * 4);
    document.getElementById('loaded').style.width = '100%';
    document.getElementById('status').textContent = 'Ready.';
    document.getElementById('play').disabled = false;
  },
};

// The heard position of the music, in seconds from the show's 0.
function heardSeconds() {
  const audio = page.audio;
  const latency = audio.outputLatency || audio.baseLatency || 0;
  return audio.currentTime - latency - page.origin;
}

function feedAudio() {
  const audio = page.audio;
  while (!page.songEnded && page.nextBlock < audio.currentTime + LEAD_SECONDS) {
    const produced = Module._korvel_web_render(page.samples, BLOCK_FRAMES);
    const pcm = new Int16Array(Module.HEAP16.buffer, page.samples, BLOCK_FRAMES * 2);
    const buffer = audio.createBuffer(2, BLOCK_FRAMES, SAMPLE_RATE);
    const left = buffer.getChannelData(0);
    const right = buffer.getChannelData(1);
    for (let i = 0; i < BLOCK_FRAMES; i++) {
      left[i] = pcm[2 * i] / 32768;
      right[i] = pcm[2 * i + 1] / 32768;
    }
    const source = audio.createBufferSource();
    source.buffer = buffer;
    source.connect(audio.destination);
    source.start(page.nextBlock);
    page.nextBlock += BLOCK_FRAMES / SAMPLE_RATE;
    page.songEnded = produced < BLOCK_FRAMES;
  }
}

function drawPicture() {
  const width = Module._korvel_web_pixel_width();
  const height = Module._korvel_web_pixel_height();
  if (width === 0 || height === 0) return;
  if (page.canvas.width !== width || page.canvas.height !== height) {
    page.canvas.width = width;
    page.canvas.height = height;
    fitPicture();
  }
  const pixels = new Uint8ClampedArray(Module.HEAPU8.buffer, Module._korvel_web_pixels(), width * height * 4);
  page.context.putImageData(new ImageData(pixels, width, height), 0, 0);
}

// The largest whole picture the window holds, its shape kept.
function fitPicture() {
  const scale = Math.min(window.innerWidth / page.canvas.width, window.innerHeight / page.canvas.height);
  page.canvas.style.width = Math.floor(page.canvas.width * scale) + 'px';
  page.canvas.style.height = Math.floor(page.canvas.height * scale) + 'px';
}

function frame() {
  if (!page.running) return;
  feedAudio();
  const heard = heardSeconds();
  if (heard >= 0) {
    const begun = performance.now();
    const going = Module._korvel_web_step(Math.floor(heard * 1000), heard * SAMPLE_RATE);
    page.stepMs.push(performance.now() - begun);
    drawPicture();
    if (!going) {
      endShow();
      return;
    }
  }
  requestAnimationFrame(frame);
}

function gentleChosen() {
  return document.getElementById('gentle').checked;
}

// Gentle mode: at most three full-screen flashes a second, a slower strobe.
function setGentle(on) {
  document.getElementById('gentle').checked = on;
  document.getElementById('gentle-note').hidden = !on;
  if (page.ready) Module._korvel_web_set_gentle(on ? 1 : 0);
}

function startShow() {
  if (!page.ready || page.running) return;
  page.audio = new AudioContext({ sampleRate: SAMPLE_RATE, latencyHint: 'interactive' });
  Module._korvel_web_set_gentle(gentleChosen() ? 1 : 0);
  const blocks = document.getElementById('look').value === 'blocks' ? 1 : 0;
  if (!Module._korvel_web_start(blocks)) {
    document.getElementById('status').textContent = 'The show could not start: see the browser console.';
    return;
  }
  page.context = page.context || page.canvas.getContext('2d');
  page.origin = page.audio.currentTime + START_DELAY_SECONDS;
  page.nextBlock = page.origin;
  page.songEnded = false;
  page.stepMs = [];
  page.running = true;
  document.getElementById('start').hidden = true;
  document.getElementById('closing').hidden = true;
  fitPicture();
  feedAudio();
  page.feeder = setInterval(feedAudio, 50);
  requestAnimationFrame(frame);
}

function endShow() {
  page.running = false;
  clearInterval(page.feeder);
  page.audio.close();
  if (document.fullscreenElement) document.exitFullscreen();
  document.getElementById('closing').hidden = false;
}

function toggleFullScreen() {
  if (document.fullscreenElement) {
    document.exitFullscreen();
  } else {
    document.documentElement.requestFullscreen().catch(() => {});
  }
}

// Whoever asked the system for less motion starts in gentle mode.
setGentle(window.matchMedia('(prefers-reduced-motion: reduce)').matches);
document.getElementById('gentle').addEventListener('change', () => setGentle(gentleChosen()));
document.getElementById('play').addEventListener('click', startShow);
document.getElementById('again').addEventListener('click', startShow);
window.addEventListener('resize', fitPicture);
window.addEventListener('keydown', (event) => {
  if (event.key === 'Escape' && page.running) {
    Module._korvel_web_key(27);
  } else if (event.key === 'f' || event.key === 'F') {
    toggleFullScreen();
  } else if (event.key === 'g' || event.key === 'G') {
    setGentle(!gentleChosen());
  } else {
    return;
  }
  event.preventDefault();
});

// For the browser test only (index.html?test): read-back of the cells on the
// virtual clock, the sync bytes as delivered and the step times.
if (new URLSearchParams(location.search).has('test')) {
  window.korvelTest = {
    ready: () => page.ready,
    running: () => page.running,
    audioState: () => (page.audio ? page.audio.state : 'none'),
    probe(ms, fps) {
      const status = Module.ccall('korvel_web_probe', 'number', ['number', 'number', 'string'], [ms, fps, '/probe.cells']);
      return status === 0 ? Array.from(Module.FS.readFile('/probe.cells')) : null;
    },
    heardMs: () => Math.floor(heardSeconds() * 1000),
    syncLog() {
      const count = Module._korvel_web_sync_count();
      const log = new Int32Array(Module.HEAP32.buffer, Module._korvel_web_sync_log(), count * 4);
      const syncs = [];
      for (let i = 0; i < count; i++) {
        syncs.push({ command: log[4 * i], rowMs: log[4 * i + 1], deliveredMs: log[4 * i + 2] });
      }
      return syncs;
    },
    stepMs: () => page.stepMs.slice(),
    pictureSize: () => [page.canvas.width, page.canvas.height],
    gentle: gentleChosen,
  };
}
