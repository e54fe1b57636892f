// Fonts, brushes and the display scale the room windows share, made once and freed with the
// frame.
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
    int dpi = 96; // lengths below and in the windows' layouts are written for 96 and scaled
    GdiObject<HFONT> text;
    GdiObject<HFONT> title;
    GdiObject<HBRUSH> band; // behind the room name
    COLORREF bandColour = RGB(0, 40, 104);
    COLORREF bandText = RGB(255, 255, 255);

    int Scaled(int pixelsAt96) const { return MulDiv(pixelsAt96, dpi, 96); }
    RECT Scaled(RECT r) const {
        return {Scaled(r.left), Scaled(r.top), Scaled(r.right), Scaled(r.bottom)};
    }

    // For the system's display scale (the room is system-DPI aware).
    static Look Make();
};
