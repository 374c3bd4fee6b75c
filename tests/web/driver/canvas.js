// Where the game's picture is in the page.  The backend scales the client
// area into the canvas with the aspect kept, by whole multiples when they
// fit, centred, the rest letterbox; the tests reckon the same from the
// canvas's place in the page and the game's size, so a click aimed at a game
// pixel lands at its centre.
'use strict';

async function canvasBox(page) {
  return page.$eval('#canvas', (canvas) => {
    const r = canvas.getBoundingClientRect();
    return { left: r.left, top: r.top, width: r.width, height: r.height };
  });
}

// The picture's rectangle in page coordinates (CSS pixels).
async function pictureBox(page, gameWidth, gameHeight) {
  const box = await canvasBox(page);
  const fit = Math.min(box.width / gameWidth, box.height / gameHeight);
  const scale = fit >= 1 ? Math.floor(fit) : fit;
  const width = gameWidth * scale;
  const height = gameHeight * scale;
  return {
    scale,
    left: box.left + (box.width - width) / 2,
    top: box.top + (box.height - height) / 2,
    width,
    height,
  };
}

// The page position of game pixel (x, y)'s centre.
function toPage(picture, x, y) {
  return { x: picture.left + (x + 0.5) * picture.scale, y: picture.top + (y + 0.5) * picture.scale };
}

module.exports = { canvasBox, pictureBox, toPage };
