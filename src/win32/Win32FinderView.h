#pragma once

#include <windows.h>

#include <memory>
#include <unordered_map>
#include <vector>

#include "ui/FinderView.h"
#include "win32/NativeWindow.h"
#include "win32/UiFonts.h"
#include "win32/UniqueHandle.h"
#include "win32/WindowIcon.h"

namespace ombrel::win32 {

// The finder's window: a box to type in over an owner-drawn list that holds no data of its own,
// so that a thousand lines are shown at once and only the lines in sight are drawn (their
// programs' icons read as they come into sight). Made at the first opening, hidden when closed.
class Win32FinderView final : public FinderView, private NativeWindow {
  public:
    explicit Win32FinderView(HINSTANCE instance) : instance_(instance) {}
    ~Win32FinderView() override;

    bool Open(WindowHandle bar, std::u16string_view caption, FinderViewEvents& events) override;
    void ShowLines(std::span<const FinderLine> lines) override;
    void Close() noexcept override;
    bool IsOpen() const noexcept override { return open_; }

  private:
    static constexpr wchar_t kClassName[] = L"Ombrel.Finder";

    bool Create();
    // Every size at the window's DPI: fonts, the box, the list and its lines, the window.
    void Layout(UINT dpi);
    // Centred across the width of the work area of the screen of `bar`, a fifth down.
    void PlaceOn(HWND bar);
    void SetText(const wchar_t* text);
    void MoveChoice(int lines);
    void Choose(bool bringHere);
    void DrawLine(const DRAWITEMSTRUCT& item);
    // The icon of the line's window, read once while the finder is open.
    HBITMAP IconOf(HWND window);

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The box's keys: Up, Down, Page Up, Page Down, Enter and Escape.
    static LRESULT CALLBACK BoxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR self);

    HINSTANCE instance_;
    FinderViewEvents* events_ = nullptr;
    HWND box_ = nullptr;
    HWND list_ = nullptr;
    UINT dpi_ = 0;
    std::unique_ptr<UiFonts> fonts_;
    int lineHeight_ = 0;
    int iconSize_ = 0;
    std::vector<FinderLine> lines_;
    ProgramIcons programIcons_;
    std::unordered_map<HWND, UniqueBitmap> icons_;
    bool open_ = false;
    bool settingText_ = false;  // our own change of the box's text is no typing
};

}  // namespace ombrel::win32
