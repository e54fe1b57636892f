// How the chat room will show each typed character of the text line: read from the very message
// Send would post now, with the room's own markup reader. No windows involved.
#pragma once

#include "Markup.h"
#include "form1/SendAction.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

struct CharLook {
    std::uint32_t colour = 0; // 0x00BBGGRR
    bool bold = false;
    bool sub = false;
    bool sup = false;
    std::uint16_t face = 0; // index into LineLook::faces
    friend bool operator==(const CharLook&, const CharLook&) = default;
};

struct LineLook {
    std::vector<std::u16string> faces; // faces[0] is the face Send names, for plain characters
    std::vector<CharLook> chars;       // one per typed character
};

// Typed characters that the room reads as markup and does not show.
inline constexpr std::uint32_t kMarkupColour = 0x808080;

// The look of in.line. Refusals of the fader are noted, never shown: a line the fader refuses, or
// check boxes that Send would not post with, look plain. fallbackFace stands in where the message
// names no face.
LineLook LookOfLine(const SendInputs& in, std::u16string_view fallbackFace);

// Where a typed character went in the message.
struct Place {
    enum class Role : std::uint8_t {
        Hidden, // a line break, or a space the first-letter style trims
        Markup, // part of a tag the user typed
        Shown,  // shown as text of the piece it lies in
    };
    Role role = Role::Hidden;
    std::uint32_t piece = 0; // for Shown: the index into the message's pieces
    friend bool operator==(const Place&, const Place&) = default;
};

// Each typed character's place in message, whose pieces the room's reader gave; nothing when the
// message cannot have been made from typed.
std::optional<std::vector<Place>>
PlaceTypedCharacters(std::u16string_view typed, std::u16string_view message,
                     const std::vector<ChatMarkup::MarkupPiece>& pieces);

} // namespace quillon
