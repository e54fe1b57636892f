#include "FadeBook.h"

#include "FadeFont.h"
#include "FadeName.h"
#include "Gallery.h"
#include "Utf8.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <set>

namespace quillon::fades {

using Json = nlohmann::ordered_json; // keeps the keys in the order the user wrote them

struct FadeBook::Document {
    Json json = Json::object();
};

namespace {

// Our own data is three deep; anything past this is no fades file and would only cost stack.
constexpr int kMaxDepth = 64;

struct TooDeep {};

std::u16string Widen(std::string_view ascii) {
    return {ascii.begin(), ascii.end()};
}

std::u16string Quoted(std::u16string_view name) {
    std::u16string quoted(1, u'"');
    quoted += name;
    quoted += u'"';
    return quoted;
}

// "line L, column C" of a byte offset, as an editor shows it.
std::u16string Position(std::string_view bytes, std::size_t offset) {
    offset = std::min(offset, bytes.size());
    const std::string_view before = bytes.substr(0, offset);
    const auto line = std::count(before.begin(), before.end(), '\n') + 1;
    const std::size_t lineStart =
        before.rfind('\n') == std::string_view::npos ? 0 : before.rfind('\n') + 1;
    return u"line " + Widen(std::to_string(line)) + u", column " +
           Widen(std::to_string(offset - lineStart + 1));
}

std::optional<std::u16string> TextOf(const Json& object, const char* key) {
    const auto it = object.find(key);
    if (it == object.end() || !it->is_string())
        return std::nullopt;
    return FromUtf8(it->get_ref<const std::string&>());
}

// The trimmed name of an entry, when it has one at all.
std::optional<std::u16string> EntryName(const Json& entry) {
    if (!entry.is_object())
        return std::nullopt;
    auto name = TextOf(entry, "name");
    if (!name)
        return std::nullopt;
    return TrimName(*name);
}

std::u16string NameProblemText(NameProblem problem) {
    switch (problem) {
    case NameProblem::Empty:
        return u"its name is empty";
    case NameProblem::TooLong:
        return u"its name is longer than 40 characters";
    case NameProblem::BadCharacter:
        break;
    }
    return u"its name holds a control character or one that turns the writing direction";
}

std::u16string FontProblemText(FontProblem problem) {
    switch (problem) {
    case FontProblem::Empty:
        return u"it is empty";
    case FontProblem::TooLong:
        return u"it is longer than " + Widen(std::to_string(kMaxFontUnits)) + u" characters";
    case FontProblem::BadCharacter:
        break;
    }
    return u"it holds one of < > \" ' = & or a control or format character";
}

std::variant<Fade, std::u16string> ReadEntry(const Json& entry) {
    if (!entry.is_object())
        return u"it is not an object";
    const auto name = EntryName(entry);
    if (!name)
        return u"it has no name";
    if (const auto problem = CheckName(*name))
        return NameProblemText(*problem);
    const std::u16string called = Quoted(*name);
    if (FindBuiltIn(*name))
        return called + u" is the name of a built-in fade";
    if (const BuiltInFade* builtIn = BuiltInLookingLike(*name))
        return called + u" could pass for the built-in fade " + std::u16string(builtIn->name);

    Fade fade;
    fade.name = *name;
    const auto colours = entry.find("colours");
    if (colours == entry.end() || !colours->is_array())
        return called + u" has no list of colours";
    if (colours->size() < kMinColours || colours->size() > kMaxColours)
        return called + u" has " + Widen(std::to_string(colours->size())) +
               u" colours, where a fade has 2 to 4";
    for (const Json& code : *colours) {
        const auto colour =
            code.is_string() ? ParseColourCode(code.get_ref<const std::string&>()) : std::nullopt;
        if (!colour)
            return called + u": colour " + Widen(std::to_string(fade.colours.size() + 1)) +
                   u" is not a colour code like #FF9500";
        fade.colours.push_back(*colour);
    }
    const auto style = entry.find("style");
    const auto word = style != entry.end() && style->is_string()
                          ? ParseStyleWord(style->get_ref<const std::string&>())
                          : std::nullopt;
    if (!word)
        return called + u": its style is not plain, first-bold or all-bold";
    fade.style = *word;
    auto font = TextOf(entry, "font");
    if (!font)
        return called + u" has no font";
    if (const auto problem = CheckFont(*font))
        return called + u": its font is not a font name (" + FontProblemText(*problem) + u")";
    fade.font = std::move(*font);
    return fade;
}

Json EntryFields(const Fade& fade, const std::string& name, const std::string& font) {
    Json colours = Json::array();
    for (const Colour& colour : fade.colours)
        colours.push_back(ColourCode(colour));
    return Json{
        {"name", name}, {"colours", colours}, {"style", StyleWord(fade.style)}, {"font", font}};
}

std::string Dump(const Json& doc) {
    // Every string in the document is valid UTF-8: read by the parser or made by ToUtf8.
    return doc.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

Json& FadesList(Json& doc) {
    Json& list = doc["fades"];
    if (list.is_null())
        list = Json::array();
    return list;
}

std::vector<std::size_t> EntriesNamed(const Json& doc, std::u16string_view name) {
    std::vector<std::size_t> found;
    const auto list = doc.find("fades");
    if (list == doc.end())
        return found;
    for (std::size_t i = 0; i < list->size(); ++i)
        if (EntryName((*list)[i]) == name)
            found.push_back(i);
    return found;
}

} // namespace

FadeBook::FadeBook() : doc_(std::make_unique<Document>()) {}
FadeBook::FadeBook(const FadeBook& other)
    : doc_(std::make_unique<Document>(*other.doc_)), saved_(other.saved_), skipped_(other.skipped_),
      start_(other.start_), unknownStart_(other.unknownStart_) {}
FadeBook::FadeBook(FadeBook&& other) noexcept = default;
FadeBook& FadeBook::operator=(const FadeBook& other) {
    if (this != &other)
        *this = FadeBook(other);
    return *this;
}
FadeBook& FadeBook::operator=(FadeBook&& other) noexcept = default;
FadeBook::~FadeBook() = default;

std::variant<FadeBook, Damage> FadeBook::Parse(std::string_view bytes) {
    if (bytes.size() > kMaxFileBytes)
        return Damage{u"it is larger than " + Widen(std::to_string(kMaxFileBytes / 1024)) + u" KB"};
    FadeBook book;
    Json& doc = book.doc_->json;
    try {
        const auto guard = [](int depth, Json::parse_event_t, Json&) {
            if (depth > kMaxDepth)
                throw TooDeep{};
            return true;
        };
        doc = Json::parse(bytes.begin(), bytes.end(), guard);
    } catch (const TooDeep&) {
        return Damage{u"it is nested more than 64 deep"};
    } catch (const Json::parse_error& error) {
        // The byte count is one past the character that did not fit.
        return Damage{u"it is not JSON in UTF-8 (" +
                      Position(bytes, error.byte == 0 ? 0 : error.byte - 1) + u")"};
    } catch (const std::exception&) {
        return Damage{u"it is not JSON in UTF-8"};
    }
    if (!doc.is_object())
        return Damage{u"it is not a JSON object"};
    if (const auto fades = doc.find("fades"); fades != doc.end() && !fades->is_array())
        return Damage{u"\"fades\" is not a list"};
    if (const auto start = doc.find("start"); start != doc.end() && !start->is_string())
        return Damage{u"\"start\" is not a name"};
    book.Rebuild();
    return book;
}

std::string FadeBook::Serialise() const {
    return Dump(doc_->json);
}

void FadeBook::Rebuild() {
    saved_.clear();
    skipped_.clear();
    start_.reset();
    unknownStart_.reset();
    const Json& doc = doc_->json;
    if (const auto list = doc.find("fades"); list != doc.end()) {
        std::set<std::u16string> names; // of the good entries so far, offered or not
        for (std::size_t i = 0; i < list->size(); ++i) {
            auto read = ReadEntry((*list)[i]);
            if (auto* why = std::get_if<std::u16string>(&read)) {
                skipped_.push_back({i + 1, std::move(*why)});
                continue;
            }
            Fade& fade = std::get<Fade>(read);
            if (!names.insert(fade.name).second)
                skipped_.push_back({i + 1, u"a second fade is named " + Quoted(fade.name)});
            else if (saved_.size() == kMaxFades)
                skipped_.push_back({i + 1,
                                    u"Quillon offers the first " +
                                        Widen(std::to_string(kMaxFades)) + u" fades only",
                                    true});
            else
                saved_.push_back(std::move(fade));
        }
    }
    if (auto start = TextOf(doc, "start")) {
        auto name = TrimName(*start);
        if (CountCodePoints(name) <= kMaxNameLength && Find(name))
            start_ = std::move(name);
        else
            unknownStart_ = ShownName(name);
    }
}

Outcome FadeBook::Adopt(FadeBook next) {
    if (next.Serialise().size() > kMaxFileBytes)
        return Outcome::Full;
    *this = std::move(next);
    return Outcome::Done;
}

std::optional<Look> FadeBook::Find(std::u16string_view name) const {
    const std::u16string trimmed = TrimName(name);
    for (const Fade& fade : saved_)
        if (fade.name == trimmed)
            return Look{fade.colours, fade.style, fade.font};
    if (const BuiltInFade* builtIn = FindBuiltIn(trimmed)) {
        const auto colours = builtIn->Colours();
        return Look{{colours.begin(), colours.end()}, std::nullopt, std::nullopt};
    }
    return std::nullopt;
}

std::optional<Look> FadeBook::StartLook() const {
    return start_ ? Find(*start_) : std::nullopt;
}

Outcome FadeBook::Save(const Fade& fade, Replace replace) {
    const std::u16string name = TrimName(fade.name);
    if (CheckName(name))
        return Outcome::BadName;
    if (BuiltInLookingLike(name))
        return Outcome::BuiltInName;
    if (CheckFont(fade.font) || fade.colours.size() < kMinColours ||
        fade.colours.size() > kMaxColours)
        return Outcome::BadFade;

    const auto named = EntriesNamed(doc_->json, name);
    if (!named.empty() && replace == Replace::No)
        return Outcome::NameTaken;
    FadeBook next(*this);
    Json fields = EntryFields(fade, *ToUtf8(name), *ToUtf8(fade.font));
    Json& list = FadesList(next.doc_->json);
    if (named.empty()) {
        list.push_back(std::move(fields));
    } else {
        // The first entry of that name keeps its place and its other keys; later ones go.
        Json& entry = list[named.front()];
        for (auto& [key, value] : fields.items())
            entry[key] = std::move(value);
        for (auto it = named.rbegin(); it + 1 != named.rend(); ++it)
            list.erase(*it);
    }
    next.Rebuild();
    // A new fade past the first kMaxFades would be kept in the file but never offered.
    const bool offered = std::any_of(next.saved_.begin(), next.saved_.end(),
                                     [&](const Fade& f) { return f.name == name; });
    if (!offered)
        return Outcome::Full;
    return Adopt(std::move(next));
}

Outcome FadeBook::Delete(std::u16string_view name) {
    const std::u16string trimmed = TrimName(name);
    if (FindBuiltIn(trimmed))
        return Outcome::Unchanged;
    const auto named = EntriesNamed(doc_->json, trimmed);
    if (named.empty())
        return Outcome::Unchanged;
    FadeBook next(*this);
    Json& doc = next.doc_->json;
    for (auto it = named.rbegin(); it != named.rend(); ++it)
        doc["fades"].erase(*it);
    if (TextOf(doc, "start") && TrimName(*TextOf(doc, "start")) == trimmed)
        doc.erase("start");
    next.Rebuild();
    return Adopt(std::move(next));
}

Outcome FadeBook::SetStart(std::optional<std::u16string_view> name) {
    if (!name) {
        if (!doc_->json.contains("start"))
            return Outcome::Unchanged;
        FadeBook next(*this);
        next.doc_->json.erase("start");
        next.Rebuild();
        return Adopt(std::move(next));
    }
    const std::u16string trimmed = TrimName(*name);
    if (!Find(trimmed))
        return Outcome::UnknownFade;
    if (start_ == trimmed)
        return Outcome::Unchanged;
    FadeBook next(*this);
    Json& doc = next.doc_->json;
    const std::string utf8 = *ToUtf8(trimmed);
    if (doc.contains("start")) {
        doc["start"] = utf8;
    } else {
        // A new "start" goes first, where a reader of the file looks for it.
        Json reordered = Json::object();
        reordered["start"] = utf8;
        for (auto& [key, value] : doc.items())
            reordered[key] = std::move(value);
        doc = std::move(reordered);
    }
    next.Rebuild();
    return Adopt(std::move(next));
}

} // namespace quillon::fades
