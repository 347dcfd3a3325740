#include <gtest/gtest.h>

#include <set>

#include "ui/layouts/SettingsDialogLayout.h"

namespace ombrel {
namespace {

// Where a control stands in the dialog's own coordinates.
struct Point {
    int left;
    int top;
};

Point InDialog(const ControlLayout& row) {
    if (row.parent.empty()) {
        return {row.leftTwips, row.topTwips};
    }
    for (const ControlLayout& parent : SettingsDialogLayout().controls) {
        if (parent.name == row.parent) {
            return {parent.leftTwips + row.leftTwips, parent.topTwips + row.topTwips};
        }
    }
    ADD_FAILURE() << "no parent";
    return {};
}

TEST(SettingsDialogLayout, ThirtyFiveControlsWithUniqueTabIndexesAndOkFirst) {
    const FormLayout& layout = SettingsDialogLayout();
    EXPECT_EQ(layout.caption.Resolve(Texts{}), u"设置");
    EXPECT_EQ(layout.clientWidthTwips, 4500);
    EXPECT_EQ(layout.clientHeightTwips, 4290);
    ASSERT_EQ(layout.controls.size(), 35U);
    std::set<int> tabIndexes;
    for (const ControlLayout& row : layout.controls) {
        tabIndexes.insert(row.tabIndex);
    }
    EXPECT_EQ(tabIndexes.size(), 35U);
    EXPECT_EQ(*tabIndexes.begin(), 0);
    EXPECT_EQ(*tabIndexes.rbegin(), 34);
    EXPECT_EQ(layout.controls[34].name, config::kOk);
    EXPECT_EQ(layout.controls[34].tabIndex, 0);
    EXPECT_EQ(layout.controls[34].caption.Resolve(Texts{}), u"确  定");
}

TEST(SettingsDialogLayout, TheNineWallpaperRowsFormOneEvenColumnWhateverTheirParent) {
    int rows = 0;
    for (const ControlLayout& row : SettingsDialogLayout().controls) {
        const Point at = InDialog(row);
        if (row.name == config::kWallpaperBox) {
            EXPECT_EQ(at.left, 720) << row.index;
            EXPECT_EQ(at.top, 300 + 300 * row.index) << row.index;
            EXPECT_EQ(row.parent.empty(), row.index >= 2);
            ++rows;
        } else if (row.name == config::kBrowse) {
            EXPECT_EQ(at.left, 4020);
            EXPECT_EQ(at.top, 300 + 300 * row.index);
            EXPECT_TRUE(row.caption.Resolve(Texts{}).empty());
        } else if (row.name.starts_with(u"Label")) {
            const int index = row.name[5] - u'1';
            EXPECT_EQ(at.left, 240);
            EXPECT_EQ(at.top, 360 + 300 * index);
            EXPECT_EQ(row.caption.Resolve(Texts{}), u"桌面" + std::u16string(1, row.name[5]));
        }
    }
    EXPECT_EQ(rows, 9);
}

}  // namespace
}  // namespace ombrel
