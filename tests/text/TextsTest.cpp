#include <gtest/gtest.h>

#include <cstddef>

#include "text/Texts.h"

namespace ombrel {
namespace {

TEST(Texts, EveryIdHasAText) {
    for (std::size_t id = 0; id < static_cast<std::size_t>(TextId::Count); ++id) {
        EXPECT_FALSE(Text(static_cast<TextId>(id)).empty()) << "id " << id;
    }
}

TEST(Texts, ArgumentsTakeTheirMarksInOrderAndAMarkWithoutOneStays) {
    EXPECT_EQ(FormatText(TextId::UnknownCommand, {u"jump"}), u"不认识的命令“jump”");
    EXPECT_EQ(FormatText(TextId::UnknownCommand, {}), u"不认识的命令“{1}”");
    // An argument that looks like a mark is not read again.
    EXPECT_EQ(FormatText(TextId::UnknownCommand, {u"{1}"}), u"不认识的命令“{1}”");
}

}  // namespace
}  // namespace ombrel
