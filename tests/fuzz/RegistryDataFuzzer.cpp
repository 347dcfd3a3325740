// Feeds arbitrary registry data (type, bytes, a declared size that may not match) to the two
// readers of data that other programs can write: the registry object and the recovery list.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "FakeDesktop.h"
#include "FakeFormRuntime.h"
#include "FakeLog.h"
#include "FakeRegistry.h"
#include "engine/RecoveryList.h"
#include "settings/clsReg.h"

namespace {

void Check(bool holds) {
    if (!holds) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* input, std::size_t length) {
    using namespace ombrel;
    if (length < 4) {
        return 0;
    }
    const bool recoveryList = (input[0] & 1) != 0;
    const std::uint32_t type = input[1] % 8;
    const auto skew = static_cast<std::int16_t>(input[2] | (input[3] << 8));
    fakes::FakeRegistry::Value value{type, {}};
    for (std::size_t i = 4; i < length; ++i) {
        value.data.push_back(static_cast<std::byte>(input[i]));
    }

    fakes::FakeRegistry registry;
    registry.SetSizeSkew(skew % 64);
    if (recoveryList) {
        fakes::FakeDesktop desktop;
        desktop.OpenWindow();
        desktop.OpenWindow({.visible = false});
        registry.PutValue(u"HKCU\\Software\\Kelvora\\Recovery\\1", u"Windows", value);
        registry.PutValue(u"HKCU\\Software\\Kelvora\\Recovery\\1", u"Writer", value);
        fakes::FakeLog log;
        fakes::FakeFormRuntime process(desktop);
        const Texts texts;
        RecoveryList list(registry, desktop, log, texts, process);
        list.TakeOver();
        Check(!registry.KeyExists(u"HKCU\\Software\\Kelvora\\Recovery"));
    } else {
        registry.PutValue(u"HKLM\\SOFTWARE\\Kelvora", u"WallPaper0", value);
        clsReg reg(registry);
        reg.SetRegKey(u"SOFTWARE\\Kelvora");
        reg.SetKeyName(u"WallPaper0");
        reg.GetValue();
        Check(reg.KeyValue().find(u'\0') == std::u16string::npos);
        Check(reg.KeyValue().size() * 2 <= value.data.size());
    }
    Check(registry.OpenHandles() == 0);
    return 0;
}
