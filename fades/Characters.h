// What kind of character a code point is, as the rules for fade names and fonts ask. The format
// and ignorable characters come from Unicode's data, in the tables the fader's build makes.
#pragma once

namespace quillon::fades {

// General_Category Cc: C0 and C1 controls and DEL.
bool IsControlCharacter(char32_t c);

// General_Category Cf: invisible characters that steer the text around them, such as U+200B
// ZERO WIDTH SPACE, U+200D ZERO WIDTH JOINER, U+FEFF, U+00AD SOFT HYPHEN, the bidi controls.
bool IsFormatCharacter(char32_t c);

// The bidi marks, embeddings, overrides and isolates (U+061C, U+200E, U+200F, U+202A-U+202E,
// U+2066-U+2069): they turn the text they sit in, and the text after them in a menu or a notice.
bool IsDirectionControl(char32_t c);

// What a reader does not see, so two names that differ only in these look the same: the format
// characters and the other Default_Ignorable_Code_Point characters (variation selectors, the
// combining grapheme joiner, the Hangul fillers, ...).
bool IsInvisible(char32_t c);

} // namespace quillon::fades
