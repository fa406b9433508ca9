// Reads the shapes a view draws out of their configuration documents:
// two points make a line or a rectangle, more make a polygon, and a size
// pair [w, h] is a rectangle from the corner.
const isPoint = (value) => Array.isArray(value) && value.length === 2 && value.every(Number.isFinite);

export function figuresOf(data) {
  const figures = [];
  if (!data || typeof data !== 'object') return figures;
  for (const [key, value] of Object.entries(data)) {
    if (!Array.isArray(value)) continue;
    if (isPoint(value)) {
      figures.push({ kind: 'rect', key, points: [[0, 0], value] });
    } else if (value.every(isPoint) && value.length === 2) {
      figures.push({ kind: /line|arrow/i.test(key) ? 'line' : 'rect', key, points: value });
    } else if (value.every(isPoint) && value.length > 2) {
      figures.push({ kind: 'polygon', key, points: value });
    }
  }
  return figures;
}

// The clip region's document {"clipShape": [[w, h], [l, t], [r, b]]} as a
// rectangle in frame pixels, scaled from the frame size it was drawn in.
export function clipRectangle(region, frame) {
  const parts = region && region.clipShape;
  if (!Array.isArray(parts) || parts.length !== 3 || !parts.every(isPoint)) return null;
  const [[width, height], [left, top], [right, bottom]] = parts;
  const sx = width > 0 ? frame.width / width : 1;
  const sy = height > 0 ? frame.height / height : 1;
  return {
    x: Math.min(left, right) * sx,
    y: Math.min(top, bottom) * sy,
    width: Math.abs(right - left) * sx,
    height: Math.abs(bottom - top) * sy,
  };
}

export const rgb = (colour) => (Array.isArray(colour) ? `rgb(${colour.join(',')})` : null);
