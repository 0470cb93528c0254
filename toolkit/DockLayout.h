// The docking layout that places a window's docked children in one deferred batch.
#pragma once

class Window;

// Top and Bottom first, then Left and Right, then InnerTop and InnerBottom,
// then every Fill child over what is left. Hidden children keep their order
// but use up no space.
void layoutDockedChildren(Window& parent);
