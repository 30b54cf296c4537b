// A compact strip for stream overlays: field number, names, scores, clock or
// KO count and the penalty lamps, on a transparent page. Everything is sized
// in parts of the page's width, so it scales with the browser source, and
// every block has a fixed width, so nothing moves whatever the clock reads.
// While the connection is down the strip is hidden (a frozen score is worse
// than none) and a plain sign says so; it comes back by itself.
'use strict';

(() => {
  const strip = document.getElementById('strip');
  const lost = document.getElementById('lost');
  let last = null;
  // For tests and curious operators: drawing a state of one's own.
  const watched = feed.watch({ draw: null });

  const el = (cls, text) => {
    const d = document.createElement('div');
    d.className = cls;
    if (text !== undefined) d.textContent = text;
    return d;
  };

  // A penalty frame drawn small, with its lamps and letters as on the board.
  const lamps = (state, frame) => {
    const height = window.innerWidth * 0.032; // CSS pixels, as .side is tall
    const ratio = window.devicePixelRatio || 1;
    const k = (height * ratio) / frame.h; // canvas pixels per twip
    const canvas = document.createElement('canvas');
    canvas.className = 'lamps';
    canvas.width = Math.round(frame.w * k);
    canvas.height = Math.round(height * ratio);
    canvas.style.width = `${(frame.w * height) / frame.h}px`;
    canvas.style.height = `${height}px`;
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

  // One side: its colour and board name, the competitor's name and club
  // when the console has them, the two scores and the lamps.
  const side = (state, who, named, half, ippon, waza, frame) => {
    const d = el('side');
    d.style.background = half.back;
    d.style.color = ippon.color;
    const names = el('who');
    const name = el('name', named.caption);
    name.style.color = named.color;
    names.append(name);
    if (who && who.name) {
      names.classList.add('named');
      names.append(el('person', who.name));
      if (who.club) names.append(el('club', who.club));
    }
    d.append(names, el('tag', 'IP'), el('count', ippon.caption), el('tag', 'WA'),
      el('count', waza.caption), lamps(state, frame));
    return d;
  };

  const render = (state) => {
    last = state;
    const e = Object.fromEntries(state.elements.map((x) => [x.name, x]));
    const people = state.competitors || {};
    const aka = side(state, people.aka, e['Label1(11)'], e.Shape1, e.scri, e.scrw, e.Frame5);
    const shiro = side(state, people.shiro, e['Label1(12)'], e.Shape2, e.scwi, e.scww,
      e.Frame6);
    const ko = e.Frame4.visible;
    const clock = el(ko ? 'clock ko' : 'clock', ko ? e['Label1(14)'].caption
      : `${e.Label5.caption}${e.Label7.caption}${e.Label6.caption}${e.Label8.caption}`);
    const field = el('field');
    field.append(el('tag', 'FIELD'), el('number', e.Label4.caption));
    strip.replaceChildren(field, ...(e.Shape1.x <= e.Shape2.x ? [aka, clock, shiro]
      : [shiro, clock, aka]));
    watched.drawn(state);
  };

  watched.draw = render;
  feed.live(() => '', render, (up) => {
    strip.hidden = !up;
    lost.hidden = up;
    watched.poke();
  });
  // The lamps are drawn for the page's width.
  window.addEventListener('resize', () => { if (last) render(last); });
})();
