#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/WindowHandle.h"
#include "ui/forms/Control.h"
#include "ui/forms/FormEvents.h"
#include "ui/forms/FormRuntime.h"
#include "ui/forms/Layout.h"

namespace ombrel {

// One window of the program as data: built from its layout on first use, its properties
// kept here and mirrored into the native window by the form runtime.
class Form {
  public:
    Form(const FormLayout& layout, FormRuntime& runtime, const Texts& texts);
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;
    ~Form() = default;

    void SetEvents(FormEvents& events) { events_ = &events; }
    const FormLayout& Layout() const { return *layout_; }
    const Texts& TextsInForce() const { return *texts_; }
    // The language changed: the caption and every control's text that the layout takes from the
    // table are read again; texts set since are the owner's to set again.
    void Retext();

    bool IsLoaded() const { return window_ != WindowHandle::None; }
    // Builds the native window and raises the load event; nothing when already loaded.
    void Load();
    // Raises the unload event and destroys the window; the next use builds it anew.
    void Unload();
    // Modeless: loads the form if needed and returns at once.
    void Show();
    void Hide();
    bool Visible() const;
    void SetVisible(bool visible);

    const std::u16string& Caption() const { return caption_; }
    void SetCaption(std::u16string caption);
    float Left() const { return left_; }
    float Top() const { return top_; }
    void SetLeft(float twips);
    void SetTop(float twips);
    // The full width, frame included.
    float Width() const;
    const std::u16string& Tag() const { return tag_; }
    void SetTag(std::u16string tag) { tag_ = std::move(tag); }
    // Loads the form if needed.
    WindowHandle hWnd();
    WindowHandle WindowIfLoaded() const { return window_; }

    Control& Controls(std::u16string_view name, int index = kNoIndex);
    std::span<Control> AllControls() { return controls_; }

    // Raised by the form runtime (and by tests, in its place).
    void RaiseClick(std::u16string_view control, int index = kNoIndex);
    void RaiseDblClick();
    void RaiseContextMenu();
    void RaiseControlContextMenu(std::u16string_view control, int index = kNoIndex);
    void RaiseMouseWheel(int delta);
    void RaiseWindowDropped(WindowHandle window, std::u16string_view control, int index = kNoIndex);
    void RaiseMovedByUser();
    void RaiseSessionEnding();
    void RaiseScreensChanged();
    void RaiseToolTipNeeded(std::u16string_view control, int index = kNoIndex);
    void RaiseTimer(std::u16string_view control);

    // The native window moved; the model follows without echoing back.
    void MovedByWindow(float leftTwips, float topTwips);
    void ControlChanged(Control& control, ControlChange change);

  private:
    void ResetToLayout();

    const FormLayout* layout_;
    FormRuntime* runtime_;
    const Texts* texts_;
    FormEvents* events_ = nullptr;
    std::vector<Control> controls_;
    WindowHandle window_ = WindowHandle::None;
    bool unloading_ = false;
    std::u16string caption_;
    std::u16string tag_;
    float left_ = 0;
    float top_ = 0;
};

}  // namespace ombrel
