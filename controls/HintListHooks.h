// The visible hint lists of the thread, in the order they were shown (the last is the top
// one), and the two thread hooks that exist exactly while one is visible: a call-window-procedure
// hook and a get-message hook. Through them the owner's keys and the wheel reach the top list,
// and a click on another window or a loss of focus closes every list.
#pragma once

class THintListBox;

// Called by a list as it becomes visible or invisible; the first installs the hooks, the last
// removes them. A failed installation raises ELastError and leaves nothing changed.
void HintListShown(THintListBox* list);
void HintListHidden(THintListBox* list);
// A visible list becomes the top one.
void HintListRaise(THintListBox* list);

// Module start-up registers the wheel message of old mouse drivers; shut-down removes the hooks
// of lists still visible and forgets them.
void HintListBoxStartup();
void HintListBoxShutdown();

// Hooks installed now, for tests: 2 while a list is visible, else 0.
int HintListHookCount();
