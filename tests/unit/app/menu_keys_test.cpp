// Windows opens a menu item by its access key only when no other item of the
// same menu has that key; with two, the key merely moves between them.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <map>
#include <regex>
#include <set>

TEST(MenuResourceTest, EachMenuGivesEveryAccessKeyToOneItem) {
    std::ifstream rc(TSLN_SOURCE_DIR "/src/win32/tsln.rc");
    const std::regex item(R"(^(\s*)(POPUP|MENUITEM)\s+"[^"&]*&(.))");
    std::map<std::size_t, std::set<char>> menus;  // the keys taken so far in the menu whose items have this indent
    int keys = 0;
    std::smatch match;
    for (std::string line; std::getline(rc, line);) {
        if (!std::regex_search(line, match, item))
            continue;
        ++keys;
        const std::size_t indent = match.length(1);
        EXPECT_TRUE(menus[indent].insert(static_cast<char>(std::toupper(match.str(3)[0]))).second) << line;
        // A popup's own items come next, in a menu of their own.
        menus.erase(menus.upper_bound(indent), menus.end());
    }
    EXPECT_EQ(keys, 14);  // every caption of the bar and its popups, each with a key
}
