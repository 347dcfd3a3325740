#include <gtest/gtest.h>

#include <set>

#include "ui/layouts/MainWindowLayout.h"

namespace ombrel {
namespace {

TEST(MainWindowLayout, SeventeenControlsWithTheDesktopButtonsInTheirOwnCreationOrder) {
    const FormLayout& layout = MainWindowLayout();
    EXPECT_EQ(layout.caption, u"Ombrel200902");
    EXPECT_EQ(layout.clientWidthTwips, 4470);
    EXPECT_EQ(layout.clientHeightTwips, 1020);
    ASSERT_EQ(layout.controls.size(), 17U);

    std::vector<int> desktopOrder;
    for (const ControlLayout& row : layout.controls) {
        if (row.name == u"cmdDesktop") {
            desktopOrder.push_back(row.index);
        }
    }
    EXPECT_EQ(desktopOrder, (std::vector<int>{4, 7, 5, 6, 1, 3, 2, 0, 8}));
    EXPECT_EQ(layout.controls[12].name, u"tmrFresh");
    EXPECT_EQ(layout.controls[12].intervalMs, 1000);
    EXPECT_EQ(layout.controls[16].name, u"shpSelect");
}

TEST(MainWindowLayout, DesktopButtonsRunLeftToRightOneToNine) {
    for (const ControlLayout& row : MainWindowLayout().controls) {
        if (row.name != u"cmdDesktop") {
            continue;
        }
        const char16_t digit = static_cast<char16_t>(u'1' + row.index);
        EXPECT_EQ(row.caption, std::u16string(1, digit));
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
    const Expected bottom[] = {{u"cmdDesk", u"桌  面", 120, 1},
                               {u"cmdTray", u"任务栏", 990, 2},
                               {u"cmdHide", u"隐  藏", 1860, 12},
                               {u"Command2", u"帮助", 2730, 14},
                               {u"Command1", u"退出", 3600, 13}};
    std::set<int> tabIndexes;
    for (const ControlLayout& row : MainWindowLayout().controls) {
        if (row.tabIndex != kNoTabIndex) {
            EXPECT_TRUE(tabIndexes.insert(row.tabIndex).second) << "duplicate tab index";
        }
        for (const Expected& expected : bottom) {
            if (row.name == expected.name) {
                EXPECT_EQ(row.caption, expected.caption);
                EXPECT_EQ(row.leftTwips, expected.left);
                EXPECT_EQ(row.topTwips, 600);
                EXPECT_EQ(row.tabIndex, expected.tabIndex);
            }
        }
        if (row.name == u"cmdConfig") {
            EXPECT_EQ(row.tabIndex, 0);
            EXPECT_GT(row.leftTwips, MainWindowLayout().clientWidthTwips);
        }
    }
    EXPECT_EQ(tabIndexes.size(), 15U);
    EXPECT_EQ(*tabIndexes.rbegin(), 14);
}

}  // namespace
}  // namespace ombrel
