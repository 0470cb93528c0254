// Holds one reference to a solid or dotted pen of the application's GDI cache for one owner.
#pragma once

#include <windows.h>

class CachedPen {
public:
    enum Style { Solid, Dotted };

    explicit CachedPen(COLORREF colour, Style style = Solid);
    ~CachedPen();
    CachedPen(CachedPen&& other) noexcept;
    CachedPen(const CachedPen&) = delete;
    CachedPen& operator=(const CachedPen&) = delete;
    CachedPen& operator=(CachedPen&&) = delete;

    HPEN handle() const;

private:
    HPEN pen;
    Style style;
    // False once moved from; a failed creation gives a null handle that is still held.
    bool owns;
};
