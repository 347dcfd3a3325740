#include <gtest/gtest.h>

#include <cstring>

#include "FakePlatform.h"
#include "FakeRegistry.h"
#include "settings/SettingsStore.h"
#include "settings/StoredSettings.h"
#include "settings/clsReg.h"

namespace ombrel {
namespace {

constexpr std::u16string_view kKey = u"HKLM\\SOFTWARE\\Kelvora";

class RegistryObject : public ::testing::Test {
  protected:
    // An object addressing HKLM\SOFTWARE\Kelvora\name.
    clsReg& Addressing(std::u16string name) {
        reg.SetRegKey(u"SOFTWARE\\Kelvora");
        reg.SetKeyName(std::move(name));
        return reg;
    }
    void ExpectNothingLeftOpen() { EXPECT_EQ(registry.OpenHandles(), 0U); }

    fakes::FakeRegistry registry;
    clsReg reg{registry};
};

TEST_F(RegistryObject, StartsAtLocalMachineWithEmptyTextsAndStatusZero) {
    EXPECT_EQ(reg.RootKey(), kHkeyLocalMachine);
    EXPECT_TRUE(reg.RegKey().empty());
    EXPECT_TRUE(reg.KeyName().empty());
    EXPECT_TRUE(reg.KeyValue().empty());
    EXPECT_EQ(reg.Status(), 0);
}

TEST_F(RegistryObject, ValidationChecksNameThenRootThenPathAndCallsNothing) {
    using Method = void (clsReg::*)();
    const Method methods[] = {&clsReg::CreateKey, &clsReg::DeleteKey, &clsReg::SetValue,
                              &clsReg::DeleteValue, &clsReg::GetValue};
    registry.Failures().Fail("CreateKey", 999);  // would show if anything were called
    registry.Failures().Fail("OpenKey", 999);
    for (Method method : methods) {
        clsReg fresh(registry);
        fresh.SetRootKey(0);
        (fresh.*method)();
        EXPECT_EQ(fresh.Status(), clsReg::kNoKeyName);  // the name is checked first

        fresh.SetKeyName(u"x");
        (fresh.*method)();
        EXPECT_EQ(fresh.Status(), clsReg::kNoRootKey);

        fresh.SetRootKey(kHkeyLocalMachine);
        (fresh.*method)();
        EXPECT_EQ(fresh.Status(), clsReg::kNoRegKey);
    }
    EXPECT_EQ(registry.CreateKey(RootKeyFor(kHkeyLocalMachine), u"a").Error(), SystemError(999));
    EXPECT_EQ(registry.OpenKey(RootKeyFor(kHkeyLocalMachine), u"a").Error(), SystemError(999));
}

TEST_F(RegistryObject, ReadingAMissingValueGivesEmptyTextAndTwoAndCreatesNothing) {
    Addressing(u"WallPaper0").SetKeyValue(u"left over");
    ASSERT_FALSE(registry.KeyExists(kKey));
    reg.GetValue();
    EXPECT_EQ(reg.Status(), kErrorFileNotFound);
    EXPECT_TRUE(reg.KeyValue().empty());
    EXPECT_FALSE(registry.KeyExists(kKey));

    registry.PutString(kKey, u"Other", u"x");
    reg.SetKeyValue(u"left over");
    reg.GetValue();
    EXPECT_EQ(reg.Status(), kErrorFileNotFound);
    EXPECT_TRUE(reg.KeyValue().empty());
    ExpectNothingLeftOpen();
}

TEST_F(RegistryObject, AReadThatCannotStartGivesEmptyTextAndItsCodeNeverAnEarlierText) {
    Addressing(u"WallPaper0").SetKeyValue(u"previous use");
    registry.PutString(kKey, u"WallPaper0", u"C:\\sea.bmp");
    registry.Failures().Fail("OpenKey", kErrorAccessDenied);
    reg.GetValue();
    EXPECT_EQ(reg.Status(), kErrorAccessDenied);
    EXPECT_TRUE(reg.KeyValue().empty());

    reg.SetKeyValue(u"previous use");
    reg.SetKeyName(u"");
    reg.GetValue();
    EXPECT_EQ(reg.Status(), clsReg::kNoKeyName);
    EXPECT_TRUE(reg.KeyValue().empty());
}

TEST_F(RegistryObject, TextRoundTripsWholeInChineseAndBeyondCodePage936) {
    const std::u16string texts[] = {u"D:\\图片\\海边.bmp", u"C:\\사진\\🌊.jpg", u"   ", u""};
    for (const std::u16string& text : texts) {
        Addressing(u"WallPaper3").SetKeyValue(text);
        reg.SetValue();
        EXPECT_EQ(reg.Status(), 0);
        const auto stored = registry.GetValue(kKey, u"WallPaper3");
        ASSERT_TRUE(stored.has_value());
        EXPECT_EQ(stored->type, RegSz);
        EXPECT_EQ(stored->data.size(), (text.size() + 1) * 2) << "UTF-16 and one NUL";

        reg.SetKeyValue(u"overwritten");
        reg.GetValue();
        EXPECT_EQ(reg.Status(), 0);
        EXPECT_EQ(reg.KeyValue(), text);
    }
    ExpectNothingLeftOpen();
}

TEST_F(RegistryObject, DeleteValueRemovesItAndReportsAMissingOne) {
    Addressing(u"NeverShowInfo").SetKeyValue(u"Yes");
    reg.SetValue();
    reg.DeleteValue();
    EXPECT_EQ(reg.Status(), 0);
    EXPECT_FALSE(registry.GetValue(kKey, u"NeverShowInfo").has_value());
    reg.DeleteValue();
    EXPECT_EQ(reg.Status(), kErrorFileNotFound);
    ExpectNothingLeftOpen();
}

TEST_F(RegistryObject, DeleteKeyOfAMissingKeyCreatesThenDeletesIt) {
    reg.SetRegKey(u"SOFTWARE\\Kelvora\\Scratch");
    reg.SetKeyName(u"any");
    reg.DeleteKey();
    EXPECT_EQ(reg.Status(), 0);
    EXPECT_FALSE(registry.KeyExists(u"HKLM\\SOFTWARE\\Kelvora\\Scratch"));
    EXPECT_TRUE(registry.KeyExists(kKey));
    ExpectNothingLeftOpen();
}

TEST_F(RegistryObject, WritesWithoutTheRightToChangeTheKeyReportAccessDenied) {
    registry.DenyWrites(u"HKLM");
    Addressing(u"WallPaper0").SetKeyValue(u"x");
    reg.SetValue();
    EXPECT_EQ(reg.Status(), kErrorAccessDenied);
    reg.DeleteValue();
    EXPECT_EQ(reg.Status(), kErrorAccessDenied);
    ExpectNothingLeftOpen();
}

std::vector<std::byte> Bytes(std::initializer_list<int> values) {
    std::vector<std::byte> bytes;
    for (int value : values) {
        bytes.push_back(static_cast<std::byte>(value));
    }
    return bytes;
}

// Whatever another program left in the value: no crash, no read past the data.
TEST_F(RegistryObject, DataOfAnyTypeIsReadAsTextUpToItsFirstNul) {
    struct Case {
        const char* what;
        fakes::FakeRegistry::Value value;
        std::u16string expected;
    };
    const Case cases[] = {
        {"dword", {RegDword, Bytes({0x41, 0, 0x42, 0})}, u"AB"},
        {"odd binary", {RegBinary, Bytes({0x41, 0, 0x42})}, u"A"},
        {"multi-string", {RegMultiSz, fakes::StringData(std::u16string_view(u"a\0b\0", 4))}, u"a"},
        {"no terminator", {RegSz, Bytes({0x43, 0, 0x44, 0})}, u"CD"},
        {"empty data", {RegSz, {}}, u""},
        {"only the NUL", {RegSz, Bytes({0, 0})}, u""},
        {"one odd byte", {RegSz, Bytes({0x41})}, u""},
    };
    for (const Case& c : cases) {
        registry.PutValue(kKey, u"Odd", c.value);
        Addressing(u"Odd").SetKeyValue(u"stale");
        reg.GetValue();
        EXPECT_EQ(reg.KeyValue(), c.expected) << c.what;
        EXPECT_EQ(reg.Status(), 0) << c.what;
    }
    ExpectNothingLeftOpen();
}

TEST_F(RegistryObject, LongTextsAreReadWholeAndAHugeOneIsRefusedCalmly) {
    for (std::size_t length : {std::size_t{32'766}, std::size_t{200'000}}) {
        const std::u16string text(length, u'路');
        registry.PutString(kKey, u"Long", text);
        Addressing(u"Long").GetValue();
        EXPECT_EQ(reg.Status(), 0);
        EXPECT_EQ(reg.KeyValue().size(), length);
    }
    registry.PutValue(kKey, u"Long", {RegSz, std::vector<std::byte>(clsReg::kMaxValueBytes + 2)});
    reg.GetValue();
    EXPECT_EQ(reg.Status(), kErrorMoreData);
    EXPECT_TRUE(reg.KeyValue().empty());
    ExpectNothingLeftOpen();
}

TEST_F(RegistryObject, AReadThatFailsAfterTheSizeQueryGivesEmptyTextNotBlanks) {
    registry.PutString(kKey, u"WallPaper1", u"C:\\sea.bmp");
    registry.Failures().Fail("QueryValue", kErrorAccessDenied, 1, 1);
    Addressing(u"WallPaper1").SetKeyValue(u"old");
    reg.GetValue();
    EXPECT_EQ(reg.Status(), kErrorAccessDenied);
    EXPECT_TRUE(reg.KeyValue().empty());
    ExpectNothingLeftOpen();
}

TEST(SettingsRead, ReadingEverySettingFromAnEmptyRegistryCreatesNoKey) {
    fakes::FakePlatform fake;
    const std::size_t keys = fake.registry.KeyCount();
    RegistryObjects objects(fake.registry);
    objects.ConfigureAtStartup();
    const StoredSettings settings(fake.registry, fake.forms);
    settings.Load();
    EXPECT_FALSE(settings.StoredBarPosition().has_value());
    EXPECT_EQ(fake.registry.KeyCount(), keys);
}

}  // namespace
}  // namespace ombrel
