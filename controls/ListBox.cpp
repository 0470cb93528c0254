#include "controls/ListBox.h"

#include <climits>
#include <cstring>

#include "controls/FontSelection.h"
#include "controls/OwnedGdiObject.h"
#include "toolkit/ClassTags.h"
#include "toolkit/LifeGuard.h"

namespace {

const DWORD childStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_TABSTOP;
const DWORD popupStyle = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
const int scrollBarWidth = 20;
// Left margin of the item texts.
const int textMargin = 2;
// No click recorded yet, or the last one already made a double click.
const int noRow = INT_MIN;

int clampToInt(std::int64_t value)
{
    return value < INT_MIN ? INT_MIN : value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

}

ListBox::ListBox(Window* owner, int x, int y, int width, int height, int mode, int ownItems)
    : Control("", owner, x, y, width, height, mode == Popup ? popupStyle : childStyle, WS_EX_TOOLWINDOW),
      mode_(mode == Popup ? Follow : mode),
      popup_(mode == Popup ? 1 : 0),
      ownItems_(ownItems ? 1 : 0),
      selectionColour_(backgroundColour()),
      selectedTextColour_(textColour()),
      lastClickRow_(noRow)
{
    setClassTag(ClassTag::ListBox);
    initialiseLook(BorderSunken, textAlignment());
    // The scroll bar is a child, yet the list itself holds the focus.
    setContainerFocus(1);
    if (ownItems_)
        items_ = std::make_unique<ListItemArray>();
    RECT c;
    getClientRect(c);
    scrollBar_ = new ScrollBar(this, 1, c.right - scrollBarWidth, c.top, scrollBarWidth, c.bottom - c.top, DockRight);
    scrollBar_->setThumbTabStop(0);
    scrollBar_->setFaceFill(0);
    scrollBar_->setRange(0, 0, 0, 0);
    scrollBar_->addScrollListener(this, scrolled);
}

ListBox::~ListBox()
{
    markDestroying();
    scrollBar_->removeScrollListener(this, scrolled);
    items_.reset();
}

int ListBox::rowHeight() const
{
    return textHeight() > 0 ? textHeight() : 1;
}

int ListBox::visibleRows() const
{
    const int rows = (clientHeight() - 2 * borderWidth()) / rowHeight();
    return rows > 0 ? rows : 0;
}

int ListBox::count() const
{
    return items_ ? items_->count() : virtualCount_;
}

int ListBox::rowAt(int y) const
{
    return clampToInt(std::int64_t(firstVisibleRow()) + (y - borderWidth()) / rowHeight());
}

bool ListBox::onBorder(int x, int y) const
{
    const int b = borderWidth();
    return x < b || y < b || y >= clientHeight() - b;
}

void ListBox::updateRange()
{
    scrollBar_->setRange(0, count(), visibleRows(), scrollBar_->position());
}

void ListBox::itemsChangedFrom(int index)
{
    updateRange();
    // Rows below the visible ones change no pixel of the list.
    if (std::int64_t(index) <= std::int64_t(firstVisibleRow()) + visibleRows())
        invalidate();
}

// ---- items ----

int ListBox::addItem(const char* text)
{
    if (!items_)
        return 0;
    const int index = items_->count();
    return insertItem(text, index) ? index : -1;
}

int ListBox::insertItem(const char* text, int index)
{
    if (!items_)
        return 0;
    ListItem* item = ListItem::make(text);
    const int at = static_cast<unsigned>(index) < static_cast<unsigned>(items_->count()) ? index : items_->count();
    if (!item || !items_->insertItem(item, at)) {
        ListItem::destroy(item);
        return 0;
    }
    // The current item moved down with the others.
    if (current_ >= at)
        ++current_;
    itemsChangedFrom(at);
    return 1;
}

int ListBox::removeItem(int index)
{
    if (!items_ || !isItem(index))
        return 0;
    items_->removeAt(index);
    if (current_ == index)
        current_ = -1;
    else if (current_ > index)
        --current_;
    itemsChangedFrom(index);
    return 1;
}

void ListBox::setItemText(int index, const char* text)
{
    if (!items_ || !isItem(index))
        return;
    ListItem* item = ListItem::make(text);
    if (!item || !items_->replace(index, item)) {
        ListItem::destroy(item);
        return;
    }
    // The item is no longer selected, so it can no longer be the selection.
    if (current_ == index && mode_ != Multiple)
        current_ = -1;
    itemsChangedFrom(index);
}

const char* ListBox::itemText(int index) const
{
    const ListItem* item = items_ ? items_->item(index) : nullptr;
    return item ? item->text : nullptr;
}

int ListBox::isSelected(int index) const
{
    const ListItem* item = items_ ? items_->item(index) : nullptr;
    return item && (item->flags & ListItem::selectedFlag) ? 1 : 0;
}

void ListBox::clear()
{
    if (items_)
        items_->clear();
    current_ = -1;
    scrollBar_->setRange(0, 0, 0, 0);
    invalidate();
}

void ListBox::setVirtualCount(int n)
{
    if (items_)
        return;
    virtualCount_ = n > 0 ? n : 0;
    updateRange();
    invalidate();
}

// ---- selection ----

void ListBox::select(int index, int on)
{
    if (!items_ || !isItem(index))
        return;
    ListItem* item = items_->item(index);
    if (mode_ == Multiple) {
        item->flags = on ? (item->flags | ListItem::selectedFlag) : (item->flags & ~ListItem::selectedFlag);
        invalidate();
        return;
    }
    LifeGuard life(*this);
    if (on && index != current_) {
        if (ListItem* previous = items_->item(current_))
            previous->flags &= ~ListItem::selectedFlag;
        item->flags |= ListItem::selectedFlag;
        current_ = index;
        bringIntoView(index);
    } else if (!on && index == current_) {
        item->flags &= ~ListItem::selectedFlag;
        current_ = -1;
    } else {
        return;
    }
    if (!life.alive())
        return;
    invalidate();
    onSelectionChanged();
}

void ListBox::bringIntoView(int index)
{
    const std::int64_t first = scrollBar_->position();
    const std::int64_t page = scrollBar_->pageSize();
    if (index < first)
        scrollTo(index);
    else if (index >= first + page)
        scrollTo(index - page + 1);
}

void ListBox::selectClamped(std::int64_t target)
{
    const int last = count() - 1;
    select(clampToInt(target < 0 ? 0 : target > last ? last : target), 1);
}

void ListBox::scrollTo(std::int64_t row)
{
    scrollBar_->scrollTo(row);
}

void ListBox::setSelectionColour(COLORREF colour)
{
    selectionColour_ = colour;
    invalidate();
}

void ListBox::setSelectedTextColour(COLORREF colour)
{
    selectedTextColour_ = colour;
    invalidate();
}

// ---- events ----

void ListBox::scrolled(ListBox* list, ScrollBar*)
{
    list->invalidate();
    list->onScrolled();
}

void ListBox::onScrolled()
{
    LifeGuard life(*this);
    scrolledListeners_.invoke(listenerLock(), life, this);
}

void ListBox::onSelectionChanged()
{
    LifeGuard life(*this);
    selectionListeners_.invoke(listenerLock(), life, this);
}

void ListBox::onItemChosen()
{
    LifeGuard life(*this);
    chosenListeners_.invoke(listenerLock(), life, this);
}

void ListBox::onDoubleClick()
{
    LifeGuard life(*this);
    doubleClickListeners_.invoke(listenerLock(), life, this);
}

void ListBox::removeListListeners(const void* owner)
{
    scrolledListeners_.removeOwner(owner, listenerLock());
    chosenListeners_.removeOwner(owner, listenerLock());
    doubleClickListeners_.removeOwner(owner, listenerLock());
    selectionListeners_.removeOwner(owner, listenerLock());
    drawListeners_.removeOwner(owner, listenerLock());
}

// ---- mouse and keys ----

void ListBox::onLeftButtonDown(WPARAM flags, int x, int y)
{
    LifeGuard life(*this);
    takeFocus(0);
    if (!life.alive() || onBorder(x, y))
        return;
    const int row = rowAt(y);
    if (items_ && isItem(row)) {
        if (mode_ == Single)
            select(row, 1);
        else if (mode_ == Multiple)
            pressMultiple(flags, row);
    }
    if (life.alive())
        Control::onLeftButtonDown(flags, x, y);
}

void ListBox::pressMultiple(WPARAM flags, int row)
{
    if (flags & MK_CONTROL) {
        select(row, !isSelected(row));
        return;
    }
    if ((flags & MK_SHIFT) && isItem(current_)) {
        const int from = current_ < row ? current_ : row;
        const int to = current_ < row ? row : current_;
        for (int i = from; i <= to; ++i)
            items_->item(i)->flags |= ListItem::selectedFlag;
        invalidate();
        onSelectionChanged();
        return;
    }
    for (int i = 0; i < items_->count(); ++i)
        items_->item(i)->flags &= ~ListItem::selectedFlag;
    items_->item(row)->flags |= ListItem::selectedFlag;
    current_ = row;
    invalidate();
}

void ListBox::onMouseMove(WPARAM flags, int x, int y)
{
    LifeGuard life(*this);
    if (items_ && mode_ == Follow && !onBorder(x, y) && isItem(rowAt(y)))
        select(rowAt(y), 1);
    if (life.alive())
        Control::onMouseMove(flags, x, y);
}

void ListBox::onLeftButtonUp(WPARAM flags, int x, int y)
{
    LifeGuard life(*this);
    const int row = clampToInt(std::int64_t(firstVisibleRow()) + y / rowHeight());
    const DWORD now = GetTickCount();
    RECT content;
    getClientRect(content);
    const POINT point = {x, y};
    if (row == lastClickRow_ && now - lastClickTime_ < GetDoubleClickTime()) {
        // A third click starts again rather than making a second double click.
        lastClickRow_ = noRow;
        onDoubleClick();
    } else if (PtInRect(&content, point)) {
        lastClickTime_ = now;
        lastClickRow_ = row;
        onItemChosen();
    }
    if (life.alive())
        Control::onLeftButtonUp(flags, x, y);
}

void ListBox::onRightButtonDown(WPARAM flags, int x, int y)
{
    LifeGuard life(*this);
    takeFocus(0);
    if (life.alive() && items_ && mode_ == Single && (flags & MK_RBUTTON) && !onBorder(x, y))
        select(rowAt(y), 1);
}

void ListBox::onKeyDown(WPARAM key, LPARAM)
{
    if (mode_ != Single && mode_ != Follow)
        return;
    const std::int64_t current = current_;
    const std::int64_t page = scrollBar_->pageSize();
    switch (key) {
    case VK_UP:
        if (current_ >= 0)
            select(current_ - 1, 1);
        break;
    case VK_DOWN:
        select(current_ + 1, 1);
        break;
    case VK_NEXT:
        selectClamped(current + page);
        break;
    case VK_PRIOR:
        selectClamped(current - page);
        break;
    case VK_HOME:
        select(0, 1);
        break;
    case VK_END:
        select(count() - 1, 1);
        break;
    case VK_RETURN:
        onItemChosen();
        break;
    case VK_ESCAPE:
        if (parent() && parent()->classTag() == ClassTag::DropDownList) {
            show(0);
            parent()->takeFocus(0);
        }
        break;
    default:
        break;
    }
}

void ListBox::onMouseWheel(DWORD packedWheel, Window*)
{
    scrollTo(std::int64_t(firstVisibleRow()) - wheelNotches(packedWheel));
}

void ListBox::onSize()
{
    LifeGuard life(*this);
    if (scrollBar_)
        updateRange();
    if (life.alive())
        Control::onSize();
}

void ListBox::setFont(HFONT font)
{
    Control::setFont(font);
    if (items_)
        items_->forgetWidths();
    if (scrollBar_)
        scrollBar_->setPageSize(visibleRows());
}

// ---- painting ----

LRESULT ListBox::onPaint(HDC dc)
{
    RECT content;
    getClientRect(content);
    // The bar's own state, not whether it can be seen: a hidden list painted
    // into a DC it was handed still has its bar.
    if (scrollBar_->style() & WS_VISIBLE)
        content.right -= scrollBar_->width();
    LifeGuard life(*this);
    {
        FontSelection font(dc, fontOrSystem(this->font()));
        const int mode = SetBkMode(dc, TRANSPARENT);
        const COLORREF text = GetTextColor(dc);
        const COLORREF back = GetBkColor(dc);
        const bool enabled = isEnabled() != 0;
        const RowColours colours = {enabled ? textColour() : disabledTextColour(),
                                    enabled ? selectedTextColour_ : disabledTextColour(), faceColour(),
                                    selectionColour_};
        const int height = rowHeight();
        const std::int64_t last = std::int64_t(firstVisibleRow()) + scrollBar_->pageSize() + 1;
        int top = content.top;
        for (int i = firstVisibleRow(); i <= last && i < count() && top < content.bottom; ++i, top += height) {
            const RECT row = {content.left, top, content.right, top + height < content.bottom ? top + height : content.bottom};
            paintRow(dc, row, i, colours);
            if (!life.alive())
                return 0;
        }
        if (top < content.bottom) {
            const RECT rest = {content.left, top, content.right, content.bottom};
            FillRect(dc, &rest, faceBrush());
        }
        SetTextColor(dc, text);
        SetBkColor(dc, back);
        SetBkMode(dc, mode);
    }
    RECT client;
    GetClientRect(handle(), &client);
    drawBorder(dc, client);
    // A DC handed over with the message is somebody else's surface: the
    // window's own update region stays as it was.
    if (paintArgument() != 0)
        return 0;
    return Window::onPaint(dc);
}

void ListBox::paintRow(HDC dc, const RECT& row, int index, const RowColours& colours)
{
    int ownDrawing = 1;
    LifeGuard life(*this);
    if (!drawListeners_.invoke(listenerLock(), life, this, dc, row, index, &ownDrawing) || !ownDrawing || !items_)
        return;
    ListItem* item = items_->item(index);
    const bool selected = (item->flags & ListItem::selectedFlag) != 0;
    const COLORREF background = selected ? colours.selection : colours.face;
    SetTextColor(dc, selected ? colours.selectedText : colours.text);
    const int length = static_cast<int>(std::strlen(item->text));
    if (item->width < 0) {
        SIZE extent = {0, 0};
        GetTextExtentPoint32A(dc, item->text, length, &extent);
        item->width = extent.cx;
    }
    // A text that fits needs no ellipsis: one opaque, clipped output fills the
    // row and writes the text where the left margin of 2 puts it.
    if (row.left + textMargin + item->width <= row.right) {
        SetBkColor(dc, background);
        ExtTextOutA(dc, row.left + textMargin, row.top, ETO_OPAQUE | ETO_CLIPPED, &row, item->text,
                    static_cast<UINT>(length), nullptr);
        return;
    }
    {
        const OwnedGdiObject<HBRUSH> brush(CreateSolidBrush(background));
        FillRect(dc, &row, brush.get());
    }
    DRAWTEXTPARAMS margins = {sizeof(DRAWTEXTPARAMS), 0, textMargin, 0, 0};
    RECT r = row;
    DrawTextExA(dc, item->text, length, &r, DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS, &margins);
}
