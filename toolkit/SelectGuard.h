// Selects a pen, brush, font or bitmap into a DC for one scope and selects the previous object back.
#pragma once

#include <windows.h>

// Declare the object before its guard, so the selection is undone before the
// object goes. Regions are not supported (SelectObject returns no handle for them).
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object);
    ~SelectGuard();
    SelectGuard(SelectGuard&& other) noexcept;
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;
    SelectGuard& operator=(SelectGuard&&) = delete;

    // The object that was selected before; null when the selection failed.
    HGDIOBJ previous() const;

private:
    HDC dc;
    HGDIOBJ previousObject;
};
