// Reads EAN-13 and EAN-8 codes from the camera's frames, off the page's
// thread: zxing-cpp's reader (npm's zxing-wasm), from this folder only. It
// says {ready: true} once its reader runs, {ready: false} if it cannot. Each
// message is a frame {scan, frame, picture: ImageBitmap}; the answer
// {scan, frame, code} carries the frame's ids and the digits read ('' for
// none), or {scan, frame, error: true} when the frame could not be read.
importScripts('zxing-reader.js');

const FORMATS = {formats: ['EAN13', 'EAN8'], maxNumberOfSymbols: 1, returnErrors: true};
const canvas = new OffscreenCanvas(1, 1), context = canvas.getContext('2d', {willReadFrequently: true});

// A read counts if its check digit holds, or if the check digit is all that
// fails (a misprinted label); a symbol read in part is nothing.
function readOf(results) {
  return results.find(r => r.isValid || /^Checksum/i.test(r.error || '')) || null;
}

// What a look with at least @p count agreeing scan lines reads.
async function linesOf(pixels, count) {
  return readOf(await ZXingWASM.readBarcodes(pixels, {...FORMATS, minLineCount: count}));
}

// One frame's code. A decoder reads a worn, blurred or glared bar as another
// now and then, its check digit right by chance: a code is taken only when
// stricter looks (3 and 8 scan lines) see no other code there. A wrong
// check digit is far more often a misread than a misprint: it is taken only
// when the 8-line look and a fixed threshold both read it too.
async function codeOf(pixels) {
  const first = readOf(await ZXingWASM.readBarcodes(pixels, FORMATS));
  if (!first) return '';
  const lines = await linesOf(pixels, 8);
  if (first.isValid) {
    const other = read => read && read.text !== first.text;
    return other(lines) || other(await linesOf(pixels, 3)) ? '' : first.text;
  }
  if (!lines || lines.text !== first.text) return '';
  const fixed = readOf(await ZXingWASM.readBarcodes(pixels, {...FORMATS, binarizer: 'FixedThreshold'}));
  return fixed && fixed.text === first.text ? first.text : '';
}

function pixelsOf(picture) {
  canvas.width = picture.width;
  canvas.height = picture.height;
  context.drawImage(picture, 0, 0);
  picture.close();
  return context.getImageData(0, 0, canvas.width, canvas.height);
}

onmessage = async ({data: {scan, frame, picture}}) => {
  try {
    postMessage({scan, frame, code: await codeOf(pixelsOf(picture))});
  } catch (error) {
    postMessage({scan, frame, error: true});
  }
};

ZXingWASM.prepareZXingModule({
  overrides: {locateFile: (path, prefix) => (path.endsWith('.wasm') ? new URL('zxing_reader.wasm', self.location).href : prefix + path)},
  fireImmediately: true,
}).then(() => postMessage({ready: true}), () => postMessage({ready: false}));
