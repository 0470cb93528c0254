// A borderless caption at the top left of its area that can size itself to its text.
#pragma once

#include "controls/Control.h"
#include "foundation/String.h"

class Label : public Control {
public:
    // With width and height both 0 the label takes the size of its caption.
    Label(const char* caption, Window* parent, int x, int y, int width, int height, DWORD style);
    ~Label() override;

    // Sets the window text and, with refit, resizes to it keeping the top-left
    // corner. Returns what setting the text returns.
    virtual LRESULT setCaption(String caption, int refit);
    virtual LRESULT setCaption(const char* caption, int refit);
};
