// Sole owner of one open registry key handle; closes it exactly once.
#pragma once

#include <windows.h>

#include "foundation/UniqueHandle.h"

using RegistryHandle = UniqueHandle<HKEY, ::RegCloseKey>;
