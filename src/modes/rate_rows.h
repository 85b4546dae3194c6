#pragma once
// The editor's 23 rows, built from modes/rate_rows.def: what the mode lists,
// the editor, the quick set and the window need to know about each row.
#include <iterator>

namespace tsln {

enum class RowLists { AllLists, NotNormal, MaskOnly };
enum class RowSize { SixteenColour, Small, Large };

struct RateRow {
    int width = 0;
    int height = 0;                 // also the row's lines for the quick set
    int selector = 0;               // N of UpDownN
    int rateLabel = 0;              // N of LabelN
    bool inNormalList = false;      // 19 rows per depth block
    bool inCompressedList = false;  // 20 entries
    bool maskOnly = false;
    bool sixteenColourModes = false;  // Windows' 4-bit modes count for the row
    bool inQuickSet = false;
    // The small sizes: adapters show them line-doubled, so the monitor sees twice their lines.
    bool lineDoubled = false;
    int maxValue = 0;       // the selector's upper bound
    char caption[12] = {};  // "320 x 200"

    constexpr RateRow(int w, int h, int upDown, int label, RowLists lists, RowSize size)
        : width(w),
          height(h),
          selector(upDown),
          rateLabel(label),
          inNormalList(lists == RowLists::AllLists),
          inCompressedList(lists != RowLists::MaskOnly),
          maskOnly(lists == RowLists::MaskOnly),
          sixteenColourModes(size == RowSize::SixteenColour),
          inQuickSet(size == RowSize::Large),
          lineDoubled(size != RowSize::Large),
          maxValue(size == RowSize::Large ? 240 : 75) {
        int at = AppendNumber(0, w);
        for (const char c : {' ', 'x', ' '})
            caption[at++] = c;
        AppendNumber(at, h);
    }

private:
    constexpr int AppendNumber(int at, int number) {
        int digits = 1;
        for (int rest = number / 10; rest > 0; rest /= 10)
            ++digits;
        for (int i = digits - 1; i >= 0; --i, number /= 10)
            caption[at + i] = static_cast<char>('0' + number % 10);
        return at + digits;
    }
};

inline constexpr RateRow kRateRows[] = {
#define TSLN_RATE_ROW(width, height, selector, captionLabel, rateLabel, column, line, lists, size) \
    RateRow(width, height, selector, rateLabel, RowLists::lists, RowSize::size),
#include "modes/rate_rows.def"
#undef TSLN_RATE_ROW
};

constexpr int kResolutionCount = static_cast<int>(std::size(kRateRows));

// The rule the control names follow and the window relies on: every selector
// number from 1 to 23 once; UpDown1-20 pair with Label25-44, UpDown21-23 with
// Label54-56.
constexpr bool SelectorsPairByTheNamingRule() {
    int seen = 0;
    for (const RateRow& row : kRateRows) {
        const int n = row.selector;
        if (n < 1 || n > kResolutionCount || (seen & (1 << n)) != 0)
            return false;
        seen |= 1 << n;
        if (row.rateLabel != (n <= 20 ? n + 24 : n + 33))
            return false;
    }
    return true;
}
static_assert(SelectorsPairByTheNamingRule());

}  // namespace tsln
