#include <gtest/gtest.h>

#include <cstddef>
#include <string>

#include "text/Texts.h"

namespace ombrel {
namespace {

// The marks {1}..{9} of a text, in order, and its line ends: what the code that fills or splits
// it relies on.
std::u16string Skeleton(std::u16string_view text) {
    std::u16string marks;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'{' && i + 2 < text.size() && text[i + 2] == u'}') {
            marks += text.substr(i, 3);
        } else if (text[i] == u'\n' || text[i] == u'|') {
            marks += text[i];
        }
    }
    return marks;
}

TEST(Texts, EveryIdHasAChineseAndAnEnglishTextWithTheSameMarksInTheOrderOfTheIds) {
    const auto chinese = ChineseTexts();
    const auto english = EnglishTexts();
    ASSERT_EQ(chinese.size(), static_cast<std::size_t>(TextId::Count));
    ASSERT_EQ(english.size(), static_cast<std::size_t>(TextId::Count));
    for (std::size_t id = 0; id < chinese.size(); ++id) {
        EXPECT_EQ(chinese[id].id, static_cast<TextId>(id)) << "id " << id;
        EXPECT_EQ(english[id].id, static_cast<TextId>(id)) << "id " << id;
        EXPECT_FALSE(chinese[id].text.empty()) << "id " << id;
        EXPECT_FALSE(english[id].text.empty()) << "id " << id;
        // The wallpaper filter's patterns are the same; its words are not.
        EXPECT_EQ(Skeleton(english[id].text), Skeleton(chinese[id].text)) << "id " << id;
    }
}

TEST(Texts, TheLanguageInForceChoosesTheTableAndChangesWhileTheTextsAreHeld) {
    Texts texts;
    EXPECT_EQ(texts.Format(TextId::DesktopCaption, {u"2"}), u"这是桌面-2");
    texts.Use(Language::English);
    EXPECT_EQ(texts.Format(TextId::DesktopCaption, {u"2"}), u"Desktop 2");
    EXPECT_EQ(texts.Format(TextId::NamedDesktopCaption, {u"2", u"Mail"}), u"Desktop 2: Mail");
    texts.Use(Language::Chinese);
    EXPECT_EQ(texts.Text(TextId::ExitButton), u"退出");
}

TEST(Texts, ArgumentsTakeTheirMarksInOrderAndAMarkWithoutOneStays) {
    const Texts texts;
    EXPECT_EQ(texts.Format(TextId::UnknownCommand, {u"jump"}), u"不认识的命令“jump”");
    EXPECT_EQ(texts.Format(TextId::UnknownCommand, {}), u"不认识的命令“{1}”");
    // An argument that looks like a mark is not read again.
    EXPECT_EQ(texts.Format(TextId::UnknownCommand, {u"{1}"}), u"不认识的命令“{1}”");
}

}  // namespace
}  // namespace ombrel
