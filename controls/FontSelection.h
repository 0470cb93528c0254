// Selects a control's font into a DC for one scope, leaving a font that is already selected alone.
#pragma once

#include <windows.h>

#include <optional>

#include "toolkit/SelectGuard.h"

// Selecting a font again re-realizes it, which is slow under Wine; so the
// selection is skipped when the DC holds that font already.
class FontSelection {
public:
    FontSelection(HDC dc, HGDIOBJ font);
    FontSelection(const FontSelection&) = delete;
    FontSelection& operator=(const FontSelection&) = delete;

private:
    std::optional<SelectGuard> selection;
};

// The font itself, or the system font for a window without one.
HGDIOBJ fontOrSystem(HFONT font);
