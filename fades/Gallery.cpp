#include "Gallery.h"

#include "FadeName.h"

#include <iterator>
#include <string>

namespace quillon::fades {

namespace {

constexpr Colour Hex(std::uint32_t rgb) {
    return {static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8),
            static_cast<std::uint8_t>(rgb)};
}

constexpr BuiltInFade kGallery[] = {
    {u"Sunset", {Hex(0xFF5E3A), Hex(0xFF9500), Hex(0xFFCC00)}, 3},
    {u"Ocean", {Hex(0x0077B6), Hex(0x00B4D8), Hex(0x90E0EF)}, 3},
    {u"Forest", {Hex(0x1B5E20), Hex(0x66BB6A)}, 2},
    {u"Fire", {Hex(0xB22222), Hex(0xFF4500), Hex(0xFFD700)}, 3},
    {u"Ice", {Hex(0x0047AB), Hex(0xADD8E6)}, 2},
    {u"Neon", {Hex(0xFF00FF), Hex(0x00FFFF)}, 2},
    {u"Rainbow", {Hex(0xFF0000), Hex(0xFFFF00), Hex(0x00FF00), Hex(0x0000FF)}, 4},
    {u"Gold", {Hex(0xB8860B), Hex(0xFFD700), Hex(0xB8860B)}, 3},
    {u"Grape", {Hex(0x4B0082), Hex(0xBA55D3)}, 2},
};

} // namespace

std::span<const BuiltInFade> Gallery() {
    return kGallery;
}

const BuiltInFade* FindBuiltIn(std::u16string_view name) {
    for (const BuiltInFade& fade : kGallery)
        if (fade.name == name)
            return &fade;
    return nullptr;
}

const BuiltInFade* BuiltInLookingLike(std::u16string_view name) {
    static const std::array<std::u16string, std::size(kGallery)> keys = [] {
        std::array<std::u16string, std::size(kGallery)> made;
        for (std::size_t k = 0; k < made.size(); ++k)
            made[k] = LookAlikeKey(kGallery[k].name);
        return made;
    }();
    const std::u16string key = LookAlikeKey(name);
    for (std::size_t k = 0; k < keys.size(); ++k)
        if (keys[k] == key)
            return &kGallery[k];
    return nullptr;
}

} // namespace quillon::fades
