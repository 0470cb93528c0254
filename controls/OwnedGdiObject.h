// Sole owner of a pen, brush, font, bitmap or palette that was created for one user and is deleted by it.
#pragma once

#include <windows.h>

#include "foundation/UniqueHandle.h"

// The object must not be selected anywhere when the owner deletes it.
template <typename Handle>
using OwnedGdiObject = UniqueHandle<Handle, ::DeleteObject>;
