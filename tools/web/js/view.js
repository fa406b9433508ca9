// The view area, drawn from the pushed view state: the windows of the
// split, the current view, each window's player, full screen, the analysis
// shapes, the clip region and the image overlay.  It also turns mouse
// drags on the current view into drawn figures for the analysis panel.
import { el } from './ui.js';
import { FRAME } from './modes.js';
import { clipRectangle, figuresOf, rgb } from './geometry.js';

const SVG = 'http://www.w3.org/2000/svg';

function svg(tag, attributes = {}) {
  const node = document.createElementNS(SVG, tag);
  for (const [key, value] of Object.entries(attributes)) node.setAttribute(key, String(value));
  return node;
}

const pointsText = (points) => points.map(([x, y]) => `${x},${y}`).join(' ');

function figureNode({ kind, points }, attributes) {
  if (kind === 'line') {
    const [[x1, y1], [x2, y2]] = points;
    return svg('line', { x1, y1, x2, y2, ...attributes });
  }
  if (kind === 'polygon') return svg('polygon', { points: pointsText(points), ...attributes });
  const [[x1, y1], [x2, y2]] = points;
  return svg('rect', {
    x: Math.min(x1, x2), y: Math.min(y1, y2), width: Math.abs(x2 - x1), height: Math.abs(y2 - y1), ...attributes,
  });
}

export class ViewRenderer {
  // `onSelect(view)` when a window is clicked; `onDrawn(tool, points)` when
  // a figure is finished on the current view.
  constructor(root, { onSelect, onDrawn, onLeaveFullscreen }) {
    this.root = root;
    this.onSelect = onSelect;
    this.onDrawn = onDrawn;
    this.onLeaveFullscreen = onLeaveFullscreen;
    this.state = null;
    this.tool = null;
    this.draft = null;
    this.hint = el('p', { class: 'hint', 'data-hint': '' });
    this.grid = el('div', { class: 'grid', 'data-view-grid': '' });
    this.banner = el('div', { class: 'fullscreen-banner' }, 'Full screen',
      el('button', { type: 'button', 'data-action': 'leave-fullscreen', onclick: () => this.onLeaveFullscreen() }, 'Leave full screen'));
    root.append(this.banner, this.grid, this.hint);
    document.addEventListener('keydown', (event) => {
      if (event.key === 'Escape') this.cancelDraft();
    });
    this.render();
  }

  // null, 'line', 'rect', 'polygon' or 'clip'.
  setTool(tool) {
    this.tool = tool;
    this.cancelDraft();
  }

  update(state) {
    this.state = state;
    this.render();
  }

  cancelDraft() {
    this.draft = null;
    this.render();
  }

  render() {
    const state = this.state;
    this.root.classList.toggle('fullscreen', Boolean(state && state.fullscreen));
    this.hint.textContent = this.hintText();
    this.grid.replaceChildren();
    if (!state) {
      this.grid.style.gridTemplateColumns = '1fr';
      this.grid.append(el('div', { class: 'window empty' }, el('span', { class: 'placeholder' }, 'Open a session to see the views')));
      return;
    }
    const columns = Math.max(1, Math.round(Math.sqrt(state.split)));
    this.grid.style.gridTemplateColumns = `repeat(${columns}, 1fr)`;
    for (let view = 0; view < state.split; ++view) this.grid.append(this.windowNode(view));
  }

  hintText() {
    const tips = {
      line: 'Drag on the current view to draw a line.',
      rect: 'Drag on the current view to draw a rectangle.',
      polygon: 'Click points on the current view; double-click to finish, Esc to cancel.',
      clip: 'Drag on the current view to mark the clip region.',
    };
    return this.tool ? tips[this.tool] : 'Click a window to make it the current view.';
  }

  windowNode(view) {
    const state = this.state;
    const player = state.players ? state.players[String(view)] : undefined;
    const current = view === state.currentView;
    const label = player ? `▶ playing · player ${player}` : 'no video';
    const node = el('div', {
      class: `window${current ? ' current' : ''}${player ? ' playing' : ''}`,
      'data-view': String(view),
      'data-player': player ? String(player) : '',
    }, el('div', { class: 'window-label' }, el('b', {}, `View ${view + 1}`), ' ', el('span', { class: 'player-state' }, label)));
    const drawing = svg('svg', { viewBox: `0 0 ${FRAME.width} ${FRAME.height}`, preserveAspectRatio: 'none', class: 'drawing' });
    this.drawOverlay(drawing, view);
    this.drawAnalysis(drawing, view);
    this.drawClip(drawing, view);
    if (current) this.drawDraft(drawing);
    node.append(drawing);
    this.wireMouse(node, drawing, view);
    return node;
  }

