// The page protocol client: one WebSocket to the service's /plugin, calls
// answered by id, and the pushed page events and view states handed to
// listeners.
export class CallError extends Error {
  constructor(code, message) {
    super(message);
    this.code = code;
  }
}

export class ProtocolClient {
  constructor(url) {
    this.url = url;
    this.nextId = 1;
    this.pending = new Map();
    this.listeners = { event: [], viewState: [], close: [], open: [] };
    this.socket = null;
  }

  on(kind, listener) {
    this.listeners[kind].push(listener);
  }

  emit(kind, value) {
    for (const listener of this.listeners[kind]) listener(value);
  }

  // Resolves once the socket is open; rejects when the service refuses it.
  connect() {
    return new Promise((resolve, reject) => {
      const socket = new WebSocket(this.url);
      this.socket = socket;
      let opened = false;
      socket.onopen = () => {
        opened = true;
        this.emit('open');
        resolve();
      };
      socket.onmessage = (message) => this.receive(message.data);
      socket.onclose = (close) => {
        for (const { reject: fail } of this.pending.values()) {
          fail(new CallError(null, 'the connection closed'));
        }
        this.pending.clear();
        if (!opened) reject(new Error('the service refused the connection'));
        this.emit('close', close);
      };
    });
  }

  get connected() {
    return this.socket !== null && this.socket.readyState === WebSocket.OPEN;
  }

  // Sends a call; resolves with its result, rejects with a CallError.
  call(method, params = {}) {
    if (!this.connected) return Promise.reject(new CallError(null, 'not connected to the service'));
    const id = this.nextId++;
    this.socket.send(JSON.stringify({ id, method, params }));
    return new Promise((resolve, reject) => this.pending.set(id, { resolve, reject }));
  }

  receive(text) {
    let message;
    try {
      message = JSON.parse(text);
    } catch {
      return;
    }
    if ('event' in message) return this.emit('event', message);
    if ('viewState' in message) return this.emit('viewState', message.viewState);
    const waiting = this.pending.get(message.id);
    if (!waiting) return;
    this.pending.delete(message.id);
    if (message.error) waiting.reject(new CallError(message.error.code, message.error.message));
    else waiting.resolve(message.result);
  }
}
