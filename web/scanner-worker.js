// Reads EAN-13 and EAN-8 codes from the camera's frames, off the page's
// thread so that the picture stays smooth: zxing-cpp's reader (npm's
// zxing-wasm), from this folder only. Each message is a frame (ImageData);
// the answer is the first code read in it, or null.
importScripts('zxing-reader.js');
ZXingWASM.prepareZXingModule({
  overrides: {locateFile: (path, prefix) => (path.endsWith('.wasm') ? new URL('zxing_reader.wasm', self.location).href : prefix + path)},
});

onmessage = async event => {
  let code = null;
  try {
    const found = await ZXingWASM.readBarcodes(event.data, {formats: ['EAN13', 'EAN8'], maxNumberOfSymbols: 1});
    const read = found.find(result => result.isValid && /^EAN-?(13|8)$/.test(result.format));
    if (read) code = read.text;
  } catch (error) {
    // A frame that cannot be read is no code; the next one is tried.
  }
  postMessage(code);
};
