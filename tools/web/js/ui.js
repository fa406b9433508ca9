// Small DOM helpers and the one way every control runs a call: the outcome
// is written in words next to the control that caused it.
export function el(tag, attributes = {}, ...children) {
  const node = document.createElement(tag);
  for (const [key, value] of Object.entries(attributes)) {
    if (key === 'class') node.className = value;
    else if (key.startsWith('on')) node.addEventListener(key.slice(2), value);
    else if (value !== undefined && value !== null && value !== false) node.setAttribute(key, value === true ? '' : value);
  }
  for (const child of children.flat()) {
    if (child !== null && child !== undefined) node.append(child);
  }
  return node;
}

// A line of text beside a control: what happened last, in words.
export function statusLine(name) {
  return el('span', { class: 'status', 'data-status': name, role: 'status' });
}

export function show(status, ok, text) {
  status.textContent = text;
  status.classList.toggle('ok', ok === true);
  status.classList.toggle('fail', ok === false);
}

// The usual reading of a reply: true and non-negative numbers succeed.
export function plainOutcome(result) {
  if (result === true) return [true, 'done'];
  if (result === false) return [false, 'the device refused it (false)'];
  if (typeof result === 'number') return [result >= 0, `returned ${result}`];
  if (typeof result === 'string') return [true, result === '' ? 'returned an empty text' : `returned ${result}`];
  return [true, `returned ${JSON.stringify(result)}`];
}

// Calls `method` and shows its outcome in `status`; gives back the result,
// or undefined when the call failed.
export async function runCall(client, status, method, params, describe = plainOutcome) {
  show(status, null, `${method}…`);
  try {
    const result = await client.call(method, params);
    const [ok, text] = describe(result);
    show(status, ok, text);
    return result;
  } catch (error) {
    const code = error.code !== null && error.code !== undefined ? ` (error ${error.code})` : '';
    show(status, false, `${method} failed: ${error.message}${code}`);
    return undefined;
  }
}

// A button with its own status line; `params` is read when clicked.
export function actionRow(client, { label, method, params = () => ({}), describe, name, after }) {
  const status = statusLine(name || method);
  const button = el('button', {
    type: 'button',
    'data-action': name || method,
    onclick: async () => {
      const result = await runCall(client, status, method, params(), describe);
      if (after && result !== undefined) after(result);
    },
  }, label);
  return el('div', { class: 'row' }, button, status);
}

export function labelled(text, control) {
  return el('label', { class: 'field' }, el('span', {}, text), control);
}

export function numberInput(name, value, extra = {}) {
  return el('input', { type: 'number', name, value: String(value), ...extra });
}

export function textInput(name, value, extra = {}) {
  return el('input', { type: 'text', name, value, ...extra });
}

export function select(name, options, onchange) {
  return el('select', { name, onchange },
    options.map((text, index) => el('option', { value: String(index) }, `${index} · ${text}`)));
}

export function panel(title, ...children) {
  return el('section', { class: 'panel', 'data-panel': title }, el('h2', {}, title), ...children);
}
