// The audience board, drawn from the state Kestrane scales for this
// window's size: the browser keeps no copy of the scaling rules. When the
// state comes for a nearby size (Kestrane builds a few sizes only), it is
// stretched to the window by the small rest.
'use strict';

(() => {
  const canvas = document.getElementById('board');
  const status = document.getElementById('status');
  const ctx = canvas.getContext('2d');
  const size = () => ({ w: window.innerWidth, h: window.innerHeight });
  let asked = size();
  const watched = feed.watch();

  const render = (state) => {
    const ratio = window.devicePixelRatio || 1;
    const w = asked.w;
    const h = asked.h;
    canvas.width = Math.round(w * ratio);
    canvas.height = Math.round(h * ratio);
    canvas.style.width = `${w}px`;
    canvas.style.height = `${h}px`;
    ctx.setTransform(ratio, 0, 0, ratio, 0, 0);
    ctx.fillStyle = state.back;
    ctx.fillRect(0, 0, w, h);
    const sx = w / state.width;
    const sy = h / state.height;
    const exact = sx === 1 && sy === 1;
    const box = exact ? (e) => e
      : (e) => ({ x: e.x * sx, y: e.y * sy, w: e.w * sx, h: e.h * sy });
    feed.draw(ctx, state, box, exact ? 1 : Math.min(sx, sy));
    watched.drawn(state);
  };

  const connection = feed.live(
    () => `?w=${asked.w}&h=${asked.h}`,
    render,
    (up) => { status.hidden = up; watched.poke(); });

  let resizeTimer = 0;
  window.addEventListener('resize', () => {
    clearTimeout(resizeTimer);
    resizeTimer = setTimeout(() => {
      const now = size();
      if (now.w !== asked.w || now.h !== asked.h) {
        asked = now;
        connection.restart();
      }
    }, 200);
  });
})();
