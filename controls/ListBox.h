// A vertical list of one-line items with a docked scroll bar, inline or as the popup of a drop-down list.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "controls/Control.h"
#include "controls/ListItemArray.h"
#include "controls/ScrollBar.h"

class ListBox : public Control {
public:
    // Select on press; select under the pointer; several items; a hidden popup in mode 1.
    enum Mode { Single = 0, Follow = 1, Multiple = 2, Popup = 3 };
    using ListListeners = ListenerList<ListBox*>;
    // (list, dc, row rectangle, index, flag a listener sets to 0 when it drew the row itself)
    using ItemDrawListeners = ListenerList<ListBox*, HDC, const RECT&, int, int*>;

    // Without own items the list keeps only a count and its rows are drawn by
    // the item-drawing listeners.
    ListBox(Window* owner, int x, int y, int width, int height, int mode, int ownItems);
    ~ListBox() override;

    LRESULT onPaint(HDC dc) override;
    void onLeftButtonDown(WPARAM flags, int x, int y) override;
    void onLeftButtonUp(WPARAM flags, int x, int y) override;
    void onRightButtonDown(WPARAM flags, int x, int y) override;
    void onMouseMove(WPARAM flags, int x, int y) override;
    void onKeyDown(WPARAM key, LPARAM flags) override;
    void onSize() override;
    void onMouseWheel(DWORD packedWheel, Window* source) override;
    void setFont(HFONT font) override;

    virtual void onScrolled();
    virtual void onSelectionChanged();
    virtual void onItemChosen();
    virtual void onDoubleClick();

    // Item operations work on own items only and ignore an index outside the items.
    // The new item's index; -1 when there is no room or memory, 0 without own items.
    int addItem(const char* text);
    // Before index; an index past the end (or negative) appends. 1, or 0 when nothing was inserted.
    int insertItem(const char* text, int index);
    // 1, or 0 when nothing was removed.
    int removeItem(int index);
    // The item becomes unselected.
    void setItemText(int index, const char* text);
    // Null for a bad index.
    const char* itemText(int index) const;
    int isSelected(int index) const;
    void clear();
    int count() const;
    // Lists without own items only; a negative count counts as 0.
    void setVirtualCount(int n);
    void select(int index, int on);
    int currentIndex() const { return current_; }
    void scrollTo(std::int64_t row);
    int firstVisibleRow() const { return static_cast<int>(scrollBar_->position()); }
    int visibleRows() const;
    int rowHeight() const;
    void setSelectionColour(COLORREF colour);
    void setSelectedTextColour(COLORREF colour);
    COLORREF selectionColour() const { return selectionColour_; }
    COLORREF selectedTextColour() const { return selectedTextColour_; }
    int mode() const { return mode_; }
    int isPopup() const { return popup_; }
    int hasOwnItems() const { return ownItems_; }
    ScrollBar* scrollBar() const { return scrollBar_; }

    template <typename Owner>
    void addScrolledListener(Owner* o, void (*f)(Owner*, ListBox*)) { scrolledListeners_.add(o, f); }
    template <typename Owner>
    void addItemChosenListener(Owner* o, void (*f)(Owner*, ListBox*)) { chosenListeners_.add(o, f); }
    template <typename Owner>
    void addDoubleClickListener(Owner* o, void (*f)(Owner*, ListBox*)) { doubleClickListeners_.add(o, f); }
    template <typename Owner>
    void addSelectionChangedListener(Owner* o, void (*f)(Owner*, ListBox*)) { selectionListeners_.add(o, f); }
    template <typename Owner>
    void addItemDrawListener(Owner* o, void (*f)(Owner*, ListBox*, HDC, const RECT&, int, int*))
    {
        drawListeners_.add(o, f);
    }
    // Takes every listener of that owner out of the five lists.
    void removeListListeners(const void* owner);

private:
    static void scrolled(ListBox* list, ScrollBar* bar);

    // The row under y, which may be no item at all.
    int rowAt(int y) const;
    bool isItem(int row) const { return row >= 0 && row < count(); }
    bool onBorder(int x, int y) const;
    void updateRange();
    // Invalidates when an item at or above index can be seen.
    void itemsChangedFrom(int index);
    void bringIntoView(int index);
    void pressMultiple(WPARAM flags, int row);
    // The colours of one paint, decided once for all its rows.
    struct RowColours {
        COLORREF text;
        COLORREF selectedText;
        COLORREF face;
        COLORREF selection;
    };
    void paintRow(HDC dc, const RECT& row, int index, const RowColours& colours);
    // Selects the item at target clamped to the items, for the keys.
    void selectClamped(std::int64_t target);

    int mode_;
    ScrollBar* scrollBar_ = nullptr;
    int popup_;
    int ownItems_;
    int current_ = -1;
    std::unique_ptr<ListItemArray> items_;
    int virtualCount_ = 0;
    COLORREF selectionColour_;
    COLORREF selectedTextColour_;
    DWORD lastClickTime_ = 0;
    int lastClickRow_;
    ListListeners scrolledListeners_;
    ListListeners chosenListeners_;
    ListListeners doubleClickListeners_;
    ListListeners selectionListeners_;
    ItemDrawListeners drawListeners_;
};
