// The camera as the page's scanner, for the program: open() shows the modal
// view and starts the camera and the reader; next() gives the view's events
// one at a time: what a new frame read (digits, '' for none), or its end
// (CLOSED, CAMERA_FAILED, READER_FAILED); close() ends it all. Which read
// counts is the program's rule. The one file reads with the browser's own
// BarcodeDetector; the hosted folder with zxing-cpp's reader in its worker,
// which also reads a label whose check digit is wrong.
Module.scanner = (() => {
  const CLOSED = -1, CAMERA_FAILED = -2, READER_FAILED = -3;
  // Frames in a row that the reader failed on before it counts as broken.
  const FAILING_FRAMES = 5;
  const byId = id => document.getElementById(id);
  let scan = null, scans = 0, reader = null;
  let chosenCamera = null;  // "Cambia fotocamera"'s choice, until the page is closed
  // A tab of one release that a newer release's service worker took over
  // would start the newer one's decoder: it reloads to that release first.
  let overtaken = false;
  if (navigator.serviceWorker && navigator.serviceWorker.controller) {
    navigator.serviceWorker.addEventListener('controllerchange', () => { overtaken = true; });
  }

  // The view's events, kept in order until the program takes them. An end
  // stops the camera at once; the program then closes the view.
  function push(current, event) {
    if (current !== scan || current.over) return;
    if (typeof event == 'number') {
      current.over = true;
      stopCamera(current);
    }
    if (current.taker) {
      const take = current.taker;
      current.taker = null;
      take(event);
    } else {
      current.events.push(event);
    }
  }

  function next() {
    return new Promise(take => {
      if (!scan) take(CLOSED);
      else if (scan.events.length) take(scan.events.shift());
      else scan.taker = take;
    });
  }

  function open() {
    if (overtaken) return location.reload();
    const current = scan = {id: ++scans, events: [], frames: 0, failures: 0, stream: null, torchOn: false};
    Module.wait(new Promise(done => { current.done = done; }));
    showView(current);
    if (!navigator.mediaDevices) return push(current, CAMERA_FAILED);
    startCamera(current).then(() => startReader(current), () => push(current, CAMERA_FAILED));
  }

  function close(read) {
    const current = scan;
    if (!current) return;
    current.over = true;
    stopCamera(current);
    hideView(current);
    scan = null;
    if (read && navigator.vibrate) navigator.vibrate(80);
    current.done();
  }

  // The view: modal, Annulla focused; Escape, Annulla, Back or the page
  // being hidden close it.
  function showView(current) {
    const view = byId('ScanView'), end = () => push(current, CLOSED);
    current.hidden = () => document.hidden && end();
    view.oncancel = event => { event.preventDefault(); end(); };
    byId('ScanCancel').onclick = end;
    document.addEventListener('visibilitychange', current.hidden);
    history.pushState({velbarinoScan: true}, '');  // Back closes the view, not the page
    window.addEventListener('popstate', end);
    current.back = end;
    byId('ScanTorch').hidden = byId('ScanNext').hidden = true;
    view.showModal();
    byId('ScanCancel').focus();
  }

  function hideView(current) {
    byId('ScanVideo').srcObject = null;
    byId('ScanView').close();
    document.removeEventListener('visibilitychange', current.hidden);
    window.removeEventListener('popstate', current.back);
    if (history.state && history.state.velbarinoScan) history.back();
  }

  // The rear camera (or the one chosen), at the picture a label needs.
  function constraints() {
    const which = chosenCamera ? {deviceId: {exact: chosenCamera}} : {facingMode: {ideal: 'environment'}};
    return {audio: false, video: {...which, width: {ideal: 1920}, height: {ideal: 1080}}};
  }

  async function startCamera(current) {
    const stream = await navigator.mediaDevices.getUserMedia(constraints());
    if (current.over) return stream.getTracks().forEach(track => track.stop());
    current.stream = stream;
    const track = stream.getVideoTracks()[0];
    // Taken by another application or unplugged: not a track that the view stopped.
    track.addEventListener('ended', () => current.stream === stream && push(current, CAMERA_FAILED));
    const can = track.getCapabilities ? track.getCapabilities() : {};
    if ((can.focusMode || []).includes('continuous')) track.applyConstraints({advanced: [{focusMode: 'continuous'}]}).catch(() => {});
    offerTorch(current, track, !!can.torch);
    await offerNextCamera(current, track);
    const video = byId('ScanVideo');
    video.srcObject = stream;
    await video.play();
    if (current.reading) watchFrames(current, stream);
  }

  function stopCamera(current) {
    const stream = current.stream;
    current.stream = null;
    if (!stream) return;
    if (current.torchOn) stream.getVideoTracks()[0].applyConstraints({advanced: [{torch: false}]}).catch(() => {});
    current.torchOn = false;
    stream.getTracks().forEach(track => track.stop());
    byId('ScanTorch').hidden = byId('ScanNext').hidden = true;
  }

  // "Torcia", where the track has a torch: pressed, it lights.
  function offerTorch(current, track, has) {
    const button = byId('ScanTorch');
    button.hidden = !has;
    button.setAttribute('aria-pressed', 'false');
    button.onclick = () => {
      const on = !current.torchOn;
      track.applyConstraints({advanced: [{torch: on}]}).then(() => {
        if (current.stream && current.stream.getVideoTracks()[0] === track) {
          current.torchOn = on;
          button.setAttribute('aria-pressed', String(on));
        }
      }, () => {});
    };
  }

  // "Cambia fotocamera", where the browser lists more than one: the next one.
  async function offerNextCamera(current, track) {
    const cameras = (await navigator.mediaDevices.enumerateDevices().catch(() => [])).filter(d => d.kind == 'videoinput');
    const button = byId('ScanNext');
    button.hidden = cameras.length < 2;
    button.onclick = () => {
      const at = cameras.findIndex(camera => camera.deviceId == track.getSettings().deviceId);
      chosenCamera = cameras[(at + 1) % cameras.length].deviceId;
      stopCamera(current);
      startCamera(current).catch(() => push(current, CAMERA_FAILED));
    };
  }

  // The reader, then each new frame of the picture once, while the reader
  // is free: frames that come meanwhile are not kept (a newer one follows).
  async function startReader(current) {
    try {
      current.read = await (reader || (reader = decoder()));
    } catch (error) {
      reader = null;  // the next scan tries again
      return push(current, READER_FAILED);
    }
    current.reading = true;
    if (current.stream) watchFrames(current, current.stream);
  }

  function watchFrames(current, stream) {
    const video = byId('ScanVideo');
    let last = null;
    const frame = (now, metadata) => {
      if (current.stream !== stream) return;
      const id = metadata ? metadata.presentedFrames : video.currentTime;
      if (id !== last && !current.busy && video.videoWidth) {
        last = id;
        readFrame(current, video);
      }
      wait();
    };
    const wait = () => (video.requestVideoFrameCallback ? video.requestVideoFrameCallback(frame) : setTimeout(frame, 40));
    wait();
  }

  async function readFrame(current, video) {
    current.busy = true;
    const answer = await current.read(video, current.id, ++current.frames);
    current.busy = false;
    if (answer.scan !== current.id) return;  // another scan's frame: never this one's read
    if (!answer.error) {
      current.failures = 0;
      return push(current, answer.code);
    }
    if (++current.failures < FAILING_FRAMES) return;
    reader = null;
    push(current, READER_FAILED);
  }

  // What reads a frame: (video, scan, frame) => {scan, frame, code} or {scan, frame, error}.
  function decoder() {
    const worker = document.querySelector('meta[name=velbarino-decoder]');
    return worker && location.protocol != 'file:' ? workerDecoder(worker.content) : nativeDecoder();
  }

  // The browser's reader. Android's gives an EAN-13 that starts with 0 as a
  // 12-digit UPC-A: it goes in as that EAN-13.
  async function nativeDecoder() {
    const upc = (await BarcodeDetector.getSupportedFormats()).includes('upc_a');
    const detector = new BarcodeDetector({formats: ['ean_13', 'ean_8', ...upc ? ['upc_a'] : []]});
    return async (video, scan, frame) => {
      try {
        const found = (await detector.detect(video)).find(b => /^(ean_13|ean_8|upc_a)$/.test(b.format));
        return {scan, frame, code: found ? (found.format == 'upc_a' ? '0' : '') + found.rawValue : ''};
      } catch (error) {
        return {scan, frame, error: true};
      }
    };
  }

  // The folder's worker, started once; ready when its reader says so. A
  // worker whose files are not served, or whose reader cannot compile, fails.
  function workerDecoder(url) {
    return new Promise((ready, failed) => {
      const worker = new Worker(url), waiting = new Map();
      worker.onerror = event => {
        event.preventDefault();
        worker.terminate();
        failed(event);
        waiting.forEach(answer => answer({error: true}));
      };
      worker.onmessage = ({data}) => {
        if ('ready' in data) return data.ready ? ready(read) : (worker.terminate(), failed(data));
        const answer = waiting.get(data.frame);
        waiting.delete(data.frame);
        if (answer) answer(data);
      };
      // Messages are numbered across scans: each scan counts its frames from
      // 1, and a frame of a scan that has ended may still be waiting here.
      let frames = 0;
      const read = (video, scan, frame) => new Promise(answer => {
        const id = ++frames;
        waiting.set(id, data => answer({...data, scan: data.scan === undefined ? scan : data.scan, frame}));
        createImageBitmap(video).then(picture => worker.postMessage({scan, frame: id, picture}, [picture]),
                                      () => { waiting.delete(id); answer({scan, frame, error: true}); });
      });
    });
  }

  return {open, next, close, CLOSED, CAMERA_FAILED, READER_FAILED};
})();
