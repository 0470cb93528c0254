// Focus memory and Tab navigation through the tree of toolkit windows.
#pragma once

#include <windows.h>

class Window;

// Offers the focus to the remembered child, then to the other children in
// the given direction, then to the window itself (only when it has no
// children or container focus, and is visible, enabled and a tab stop).
// Returns 1 when this window or a descendant took the focus.
int takeFocusInTree(Window& window, int backwards);

// WM_SETFOCUS: passes the focus on to the remembered (or first willing) child,
// otherwise reports this window up the chain of parents.
void focusArrived(Window& window);

// TKM_FOCUSCHILD: remembers the reporting child and reports up; with
// arrived 0 the memory is cleared up the chain.
void focusChildReported(Window& window, WPARAM arrived, LPARAM sender);

// TKM_TABNEXT: moves the focus to the next focusable window after the
// remembered child; at the end a popup or a top-level window wraps round,
// any other window passes the request to its parent.
void tabToNext(Window& window, int backwards);
