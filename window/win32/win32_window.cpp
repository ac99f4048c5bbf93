#include "window/win32/win32_window.h"

#include <cstring>

#include "notation/gbk.h"
#include "window/fixed_texts.h"
#include "window/win32/key_mapping.h"

namespace calc {
namespace {

constexpr wchar_t main_class[] = L"CardCalculatorWindow";
constexpr wchar_t label_class[] = L"CardCalculatorLabel";
constexpr wchar_t panel_class[] = L"CardCalculatorPanel";
constexpr DWORD main_style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr int icon_resource = 1;

// Only one window exists; the window procedures find it here.
win32_window* the_window = nullptr;

// Child-window ids and timer ids are the control's row in the description, plus one.
UINT_PTR id_of(control c) {
  return static_cast<UINT_PTR>(c) + 1;
}
control control_of(UINT_PTR id) {
  return static_cast<control>(id - 1);
}

std::wstring wide_from(UINT code_page, std::string_view in) {
  if (in.empty()) return std::wstring();
  const int n = MultiByteToWideChar(code_page, 0, in.data(), static_cast<int>(in.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(code_page, 0, in.data(), static_cast<int>(in.size()), wide.data(), n);
  return wide;
}

// The program's texts are GBK; the W functions show them on a Windows of any language.
std::wstring wide_from_gbk(const text& gbk) {
  return wide_from(936, gbk);
}

COLORREF colour_ref(rgb c) {
  return RGB(c.red, c.green, c.blue);
}

UINT alignment_format(alignment a) {
  switch (a) {
    case alignment::left:
      return DT_LEFT;
    case alignment::right:
      return DT_RIGHT;
    default:
      return DT_CENTER;
  }
}

bool write_clipboard(const text& t) {
  if (!OpenClipboard(nullptr)) return false;
  EmptyClipboard();
  bool placed = false;
  if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, t.size() + 1)) {
    if (void* bytes = GlobalLock(memory)) {
      std::memcpy(bytes, t.data(), t.size());
      static_cast<char*>(bytes)[t.size()] = '\0';
      GlobalUnlock(memory);
      placed = SetClipboardData(CF_TEXT, memory) != nullptr;
    }
    if (!placed) GlobalFree(memory);  // the clipboard took no ownership
  }
  CloseClipboard();
  return placed;
}

void show_fatal_error(const text& report) {
  MessageBoxW(nullptr, wide_from_gbk(report).c_str(), L"card-calculator",
              MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

}  // namespace

win32_window::win32_window(HINSTANCE instance, int show_command)
    : instance_(instance), show_command_(show_command) {
  the_window = this;
}

win32_window::~win32_window() {
  if (installed_window() == this) install_window(nullptr);
  if (main_) DestroyWindow(main_);
  for (control_state& s : controls_) {
    if (s.font) DeleteObject(s.font);
  }
  if (the_window == this) the_window = nullptr;
}

bool win32_window::initialise_services() {
  set_clipboard_writer(write_clipboard);
  set_fatal_error_handler(show_fatal_error);

  icon_ = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(icon_resource), IMAGE_ICON,
                                        GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
  small_icon_ =
      static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(icon_resource), IMAGE_ICON,
                                    GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
  if (!icon_) icon_ = LoadIconW(nullptr, IDI_APPLICATION);

  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = window_procedure;
  window_class.hInstance = instance_;
  window_class.hIcon = icon_;
  window_class.hIconSm = small_icon_;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = main_class;
  if (!RegisterClassExW(&window_class)) return false;

  // The panel only shows the face colour around its child; the labels paint
  // every pixel of themselves.
  window_class.lpfnWndProc = DefWindowProcW;
  window_class.hIcon = window_class.hIconSm = nullptr;
  window_class.lpszClassName = panel_class;
  if (!RegisterClassExW(&window_class)) return false;

  window_class.lpfnWndProc = label_procedure;
  window_class.hbrBackground = nullptr;
  window_class.lpszClassName = label_class;
  if (!RegisterClassExW(&window_class)) return false;

  // Labels without a face of their own use the face of the system's dialogs.
  LOGFONTW gui_font{};
  if (GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof gui_font, &gui_font))
    default_face_ = gui_font.lfFaceName;
  return true;
}

bool win32_window::load_window() {
  const int left = (GetSystemMetrics(SM_CXSCREEN) - calculator_window.outer_width) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - calculator_window.outer_height) / 2;
  main_ = CreateWindowExW(0, main_class, wide_from_gbk(fixed_texts().title_eight_cards).c_str(), main_style,
                          left, top, calculator_window.outer_width, calculator_window.outer_height, nullptr,
                          nullptr, instance_, nullptr);
  if (!main_) return false;
  for (const control_description& d : window_description()) {
    if (!create_control(d)) return false;
  }
  install_window(this);
  handle_window_ready();
  ShowWindow(main_, show_command_);
  UpdateWindow(main_);
  return true;
}

bool win32_window::create_control(const control_description& d) {
  control_state& s = state(d.id);
  s.caption = gbk_from_utf8(d.starting_caption);
  s.shown = wide_from_gbk(s.caption);
  s.top = d.top;
  if (d.kind == control_kind::timer) return true;

  const HWND parent = d.parent ? state(*d.parent).hwnd : main_;
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  if (d.shown) style |= WS_VISIBLE;
  if (d.kind == control_kind::drawing_panel) style |= WS_CLIPCHILDREN;
  s.hwnd = CreateWindowExW(0, d.kind == control_kind::drawing_panel ? panel_class : label_class, L"", style,
                           d.left, d.top, d.width, d.height, parent, reinterpret_cast<HMENU>(id_of(d.id)),
                           instance_, nullptr);
  if (!s.hwnd) return false;
  // Each new child goes beneath its elder siblings: the first row of a parent lies on top.
  SetWindowPos(s.hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  if (d.kind == control_kind::label) {
    // The captions are code page 936: asking for its character set makes
    // Windows pick a face with the Chinese characters where the named one
    // (or the default face) lacks them.
    const std::wstring face = d.font.face.empty() ? default_face_ : wide_from(CP_UTF8, d.font.face);
    s.font = CreateFontW(-d.font.pixel_height, 0, 0, 0, d.font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE,
                         FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                         DEFAULT_PITCH | FF_DONTCARE, face.c_str());
  }
  return true;
}

void win32_window::run_event_loop() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);  // Alt+Space needs the system character for the system menu
    DispatchMessageW(&message);
  }
}

