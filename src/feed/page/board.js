// The audience board, drawn from the state Kestrane scales for this
// window's size: the browser keeps no copy of the scaling rules.
'use strict';

(() => {
  const canvas = document.getElementById('board');
  const status = document.getElementById('status');
  const ctx = canvas.getContext('2d');
  const size = () => ({ w: window.innerWidth, h: window.innerHeight });
  let asked = size();
  // For tests and curious operators: frames drawn and the last state.
  window.kestrane = { frames: 0, state: null, onDraw: null };

  const render = (state) => {
    const ratio = window.devicePixelRatio || 1;
    canvas.width = Math.round(state.width * ratio);
    canvas.height = Math.round(state.height * ratio);
    canvas.style.width = `${state.width}px`;
    canvas.style.height = `${state.height}px`;
    ctx.setTransform(ratio, 0, 0, ratio, 0, 0);
    ctx.fillStyle = state.back;
    ctx.fillRect(0, 0, state.width, state.height);
    feed.draw(ctx, state, (e) => e, 1);
    window.kestrane.frames += 1;
    window.kestrane.state = state;
    if (window.kestrane.onDraw) window.kestrane.onDraw(state);
  };

  const connection = feed.live(
    () => `?w=${asked.w}&h=${asked.h}`,
    render,
    (up) => { status.hidden = up; });

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
