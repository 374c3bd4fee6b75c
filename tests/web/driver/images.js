// The two picture files the frame comparison reads, as RGBA rows: the native
// run's screenshot (uncompressed BMP, 24 or 32 bits) and chromium's (PNG,
// 8 bits per channel, RGB or RGBA, not interlaced).
'use strict';

const zlib = require('zlib');

function readBmp(buffer) {
  if (buffer.toString('latin1', 0, 2) !== 'BM') throw new Error('not a BMP file');
  const offset = buffer.readUInt32LE(10);
  const width = buffer.readInt32LE(18);
  const rawHeight = buffer.readInt32LE(22);
  const bits = buffer.readUInt16LE(28);
  const compression = buffer.readUInt32LE(30);
  if ((bits !== 24 && bits !== 32) || (compression !== 0 && compression !== 3))
    throw new Error(`BMP of ${bits} bits, compression ${compression}: only plain 24 and 32 bits are read`);
  const height = Math.abs(rawHeight);
  const stride = Math.ceil((width * bits) / 32) * 4;
  const pixels = Buffer.alloc(width * height * 4);
  for (let y = 0; y < height; ++y) {
    const row = offset + (rawHeight > 0 ? height - 1 - y : y) * stride;
    for (let x = 0; x < width; ++x) {
      const p = row + (x * bits) / 8;
      const o = (y * width + x) * 4;
      pixels[o] = buffer[p + 2];
      pixels[o + 1] = buffer[p + 1];
      pixels[o + 2] = buffer[p];
      pixels[o + 3] = 255;
    }
  }
  return { width, height, pixels };
}

function readPng(buffer) {
  let at = 8;
  let header = null;
  const data = [];
  while (at < buffer.length) {
    const length = buffer.readUInt32BE(at);
    const type = buffer.toString('latin1', at + 4, at + 8);
    const body = buffer.subarray(at + 8, at + 8 + length);
    if (type === 'IHDR') {
      header = { width: body.readUInt32BE(0), height: body.readUInt32BE(4) };
      Object.assign(header, { depth: body[8], colour: body[9], interlace: body[12] });
    }
    else if (type === 'IDAT') data.push(body);
    at += 12 + length;
  }
  if (!header || header.depth !== 8 || (header.colour !== 2 && header.colour !== 6) || header.interlace)
    throw new Error('only 8-bit RGB or RGBA PNG without interlacing is read');
  const { width, height } = header;
  const channels = header.colour === 6 ? 4 : 3;
  const raw = zlib.inflateSync(Buffer.concat(data));
  const stride = width * channels;
  const rows = Buffer.alloc(stride * height);
  for (let y = 0; y < height; ++y) {
    const filter = raw[y * (stride + 1)];
    const line = raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1));
    for (let i = 0; i < stride; ++i) {
      const a = i >= channels ? rows[y * stride + i - channels] : 0;
      const b = y > 0 ? rows[(y - 1) * stride + i] : 0;
      const c = y > 0 && i >= channels ? rows[(y - 1) * stride + i - channels] : 0;
      let v = line[i];
      if (filter === 1) v += a;
      else if (filter === 2) v += b;
      else if (filter === 3) v += (a + b) >> 1;
      else if (filter === 4) {
        const p = a + b - c;
        const pa = Math.abs(p - a), pb = Math.abs(p - b), pc = Math.abs(p - c);
        v += pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
      }
      rows[y * stride + i] = v & 255;
    }
  }
  const pixels = Buffer.alloc(width * height * 4);
  for (let i = 0; i < width * height; ++i) {
    pixels[i * 4] = rows[i * channels];
    pixels[i * 4 + 1] = rows[i * channels + 1];
    pixels[i * 4 + 2] = rows[i * channels + 2];
    pixels[i * 4 + 3] = 255;
  }
  return { width, height, pixels };
}

module.exports = { readBmp, readPng };