text win32_window::caption(control label) {
  return state(label).caption;
}

void win32_window::set_caption(control label, const text& caption) {
  control_state& s = state(label);
  s.caption = caption;
  s.shown = wide_from_gbk(caption);
  if (s.hwnd) InvalidateRect(s.hwnd, nullptr, FALSE);
}

void win32_window::set_title(const text& title) {
  SetWindowTextW(main_, wide_from_gbk(title).c_str());
}

std::int32_t win32_window::top(control label) {
  return state(label).top;
}

void win32_window::set_top(control label, std::int32_t top) {
  control_state& s = state(label);
  s.top = top;
  if (s.hwnd) {
    SetWindowPos(s.hwnd, nullptr, describe(label).left, top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

std::int32_t win32_window::period(control timer) {
  return state(timer).period;
}

void win32_window::restart_timer(control timer, std::int32_t period) {
  state(timer).period = period;
  // Killing also drops a tick that is already waiting in the queue.
  KillTimer(main_, id_of(timer));
  if (period > 0) SetTimer(main_, id_of(timer), static_cast<UINT>(period), nullptr);
}

void win32_window::paint_label(HWND hwnd, control label) {
  const control_description& d = describe(label);
  const control_state& s = state(label);
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(hwnd, &paint);
  RECT area;
  GetClientRect(hwnd, &area);
  FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
  if (!s.shown.empty()) {
    const HGDIOBJ old_font = SelectObject(dc, s.font);
    SetBkMode(dc, TRANSPARENT);
    UINT format = DT_NOPREFIX | alignment_format(d.align);
    format |= d.lines == line_mode::single_line ? DT_SINGLELINE | DT_VCENTER : DT_WORDBREAK;
    const int length = static_cast<int>(s.shown.size());
    if (d.effect == text_effect::engraved) {
      RECT edge = area;
      OffsetRect(&edge, 1, 1);
      SetTextColor(dc, RGB(255, 255, 255));
      DrawTextW(dc, s.shown.c_str(), length, &edge, format);
    }
    SetTextColor(dc, colour_ref(d.colour));
    DrawTextW(dc, s.shown.c_str(), length, &area, format);
    SelectObject(dc, old_font);
  }
  EndPaint(hwnd, &paint);
}

LRESULT CALLBACK win32_window::window_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      // Alt combinations and F10 arrive as system keys; both kinds go to the
      // handler and then on to the ordinary handling (Alt+F4, the system menu).
      const auto virtual_key = static_cast<unsigned>(wparam);
      const modifier_keys held{GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_SHIFT) < 0,
                               GetKeyState(VK_MENU) < 0};
      if (installed_window())
        handle_key_down(key_code_from_virtual_key(virtual_key), modifier_state_from(virtual_key, held));
      break;
    }
    case WM_TIMER:
      if (installed_window()) deliver_tick(control_of(wparam));
      return 0;
    case WM_DESTROY:
      if (the_window && the_window->main_ == hwnd) the_window->main_ = nullptr;
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

LRESULT CALLBACK win32_window::label_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  const control label = control_of(static_cast<UINT_PTR>(GetWindowLongPtrW(hwnd, GWLP_ID)));
  switch (message) {
    case WM_PAINT:
      if (the_window) {
        the_window->paint_label(hwnd, label);
        return 0;
      }
      break;
    case WM_ERASEBKGND:
      return 1;  // the paint fills the whole label
    case WM_SETCURSOR:
      if (label == control::滚动板_消息标签) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    default:
      break;
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

}  // namespace calc
