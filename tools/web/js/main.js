// Wires the page: one protocol client, the panels around the view area, the
// event log and the call console.
import { ProtocolClient } from './protocol.js';
import { ViewRenderer } from './view.js';
import { SessionPanel } from './session_panel.js';
import { LivePanel } from './live_panel.js';
import { PlaybackPanel } from './playback_panel.js';
import { AnalysisPanel } from './analysis_panel.js';
import { EventLog } from './event_log.js';
import { CallConsole } from './call_console.js';
import { el, runCall, statusLine } from './ui.js';

const client = new ProtocolClient(`ws://${location.host}/plugin`);
const events = new EventLog();
const callConsole = new CallConsole(client);
const live = new LivePanel(client);
const playback = new PlaybackPanel(client);
const session = new SessionPanel(client, { onOpened: (methods) => callConsole.setMethods(methods) });
let state = null;

const viewStatus = statusLine('host.selectView');
const view = new ViewRenderer(document.querySelector('#view-area'), {
  onSelect: (index) => runCall(client, viewStatus, 'host.selectView', { view: index }, () => [true, `view ${index + 1} is current`]),
  onDrawn: (tool, points) => analysis.drawn(tool, points),
  onLeaveFullscreen: () => live.leaveFullscreen(),
});
const analysis = new AnalysisPanel(client, {
  onTool: (tool) => view.setTool(tool),
  currentView: () => (state ? state.currentView : 0),
});

client.on('event', (event) => {
  events.add(event);
  playback.onEvent(event);
});
client.on('viewState', (next) => {
  state = next;
  view.update(next);
  session.update(next);
  analysis.update(next);
  document.querySelector('#view-summary').textContent =
    `split ${next.split} · current view ${next.currentView + 1}${next.fullscreen ? ' · full screen' : ''}`;
});

document.querySelector('#controls').append(session.element, live.element);
document.querySelector('#playback').append(playback.element);
document.querySelector('#side').append(analysis.element, events.element);
document.querySelector('#view-panel').append(el('div', { class: 'row' }, viewStatus, live.leaveStatus));
document.querySelector('#console').append(callConsole.element);
session.connect();