  drawOverlay(drawing, view) {
    const overlay = this.state.overlay || {};
    if (!overlay.visible || (overlay.view ?? 0) !== view || !Array.isArray(overlay.rect)) return;
    const [x, y, width, height] = overlay.rect;
    const group = svg('g', { class: 'overlay', 'data-overlay': '' });
    group.append(svg('rect', { x, y, width, height }));
    const text = svg('text', { x: x + 12, y: y + height - 16 });
    text.textContent = `image: ${overlay.image ?? ''}`;
    group.append(text);
    drawing.append(group);
  }

  drawAnalysis(drawing, view) {
    const shapes = (this.state.analysis && this.state.analysis.shapes) || {};
    for (const [number, shape] of Object.entries(shapes)) {
      if (shape.view !== view || !shape.shown) continue;
      const colour = rgb(shape.color);
      const group = svg('g', {
        class: `shape${shape.selected ? ' selected' : ''}`, 'data-shape': number, 'data-shape-type': shape.shapeType,
      });
      if (colour) group.style.setProperty('--shape-colour', colour);
      const figures = figuresOf(shape.data);
      for (const figure of figures) group.append(figureNode(figure, {}));
      if (figures.length > 0) {
        const [x, y] = figures[0].points[0];
        const label = svg('text', { x: x + 4, y: Math.max(18, y - 6) });
        label.textContent = `#${number} ${shape.markedName}`;
        group.append(label);
      }
      drawing.append(group);
    }
  }

  drawClip(drawing, view) {
    const rect = clipRectangle(this.state.clipRegion, FRAME);
    if (!rect || (this.state.clipView ?? 0) !== view) return;
    drawing.append(svg('rect', { class: 'clip', 'data-clip': '', ...rect }));
  }

  drawDraft(drawing) {
    if (!this.draft) return;
    const { tool, points } = this.draft;
    const kind = tool === 'polygon' ? (points.length > 2 ? 'polygon' : 'line') : tool === 'line' ? 'line' : 'rect';
    if (points.length < 2) return;
    const node = kind === 'polygon' ? svg('polyline', { points: pointsText(points) }) : figureNode({ kind, points }, {});
    node.setAttribute('class', `draft${tool === 'clip' ? ' clip' : ''}`);
    drawing.append(node);
  }

  // Mouse position in frame pixels.
  static framePoint(drawing, event) {
    const box = drawing.getBoundingClientRect();
    const x = Math.round(((event.clientX - box.left) / box.width) * FRAME.width);
    const y = Math.round(((event.clientY - box.top) / box.height) * FRAME.height);
    return [Math.min(Math.max(x, 0), FRAME.width), Math.min(Math.max(y, 0), FRAME.height)];
  }

  wireMouse(node, drawing, view) {
    const current = view === this.state.currentView;
    node.addEventListener('mousedown', (event) => {
      if (!current) {
        this.onSelect(view);
        return;
      }
      if (!this.tool) {
        this.onSelect(view);
        return;
      }
      event.preventDefault();
      const point = ViewRenderer.framePoint(drawing, event);
      if (this.tool === 'polygon') {
        if (!this.draft) this.draft = { tool: 'polygon', points: [point, point] };
        else this.draft.points.push(point);
      } else {
        this.draft = { tool: this.tool, points: [point, point], dragging: true };
      }
      this.renderDraft(drawing);
    });
    if (!current) return;
    node.addEventListener('mousemove', (event) => {
      if (!this.draft) return;
      this.draft.points[this.draft.points.length - 1] = ViewRenderer.framePoint(drawing, event);
      this.renderDraft(drawing);
    });
    node.addEventListener('mouseup', (event) => {
      if (!this.draft || !this.draft.dragging) return;
      const { tool, points } = this.draft;
      points[1] = ViewRenderer.framePoint(drawing, event);
      this.draft = null;
      this.render();
      if (points[0][0] !== points[1][0] || points[0][1] !== points[1][1]) this.onDrawn(tool, points);
    });
    node.addEventListener('dblclick', () => {
      if (!this.draft || this.draft.tool !== 'polygon') return;
      // The double click added the last point twice, and the moving point once more.
      const points = this.draft.points.filter((p, i, all) => i === 0 || p[0] !== all[i - 1][0] || p[1] !== all[i - 1][1]);
      this.draft = null;
      this.render();
      if (points.length >= 3) this.onDrawn('polygon', points);
    });
  }

  // Redraws only the draft while the mouse moves, keeping the listeners.
  renderDraft(drawing) {
    for (const old of drawing.querySelectorAll('.draft')) old.remove();
    this.drawDraft(drawing);
  }
}
