// The event log: every page event, newest first, with its typed arguments.
import { el, panel } from './ui.js';

const MAX_ENTRIES = 300;

// The type of a plain JSON argument as the event record carried it.
// Texts that hold JSON are shown on one line, so that messages stay short.
function compactJson(text) {
  const trimmed = text.trim();
  if (!trimmed.startsWith('{') && !trimmed.startsWith('[')) return text;
  try {
    return JSON.stringify(JSON.parse(trimmed));
  } catch {
    return text;
  }
}

export function typedArgument(value) {
  if (value === null) return ['null', 'null'];
  if (typeof value === 'boolean') return ['bool', String(value)];
  if (typeof value === 'number') return [Number.isInteger(value) ? 'int' : 'real', String(value)];
  if (typeof value === 'string') return ['text', `"${compactJson(value)}"`];
  return ['json', JSON.stringify(value)];
}

export class EventLog {
  constructor() {
    this.list = el('ol', { class: 'events', 'data-event-log': '', reversed: true });
    this.count = 0;
    this.element = panel('Events',
      el('div', { class: 'row' }, el('button', { type: 'button', 'data-action': 'clear-events', onclick: () => this.list.replaceChildren() }, 'Clear')),
      this.list);
  }

  add({ event, args }) {
    ++this.count;
    const time = new Date().toTimeString().slice(0, 8);
    const argumentNodes = (args || []).map((value) => {
      const [type, text] = typedArgument(value);
      return el('span', { class: `arg ${type}` }, el('i', {}, type), ' ', text);
    });
    const entry = el('li', { 'data-event': event },
      el('span', { class: 'time' }, time), ' ', el('b', {}, event), ' ', ...argumentNodes);
    this.list.prepend(entry);
    while (this.list.children.length > MAX_ENTRIES) this.list.lastElementChild.remove();
  }
}
