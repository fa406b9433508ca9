// Mode-name tables: the page passes the index, the device gets the name.
export const MULTI_SCREEN_MODES = ['Original', 'OnePlusThree', 'OnePlusFive', 'OnePlusThreeEx', 'OnePlusSix', 'Pano'];

export const FISHEYE_MODES = [
  'Original', 'BkOnePano', 'BkPanoPlusOneEptz', 'BkTwoPano', 'BkOriSusPlusTwoEptz', 'BkOriPlusThreeEptz',
  'BkPanoPlusThreeEptz', 'BkOriSusPlusFourEptz', 'BkOriPlusFourEptz', 'BkPanoSusPlusFourEptz', 'BkPanoPlusSixEptz',
  'BkOriPlusEightEptz', 'BkPanoPlusEightEptz', 'BkOriSusPlusTwoPano', 'BkOriPlusTwoPano', 'BkOriPlusTwoEptz',
  'BkPanoPlusFourEptz', 'BkOriPlusOneEptz', 'BkOneEptz', 'VRSemiSphere', 'VRCylinder', 'VRLittlePlanet', 'VRPano',
];

// Display ratios of SetShowMode: mode 2 asks for 16:9.
export const DISPLAY_RATIOS = ['Fill window', 'Original ratio', '16:9'];

export const SPLITS = [1, 4, 9, 16];

// The frame every view is drawn in; shapes and clip regions use its pixels.
export const FRAME = { width: 704, height: 576 };
