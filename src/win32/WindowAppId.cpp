#include "win32/WindowAppId.h"

#include <propidl.h>
#include <propsys.h>
#include <shellapi.h>

#include <memory>

namespace ombrel::win32 {
namespace {

// PKEY_AppUserModel_ID, spelt out so that no GUID library is needed.
constexpr PROPERTYKEY kAppUserModelId{
    {0x9F4C2855, 0x9F79, 0x4B39, {0xA8, 0xD0, 0xE1, 0xD4, 0x2D, 0xE1, 0xD5, 0xF3}}, 5};

struct ReleaseInterface {
    void operator()(IUnknown* object) const noexcept { object->Release(); }
};

// A value the store hands over, cleared whatever it holds.
class PropertyValue {
  public:
    explicit PropertyValue(decltype(::PropVariantClear)* clear) : clear_(clear) {
        ::PropVariantInit(&value);
    }
    PropertyValue(const PropertyValue&) = delete;
    PropertyValue& operator=(const PropertyValue&) = delete;
    ~PropertyValue() { clear_(&value); }

    PROPVARIANT value{};

  private:
    decltype(::PropVariantClear)* clear_;
};

}  // namespace

std::wstring WindowAppIds::Of(HWND window) {
    const auto storeOf =
        shell_.Function<decltype(::SHGetPropertyStoreForWindow)>("SHGetPropertyStoreForWindow");
    const auto clear = com_.Function<decltype(::PropVariantClear)>("PropVariantClear");
    IPropertyStore* opened = nullptr;
    if (storeOf == nullptr || clear == nullptr ||
        FAILED(storeOf(window, IID_IPropertyStore, reinterpret_cast<void**>(&opened))) ||
        opened == nullptr) {
        return {};
    }
    const std::unique_ptr<IPropertyStore, ReleaseInterface> store(opened);
    PropertyValue id(clear);
    if (FAILED(store->GetValue(kAppUserModelId, &id.value)) || id.value.vt != VT_LPWSTR ||
        id.value.pwszVal == nullptr) {
        return {};
    }
    return id.value.pwszVal;
}

}  // namespace ombrel::win32
