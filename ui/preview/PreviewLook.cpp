#include "PreviewLook.h"

#include "window/Text.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

namespace quillon {

namespace {

// Swaps a presenter in that only notes a refusal; the one it replaced comes back on leaving.
class QuietRefusals {
  public:
    QuietRefusals()
        : previous_(WendrikFaderV2::SetRefusalPresenter(
              [this](std::u16string_view) { refused_ = true; })) {}
    ~QuietRefusals() { WendrikFaderV2::SetRefusalPresenter(std::move(previous_)); }
    QuietRefusals(const QuietRefusals&) = delete;
    QuietRefusals& operator=(const QuietRefusals&) = delete;
    bool Refused() const { return refused_; }

  private:
    bool refused_ = false;
    WendrikFaderV2::RefusalPresenter previous_;
};

using ChatMarkup::MarkupPiece;
using Role = Place::Role;

bool IsLineBreak(char16_t c) {
    return c == u'\r' || c == u'\n';
}

// Whether the two spell the same characters.
bool SameText(std::u16string_view a, std::wstring_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char16_t x, wchar_t y) { return x == static_cast<char16_t>(y); });
}

} // namespace

// Finds where each typed character went in the message. The fader copies the typed characters in
// order and adds only tags between them; line breaks may become "<br>" or vanish, and spaces at
// either end may be trimmed. So shown text and raw breaks are the user's, and a tag is either the
// fader's or one the user typed. The fader's is tried first; the user's where that leads nowhere.
std::optional<std::vector<Place>> PlaceTypedCharacters(std::u16string_view typed,
                                                       std::u16string_view message,
                                                       const std::vector<MarkupPiece>& pieces) {
    const std::size_t n = typed.size();
    std::vector<Place> places(n);
    auto stretchOf = [&](std::size_t p) {
        return message.substr(pieces[p].begin, pieces[p].end - pieces[p].begin);
    };
    auto typedHas = [&](std::size_t j, std::u16string_view s) {
        return typed.substr(j, s.size()) == s;
    };
    auto mark = [&](std::size_t from, std::size_t to, Role role, std::size_t piece = 0) {
        for (std::size_t k = from; k < to; ++k)
            places[k] = {role, static_cast<std::uint32_t>(piece)};
    };

    struct Alternative {
        std::size_t piece, typed;
        bool usersTag; // the tag at piece is taken as typed
    };
    std::vector<Alternative> alternatives;
    std::unordered_set<std::uint64_t> tried; // (piece, typed) states already explored at a tag
    const std::size_t lead = std::min(typed.find_first_not_of(u' '), n);
    if (lead > 0)
        alternatives.push_back({0, lead, false});

    std::size_t p = 0, j = 0;
    bool usersTag = false;
    for (std::size_t budget = 8 * (pieces.size() + n) + 64; budget > 0; --budget) {
        bool failed = false;
        if (p == pieces.size()) {
            std::size_t k = j;
            while (k < n && (IsLineBreak(typed[k]) || typed[k] == u' '))
                ++k;
            if (k == n) {
                mark(j, n, Role::Hidden);
                return places;
            }
            failed = true;
        } else {
            const MarkupPiece& piece = pieces[p];
            const std::u16string_view stretch = stretchOf(p);
            const bool isTag = piece.kind == MarkupPiece::Kind::Tag ||
                               (piece.kind == MarkupPiece::Kind::Break && stretch[0] == u'<');
            if (!isTag) {
                // Shown text, or a break the user typed: line breaks before it were dropped.
                while (j < n && IsLineBreak(typed[j]) && !typedHas(j, stretch)) {
                    mark(j, j + 1, Role::Hidden);
                    ++j;
                }
                failed = !typedHas(j, stretch);
                if (!failed) {
                    const bool text = piece.kind == MarkupPiece::Kind::Text;
                    mark(j, j + stretch.size(), text ? Role::Shown : Role::Hidden, p);
                    j += stretch.size();
                    ++p;
                }
            } else if (usersTag) {
                usersTag = false;
                mark(j, j + stretch.size(), Role::Markup);
                j += stretch.size();
                ++p;
            } else if (!typedHas(j, stretch)) {
                ++p; // the fader's own tag
            } else if (tried.insert((std::uint64_t{p} << 32) | j).second) {
                alternatives.push_back({p, j, true});
                ++p;
            } else {
                failed = true; // every way on from here has been tried
            }
        }
        if (!failed)
            continue;
        if (alternatives.empty())
            return std::nullopt;
        const Alternative next = alternatives.back();
        alternatives.pop_back();
        if (next.piece == 0)
            mark(0, next.typed, Role::Hidden);
        p = next.piece;
        j = next.typed;
        usersTag = next.usersTag;
    }
    return std::nullopt;
}

namespace {

// The face a message names for its text, as the reader takes the wrapper Send puts around it.
std::u16string FaceSendNames(std::u16string_view font, std::u16string_view fallbackFace) {
    const std::u16string wrapper = u"<font face=" + FaceInTag(font) + u">.";
    for (const MarkupPiece& piece : ChatMarkup::ReadMarkup(ToWide(wrapper)))
        if (piece.kind == MarkupPiece::Kind::Text && !piece.style.face.empty())
            return ToU16(piece.style.face);
    return std::u16string(fallbackFace);
}

LineLook PlainLook(std::size_t length, std::u16string face) {
    LineLook look;
    look.faces.push_back(std::move(face));
    look.chars.assign(length, CharLook{});
    return look;
}

} // namespace

LineLook LookOfLine(const SendInputs& in, std::u16string_view fallbackFace) {
    const std::u16string& typed = in.line;
    std::u16string plainFace = FaceSendNames(in.font, fallbackFace);

    std::optional<std::u16string> message;
    {
        QuietRefusals quiet;
        message = BuildSendMessage(in);
        if (quiet.Refused())
            message.reset();
    }
    if (!message)
        return PlainLook(typed.size(), std::move(plainFace));

    const std::vector<MarkupPiece> pieces = ChatMarkup::ReadMarkup(ToWide(*message));
    const auto places = PlaceTypedCharacters(typed, *message, pieces);
    if (!places)
        return PlainLook(typed.size(), std::move(plainFace));

    LineLook look = PlainLook(0, std::move(plainFace));
    look.chars.reserve(typed.size());
    auto faceIndex = [&look, fallbackFace](const std::wstring& face) {
        for (std::size_t i = 0; i < look.faces.size(); ++i)
            if (face.empty() ? look.faces[i] == fallbackFace : SameText(look.faces[i], face))
                return static_cast<std::uint16_t>(i);
        look.faces.push_back(face.empty() ? std::u16string(fallbackFace) : ToU16(face));
        return static_cast<std::uint16_t>(look.faces.size() - 1);
    };
    std::optional<std::uint32_t> lastPiece;
    CharLook shown;
    for (const Place& place : *places) {
        if (place.role == Role::Markup) {
            look.chars.push_back(CharLook{kMarkupColour});
            continue;
        }
        if (place.role == Role::Hidden) {
            look.chars.push_back(CharLook{});
            continue;
        }
        if (place.piece != lastPiece) {
            const ChatMarkup::Style& style = pieces[place.piece].style;
            shown = CharLook{style.colour ? style.colour->Packed() : 0, style.bold, style.sub,
                             style.sup, faceIndex(style.face)};
            lastPiece = place.piece;
        }
        look.chars.push_back(shown);
    }
    return look;
}

} // namespace quillon
