// Reads what is on the screen, as a person would see it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

class ScreenShot {
  public:
    explicit ScreenShot(RECT area);  // screen coordinates
    COLORREF At(int x, int y) const; // screen coordinates inside the area
    bool SaveBmp(const std::wstring& path) const;

  private:
    RECT area_;
    std::vector<std::uint32_t> pixels_; // top-down 0x00RRGGBB
};

// Largest per-channel difference of two colours.
int ColourDistance(COLORREF a, COLORREF b);
