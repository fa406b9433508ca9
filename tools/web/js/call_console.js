// The call console: every published method with its parameter template,
// editable parameters, and the reply as it came.
import { el, panel, runCall, show, statusLine } from './ui.js';

// What the service itself answers besides the plug-in's methods.
const SERVICE_METHODS = [
  { name: 'session.createView', params: [], template: null },
  { name: 'host.selectView', params: ['view'], template: { view: 0 } },
  { name: 'host.changeMode', params: ['mode'], template: { mode: 0 } },
  { name: 'host.logout', params: [], template: null },
];

export class CallConsole {
  constructor(client) {
    this.client = client;
    this.methods = new Map();
    this.picker = el('select', { name: 'method', 'data-console-method': '', onchange: () => this.pick() });
    this.signature = el('code', { class: 'signature' });
    this.params = el('textarea', { name: 'params', rows: '6', spellcheck: 'false', 'data-console-params': '' });
    this.reply = el('pre', { class: 'reply', 'data-console-reply': '' });
    this.status = statusLine('console');
    this.element = panel('Call console',
      el('div', { class: 'row' }, this.picker, this.signature),
      this.params,
      el('div', { class: 'row' }, el('button', { type: 'button', 'data-action': 'console-call', onclick: () => this.call() }, 'Call'), this.status),
      this.reply);
    show(this.status, null, 'open the session to list the methods');
  }

  // The methods the session published, in their order, then the service's.
  setMethods(published) {
    this.methods.clear();
    const groups = [['Published methods', published], ['Service', SERVICE_METHODS]];
    this.picker.replaceChildren(...groups.map(([label, list]) => el('optgroup', { label }, list.map((method, index) => {
      const key = `${method.name}#${index}`;
      this.methods.set(key, method);
      return el('option', { value: key }, `${method.name}(${method.params.join(', ')})`);
    }))));
    show(this.status, true, `${published.length} published methods`);
    this.pick();
  }

  pick() {
    const method = this.methods.get(this.picker.value);
    if (!method) return;
    this.signature.textContent = method.params.length ? `params: ${method.params.join(', ')}` : 'no parameters';
    this.params.value = JSON.stringify(method.template ?? {}, null, 2);
  }

  async call() {
    const method = this.methods.get(this.picker.value);
    if (!method) return show(this.status, false, 'pick a method first');
    let params;
    try {
      params = JSON.parse(this.params.value || '{}');
    } catch (error) {
      return show(this.status, false, `the parameters are not JSON: ${error.message}`);
    }
    this.reply.textContent = '';
    const result = await runCall(this.client, this.status, method.name, params, () => [true, `answered ${method.name}`]);
    if (result !== undefined) this.reply.textContent = JSON.stringify(result, null, 2);
  }
}
