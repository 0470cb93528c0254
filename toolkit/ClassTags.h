// The 32-bit class tags that identify the toolkit's objects behind a window handle.
#pragma once

#include <cstdint>

namespace ClassTag {

const std::uint32_t Base = 0x28174800u;
const std::uint32_t Component = 0x28174800u;
const std::uint32_t Window = 0x28174801u;
const std::uint32_t Control = 0x28174802u;
const std::uint32_t Button = 0x28174803u;
const std::uint32_t ScrollBar = 0x28174804u;
const std::uint32_t ListBox = 0x28174807u;
const std::uint32_t DropDownList = 0x28174808u;
const std::uint32_t Label = 0x28174811u;

// The toolkit owns the 256 values from Base up; the unsigned difference makes
// values below Base wrap round to large numbers.
inline bool isToolkitTag(std::uint32_t tag)
{
    return tag - Base < 256u;
}

}
