// The table builder's writers and how a table keeps its tags, for the fader's own sources.
#pragma once

#include "WendrikFaderV2.h"

namespace WendrikFaderV2 {

// All tags of a table have one width, so they sit in one buffer that the next fade of the same
// mode and length overwrites without allocating. Each tag is followed by one spare character
// (kept NUL). A fade that writes its tags straight into its result leaves the table to be written
// when it is first read: the result is then made in one pass, and the table reads the same.
struct TagTable::Contents {
    void Write(const std::vector<Colour>& colours, std::size_t positions, bool Compact,
               Blend blend);
    void Defer(const std::vector<Colour>& colours, std::size_t positions, bool Compact,
               Blend blend);
    // Touches only what a read may fill in, so a const copy of a deferred table can be read too.
    void WriteIfDeferred() const;

    mutable std::u16string tags;
    std::size_t width = 0; // zero while empty, so equal entries mean equal tables
    std::size_t count = 0;
    // The recipe of a table not written yet; its buffer keeps its capacity between fades.
    mutable std::vector<Colour> deferredColours;
    mutable Blend deferredBlend = Blend::srgb;
    mutable bool deferred = false;
};

// Sets FadeTag to the table BuildFadeTable would build, written only when it is first read.
void DeferFadeTable(const std::vector<Colour>& colours, int n, bool Compact,
                    Blend blend = Blend::srgb);

// Writes the compact fade of a line without breaks or surrogates: for each character its tag and
// the character itself, text.size() * (kCompactTagLength + 1) characters in all.
void WriteCompactFade(char16_t* out, const std::vector<Colour>& colours, const std::u16string& text,
                      Blend blend = Blend::srgb);

} // namespace WendrikFaderV2
