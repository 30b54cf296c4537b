// Shared by the board page and the overlay: the live connection and the
// board's drawing rules, the same as the board window's renderer.
'use strict';

const feed = {
  // Connects to /live with the given query, calls onState with every state,
  // and reconnects by itself (after a restart of Kestrane, a lost network).
  live(query, onState, onStatus) {
    let socket = null;
    let delay = 250;
    let stopped = false;
    const open = () => {
      const proto = location.protocol === 'https:' ? 'wss:' : 'ws:';
      socket = new WebSocket(`${proto}//${location.host}/live${query()}`);
      socket.onopen = () => { delay = 250; onStatus(true); };
      socket.onmessage = (ev) => onState(JSON.parse(ev.data));
      socket.onclose = () => {
        onStatus(false);
        if (!stopped) setTimeout(open, delay);
        delay = Math.min(delay * 2, 2000);
      };
    };
    open();
    return {
      restart() { if (socket) socket.close(); },
      stop() { stopped = true; if (socket) socket.close(); },
    };
  },

  // window.kestrane, for tests and curious operators: the number of states
  // drawn (also <html data-drawn>), the last one, and until(test, ms), a
  // promise of true once test(state, element by name) holds for a drawn state
  // (or after poke(), for signs that are not drawings), of false after ms.
  watch(extra) {
    const waiting = new Set();
    const k = Object.assign({
      frames: 0,
      state: null,
      drawn(state) {
        k.frames += 1;
        k.state = state;
        document.documentElement.dataset.drawn = String(k.frames);
        k.poke();
      },
      poke() { for (const check of [...waiting]) check(); },
      until(test, ms) {
        return new Promise((done) => {
          const check = () => {
            let ok = false;
            try {
              const s = k.state;
              ok = s !== null && !!test(s, (name) => s.elements.find((e) => e.name === name));
            } catch (err) { ok = false; }
            if (ok) finish(true);
          };
          const timer = setTimeout(() => finish(false), ms);
          const finish = (result) => { clearTimeout(timer); waiting.delete(check); done(result); };
          waiting.add(check);
          check();
        });
      },
    }, extra);
    window.kestrane = k;
    return k;
  },

  // Draws the elements of a state. box(e) gives an element's box in canvas
  // pixels; k is canvas pixels per state pixel (fonts and borders).
  draw(ctx, state, box, k, only) {
    const byName = new Map(state.elements.map((e) => [e.name, e]));
    for (const e of state.elements) {
      const frame = e.in ? byName.get(e.in) : null;
      if (!e.visible || (frame && !frame.visible)) continue;
      if (only && !only(e)) continue;
      const r = box(e);
      ctx.save();
      if (frame) {
        const f = box(frame);
        ctx.beginPath();
        ctx.rect(f.x, f.y, f.w, f.h);
        ctx.clip();
      }
      if (e.kind === 'frame') {
        ctx.fillStyle = e.back;
        ctx.fillRect(r.x, r.y, r.w, r.h);
      } else if (e.kind === 'shape') {
        feed.shape(ctx, e, r, k);
      } else {
        feed.label(ctx, e, r, k);
      }
      ctx.restore();
    }
  },

  shape(ctx, e, r, k) {
    const border = e.borderWidth > 0 ? Math.max(1, Math.round(e.borderWidth * k)) : 0;
    let o = { x: r.x, y: r.y, w: r.w, h: r.h };
    if (e.shape === 'circle') {
      const d = Math.min(o.w, o.h);
      o = { x: o.x + (o.w - d) / 2, y: o.y + (o.h - d) / 2, w: d, h: d };
    }
    const s = border > 0 ? { x: o.x + border / 2, y: o.y + border / 2, w: o.w - border,
      h: o.h - border } : o;
    ctx.beginPath();
    if (e.shape === 'circle') {
      ctx.ellipse(s.x + s.w / 2, s.y + s.h / 2, Math.max(0, s.w / 2), Math.max(0, s.h / 2), 0, 0,
        2 * Math.PI);
    } else if (e.shape === 'rounded') {
      const radius = e.radius !== undefined ? e.radius * k
        : Math.max(0, Math.min(o.w, o.h) / 6 - border / 2);
      ctx.roundRect(s.x, s.y, Math.max(0, s.w), Math.max(0, s.h), radius);
    } else {
      ctx.rect(s.x, s.y, s.w, s.h);
    }
    if (e.opaque) {
      ctx.fillStyle = e.back;
      ctx.fill();
    }
    if (border > 0) {
      ctx.lineWidth = border;
      ctx.strokeStyle = e.border;
      ctx.lineJoin = 'miter';
      ctx.stroke();
    }
  },

  label(ctx, e, r, k) {
    if (e.opaque) {
      ctx.fillStyle = e.back;
      ctx.fillRect(r.x, r.y, r.w, r.h);
    }
    if (!e.caption) return;
    const px = Math.max(1, Math.round(e.font * k));
    ctx.font = `${e.bold ? 'bold ' : ''}${px}px Arial, "Liberation Sans", sans-serif`;
    ctx.fillStyle = e.color;
    ctx.textBaseline = 'alphabetic';
    const ascent = ctx.measureText(e.caption).fontBoundingBoxAscent;
    let x = r.x;
    ctx.textAlign = 'left';
    if (e.align === 'centre') { x = r.x + r.w / 2; ctx.textAlign = 'center'; }
    if (e.align === 'right') { x = r.x + r.w; ctx.textAlign = 'right'; }
    ctx.fillText(e.caption, x, r.y + ascent);
  },
};
