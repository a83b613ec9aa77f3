#pragma once
// The page's side of the SDL backend, in the browser build only: the browser owns the frame
// callbacks and the storage. Outside a page (the replay checker under node) each call does
// nothing and answers as a desktop would.

// Saves are written through to the browser's storage before they report success.
void webStart();
// Returns at the browser's next frame callback: a present waits for the display this way.
void webAwaitFrame();
// The rate of the page's frame callbacks measured so far, in Hz; 0 while unknown.
double webFrameRate();
