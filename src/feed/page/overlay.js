// A compact strip for stream overlays: names, scores, clock or KO count and
// the penalty lamps, on a transparent page. It reads the board's state in
// design twips and shows the sides in the order the board shows them.
'use strict';

(() => {
  const strip = document.getElementById('strip');
  const lampHeight = 44; // pixels of a penalty panel in the strip

  const el = (cls, text) => {
    const d = document.createElement('div');
    d.className = cls;
    if (text !== undefined) d.textContent = text;
    return d;
  };

  // A penalty frame drawn small, with its lamps and letters as on the board.
  const lamps = (state, frame) => {
    const k = lampHeight / frame.h; // canvas pixels per twip
    const canvas = document.createElement('canvas');
    canvas.className = 'lamps';
    canvas.width = Math.round(frame.w * k);
    canvas.height = lampHeight;
    const ctx = canvas.getContext('2d');
    const box = (e) => (e === frame ? { x: 0, y: 0, w: frame.w * k, h: frame.h * k }
      : { x: e.x * k, y: e.y * k, w: e.w * k, h: e.h * k });
    // 15 twips a pixel: fonts are in points, borders in pixels.
    const pointsPx = (e) => Object.assign({}, e, { font: e.font * 4 / 3 });
    const sized = Object.assign({}, state, {
      elements: state.elements.map((e) => (e.kind === 'label' ? pointsPx(e) : e)),
    });
    feed.draw(ctx, sized, box, k * 15, (e) => e.name === frame.name || e.in === frame.name);
    return canvas;
  };

  const side = (state, named, half, ippon, waza, frame) => {
    const d = el('side');
    d.style.background = half.back;
    const name = el('name', named.caption);
    name.style.color = named.color;
    d.append(name, el('tag', 'IP'), el('count', ippon.caption), el('tag', 'WA'),
      el('count', waza.caption), lamps(state, frame));
    d.style.color = ippon.color;
    name.style.color = named.color;
    return d;
  };

  const render = (state) => {
    const e = Object.fromEntries(state.elements.map((x) => [x.name, x]));
    const aka = side(state, e['Label1(11)'], e.Shape1, e.scri, e.scrw, e.Frame5);
    const shiro = side(state, e['Label1(12)'], e.Shape2, e.scwi, e.scww, e.Frame6);
    const ko = e.Frame4.visible;
    const clock = el(ko ? 'clock ko' : 'clock', ko ? e['Label1(14)'].caption
      : `${e.Label5.caption}${e.Label7.caption}${e.Label6.caption}${e.Label8.caption}`);
    strip.replaceChildren(...(e.Shape1.x <= e.Shape2.x ? [aka, clock, shiro]
      : [shiro, clock, aka]));
  };

  feed.live(() => '', render, () => {});
})();
