#include "controls/Label.h"

#include "toolkit/ClassTags.h"

Label::Label(const char* caption, Window* parent, int x, int y, int width, int height, DWORD style)
    : Control(caption, parent, x, y, width, height, style, 0)
{
    setClassTag(ClassTag::Label);
    initialiseLook(BorderNone, AlignTopLeft);
    if (width == 0 && height == 0)
        fitToText();
}

Label::~Label()
{
    markDestroying();
}

LRESULT Label::setCaption(String caption, int refit)
{
    return setCaption(caption.cStr(), refit);
}

LRESULT Label::setCaption(const char* caption, int refit)
{
    const LRESULT result = setText(caption);
    if (refit)
        fitToText();
    return result;
}
