// The process-wide option set of the library: off at load, set by the dialog layer's start-up
// with the standard application settings, read by the windows and controls.
#pragma once

struct TLibraryOptions {
  // The memo and the edit field show their own Japanese context menus.
  bool InHouseContextMenus = false;
  // A first click into an unfocused edit field selects all of its text.
  bool EditFirstClick = false;
  // The progress window mirrors its bar on the taskbar button.
  bool TaskbarProgress = false;
  // What work forms pass on to every in-house edit field placed on them: option bit 0 (no
  // capacity measurement), and bits 1 and 2 (text centred vertically, never automatic height).
  bool WorkFormEditNoCapacity = false;
  bool WorkFormEditCentred = false;
  // The progress window's face becomes "MS UI Gothic".
  bool UiGothicFace = false;
};

extern TLibraryOptions LibraryOptions;
