#include <gtest/gtest.h>

#include "FakeDialogs.h"
#include "settings/clsComDlg.h"

namespace ombrel {
namespace {

class OpenFileDialog : public ::testing::Test {
  protected:
    fakes::FakeDialogs dialogs;
    clsComDlg dialog{dialogs};
};

TEST_F(OpenFileDialog, ChoosingAFileGivesItsPathAndBareName) {
    dialogs.QueueChoice(u"C:\\pictures\\sea.bmp");
    dialog.ShowOpen();
    EXPECT_EQ(dialog.FileName(), u"C:\\pictures\\sea.bmp");
    EXPECT_EQ(dialog.FileTitle(), u"sea.bmp");
}

TEST_F(OpenFileDialog, CancelAfterAChoiceEmptiesBothResults) {
    dialogs.QueueChoice(u"C:\\pictures\\sea.bmp");
    dialog.ShowOpen();
    dialogs.QueueChoice(std::nullopt);
    dialog.ShowOpen();
    EXPECT_TRUE(dialog.FileName().empty());
    EXPECT_TRUE(dialog.FileTitle().empty());
}

TEST_F(OpenFileDialog, APathOf255CharactersFitsALongerOneEndsLikeACancel) {
    const std::u16string fits = u"C:\\" + std::u16string(252, u'图');
    dialogs.QueueChoice(fits);
    dialog.ShowOpen();
    EXPECT_EQ(dialog.FileName(), fits);
    dialogs.QueueChoice(fits + u"x");
    dialog.ShowOpen();
    EXPECT_TRUE(dialog.FileName().empty());
}

TEST_F(OpenFileDialog, TheRecordCarriesTheFilterNulSeparatedAnEmptyNameAndMustExistFlags) {
    dialog.SetFilter(u"图片|*.bmp;*.png|所有文件|*.*");
    dialog.ShowOpen();
    ASSERT_EQ(dialogs.OpenFileCalls().size(), 1U);
    const OpenFileRecord& record = dialogs.OpenFileCalls()[0];
    EXPECT_EQ(record.filter, std::u16string(u"图片\0*.bmp;*.png\0所有文件\0*.*\0\0", 25));
    EXPECT_EQ(record.owner, WindowHandle::None);
    EXPECT_EQ(record.fileBufferChars, 256U);
    EXPECT_EQ(record.fileTitleBufferChars, 255U);
    EXPECT_EQ(record.fileBuffer.substr(0, record.fileBuffer.find(u'\0')), u"");
    EXPECT_FALSE(record.title.has_value());
    EXPECT_FALSE(record.initialDirectory.has_value());
    EXPECT_EQ(record.flags, 0x4U | 0x8U | 0x800U | 0x1000U);

    dialog.SetTitle(u"选择墙纸");
    dialog.SetInitDir(u"c:\\windows");
    dialog.ShowOpen();
    EXPECT_EQ(dialogs.OpenFileCalls()[1].title, u"选择墙纸");
    EXPECT_EQ(dialogs.OpenFileCalls()[1].initialDirectory, u"c:\\windows");
}

}  // namespace
}  // namespace ombrel
