// Live controls: video, full screen, split, talk, snapshot, record, local
// enlarge, focus, the display modes (names from their tables), the colour
// sliders and the image overlay.
import { actionRow, el, labelled, numberInput, panel, runCall, select, statusLine, textInput } from './ui.js';
import { DISPLAY_RATIOS, FISHEYE_MODES, MULTI_SCREEN_MODES, SPLITS } from './modes.js';

// A pair of buttons that send the same method with a flag on and off.
function onOff(client, { label, method, key, name }) {
  const status = statusLine(name);
  const button = (text, flag) => el('button', {
    type: 'button', 'data-action': `${name}-${flag ? 'on' : 'off'}`,
    onclick: () => runCall(client, status, method, key(flag)),
  }, text);
  return el('div', { class: 'row' }, el('span', { class: 'row-label' }, label), button('On', true), button('Off', false), status);
}

// A list of modes: picking one sends its index.
function modeSelect(client, { label, method, modes, key = 'mode' }) {
  const status = statusLine(method);
  const chooser = select(method, modes, () => runCall(client, status, method, { [key]: Number(chooser.value) },
    (ok) => (ok ? [true, `${modes[Number(chooser.value)]} set`] : [false, 'the device refused it (false)'])));
  return el('div', { class: 'row' }, labelled(label, chooser), status);
}

export class LivePanel {
  constructor(client) {
    this.client = client;
    const channel = numberInput('channel', 1, { min: 0 });
    const stream = numberInput('stream', 0, { min: 0 });
    const snapPath = textInput('snapshotPath', 'pictures/snapshot');
    const recordPath = textInput('recordPath', 'recordings/clip.dav');
    const imagePath = textInput('imagePath', 'pictures/snapshot.jpg');
    let snapshots = 0;

    const splitStatus = statusLine('SetVideoWndNum');
    const splitButtons = SPLITS.map((num) => el('button', {
      type: 'button', 'data-action': `split-${num}`,
      onclick: () => runCall(client, splitStatus, 'SetVideoWndNum', { num },
        (ok) => (ok ? [true, `split into ${num}`] : [false, 'the device refused the split (false)'])),
    }, String(num)));

    const colour = {};
    const colourStatus = statusLine('SetColor');
    const sendColour = () => runCall(client, colourStatus, 'SetColor', {
      regionIndex: 0, ...Object.fromEntries(Object.entries(colour).map(([k, input]) => [k, Number(input.value)])),
    }, (ok) => (ok ? [true, 'colour adjusted'] : [false, 'the device refused it (false)']));
    const sliders = ['brightness', 'contrast', 'saturation', 'hue'].map((name) => {
      colour[name] = el('input', { type: 'range', name, min: '0', max: '128', value: '64', onchange: sendColour });
      return labelled(name[0].toUpperCase() + name.slice(1), colour[name]);
    });

    this.element = panel('Live',
      el('div', { class: 'row' }, labelled('Channel', channel), labelled('Stream', stream)),
      actionRow(client, {
        label: 'Connect live video', method: 'ConnectRealVideo', name: 'connect-video',
        params: () => ({ channel: Number(channel.value), stream: Number(stream.value) }),
        describe: (ok) => (ok ? [true, 'live video playing'] : [false, 'no video: log in first (false)']),
      }),
      el('div', { class: 'row' }, el('span', { class: 'row-label' }, 'Split'), ...splitButtons, splitStatus),
      actionRow(client, { label: 'Full screen', method: 'OnFullScreenClk', name: 'fullscreen' }),
      onOff(client, { label: 'Talk', method: 'ControlTalking', name: 'talk', key: (on) => ({ flag: on ? 1 : 0 }) }),
      labelled('Snapshot path', snapPath),
      actionRow(client, {
        label: 'Snapshot', method: 'SnapOnePicture', name: 'snapshot',
        params: () => ({ path: `${snapPath.value}-${++snapshots}`, format: 'jpg', flag: false }),
        describe: (ok) => (ok ? [true, `picture saved as ${snapPath.value}-${snapshots}.jpg`] : [false, 'no picture (false)']),
      }),
      labelled('Recording path', recordPath),
      onOff(client, { label: 'Record', method: 'RecordVideo', name: 'record', key: (on) => ({ path: recordPath.value, format: 0, enable: on }) }),
      onOff(client, { label: 'Local enlarge', method: 'PartialEnlarged', name: 'enlarge', key: (on) => ({ enable: on }) }),
      onOff(client, { label: 'Auto focus', method: 'SetAutoAFEnable', name: 'focus', key: (on) => ({ enable: on }) }),
      onOff(client, { label: 'Anti-aliasing', method: 'SetAntiAliasMode', name: 'antialias', key: (on) => ({ mode: on ? 1 : 0 }) }),
      modeSelect(client, { label: 'Display ratio', method: 'SetShowMode', modes: DISPLAY_RATIOS }),
      modeSelect(client, { label: 'Multi-screen', method: 'SetShowMultiScreenMode', modes: MULTI_SCREEN_MODES }),
      modeSelect(client, { label: 'Fisheye', method: 'SetFeShowMode', modes: FISHEYE_MODES }),
      el('fieldset', { class: 'sliders' }, el('legend', {}, 'Colour'), ...sliders, colourStatus),
      labelled('Overlay image', imagePath),
      onOff(client, { label: 'Image overlay', method: 'ShowImageInWindow', name: 'overlay', key: (on) => ({ Path: imagePath.value, enable: on }) }));
    this.leaveStatus = statusLine('SetFullScreenMode');
  }

  leaveFullscreen() {
    return runCall(this.client, this.leaveStatus, 'SetFullScreenMode', { fullscreen: 0 });
  }
}

