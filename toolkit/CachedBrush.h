// Holds one reference to a solid brush of the application's GDI cache for one owner.
#pragma once

#include <windows.h>

class CachedBrush {
public:
    explicit CachedBrush(COLORREF colour);
    ~CachedBrush();
    CachedBrush(CachedBrush&& other) noexcept;
    CachedBrush(const CachedBrush&) = delete;
    CachedBrush& operator=(const CachedBrush&) = delete;
    CachedBrush& operator=(CachedBrush&&) = delete;

    HBRUSH handle() const;

private:
    HBRUSH brush;
    // False once moved from; a failed creation gives a null handle that is still held.
    bool owns;
};
