// Characters a reader sees as one but typed as several code points, sent through the program's
// real controls to a room that shows references as characters: no tag splits one, and the room
// shows each whole, in one colour.
#include "ControlIds.h"
#include "PracticeRoom.h"
#include "QuillonApp.h"
#include "TranscriptReader.h"
#include "WendrikFaderV2.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

using namespace quillon;

namespace {

// The line, cluster by cluster: an accent typed after its letter, a thumbs up with a skin tone,
// a family joined by zero-width joiners, a flag, a Hangul syllable typed as its three jamo, and a
// letter with three marks stacked on it.
// clang-format off
const std::vector<std::u16string> kClusters{
    u"e\u0301", u"c", u"o", u"l", u"e", u" ",
    u"\U0001F44D\U0001F3FD", u" ",
    u"\U0001F468\u200D\U0001F469\u200D\U0001F467", u" ",
    u"\U0001F1EF\U0001F1F5", u" ",
    u"\u1112\u1161\u11AB", u" ",
    u"a\u0308\u0323\u0301", u"h", u"!",
};
// clang-format on
constexpr std::size_t kSecondWord = 14; // the cluster that starts the word after the syllable

const std::vector<WendrikFaderV2::Colour> kRedBlue{RGB(255, 0, 0), RGB(0, 0, 255)};

std::u16string Line() {
    std::u16string line;
    for (const auto& cluster : kClusters)
        line += cluster;
    return line;
}

std::vector<std::size_t> ClusterStarts() {
    std::vector<std::size_t> starts;
    std::size_t at = 0;
    for (const auto& cluster : kClusters) {
        starts.push_back(at);
        at += cluster.size();
    }
    return starts;
}

bool IsBoundary(std::size_t position) {
    const auto starts = ClusterStarts();
    return position == Line().size() ||
           std::find(starts.begin(), starts.end(), position) != starts.end();
}

std::wstring Wide(const std::u16string& text) {
    return {text.begin(), text.end()};
}

COLORREF ColourOfTag(std::u16string_view tag) {
    const std::string code(tag.begin() + tag.find(u'#') + 1, tag.begin() + tag.find(u'#') + 7);
    const unsigned long rgb = std::stoul(code, nullptr, 16);
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

// The compact fade as it was before clusters counted: a tag before every unit but the low half
// of a pair. Then the tags that fall inside a cluster are left out.
std::u16string FadeWithoutTagsInsideClusters(const std::u16string& line) {
    WendrikFaderV2::BuildFadeTable(kRedBlue, static_cast<int>(line.size()), true);
    std::u16string faded;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const bool lowHalf = i > 0 && line[i] >= 0xDC00 && line[i] <= 0xDFFF &&
                             line[i - 1] >= 0xD800 && line[i - 1] <= 0xDBFF;
        if (!lowHalf && IsBoundary(i))
            faded += WendrikFaderV2::FadeTag[i + 1];
        faded += line[i];
    }
    return faded;
}

// What goes to the room: ASCII as it is and every other code point as a numeric reference (no
// other character of the line is in the code page).
std::string Posted(const std::u16string& markup) {
    std::string posted;
    for (std::size_t i = 0; i < markup.size(); ++i) {
        char32_t cp = markup[i];
        if (cp >= 0xD800 && cp <= 0xDBFF)
            cp = 0x10000 + ((cp - 0xD800) << 10) + (markup[++i] - 0xDC00);
        posted += cp < 0x80 ? std::string(1, static_cast<char>(cp))
                            : "&#" + std::to_string(static_cast<unsigned long>(cp)) + ";";
    }
    return posted;
}

// Where in the shown text each tag of a posted line stands, its references read as one
// character (or pair) each.
std::vector<std::size_t> TagPositions(const std::string& posted) {
    std::vector<std::size_t> positions;
    std::size_t shown = 0;
    for (std::size_t i = 0; i < posted.size(); ++i) {
        if (posted[i] == '<') {
            positions.push_back(shown);
            i = posted.find('>', i);
        } else if (posted.compare(i, 2, "&#") == 0) {
            const std::size_t end = posted.find(';', i);
            shown += std::stoul(posted.substr(i + 2, end - i - 2)) >= 0x10000 ? 2 : 1;
            i = end;
        } else {
            ++shown;
        }
    }
    return positions;
}

struct ShownCluster {
    COLORREF colour;
    bool bold;
};

// One room that shows references as characters and one running program for the suite.
class Clusters : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        room_ = std::make_unique<PracticeRoom>(std::vector<std::wstring>{L"--render-refs"});
        app_ = std::make_unique<QuillonApp>();
        ASSERT_TRUE(room_->WaitForLines(2, 10000));
        app_->SetColour(1, kRedBlue[0]);
        app_->SetColour(2, kRedBlue[1]);
    }
    static void TearDownTestSuite() {
        app_.reset();
        room_.reset();
    }

    // Sends the line with the style's boxes ticked; returns what the room received.
    static std::string SendLine(bool firstBold, bool allBold) {
        app_->SetCheck(IDC_CHECK1, false);
        app_->SetCheck(IDC_CHECK2, false);
        app_->SetCheck(IDC_CHECK3, firstBold);
        app_->SetCheck(IDC_CHECK4, allBold);
        const std::size_t before = room_->Lines().size();
        app_->SetText(Wide(Line()));
        app_->Press(IDC_COMMAND1);
        if (!room_->WaitForLines(before + 1, 10000))
            return "";
        app_->WaitUntil([](const QuillonApp& a) { return a.Text().empty(); }, 10000);
        return room_->Lines().at(before);
    }

    // The last line of the transcript cluster by cluster, each checked to show in one colour
    // and one weight throughout.
    static std::vector<ShownCluster> ShownClusters() {
        TranscriptReader reader(*room_);
        const std::wstring transcript = reader.Text();
        const std::wstring line = L"Blue Fox: " + Wide(Line());
        const std::size_t at = transcript.rfind(line);
        EXPECT_NE(at, std::wstring::npos) << "the room shows the line with its characters";
        if (at == std::wstring::npos)
            return {};
        std::vector<ShownCluster> shown;
        const auto starts = ClusterStarts();
        for (std::size_t k = 0; k < kClusters.size(); ++k) {
            const auto from = static_cast<LONG>(at + 10 + starts[k]);
            const CHARFORMAT2W format =
                reader.Format(from, from + static_cast<LONG>(kClusters[k].size()));
            EXPECT_TRUE(format.dwMask & CFM_COLOR) << "cluster " << k << " shows in two colours";
            EXPECT_TRUE(format.dwMask & CFM_BOLD) << "cluster " << k << " is partly bold";
            shown.push_back({format.crTextColor, (format.dwEffects & CFE_BOLD) != 0});
        }
        return shown;
    }

    static inline std::unique_ptr<PracticeRoom> room_;
    static inline std::unique_ptr<QuillonApp> app_;
};

