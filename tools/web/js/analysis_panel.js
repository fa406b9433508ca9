// Analysis: enable the module, pick a drawing tool (line, rectangle,
// polygon, clip region), create what was drawn through the creation
// method, and select, show, colour, delete and read back a shape.
import { actionRow, el, labelled, panel, runCall, show, statusLine, textInput } from './ui.js';
import { FRAME } from './modes.js';

// What each tool sends: the page's shape type, marked name and data key.
const SHAPE_KINDS = {
  line: { shapeType: 'LineShape', makedName: 'arrow' },
  rect: { shapeType: 'Rect', makedName: 'Rect' },
  polygon: { shapeType: 'Polygon', makedName: 'area' },
};

const TOOLS = [
  [null, 'Select views'], ['line', 'Line'], ['rect', 'Rectangle'], ['polygon', 'Polygon'], ['clip', 'Clip region'],
];

export class AnalysisPanel {
  // `onTool(tool)` when the drawing tool changes; `currentView()` reads the
  // view the figure is drawn on.
  constructor(client, { onTool, currentView }) {
    this.client = client;
    this.currentView = currentView;
    this.eventName = textInput('eventName', 'CrossRegionDetection');
    this.drawStatus = statusLine('CreateMainVideoAnalyseShape');
    this.clipStatus = statusLine('RegionClip');
    this.shapeList = el('select', { name: 'shape', size: '4', 'data-shape-list': '' });
    this.shapeStatus = statusLine('shape');
    this.colour = el('input', { type: 'color', name: 'colour', value: '#ff3b30' });
    this.config = el('pre', { class: 'config', 'data-config': '' });
    this.enabled = el('span', { class: 'badge' }, 'module off');

    const toolButtons = TOOLS.map(([tool, label]) => el('button', {
      type: 'button', class: tool === null ? 'tool active' : 'tool', 'data-tool': tool ?? 'none',
      onclick: (event) => {
        for (const b of toolButtons) b.classList.toggle('active', b === event.currentTarget);
        onTool(tool);
      },
    }, label));

    const shapeCall = (label, method, params, describe) => el('button', {
      type: 'button', 'data-action': label.toLowerCase().replace(/ /g, '-'),
      onclick: async () => {
        const shapeID = this.selectedShape();
        if (shapeID === null) return show(this.shapeStatus, false, 'pick a shape in the list first');
        const result = await runCall(client, this.shapeStatus, method, { shapeID, ...params() }, describe);
        if (method === 'GetVideoAnalyseShapeConfigData' && result !== undefined) this.config.textContent = result;
      },
    }, label);
    const done = (what) => (ok) => (ok ? [true, what] : [false, 'the device refused it (false)']);

    this.element = panel('Analysis',
      el('div', { class: 'row' },
        el('button', { type: 'button', 'data-action': 'analysis-on', onclick: () => this.enable(true) }, 'Enable module'),
        el('button', { type: 'button', 'data-action': 'analysis-off', onclick: () => this.enable(false) }, 'Disable'),
        this.enabled),
      (this.enableStatus = statusLine('EnableVideoAnalyseModule')),
      labelled('Event name', this.eventName),
      el('div', { class: 'row tools' }, ...toolButtons),
      el('div', { class: 'row' }, this.drawStatus),
      el('div', { class: 'row' }, this.clipStatus),
      labelled('Shapes', this.shapeList),
      el('div', { class: 'row wrap' },
        shapeCall('Select', 'SelectVideoAnalyseShape', () => ({ flag: true }), done('selected')),
        shapeCall('Unselect', 'SelectVideoAnalyseShape', () => ({ flag: false }), done('unselected')),
        shapeCall('Show', 'ShowVideoAnalyseShape', () => ({ flag: true }), done('shown')),
        shapeCall('Hide', 'ShowVideoAnalyseShape', () => ({ flag: false }), done('hidden')),
        shapeCall('Delete', 'DeleteVideoAnalyseShape', () => ({}), done('deleted')),
        shapeCall('Read back', 'GetVideoAnalyseShapeConfigData', () => ({}), (text) => [text !== '', text === '' ? 'no such shape' : 'configuration read'])),
      el('div', { class: 'row' }, this.colour,
        shapeCall('Set colour', 'SetVideoAnalyseShapeColor', () => this.colourParams(), done('colour set'))),
      el('div', { class: 'row' }, this.shapeStatus),
      this.config,
      actionRow(client, { label: 'Delete all shapes', method: 'DeleteAllVideoAnalyseShape', name: 'delete-all' }));
  }

  enable(flag) {
    return runCall(this.client, this.enableStatus, 'EnableVideoAnalyseModule', { flag },
      (ok) => (ok ? [true, flag ? 'analysis module enabled' : 'analysis module disabled'] : [false, 'the device refused it (false)']));
  }

  selectedShape() {
    return this.shapeList.value === '' ? null : Number(this.shapeList.value);
  }

  colourParams() {
    const hex = this.colour.value;
    const part = (i) => parseInt(hex.slice(1 + 2 * i, 3 + 2 * i), 16);
    return { red: part(0), green: part(1), blue: part(2), sel: false };
  }

  // A figure finished on the view: a shape or the clip region.
  drawn(tool, points) {
    if (tool === 'clip') return this.clip(points);
    const { shapeType, makedName } = SHAPE_KINDS[tool];
    return runCall(this.client, this.drawStatus, 'CreateMainVideoAnalyseShape', {
      winID: this.currentView(), eventName: this.eventName.value, shapeType, makedName,
      data: JSON.stringify({ [makedName]: points }), param: '',
    }, (n) => (n > 0 ? [true, `shape #${n} created`] : [false, 'no shape created (0): enable the module first']));
  }

  clip([[x1, y1], [x2, y2]]) {
    return runCall(this.client, this.clipStatus, 'RegionClip', {
      width: FRAME.width, height: FRAME.height,
      left: Math.min(x1, x2), top: Math.min(y1, y2), right: Math.max(x1, x2), buttom: Math.max(y1, y2),
    }, (r) => (r === 0 ? [true, 'clip region set'] : [false, `no clip region (${r}): start live video on this view first`]));
  }

  update(state) {
    const analysis = state.analysis || { enabled: false, shapes: {} };
    this.enabled.textContent = analysis.enabled ? 'module on' : 'module off';
    this.enabled.classList.toggle('on', Boolean(analysis.enabled));
    const chosen = this.shapeList.value;
    this.shapeList.replaceChildren(...Object.entries(analysis.shapes).map(([number, shape]) => el('option', { value: number },
      `#${number} ${shape.shapeType} "${shape.markedName}" · view ${shape.view + 1}${shape.shown ? '' : ' · hidden'}${shape.selected ? ' · selected' : ''}`)));
    if (chosen && analysis.shapes[chosen]) this.shapeList.value = chosen;
    else if (this.shapeList.options.length > 0) this.shapeList.selectedIndex = this.shapeList.options.length - 1;
  }
}
