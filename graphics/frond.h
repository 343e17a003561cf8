// Frond: an immediate-mode 2D graphics library.
//
// One window with its own message thread, queued keyboard and mouse input,
// frame pacing, 32-bit images with blits and blends, image files, drawing
// attributes, GDI shapes, anti-aliased drawing, text and controls.
//
// Image arguments: every function that takes an IMAGE pointer reads a value
// below 32 as a selector, not an address. 0 is the current drawing target
// (the window's active page unless settarget chose another image); a drawing
// call on 0 counts one change of the window's picture. A value v from 1 to 31
// is page image v & 15 (pages 0 to 3 exist; other indexes resolve to no
// image). delimage and the file loaders take real pointers only.
#pragma once

#include <cstdint>
#include <string>

#include "platform/gdiplus.h"
#include "platform/windows.h"

namespace frond {

// ============================================================================
// Basic types
// ============================================================================

// A colour and pixel value 0xAARRGGBB.
typedef uint32_t argb_color;

// Marks a live IMAGE; any other value in its first field is a fatal error.
constexpr uint32_t IMAGE_MAGIC = 0x20100916;

// Called by the window thread for keys and characters; 0 drops the message.
typedef int (*key_hook_proc)(void* value, int kind, int key);
// Called by the window thread when the user asks to close the window.
typedef void (*close_handler_proc)();

// Owns one GDI+ object and remembers the status of its last failing call.
template <class T>
struct gdip_holder {
  T* object = nullptr;
  Gdiplus::Status last_status = Gdiplus::Ok;

  // Records a failing status; returns it for chaining.
  Gdiplus::Status record(Gdiplus::Status status) {
    if (status != Gdiplus::Ok) last_status = status;
    return status;
  }
};

// ============================================================================
// IMAGE: an off-screen 32-bit picture over a GDI memory DC
// ============================================================================

class IMAGE {
 public:
  uint32_t magic;
  HDC dc;
  HBITMAP bitmap;
  int32_t width;   // as requested; the DIB is at least 1x1
  int32_t height;
  argb_color* pixels;  // rows top to bottom, stride = DIB width
  argb_color line_color;
  argb_color fill_color;
  argb_color text_color;
  argb_color bk_color;
  gdip_holder<Gdiplus::GpGraphics> graphics_holder;
  gdip_holder<Gdiplus::GpPen> pen_holder;
  gdip_holder<Gdiplus::GpBrush> brush_holder;
  bool antialias;
  struct {
    int32_t left, top, right, bottom, clip;
  } viewport;
  int32_t text_halign;
  int32_t text_valign;
  int32_t line_style;
  uint32_t line_pattern;
  int32_t line_thickness;
  float line_width;
  int32_t start_cap;
  int32_t end_cap;
  int32_t line_join;
  float miter_limit;
  gdip_holder<Gdiplus::GpBitmap> bitmap_holder;

  IMAGE();                       // 1x1
  IMAGE(int width, int height);  // negative sizes count as 0
  IMAGE(const IMAGE& other);     // same size and pixels, default attributes
  ~IMAGE();
  IMAGE& operator=(const IMAGE& other);  // size and pixels; attributes kept

  // Makes the DC and DIB section, then resets the viewport to the whole image.
  void initimage(HDC reference, int width, int height);
  void set_defaults();
  // Ends the process through the fatal box when this is not a live image.
  void check_magic(const wchar_t* operation) const;

  // New size; content not kept unless the size is unchanged. Always 0.
  int resize_f(int width, int height);
  // New size, then every pixel becomes the background colour.
  int resize(int width, int height);
  // Becomes a copy of `other` (a selector is resolved without counting).
  void copyimage(IMAGE* other);

  Gdiplus::GpGraphics* gdip_graphics();
  Gdiplus::GpPen* gdip_pen();
  Gdiplus::GpBrush* gdip_brush();
  void set_gdip_brush(Gdiplus::GpBrush* brush);
  void set_antialias(bool on);
  // true: (re)makes a GDI+ bitmap sharing `pixels`; false: releases it.
  void attach_gdip_bitmap(bool create);
  int release_objects();

