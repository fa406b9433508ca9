// The session panel: page type, device address and account, log in and
// out.  Opening the session connects to the service first when needed.
import { el, labelled, numberInput, panel, runCall, show, statusLine, textInput } from './ui.js';

const LOGIN_RESULTS = {
  0: [true, 'logged in'],
  [-1]: [false, 'login refused: wrong password (-1)'],
  [-2]: [false, 'login refused: unknown user (-2)'],
  [-3]: [false, 'login refused: no device address or port (-3)'],
};

export class SessionPanel {
  // `onOpened(methods)` once the session is open.
  constructor(client, { onOpened }) {
    this.client = client;
    this.onOpened = onOpened;
    this.opened = false;
    this.inputs = {
      pageType: textInput('pageType', 'web3.0'),
      ip: textInput('ip', '192.168.1.108'),
      port: numberInput('port', 37777, { min: 0, max: 65535 }),
      username: textInput('username', 'admin', { autocomplete: 'username' }),
      password: el('input', { type: 'password', name: 'password', value: 'admin', autocomplete: 'current-password' }),
    };
    this.connection = statusLine('connection');
    this.openStatus = statusLine('session.open');
    this.loginStatus = statusLine('LoginDeviceEx');
    this.logoutStatus = statusLine('host.logout');
    this.loggedIn = el('span', { class: 'badge', 'data-logged-in': 'false' }, 'logged out');
    show(this.connection, null, 'not connected');
    client.on('close', () => {
      this.opened = false;
      show(this.connection, false, 'the connection to the service closed; reload the page');
    });
    this.element = panel('Session',
      el('div', { class: 'row' }, el('span', {}, 'Service: '), this.connection),
      labelled('Page type', this.inputs.pageType),
      el('div', { class: 'row' }, el('button', { type: 'button', 'data-action': 'open-session', onclick: () => this.open() }, 'Open session'), this.openStatus),
      labelled('Device address', this.inputs.ip),
      labelled('Port', this.inputs.port),
      labelled('User', this.inputs.username),
      labelled('Password', this.inputs.password),
      el('div', { class: 'row' },
        el('button', { type: 'button', 'data-action': 'login', onclick: () => this.login() }, 'Log in'), this.loginStatus),
      el('div', { class: 'row' },
        el('button', { type: 'button', 'data-action': 'logout', onclick: () => this.logout() }, 'Log out'), this.logoutStatus),
      el('div', { class: 'row' }, el('span', {}, 'Device: '), this.loggedIn));
  }

  async connect() {
    if (this.client.connected) return true;
    show(this.connection, null, 'connecting…');
    try {
      await this.client.connect();
      show(this.connection, true, `connected to ${this.client.url}`);
      return true;
    } catch (error) {
      show(this.connection, false, `cannot connect: ${error.message}`);
      return false;
    }
  }

  // Opens the session once per connection, then creates the view.
  async open() {
    if (this.opened) return true;
    if (!(await this.connect())) {
      show(this.openStatus, false, 'not connected to the service');
      return false;
    }
    const pageType = this.inputs.pageType.value;
    const result = await runCall(this.client, this.openStatus, 'session.open', { pageType },
      (r) => [true, `open as ${pageType}: ${r.methods.length} methods published`]);
    if (result === undefined) return false;
    this.opened = true;
    this.inputs.pageType.disabled = true;
    await runCall(this.client, this.openStatus, 'session.createView', {},
      () => [true, `open as ${pageType}: ${result.methods.length} methods published, view created`]);
    this.onOpened(result.methods);
    return true;
  }

  async login() {
    if (!(await this.open())) return show(this.loginStatus, false, 'open the session first');
    const i = this.inputs;
    await runCall(this.client, this.loginStatus, 'LoginDeviceEx', {
      ip: i.ip.value, port: Number(i.port.value), username: i.username.value, password: i.password.value, specCap: 0,
    }, (r) => LOGIN_RESULTS[r] || [false, `login failed (${r})`]);
  }

  async logout() {
    await runCall(this.client, this.logoutStatus, 'host.logout', {},
      (was) => (was ? [true, 'logged out'] : [false, 'was not logged in']));
  }

  update(state) {
    this.loggedIn.textContent = state.loggedIn ? 'logged in' : 'logged out';
    this.loggedIn.dataset.loggedIn = String(Boolean(state.loggedIn));
    this.loggedIn.classList.toggle('on', Boolean(state.loggedIn));
  }
}
