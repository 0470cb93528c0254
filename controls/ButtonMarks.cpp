#include "controls/ButtonMarks.h"

namespace {

void line(HDC dc, int x1, int y1, int x2, int y2)
{
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

// Lines gathered into one PolyPolyline call per batch: each two-point
// polyline sets the pixels of the MoveToEx and LineTo pair it replaces.
class LineBatch {
public:
    explicit LineBatch(HDC dc) : dc_(dc) {}
    ~LineBatch() { flush(); }
    LineBatch(const LineBatch&) = delete;
    LineBatch& operator=(const LineBatch&) = delete;

    void add(int x1, int y1, int x2, int y2)
    {
        if (lines_ == capacity)
            flush();
        points_[2 * lines_] = {x1, y1};
        points_[2 * lines_ + 1] = {x2, y2};
        ++lines_;
    }

private:
    static constexpr int capacity = 32;

    void flush()
    {
        static const DWORD pairs[capacity] = {2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2,
                                              2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2};
        if (lines_ != 0)
            PolyPolyline(dc_, points_, pairs, static_cast<DWORD>(lines_));
        lines_ = 0;
    }

    HDC dc_;
    POINT points_[2 * capacity];
    int lines_ = 0;
};

} // namespace

void drawLineMark(HDC dc, MarkStyle style, int x, int y, int n)
{
    LineBatch lines(dc);
    switch (style) {
    case MarkTriangleDown:
        for (int j = 0; j < n; ++j)
            lines.add(x + j / 2, y + j, x + n - j / 2, y + j);
        break;
    case MarkTriangleUp:
        for (int j = 0; j < n; ++j)
            lines.add(x + j / 2, y + n - j - 1, x + n - j / 2, y + n - j - 1);
        break;
    case MarkTriangleLeft:
        for (int j = 0; j < (n + 1) / 2; ++j) {
            lines.add(x + n - 1, y + j, x + n - 2 * j - 1, y + j);
            lines.add(x + n - 1, y + n - j - 1, x + n - 2 * j - 1, y + n - j - 1);
        }
        break;
    case MarkTriangleRight:
        for (int j = 0; j < (n + 1) / 2; ++j) {
            lines.add(x, y + j, x + 2 * j, y + j);
            lines.add(x, y + n - j - 1, x + 2 * j, y + n - j - 1);
        }
        break;
    case MarkBar:
        for (int i = 0; i < n / 3; ++i)
            lines.add(x, y + i, x + n, y + i);
        break;
    default:
        break;
    }
}

void drawCrossMark(HDC dc, int x, int y, int n)
{
    line(dc, x, y, x + n, y + n);
    line(dc, x, y + n, x + n, y);
}
