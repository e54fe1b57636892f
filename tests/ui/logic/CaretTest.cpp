// The caret's stops in the text line: the edges of what a reader sees as one character.
#include "preview/Caret.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace quillon;

namespace {

// Every position from which the caret may not stay, with where it goes either way.
TEST(Caret, StopsOnlyAtClusterEdges) {
    // "e" + combining acute, a thumbs-up with a skin tone, a flag, CR LF, then "x".
    const std::u16string text = u"e\u0301\U0001F44D\U0001F3FD\U0001F1EF\U0001F1F5\r\nx";
    const std::vector<std::size_t> edges = {0, 2, 6, 10, 12, 13};
    for (std::size_t pos = 0; pos <= text.size() + 1; ++pos) {
        SCOPED_TRACE(pos);
        const std::size_t before = ClusterBoundaryBefore(text, pos);
        const std::size_t after = ClusterBoundaryAfter(text, pos);
        if (pos >= text.size()) {
            EXPECT_EQ(before, text.size());
            EXPECT_EQ(after, text.size());
            continue;
        }
        std::size_t wantBefore = 0;
        for (const std::size_t e : edges)
            if (e <= pos)
                wantBefore = e;
        const std::size_t wantAfter = *std::lower_bound(edges.begin(), edges.end(), pos);
        EXPECT_EQ(before, wantBefore);
        EXPECT_EQ(after, wantAfter);
    }
}

TEST(Caret, PlainTextStopsEverywhere) {
    const std::u16string text = u"plain";
    for (std::size_t pos = 0; pos < text.size(); ++pos) {
        EXPECT_EQ(ClusterBoundaryBefore(text, pos), pos);
        EXPECT_EQ(ClusterBoundaryAfter(text, pos), pos);
    }
}

} // namespace
