// The toolkit's private window messages, the docking modes and the packed mouse-wheel word.
#pragma once

#include <windows.h>

const UINT TKM_ACTIVATE = 0x8000;
const UINT TKM_FOCUSCHILD = 0x8001;
const UINT TKM_TABNEXT = 0x8002;
const UINT TKM_ENABLE = 0x8003;
const UINT TKM_COMMAND = 0x8004;
const UINT TKM_SHOW = 0x8005;
const UINT TKM_ESCAPE = 0x8006;
const UINT TKM_NOTIFY = 0x8008;
const UINT TKM_WHEEL = 0x8009;
const UINT TKM_CHILDADDED = 0x800A;
const UINT TKM_ENDMODAL = 0x800B;

enum DockMode {
    DockNone = 0,
    DockTop = 1,
    DockBottom = 2,
    DockLeft = 3,
    DockRight = 4,
    DockInnerTop = 5,
    DockInnerBottom = 6,
    DockFill = 7
};

// Low 16 bits: the key flags of WM_MOUSEWHEEL; high 16 bits: whole notches,
// the signed delta divided by 120 and truncated towards zero.
DWORD packWheelWord(WPARAM wheelWparam);
int wheelNotches(DWORD packed);
int wheelKeyFlags(DWORD packed);
