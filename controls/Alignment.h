// One-byte placement codes of captions, bitmaps and marks inside a control.
#pragma once

#include <windows.h>

// Low nibble horizontal (0 centred, 1 left, 2 right), high nibble vertical
// (0 centred, 1 top, 2 bottom).
using Alignment = int;

const Alignment AlignCentre = 0x00;
const Alignment AlignLeft = 0x01;
const Alignment AlignRight = 0x02;
const Alignment AlignTop = 0x10;
const Alignment AlignBottom = 0x20;
const Alignment AlignTopLeft = 0x11;
// Bitmaps only: stretched over the whole content rectangle.
const Alignment AlignStretch = 0x33;

// A width x height box placed inside outer; centring gives the odd pixel to
// the right or bottom. Nibbles other than 0, 1 and 2 centre.
RECT placeBox(const RECT& outer, Alignment alignment, int width, int height);

// DT_LEFT, DT_RIGHT or DT_CENTER for the horizontal nibble.
UINT horizontalTextFlag(Alignment alignment);