  // ---- block copies: this image is the destination ----
  int getimage(IMAGE* src, int x, int y, int w, int h);
  int getimage(int x, int y, int w, int h);  // from the drawing target
  // ---- block copies: this image is the source ----
  void putimage(IMAGE* dst, int x, int y, DWORD rop = SRCCOPY) const;
  void putimage(IMAGE* dst, int xd, int yd, int w, int h, int xs, int ys, DWORD rop = SRCCOPY) const;
  void putimage(int x, int y, DWORD rop = SRCCOPY) const;
  void putimage(int xd, int yd, int w, int h, int xs, int ys, DWORD rop = SRCCOPY) const;
  void putimage(IMAGE* dst, int xd, int yd, int wd, int hd, int xs, int ys, int ws, int hs,
                DWORD rop = SRCCOPY) const;

 private:
  void construct(int width, int height);
  void clear_fields();
};

// ============================================================================
// The window
// ============================================================================

// Mode bits of initgraph and setinitmode.
enum initmode_flags {
  INITMODE_BORDERLESS = 0x01,
  INITMODE_CHILD = 0x02,       // with BORDERLESS: a child of the parent window
  INITMODE_TOPMOST = 0x04,
  INITMODE_MANUAL_RENDER = 0x08,
  INITMODE_KEEP_ON_CLOSE = 0x10,  // the close button only sets the close request
  INITMODE_UNICODE_CHARS = 0x20,
  INITMODE_HIDDEN = 0x40,
  INITMODE_LOGO = 0x100,
};

// Opens the window (on its own thread) and returns once it exists. A width
// or height below 0 takes the parent's or the desktop's size.
void initgraph(int width, int height, int mode = 0);
void initgraph(int* driver, int* mode);
void setinitmode(int mode, int x = (int)0x80000000, int y = (int)0x80000000);
int getinitmode();
void getdefaultmode(int* driver, int* mode);

void setcaption(const char* text);
void setcaption(const wchar_t* text);
// A program icon by resource id; 0 is the system application icon.
void seticon(int id);
void showwindow();
void hidewindow();
void movewindow(int x, int y, bool redraw = true);
// Copies the visual page to the window now.
void flushwindow();
// New drawing size: pages are resized and cleared, the window follows.
void resizewindow(int width, int height);
int setparentwindow(HWND parent);
HWND getparentwindow();
void getparentsize(int* width, int* height);

// ============================================================================
// Frames, pages and render modes
// ============================================================================

// 1: frames reach the window only when presented; other values: a 50 ms timer presents.
void setrendermode(int mode);
void setactivepage(int page);  // 0..3: the page drawing goes to
void setvisualpage(int page);  // 0..3: the page the window shows
void swappage();
int getactivepage();
int getvisualpage();
struct viewport_rect {
  int left, top, right, bottom;
};
// The part of the visual page the window shows; its size is the client size.
void setwindowviewport(int left, int top, int right, int bottom);
void getwindowviewport(viewport_rect* rect);
void getwindowviewport(int* left, int* top, int* right, int* bottom);

// ============================================================================
// Keyboard and mouse input
// ============================================================================

enum key_msg_kind { KEYMSG_PRESS = 1, KEYMSG_RELEASE = 2, KEYMSG_CHAR = 4 };
enum key_msg_flag { KEYFLAG_SHIFT = 0x100, KEYFLAG_CTRL = 0x200, KEYFLAG_FIRST_PRESS = 0x80000 };
struct key_message {
  uint32_t keycode;  // virtual-key code or character
  uint32_t kind;
  uint32_t flags;
};

enum mouse_msg_kind { MOUSEMSG_PRESS = 0x10, MOUSEMSG_RELEASE = 0x20, MOUSEMSG_MOVE = 0x40, MOUSEMSG_WHEEL = 0x80 };
enum mouse_msg_flag {
  MOUSEFLAG_LEFT = 1,
  MOUSEFLAG_RIGHT = 2,
  MOUSEFLAG_MIDDLE = 4,
  MOUSEFLAG_SHIFT = 0x100,
  MOUSEFLAG_CTRL = 0x200,
};
struct mouse_message {
  int32_t x, y;  // client coordinates
  uint32_t kind;
  uint32_t flags;
  int32_t wheel_delta;
};
struct mouse_record {
  uint32_t message;
  uint8_t ctrl, shift, left, middle, right, reserved;
  int16_t x, y, wheel;
};

// Packed key codes: low 16 bits the code, plus 0x10000 press, 0x20000
// release, 0x40000 character, 0x80000 first press (not an auto-repeat).
int peekkey(int filter);
int popkey();
// -1 once the window is destroyed; else the next key event, left queued (0: none).
int keypending();
int peekchar();
int charpending();
int charpending(int filter);
int waitchar();
int waitchar(int filter);
// Blocks until a key event; all zero once the window is closed and nothing is queued.
key_message getkey();
void flushkey();
int drainchars();
// 1 while that virtual key (or mouse button 1, 2, 4) is down; -1 out of range.
int getkeystate(int vk);
// 0 or 1; 0 once the window is destroyed.
int mousepending();
mouse_message getmouse();
mouse_record getmouserecord();
void flushmouse();

// ============================================================================
// Time and frame pacing
// ============================================================================

void sleep_ms(int ms);
void pause_ms(int ms);
// 0: present what was drawn; otherwise keep the window alive for ms.
void delay_ms(int ms);
void delay_fps(double fps);
void delay_fps(int fps);
// As delay_fps, but a frame that is late is not presented.
void delay_fps_skip(double fps);
void delay_fps_skip(int fps);
// Seconds since the clock's first use.
double clock_seconds();
// Seconds since the first call, from the tick count.
double elapsedseconds();
float getfps();

// ============================================================================
// Graphics state and accessors
// ============================================================================

// True until a close was requested or the window was destroyed.
bool isrunning();
bool iswindowready();
HWND getwindowhandle();
HINSTANCE getinstancehandle();
// The image last given to settarget (null: none).
IMAGE* gettarget();
// Makes `img` what selector 0 means; null means the active page.
int settarget(IMAGE* img);
// Every pixel becomes the image's background colour, alpha included.
void cleardevice(IMAGE* img = nullptr);
int showmouse(int show);
int mousepos(int* x, int* y);
int setkeyhook(void* value, key_hook_proc hook);
int setreservedhook(void* value, void* hook);
int setclosehandler(close_handler_proc handler);
void setcodepage(unsigned int code_page);
unsigned int getcodepage();
void setunicodechars(bool on);
bool getunicodechars();
int getversion();
// Sets the close-requested flag (the window thread's default close handler).
void default_close_handler();

// ============================================================================
// Images
// ============================================================================

IMAGE* newimage();                       // 1x1
IMAGE* newimage(int width, int height);  // each size below 1 counts as 1
void delimage(IMAGE* img);               // null does nothing
int getwidth(IMAGE* img = nullptr);      // 0 without an image
int getheight(IMAGE* img = nullptr);
int getx(IMAGE* img = nullptr);          // current position; -1 without an image
int gety(IMAGE* img = nullptr);
argb_color* getbuffer(IMAGE* img = nullptr);
const argb_color* getbuffer(const IMAGE* img);
HDC getimagedc(IMAGE* img = nullptr);
int resize_f(IMAGE* img, int width, int height);
int resize(IMAGE* img, int width, int height);
void setantialias(bool on, IMAGE* img = nullptr);

// ============================================================================
// Viewports
// ============================================================================

// Origin and clip of drawing in an image; the rectangle is clamped to the image.
void setviewport(int left, int top, int right, int bottom, int clip = 1, IMAGE* img = nullptr);
void getviewport(int* left, int* top, int* right, int* bottom, int* clip = nullptr, IMAGE* img = nullptr);
// Fills the viewport with the DC's background colour.
void clearviewport(IMAGE* img = nullptr);

// ============================================================================
// Drawing attributes
// ============================================================================

// GDI colour 0x00BBGGRR of an argb_color (red and blue swap, alpha dropped).
constexpr COLORREF to_gdi_color(argb_color c) {
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

void setcolor(argb_color color, IMAGE* img = nullptr);  // lines and text
argb_color getcolor(IMAGE* img = nullptr);
void setlinecolor(argb_color color, IMAGE* img = nullptr);
argb_color getlinecolor(IMAGE* img = nullptr);
void setfillcolor(argb_color color, IMAGE* img = nullptr);
argb_color getfillcolor(IMAGE* img = nullptr);
// Pattern 0 hollow, 1 solid, 2..11 hatched, others solid.
void setfillstyle(int pattern, argb_color color, IMAGE* img = nullptr);
// Also repaints every pixel equal to the old background colour.
void setbkcolor(argb_color color, IMAGE* img = nullptr);
void setbkcolor_norepaint(argb_color color, IMAGE* img = nullptr);
argb_color getbkcolor(IMAGE* img = nullptr);
void settextcolor(argb_color color, IMAGE* img = nullptr);
argb_color gettextcolor(IMAGE* img = nullptr);
// Colour behind opaque text only; the image's background colour stays.
void setfontbkcolor(argb_color color, IMAGE* img = nullptr);
void setbkmode(int mode, IMAGE* img = nullptr);     // 1 transparent, 2 opaque
void setwritemode(int mode, IMAGE* img = nullptr);  // binary raster operation
// Style 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, 5 none, 7 user pattern.
void setlinestyle(int style, unsigned short pattern = 0, int thickness = 1, IMAGE* img = nullptr);
void getlinestyle(int* style, unsigned short* pattern = nullptr, int* thickness = nullptr, IMAGE* img = nullptr);
void setlinewidth(float width, IMAGE* img = nullptr);
// Caps and joins: 0 flat / miter, 1 square / bevel, 2 round.
void setlinecap(int cap, IMAGE* img = nullptr);
void setlinecap(int startcap, int endcap, IMAGE* img = nullptr);
void getlinecap(int* startcap, int* endcap, IMAGE* img = nullptr);
int getlinecap(IMAGE* img = nullptr);
void setlinejoin(int join, IMAGE* img = nullptr);
void setlinejoin(int join, float miterlimit, IMAGE* img = nullptr);
void getlinejoin(int* join, float* miterlimit, IMAGE* img = nullptr);
int getlinejoin(IMAGE* img = nullptr);

// ============================================================================
// Block copies (raster operations are GDI ternary codes such as SRCCOPY)
// ============================================================================

int getimage(IMAGE* img, IMAGE* src, int x, int y, int w, int h);
int getimage(IMAGE* img, int x, int y, int w, int h);  // from the drawing target
void putimage(int x, int y, IMAGE* src, DWORD rop = SRCCOPY);
void putimage(int xd, int yd, int w, int h, IMAGE* src, int xs, int ys, DWORD rop = SRCCOPY);
void putimage(IMAGE* dst, int x, int y, IMAGE* src, DWORD rop = SRCCOPY);
void putimage(IMAGE* dst, int xd, int yd, int w, int h, IMAGE* src, int xs, int ys, DWORD rop = SRCCOPY);
// Stretched (COLORONCOLOR) copies.
void putimage(IMAGE* dst, int xd, int yd, int wd, int hd, IMAGE* src, int xs, int ys, int ws, int hs,
              DWORD rop = SRCCOPY);
void putimage(int xd, int yd, int wd, int hd, IMAGE* src, int xs, int ys, int ws, int hs, DWORD rop = SRCCOPY);

// ============================================================================
// Text and fonts
// ============================================================================

// 8-bit text to wide text through the library's code page (empty on failure).
std::wstring mb_to_wide(const char* text);
void settextjustify(int horiz, int vert, IMAGE* img = nullptr);
void setfont(int height, int width, const char* face, IMAGE* img = nullptr);
void setfont(int height, int width, const wchar_t* face, IMAGE* img = nullptr);
void setfont(int height, int width, const char* face, int escapement, int orientation, int weight, bool italic,
             bool underline, bool strikeout, IMAGE* img = nullptr);
void setfont(int height, int width, const wchar_t* face, int escapement, int orientation, int weight, bool italic,
             bool underline, bool strikeout, IMAGE* img = nullptr);
void setfont(int height, int width, const char* face, int escapement, int orientation, int weight, bool italic,
             bool underline, bool strikeout, uint8_t charset, uint8_t outprecision, uint8_t clipprecision,
             uint8_t quality, uint8_t pitchandfamily, IMAGE* img = nullptr);
void setfont(int height, int width, const wchar_t* face, int escapement, int orientation, int weight, bool italic,
             bool underline, bool strikeout, uint8_t charset, uint8_t outprecision, uint8_t clipprecision,
             uint8_t quality, uint8_t pitchandfamily, IMAGE* img = nullptr);
void setfont(const LOGFONTA* font, IMAGE* img = nullptr);
void setfont(const LOGFONTW* font, IMAGE* img = nullptr);
void getfont(LOGFONTA* font, IMAGE* img = nullptr);
void getfont(LOGFONTW* font, IMAGE* img = nullptr);

// ============================================================================
// Controls
// ============================================================================

// A control: paints into its own image, which is composited onto its
// parent's before each frame, and receives the queued input routed down the
// tree. The first control made becomes the root; initgraph makes one.
class frondControlBase {
 public:
  frondControlBase();
  frondControlBase(int level, frondControlBase* parent);
  ~frondControlBase();  // not virtual: controls are destroyed by their own type
  frondControlBase(const frondControlBase&) = delete;
  frondControlBase& operator=(const frondControlBase&) = delete;

  virtual LRESULT handlewindowmessage(UINT message, WPARAM wparam, LPARAM lparam);
  virtual int handlemouse(int x, int y, int flags);  // nonzero consumes
  virtual int handlekeypress(int key, int flags);    // nonzero consumes
  virtual int handlekeyrelease(int key, int flags);
  virtual int handlechar(int character, int flags);
  virtual int handleupdate();
  virtual int handlefocusgain();  // nonzero refuses the focus
  virtual void handlefocusloss();
  virtual void sparehook1();
  virtual void sparehook2();
  virtual void paintcontent(IMAGE* surface) const;
  virtual void clearfilter();
  virtual void handlechildadded(frondControlBase* child);
  virtual void handlechildremoved(frondControlBase* child);
  virtual void sparehook3();

  void dispatchkeydown(int key, int flags);
  void dispatchkeyup(int key, int flags);
  void dispatchchar(int character, int flags);
  void dispatchmouse(int x, int y, int flags);
  void dispatchupdate();
  void dispatchdraw(IMAGE* target);
  int nextid();

  IMAGE* main_image;
  IMAGE* filter_image;
  uint32_t visible;
  uint32_t enabled;
  uint32_t focused;
  uint32_t window_focus;
  uint32_t mouse_capture;
  int32_t zlayer;
  int32_t zorder;
  uint32_t next_id;
  int32_t next_zorder;
  frondControlBase* parent;
  int32_t x, y;
  int32_t width, height;
  uint32_t rop;
  uint32_t blend_mode;
  uint32_t direct;
  int32_t construct_level;

 private:
  void initcontrol(frondControlBase* parent);
};

// ============================================================================
// Run-time system libraries
// ============================================================================

// Loads imm32, msimg32 and winmm until all their entries are present,
// reporting each one missing on stderr.
void load_system_libraries();
void free_system_libraries();
// Ole32's CreateStreamOnHGlobal, loaded for this call; 1 when missing.
HRESULT create_stream_on_hglobal(HGLOBAL memory, bool delete_on_release, IStream** out);
// Shows `text` in the "FROND INTERNAL ERROR" box and ends the process (-11).
[[noreturn]] void internal_error_box(const wchar_t* text);

}  // namespace frond
