#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <span>
#include <string>

#include "ui/layouts/HelpWindowLayout.h"
#include "ui/layouts/MainWindowLayout.h"
#include "ui/layouts/SettingsDialogLayout.h"

namespace ombrel {
namespace {

TEST(MainWindowLayout, SeventeenControlsWithTheDesktopButtonsInTheirOwnCreationOrder) {
    const FormLayout& layout = MainWindowLayout();
    EXPECT_EQ(layout.caption.Resolve(Texts{}), u"Ombrel200902");
    EXPECT_EQ(layout.clientWidthTwips, 4470);
    EXPECT_EQ(layout.clientHeightTwips, 1020);
    ASSERT_EQ(layout.controls.size(), 17U);

    std::vector<int> desktopOrder;
    for (const ControlLayout& row : layout.controls) {
        if (row.name == bar::kDesktop) {
            desktopOrder.push_back(row.index);
        }
    }
    EXPECT_EQ(desktopOrder, (std::vector<int>{4, 7, 5, 6, 1, 3, 2, 0, 8}));
    EXPECT_EQ(layout.controls[12].name, bar::kRefreshTimer);
    EXPECT_EQ(layout.controls[12].intervalMs, 1000);
    EXPECT_EQ(layout.controls[16].name, bar::kMarker);
}

TEST(MainWindowLayout, DesktopButtonsRunLeftToRightOneToNine) {
    for (const ControlLayout& row : MainWindowLayout().controls) {
        if (row.name != bar::kDesktop) {
            continue;
        }
        const char16_t digit = static_cast<char16_t>(u'1' + row.index);
        EXPECT_EQ(row.caption.Resolve(Texts{}), std::u16string(1, digit));
        EXPECT_EQ(row.tooltip, u"Ctrl+F" + std::u16string(1, digit));
        EXPECT_EQ(row.leftTwips, 120 + 480 * row.index);
        EXPECT_EQ(row.topTwips, 120);
        EXPECT_EQ(row.widthTwips, 375);
        EXPECT_EQ(row.heightTwips, 375);
        EXPECT_EQ(row.font, ControlFont::MsSansSerif8);
    }
}

TEST(MainWindowLayout, BottomRowEvery870TwipsAndTabOrderStartsAtTheHiddenSettingsButton) {
    struct Expected {
        std::u16string_view name, caption;
        int left, tabIndex;
    };
    const Expected bottom[] = {{bar::kDesktopIcons, u"桌  面", 120, 1},
                               {bar::kTaskbar, u"任务栏", 990, 2},
                               {bar::kHide, u"隐  藏", 1860, 12},
                               {bar::kHelp, u"帮助", 2730, 14},
                               {bar::kExit, u"退出", 3600, 13}};
    std::set<int> tabIndexes;
    for (const ControlLayout& row : MainWindowLayout().controls) {
        if (row.tabIndex != kNoTabIndex) {
            EXPECT_TRUE(tabIndexes.insert(row.tabIndex).second) << "duplicate tab index";
        }
        for (const Expected& expected : bottom) {
            if (row.name == expected.name) {
                EXPECT_EQ(row.caption.Resolve(Texts{}), expected.caption);
                EXPECT_EQ(row.leftTwips, expected.left);
                EXPECT_EQ(row.topTwips, 600);
                EXPECT_EQ(row.tabIndex, expected.tabIndex);
            }
        }
        if (row.name == bar::kSettings) {
            EXPECT_EQ(row.tabIndex, 0);
            EXPECT_GT(row.leftTwips, MainWindowLayout().clientWidthTwips);
        }
    }
    EXPECT_EQ(tabIndexes.size(), 15U);
    EXPECT_EQ(*tabIndexes.rbegin(), 14);
}

// A name that no control has would compile and fail only when the program looks it up.
TEST(NamedControls, EveryNameTheCodeUsesNamesAControlOfItsLayout) {
    const auto check = [](const FormLayout& layout, std::span<const std::u16string_view> names) {
        for (std::u16string_view name : names) {
            const bool found =
                std::any_of(layout.controls.begin(), layout.controls.end(),
                            [name](const ControlLayout& row) { return row.name == name; });
            EXPECT_TRUE(found) << "no control of "
                               << std::string(layout.name.begin(), layout.name.end())
                               << " is named " << std::string(name.begin(), name.end());
        }
    };
    check(MainWindowLayout(), bar::kAll);
    check(HelpWindowLayout(), help::kAll);
    check(SettingsDialogLayout(), config::kAll);
}

}  // namespace
}  // namespace ombrel
