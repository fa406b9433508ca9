// Playback: downloads by time and by file with a progress bar fed by
// polling the progress method, stop, single frame back and volume.
import { actionRow, el, labelled, numberInput, panel, runCall, show, statusLine, textInput } from './ui.js';

const POLL_MS = 250;
// A download that reports no progress for this long is given up on.
const STALL_MS = 60000;

const started = (r) => (r === 1 ? [true, 'download started'] : [false, `download refused (${r})`]);

export class PlaybackPanel {
  constructor(client) {
    this.client = client;
    this.timer = null;
    const today = new Date().toISOString().slice(0, 10);
    const begin = textInput('beginTime', `${today} 08:00:00`);
    const end = textInput('endTime', `${today} 08:05:00`);
    const timeName = textInput('savedFileName', 'by-time.dav');
    const fileInfo = textInput('fileInfo', '{"channel": 1, "file": "/mnt/sd/record/0001.dav"}');
    const fileName = textInput('saveName', 'by-file.dav');
    const requestId = numberInput('requestID', 0, { min: 0 });
    const volume = el('input', { type: 'range', name: 'volume', min: '0', max: '100', value: '50' });
    this.bar = el('progress', { max: '100', value: '0', 'data-progress': '0' });
    this.percent = el('span', { class: 'percent' }, '0 %');
    this.progressStatus = statusLine('GetPlaybackMsg');
    const volumeStatus = statusLine('PlaySetVolume');
    volume.addEventListener('change', () => runCall(client, volumeStatus, 'PlaySetVolume', { volume: Number(volume.value) },
      (ok) => (ok ? [true, `volume ${volume.value}`] : [false, 'the device refused it (false)'])));
    const poll = () => this.startPolling();

    this.element = panel('Playback',
      labelled('Begin', begin), labelled('End', end), labelled('Save as', timeName),
      actionRow(client, {
        label: 'Download by time', method: 'DownloadByTimeEx', name: 'download-time', describe: started, after: poll,
        params: () => ({
          nRecordFileType: 0, beginTime: begin.value, endTime: end.value, savedFileName: timeName.value,
          format: 'dav', fileInfo: fileInfo.value,
        }),
      }),
      labelled('Record file', fileInfo), labelled('Save file as', fileName),
      actionRow(client, {
        label: 'Download by file', method: 'DownloadByRecordFile', name: 'download-file', describe: started, after: poll,
        params: () => ({ fileInfo: fileInfo.value, saveName: fileName.value, format: 'dav' }),
      }),
      el('div', { class: 'row progress-row' }, this.bar, this.percent, this.progressStatus),
      el('div', { class: 'row' }, labelled('Request id', requestId)),
      actionRow(client, {
        label: 'Stop download', method: 'StopDownload', name: 'stop-download',
        params: () => ({ requestID: Number(requestId.value) }),
        after: (ok) => ok && this.stopPolling('stopped'),
      }),
      actionRow(client, { label: 'Single frame back', method: 'SingleFramePlayBack', name: 'frame-back' }),
      el('div', { class: 'row' }, labelled('Volume', volume), volumeStatus));
  }

  setProgress(value) {
    const shown = Math.max(0, Math.min(100, value));
    this.bar.value = shown;
    this.bar.dataset.progress = String(value);
    this.percent.textContent = `${shown} %`;
  }

  startPolling() {
    this.stopPolling();
    this.setProgress(0);
    let last = 0;
    let lastChange = Date.now();
    this.timer = setInterval(async () => {
      const value = await runCall(this.client, this.progressStatus, 'GetPlaybackMsg', { lcmd: 0 },
        (v) => (v < 0 ? [false, `download failed (${v})`] : [true, v >= 100 ? 'download finished' : `downloading: ${v} %`]));
      if (this.timer === null) return;
      if (value === undefined || value < 0) return this.stopPolling();
      this.setProgress(value);
      if (value !== last) lastChange = Date.now();
      last = value;
      if (value >= 100) this.stopPolling();
      else if (Date.now() - lastChange > STALL_MS) this.stopPolling('no progress for a minute; stopped watching');
    }, POLL_MS);
  }

  stopPolling(why) {
    if (this.timer !== null) clearInterval(this.timer);
    this.timer = null;
    if (why) show(this.progressStatus, false, why);
  }

  // A failed download ends the polling at once.
  onEvent({ event }) {
    if (event === 'DownLoadError') {
      this.stopPolling('download failed ("DownLoadError")');
      this.setProgress(-1);
    }
  }
}
