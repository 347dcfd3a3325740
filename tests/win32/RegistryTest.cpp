#include <windows.h>

#include <gtest/gtest.h>

#include "settings/clsReg.h"
#include "win32/Win32Registry.h"

namespace ombrel::win32 {
namespace {

constexpr std::u16string_view kTestKey = u"Software\\OmbrelTests\\Registry";

// The registry object against Wine's real registry, under a key of its own.
class RealRegistry : public ::testing::Test {
  protected:
    void SetUp() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\OmbrelTests"); }
    void TearDown() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\OmbrelTests"); }

    clsReg& Addressing(std::u16string name) {
        reg.SetRootKey(kHkeyCurrentUser);
        reg.SetRegKey(std::u16string(kTestKey));
        reg.SetKeyName(std::move(name));
        return reg;
    }

    Win32Registry registry;
    clsReg reg{registry};
};

TEST_F(RealRegistry, ChineseAndTextBeyondCodePage936RoundTripAsUtf16) {
    for (const std::u16string& text :
         {std::u16string(u"D:\\图片\\海边.bmp"), std::u16string(u"C:\\사진\\🌊 ü.jpg"),
          std::u16string(u"   ")}) {
        Addressing(u"WallPaper0").SetKeyValue(text);
        reg.SetValue();
        ASSERT_EQ(reg.Status(), 0);

        DWORD type = 0;
        DWORD size = 0;
        ASSERT_EQ(::RegGetValueW(HKEY_CURRENT_USER, L"Software\\OmbrelTests\\Registry",
                                 L"WallPaper0", RRF_RT_ANY, &type, nullptr, &size),
                  ERROR_SUCCESS);
        EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
        EXPECT_EQ(size, (text.size() + 1) * sizeof(wchar_t));

        reg.SetKeyValue(u"overwritten");
        reg.GetValue();
        EXPECT_EQ(reg.Status(), 0);
        EXPECT_EQ(reg.KeyValue(), text);
    }
}

TEST_F(RealRegistry, AMissingValueReadsEmptyWithTwoAndNoKeyIsCreated) {
    Addressing(u"NeverShowInfo").SetKeyValue(u"stale");
    reg.GetValue();
    EXPECT_EQ(reg.Status(), ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(reg.KeyValue().empty());
    HKEY key = nullptr;
    EXPECT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\OmbrelTests", 0, KEY_READ, &key),
              ERROR_FILE_NOT_FOUND);
}

TEST_F(RealRegistry, DeleteValueAndDeleteKey) {
    Addressing(u"NeverShowInfo").SetKeyValue(u"Yes");
    reg.SetValue();
    reg.DeleteValue();
    EXPECT_EQ(reg.Status(), 0);
    reg.DeleteValue();
    EXPECT_EQ(reg.Status(), ERROR_FILE_NOT_FOUND);
    reg.DeleteKey();
    EXPECT_EQ(reg.Status(), 0);
    HKEY key = nullptr;
    EXPECT_EQ(
        ::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\OmbrelTests\\Registry", 0, KEY_READ, &key),
        ERROR_FILE_NOT_FOUND);
}

TEST_F(RealRegistry, AValueWithoutItsNulOrOfAnotherTypeIsReadCalmly) {
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\OmbrelTests\\Registry", 0, nullptr,
                                0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const wchar_t unterminated[] = {L'a', L'b'};
    ::RegSetValueExW(key, L"Raw", 0, REG_SZ, reinterpret_cast<const BYTE*>(unterminated),
                     sizeof(unterminated));
    const DWORD number = 0x00420041;
    ::RegSetValueExW(key, L"Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                     sizeof(number));
    ::RegCloseKey(key);

    Addressing(u"Raw").GetValue();
    EXPECT_EQ(reg.Status(), 0);
    EXPECT_EQ(reg.KeyValue(), u"ab");
    Addressing(u"Number").GetValue();
    EXPECT_EQ(reg.KeyValue(), u"AB");
}

TEST_F(RealRegistry, AVolatileKeyIsMarkedSo) {
    Win32Registry seam;
    const SystemResult<RegistryKey> key =
        seam.CreateVolatileKey(RootKeyFor(kHkeyCurrentUser), u"Software\\OmbrelTests\\Volatile");
    ASSERT_TRUE(key.Succeeded());
    EXPECT_EQ(seam.CloseKey(key.Value()), kSucceeded);
    // A non-volatile child under a volatile key is refused by the system.
    HKEY child = nullptr;
    EXPECT_EQ(
        ::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\OmbrelTests\\Volatile\\Child", 0, nullptr,
                          REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &child, nullptr),
        ERROR_CHILD_MUST_BE_VOLATILE);
}

}  // namespace
}  // namespace ombrel::win32
