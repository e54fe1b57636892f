// One transcript line as rich text, so the control takes a whole faded line in one insertion
// instead of re-laying out its paragraph once per coloured character.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "Markup.h"

inline constexpr wchar_t kRoomFace[] = L"Arial";
inline constexpr ChatMarkup::Rgb kTextColour{0, 0, 0};
inline constexpr ChatMarkup::Rgb kSpeakerColour{0, 0, 96};

// "speaker: " bold and dark, then the runs; fields default to the room's face and black.
// newParagraph starts the line on a paragraph of its own.
std::string LineToRtf(std::wstring_view speaker, const std::vector<ChatMarkup::StyledRun>& runs,
                      bool newParagraph);
