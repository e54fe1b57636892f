#include "PreviewLook.h"

#include "Markup.h"
#include "window/Text.h"

#include <optional>
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

enum class Role : std::uint8_t {
    Hidden, // a line break, or a space the first-letter style trims
    Markup, // part of a tag the user typed
    Shown,  // shown as text of the piece it lies in
};

struct Place {
    Role role = Role::Hidden;
    std::uint32_t piece = 0;
};

bool IsLineBreak(wchar_t c) {
    return c == L'\r' || c == L'\n';
}

// Finds where each typed character went in the message. The fader copies the typed characters in
// order and adds only tags between them; line breaks may become "<br>" or vanish, and spaces at
// either end may be trimmed. So shown text and raw breaks are the user's, and a tag is either the
// fader's or one the user typed. The fader's is tried first; the user's where that leads nowhere.
std::optional<std::vector<Place>> PlaceTypedCharacters(std::wstring_view typed,
                                                       std::wstring_view message,
                                                       const std::vector<MarkupPiece>& pieces) {
    const std::size_t n = typed.size();
    std::vector<Place> places(n);
    auto stretchOf = [&](std::size_t p) {
        return message.substr(pieces[p].begin, pieces[p].end - pieces[p].begin);
    };
    auto typedHas = [&](std::size_t j, std::wstring_view s) {
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
    const std::size_t lead = std::min(typed.find_first_not_of(L' '), n);
    if (lead > 0)
        alternatives.push_back({0, lead, false});

    std::size_t p = 0, j = 0;
    bool usersTag = false;
    for (std::size_t budget = 8 * (pieces.size() + n) + 64; budget > 0; --budget) {
        bool failed = false;
        if (p == pieces.size()) {
            std::size_t k = j;
            while (k < n && (IsLineBreak(typed[k]) || typed[k] == L' '))
                ++k;
            if (k == n) {
                mark(j, n, Role::Hidden);
                return places;
            }
            failed = true;
        } else {
            const MarkupPiece& piece = pieces[p];
            const std::wstring_view stretch = stretchOf(p);
            const bool isTag = piece.kind == MarkupPiece::Kind::Tag ||
                               (piece.kind == MarkupPiece::Kind::Break && stretch[0] == L'<');
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

std::uint32_t Packed(const Rgb& c) {
    return c.r | (std::uint32_t{c.g} << 8) | (std::uint32_t{c.b} << 16);
}

// The face a message names for its text, as the reader takes the wrapper Send puts around it.
std::wstring FaceSendNames(std::wstring_view font, std::wstring_view fallbackFace) {
    const std::wstring wrapper = L"<font face=" + std::wstring(font) + L">.";
    for (const MarkupPiece& piece : ReadMarkup(wrapper))
        if (piece.kind == MarkupPiece::Kind::Text && !piece.style.face.empty())
            return piece.style.face;
    return std::wstring(fallbackFace);
}

LineLook PlainLook(std::size_t length, std::wstring face) {
    LineLook look;
    look.faces.push_back(std::move(face));
    look.chars.assign(length, CharLook{});
    return look;
}

} // namespace

LineLook LookOfLine(const SendInputs& in, std::wstring_view fallbackFace) {
    const std::wstring typed = ToWide(in.line);
    std::wstring plainFace = FaceSendNames(ToWide(in.font), fallbackFace);

    std::optional<std::u16string> message;
    {
        QuietRefusals quiet;
        message = BuildSendMessage(in);
        if (quiet.Refused())
            message.reset();
    }
    if (!message)
        return PlainLook(typed.size(), std::move(plainFace));

    const std::wstring markup = ToWide(*message);
    const std::vector<MarkupPiece> pieces = ReadMarkup(markup);
    const auto places = PlaceTypedCharacters(typed, markup, pieces);
    if (!places)
        return PlainLook(typed.size(), std::move(plainFace));

    LineLook look = PlainLook(0, std::move(plainFace));
    look.chars.reserve(typed.size());
    auto faceIndex = [&look, fallbackFace](const std::wstring& face) {
        const std::wstring_view wanted = face.empty() ? fallbackFace : std::wstring_view(face);
        for (std::size_t i = 0; i < look.faces.size(); ++i)
            if (look.faces[i] == wanted)
                return static_cast<std::uint16_t>(i);
        look.faces.emplace_back(wanted);
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
            const Style& style = pieces[place.piece].style;
            shown = CharLook{style.colour ? Packed(*style.colour) : 0, style.bold, style.sub,
                             style.sup, faceIndex(style.face)};
            lastPiece = place.piece;
        }
        look.chars.push_back(shown);
    }
    return look;
}

} // namespace quillon