// The check below would see a split: a line whose accent a tag separates from its letter, typed
// straight into the room, shows in two colours.
TEST_F(Clusters, TheRoomShowsASplitClusterInTwoColours) {
    const std::size_t before = room_->Lines().size();
    SendMessageA(room_->Input(), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>("<font color=#FF0000>e<font color=#0000FF>&#769;"));
    SendMessageA(room_->Input(), WM_CHAR, 13, 0);
    ASSERT_TRUE(room_->WaitForLines(before + 1, 5000));
    TranscriptReader reader(*room_);
    const std::wstring transcript = reader.Text();
    const std::size_t at = transcript.rfind(L"e\u0301");
    ASSERT_NE(at, std::wstring::npos);
    EXPECT_FALSE(reader.Format(static_cast<LONG>(at), static_cast<LONG>(at + 2)).dwMask &
                 CFM_COLOR);
    EXPECT_EQ(reader.Format(static_cast<LONG>(at), static_cast<LONG>(at + 1)).crTextColor,
              RGB(255, 0, 0));
}

TEST_F(Clusters, WholeTextFadeLeavesOutJustTheTagsInsideClusters) {
    const std::u16string line = Line();
    const std::string received = SendLine(false, false);
    EXPECT_EQ(received,
              "<font face=Arial>" + Posted(FadeWithoutTagsInsideClusters(line)) + "</font>");

    const std::vector<ShownCluster> shown = ShownClusters();
    ASSERT_EQ(shown.size(), kClusters.size());
    WendrikFaderV2::BuildFadeTable(kRedBlue, static_cast<int>(line.size()), true);
    const auto starts = ClusterStarts();
    for (std::size_t k = 0; k < kClusters.size(); ++k) {
        EXPECT_EQ(shown[k].colour, ColourOfTag(WendrikFaderV2::FadeTag[starts[k] + 1]))
            << "cluster " << k << " takes the colour of its first position";
        EXPECT_FALSE(shown[k].bold);
    }
}

TEST_F(Clusters, FirstLetterMarksWrapTheWholeFirstCluster) {
    const std::string received = SendLine(true, false);
    for (std::size_t position : TagPositions(received))
        EXPECT_TRUE(IsBoundary(position)) << "a tag at " << position << " in " << received;

    const std::vector<ShownCluster> shown = ShownClusters();
    ASSERT_EQ(shown.size(), kClusters.size());
    for (std::size_t k = 0; k < kClusters.size(); ++k) {
        const bool wordStart = k == 0 || k == kSecondWord;
        EXPECT_EQ(shown[k].bold, wordStart) << "cluster " << k;
        if (!wordStart) {
            EXPECT_EQ(shown[k].colour, RGB(0, 0, 0)) << "cluster " << k;
        }
    }
    EXPECT_EQ(shown[0].colour, RGB(255, 0, 0));
    EXPECT_EQ(shown[kSecondWord].colour, RGB(128, 0, 128));
}

TEST_F(Clusters, AllBoldKeepsTagsOutOfClusters) {
    const std::string received = SendLine(false, true);
    EXPECT_EQ(received.rfind("<b><font face=Arial>", 0), 0u) << received;
    for (std::size_t position : TagPositions(received))
        EXPECT_TRUE(IsBoundary(position)) << "a tag at " << position << " in " << received;

    const std::vector<ShownCluster> shown = ShownClusters();
    ASSERT_EQ(shown.size(), kClusters.size());
    for (const ShownCluster& cluster : shown)
        EXPECT_TRUE(cluster.bold);
}

} // namespace
