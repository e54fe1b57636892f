// Fonts and brushes the room windows share, made once and freed with the frame.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

struct GdiDeleter {
    void operator()(void* object) const { DeleteObject(static_cast<HGDIOBJ>(object)); }
};
template <class Handle>
using GdiObject = std::unique_ptr<std::remove_pointer_t<Handle>, GdiDeleter>;

struct Look {
    GdiObject<HFONT> text;
    GdiObject<HFONT> title;
    GdiObject<HBRUSH> band; // behind the room name
    COLORREF bandColour = RGB(0, 40, 104);
    COLORREF bandText = RGB(255, 255, 255);

    static Look Make();
};
