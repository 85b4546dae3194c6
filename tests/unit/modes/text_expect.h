#pragma once
// Helpers shared by the mode-list tests.
#include <gtest/gtest.h>

#include <string>

#include "modes/list_check.h"
#include "modes/resolutions.h"

namespace tsln::test {

inline RateCaptions AllCaptions(const std::string& caption) {
    RateCaptions captions;
    captions.fill(caption);
    return captions;
}

// Whole-text comparison: the length first, so a one-character slip is named
// before the two long strings are printed.
#define EXPECT_SAME_TEXT(actual, expected)                 \
    do {                                                   \
        const std::string actualText = (actual);           \
        const std::string expectedText = (expected);       \
        EXPECT_EQ(actualText.size(), expectedText.size()); \
        EXPECT_EQ(actualText, expectedText);               \
    } while (0)

inline void ExpectAccepted(const std::string& text, ListSyntax syntax) {
    const ListCheck check = CheckModeList(text, syntax);
    EXPECT_TRUE(check.ok) << check.reason << "\nin: " << text;
    EXPECT_EQ(check.reason, "");
}

}  // namespace tsln::test
