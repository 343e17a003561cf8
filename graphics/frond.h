// Frond: an immediate-mode 2D graphics library.
// Depends on: the platform's public types. Everything else is private to the library.
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

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Xlib names int "Status" with a macro; here that name is GDI+'s status type,
// so the macro gives way to a typedef that means the same to X11 code.
#ifdef Status
#undef Status
typedef int Status;
#endif

// Only the types this interface names, unless the includer asks for the whole
// Windows-style platform interface (Frond's own sources and its tests do).
#ifdef FROND_WITH_PLATFORM_API
#include "platform/gdiplus.h"
#include "platform/windows.h"
#else
#include "platform/gdiplus_types.h"
#include "platform/public_types.h"
#endif

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
  // ---- image files: this image is the target (results under "Image files") ----
  int getimage(const char* path);
  int getimage(const wchar_t* path);
  int getimage(const char* resType, const char* resName);
  int getimage(const wchar_t* resType, const wchar_t* resName);
  int getimage(const void* data, uint32_t size);  // platform decoder only
  // ---- block copies: this image is the source ----
  void putimage(IMAGE* dst, int x, int y, DWORD rop = SRCCOPY) const;
  void putimage(IMAGE* dst, int xd, int yd, int w, int h, int xs, int ys, DWORD rop = SRCCOPY) const;
  void putimage(int x, int y, DWORD rop = SRCCOPY) const;
  void putimage(int xd, int yd, int w, int h, int xs, int ys, DWORD rop = SRCCOPY) const;
  void putimage(IMAGE* dst, int xd, int yd, int wd, int hd, int xs, int ys, int ws, int hs,
                DWORD rop = SRCCOPY) const;
  // ---- blends: this image is the source; see "Blends and blur" below ----
  int putimage_transparent(IMAGE* dst, int x, int y, argb_color key, int xs, int ys, int w, int h) const;
  int putimage_alphablend(IMAGE* dst, int x, int y, uint8_t alpha, int xs, int ys, int w, int h,
                          int alphatype) const;
  int putimage_alphatransparent(IMAGE* dst, int x, int y, argb_color key, uint8_t alpha, int xs, int ys, int w,
                                int h) const;
  int putimage_withalpha(IMAGE* dst, int x, int y, int xs, int ys, int w, int h) const;
  // Stretched: (xs, ys, ws, hs) of the source's viewport into (x, y, wd, hd).
  int putimage_alphablend(IMAGE* dst, int x, int y, int wd, int hd, uint8_t alpha, int xs, int ys, int ws, int hs,
                          bool smooth, int alphatype) const;
  int putimage_withalpha(IMAGE* dst, int x, int y, int wd, int hd, int xs, int ys, int ws, int hs,
                         bool smooth) const;
  int putimage_alphafilter(IMAGE* dst, int x, int y, const IMAGE* filter, int xs, int ys, int w, int h) const;
  // ---- blur of a region of this image ----
  int imagefilter_blurring(int intensity, int alpha, int x, int y, int w, int h);
  int imagefilter_blurring_4(int strength, int alpha, int x, int y, int w, int h);
  int imagefilter_blurring_8(int strength, int alpha, int x, int y, int w, int h);

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
// Lines and GDI shapes
// ============================================================================

// Aliased drawing through the image's DC in viewport coordinates, with its
// pen (line style, pattern, thickness, cap, join), fill brush and write mode;
// boxes exclude their right and bottom edge, lines their end point. Each call
// on selector 0 counts one change (bar3d one per step). Angles are degrees,
// counter-clockwise from the positive x axis. Variants: fill* outline and
// fill, solid* fill only, the plain names outline only.

// A vertex of fillpoly_gradient.
struct gradient_point {
  float x;
  float y;
  argb_color color;
};

void moveto(int x, int y, IMAGE* img = nullptr);
void moverel(int dx, int dy, IMAGE* img = nullptr);
// Leaves the current position at (x1, y1); nothing with line style 5.
void line(int x1, int y1, int x2, int y2, IMAGE* img = nullptr);
void lineto(int x, int y, IMAGE* img = nullptr);
void linerel(int dx, int dy, IMAGE* img = nullptr);
// One-pixel lines in the line colour written straight into the pixels (alpha
// as it is), ignoring style and width; float end points, viewport-relative.
void line_f(float x1, float y1, float x2, float y2, IMAGE* img = nullptr);
void lineto_f(float x, float y, IMAGE* img = nullptr);
void linerel_f(float dx, float dy, IMAGE* img = nullptr);

void arc(int x, int y, int stangle, int endangle, int radius, IMAGE* img = nullptr);
void arc_f(float x, float y, float stangle, float endangle, float radius, IMAGE* img = nullptr);
void ellipse(int x, int y, int stangle, int endangle, int xradius, int yradius, IMAGE* img = nullptr);
void ellipse_f(float x, float y, float stangle, float endangle, float xradius, float yradius, IMAGE* img = nullptr);
void circle(int x, int y, int radius, IMAGE* img = nullptr);
void circle_f(float x, float y, float radius, IMAGE* img = nullptr);

void fillpie(int x, int y, int stangle, int endangle, int xradius, int yradius, IMAGE* img = nullptr);
void fillpie(int x, int y, int stangle, int endangle, int radius, IMAGE* img = nullptr);
void sector(int x, int y, int stangle, int endangle, int xradius, int yradius, IMAGE* img = nullptr);
void pie(int x, int y, int stangle, int endangle, int xradius, int yradius, IMAGE* img = nullptr);
void solidpie(int x, int y, int stangle, int endangle, int xradius, int yradius, IMAGE* img = nullptr);
void fillpie_f(float x, float y, float stangle, float endangle, float xradius, float yradius, IMAGE* img = nullptr);
void fillpie_f(float x, float y, float stangle, float endangle, float radius, IMAGE* img = nullptr);
void sector_f(float x, float y, float stangle, float endangle, float xradius, float yradius, IMAGE* img = nullptr);
void pie_f(float x, float y, float stangle, float endangle, float xradius, float yradius, IMAGE* img = nullptr);
void solidpie_f(float x, float y, float stangle, float endangle, float xradius, float yradius, IMAGE* img = nullptr);

void fillellipse(int x, int y, int xradius, int yradius, IMAGE* img = nullptr);
void solidellipse(int x, int y, int xradius, int yradius, IMAGE* img = nullptr);
void fillcircle(int x, int y, int radius, IMAGE* img = nullptr);
void solidcircle(int x, int y, int radius, IMAGE* img = nullptr);
void fillellipse_f(float x, float y, float xradius, float yradius, IMAGE* img = nullptr);
void solidellipse_f(float x, float y, float xradius, float yradius, IMAGE* img = nullptr);
void fillcircle_f(float x, float y, float radius, IMAGE* img = nullptr);
void solidcircle_f(float x, float y, float radius, IMAGE* img = nullptr);

void rectangle(int left, int top, int right, int bottom, IMAGE* img = nullptr);
void fillrect(int left, int top, int right, int bottom, IMAGE* img = nullptr);
void solidrect(int left, int top, int right, int bottom, IMAGE* img = nullptr);
// The brush only (FillRect): the write mode does not apply.
void bar(int left, int top, int right, int bottom, IMAGE* img = nullptr);
// Corner radii, not diameters.
void roundrect(int left, int top, int right, int bottom, int xradius, int yradius, IMAGE* img = nullptr);
void roundrect(int left, int top, int right, int bottom, int radius, IMAGE* img = nullptr);
void fillroundrect(int left, int top, int right, int bottom, int xradius, int yradius, IMAGE* img = nullptr);
void fillroundrect(int left, int top, int right, int bottom, int radius, IMAGE* img = nullptr);
void solidroundrect(int left, int top, int right, int bottom, int xradius, int yradius, IMAGE* img = nullptr);
void solidroundrect(int left, int top, int right, int bottom, int radius, IMAGE* img = nullptr);
// A filled front face and the outline of a box `depth` deep; the top too when topflag is not 0.
void bar3d(int left, int top, int right, int bottom, int depth, int topflag, IMAGE* img = nullptr);

// points: numpoints (x, y) pairs. drawpoly closes the figure when more than
// 3 points end where they start.
void drawpoly(int numpoints, const int* points, IMAGE* img = nullptr);
void polyline(int numpoints, const int* points, IMAGE* img = nullptr);
void polygon(int numpoints, const int* points, IMAGE* img = nullptr);
void fillpoly(int numpoints, const int* points, IMAGE* img = nullptr);
void solidpoly(int numpoints, const int* points, IMAGE* img = nullptr);
// Segment i from point 2i to point 2i+1.
void drawlines(int numlines, const int* points, IMAGE* img = nullptr);
// Cubic Bezier curves through the first 3k + 1 points.
void drawbezier(int numpoints, const int* points, IMAGE* img = nullptr);
// Triangles (i, i+1, i+2) of the points, colours shaded between the corners.
void fillpoly_gradient(int numpoints, const gradient_point* points, IMAGE* img = nullptr);

// With the fill brush: up to pixels of `border`, or the area of `areacolor`.
void floodfill(int x, int y, argb_color border, IMAGE* img = nullptr);
void floodfillsurface(int x, int y, argb_color areacolor, IMAGE* img = nullptr);

// ============================================================================
// Block copies (raster operations are GDI ternary codes such as SRCCOPY)
// ============================================================================

// img is a real image: null is fatal, a selector value gives -11.
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

class ranktree;
struct ranktree_node;

// A control: paints into its own image, which is composited onto its
// parent's before each frame, and receives the queued input routed down the
// tree: mouse events to the frontmost control under the pointer, keys along
// the focus path that mouse presses set. The first control made becomes the
// root; initgraph makes one. Children are kept in front-to-back order by
// (zlayer, zorder, address); a new or newly focused child comes to the front
// of its layer.
class frondControlBase {
 public:
  // A child of the root (or the root itself when there is none yet).
  frondControlBase();
  // A child of `parent`; without one, of the control whose constructor is
  // running (see construction_guard), else of the root.
  frondControlBase(int level, frondControlBase* parent);
  // Hands the children to the parent (or detaches them) and leaves the focus path.
  virtual ~frondControlBase();
  frondControlBase(const frondControlBase&) = delete;
  frondControlBase& operator=(const frondControlBase&) = delete;

  virtual LRESULT handlewindowmessage(UINT message, WPARAM wparam, LPARAM lparam);
  virtual int handlemouse(int x, int y, int flags);  // own coordinates; nonzero consumes
  virtual int handlekeypress(int key, int flags);    // nonzero hides the key from the children
  virtual int handlekeyrelease(int key, int flags);
  virtual int handlechar(int character, int flags);
  virtual int handleupdate();
  virtual int handlefocusgain();  // nonzero refuses the focus
  virtual void handlefocusloss();
  virtual void sparehook1();
  virtual void sparehook2();
  virtual void paintcontent(IMAGE* surface) const;
  virtual void clearfilter();  // every filter pixel opaque black: the whole image hits
  virtual void handlechildadded(frondControlBase* child);
  virtual void handlechildremoved(frondControlBase* child);
  virtual void sparehook3();

  // Takes child from its old parent and puts it in front of its layer here. Returns 0.
  int addchild(frondControlBase* child);
  // 1 when child was a child here and is now detached, else 0.
  int removechild(frondControlBase* child);
  void sortchildren();
  // The next z-order for a child; renumbers the children 1..n first once past 0x800000.
  int nextzorder();
  void renumberzorder();
  int nextid();  // 0x10001 on the first call
  // Z-order changes within the parent (nothing without one).
  void bringtofront();
  void sendtoback();
  void setzorder(int z);
  int childcount() const;
  // The children, backmost first.
  frondControlBase* zsortedchild(int index) const;

  void dispatchkeydown(int key, int flags);
  void dispatchkeyup(int key, int flags);
  void dispatchchar(int character, int flags);
  void dispatchmouse(int x, int y, int flags);  // x, y in the parent's coordinates
  void dispatchupdate();
  void dispatchdraw(IMAGE* target);

  IMAGE* main_image = nullptr;
  IMAGE* filter_image = nullptr;  // alpha filter of blend_mode 1 and mouse mask
  uint32_t visible = 0;
  uint32_t enabled = 0;
  uint32_t focused = 0;                   // on the keyboard-focus path
  std::atomic<uint32_t> window_focus{0};  // the control's own window has the focus
  uint32_t mouse_capture = 0;             // gets every mouse event of its parent first
  int32_t zlayer = 0;
  int32_t zorder = 0;
  uint32_t next_id = 0x10000;
  int32_t next_zorder = 1;
  frondControlBase* parent = nullptr;
  int32_t x = 0, y = 0;
  int32_t width = 1, height = 1;
  uint32_t rop = SRCCOPY;
  uint32_t blend_mode = 0;  // 0 composite with rop, 1 through filter_image, else not at all
  uint32_t direct = 0;      // paints straight onto the parent's surface; never composited or mask-tested
  int32_t construct_level = 0;

 private:
  void initcontrol(frondControlBase* parent);
  struct walk_position {
    const ranktree_node* node = nullptr;
    uint32_t changes = 0;
  };
  frondControlBase* childbelow(const frondControlBase* bound, walk_position* at) const;
  frondControlBase* childabove(const frondControlBase* bound, walk_position* at) const;
  template <class Handler, class Pass>
  void keywalk(bool consumable, Handler handler, Pass pass);
  std::unique_ptr<ranktree> children;  // by address
  uint32_t child_changes = 0;          // counts additions and removals, for walks in progress
  std::unique_ptr<std::vector<frondControlBase*>> zsorted_children;  // backmost first
};

// Kept by a control class's constructor for the length of its body: controls
// made inside it with the (level, parent) constructor and no parent become
// its children.
class construction_guard {
 public:
  construction_guard(frondControlBase* control, int level);
  ~construction_guard();  // drops the control from the construction stack
  construction_guard(const construction_guard&) = delete;
  construction_guard& operator=(const construction_guard&) = delete;

 private:
  frondControlBase* control;
  int level;
};

// Drops the innermost control under construction; returns how many remain.
int popconstruction();

// ============================================================================
// Line input box
// ============================================================================

// The library's edit control: a control whose platform window is a standard
// EDIT window, made on the window thread and subclassed so that its messages
// reach handlewindowmessage. Used by inputbox_getline.
class sys_edit final : public frondControlBase {
 public:
  sys_edit();
  // Focus changes set window_focus; WM_CTLCOLOREDIT answers with a brush of
  // edit_bk_color; everything else goes to the window's own procedure.
  LRESULT handlewindowmessage(UINT message, WPARAM wparam, LPARAM lparam) override;

  HWND edit_window = nullptr;
  HFONT edit_font = nullptr;    // owned
  HBRUSH edit_brush = nullptr;  // owned: the last one handed to the window
  argb_color edit_text_color = 0x00000000;
  argb_color edit_bk_color = 0x00FFFFFF;
  WNDPROC edit_wndproc = nullptr;
};

// Asks for a line of text in a modal 400x300 box over the drawing target
// until Enter is released or the window closes; puts the picture back.
// buf receives at most len - 1 characters and a terminator; the result is
// the line's length in characters (line breaks at its end cut off). A len
// below 1 or a null buf, a call before initgraph, after the window is gone or
// on the window thread returns 0 (an empty line where buf can hold one).
int inputbox_getline(const wchar_t* title, const wchar_t* text, wchar_t* buf, int len);
// The 8-bit form, through the library's code page: buf receives the longest
// whole-character prefix that fits in len bytes with its terminator; the
// result counts wide characters.
int inputbox_getline(const char* title, const char* text, char* buf, int len);

// ============================================================================
// Integer rectangles and points
// ============================================================================

// A positive width covers columns x .. x + width - 1, a negative one
// x + width + 1 .. x; zero is empty. Height and rows likewise.
struct intrect {
  int32_t x, y, width, height;
};
struct intpoint {
  int32_t x, y;
};
inline bool operator==(const intrect& a, const intrect& b) {
  return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}
inline bool operator==(const intpoint& a, const intpoint& b) { return a.x == b.x && a.y == b.y; }

// The same cells with width and height >= 0.
intrect intrect_normalized(const intrect& r);
// The common part, or {0, 0, 0, 0}; rectangles that only touch do not meet.
intrect intrect_intersection(const intrect& a, const intrect& b);
intrect& intrect_intersect(intrect& a, const intrect& b);
// The smallest rectangle holding both; an empty side takes the other as given.
intrect& intrect_unite(intrect& a, const intrect& b);
intrect& intrect_unite(intrect& a, int x, int y, int width, int height);
intrect intrect_union(const intrect& a, const intrect& b);
// Grows a (of positive size, or empty) to hold the point(s).
intrect& intrect_include(intrect& a, const intpoint& p);
intrect& intrect_include(intrect& a, const intpoint* points, int count);
// The smallest rectangle holding the points ({0, 0, 0, 0} for none).
intrect intrect_bounds(const intpoint* points, int count);
// The rectangle spanned by two corners, both included.
intrect intrect_frompoints(const intpoint& p1, const intpoint& p2);
// Cuts r to the columns xmin..xmax and rows ymin..ymax (inclusive), keeping its orientation.
intrect& intrect_clamp(intrect& r, int xmin, int xmax, int ymin, int ymax);
intrect& intrect_clampx(intrect& r, int xmin, int xmax);
intrect& intrect_clampy(intrect& r, int ymin, int ymax);
// Shortens r so that every covered column and row is a 32-bit coordinate.
intrect& intrect_limit(intrect& r);
intrect& intrect_limitwidth(intrect& r);
intrect& intrect_limitheight(intrect& r);

// ============================================================================
// Blends and blur
// ============================================================================

// Free forms of the IMAGE blend members: destination first, then the source.
// x, y are relative to the destination's viewport; xs, ys are pixel
// coordinates of the source; w or h <= 0 means to the source's edge. The
// destination's viewport always clips. All return 0 and draw nothing when
// there is nothing to do (no source or destination, an empty rectangle).

// Copies source pixels whose colour differs from the key's (low 24 bits);
// the destination keeps its alpha.
int putimage_transparent(IMAGE* dst, IMAGE* src, int x, int y, argb_color key, int xs, int ys, int w, int h);
// Source-over with constant alpha on top of each source pixel's alpha;
// alphatype 1: premultiplied source (through AlphaBlend). Alpha 0 draws nothing.
int putimage_alphablend(IMAGE* dst, IMAGE* src, int x, int y, uint8_t alpha, int alphatype);
int putimage_alphablend(IMAGE* dst, IMAGE* src, int x, int y, uint8_t alpha, int xs, int ys, int alphatype);
int putimage_alphablend(IMAGE* dst, IMAGE* src, int x, int y, uint8_t alpha, int xs, int ys, int w, int h,
                        int alphatype);
// Stretched: (xs, ys, ws, hs) relative to the source's viewport into (x, y,
// wd, hd) of the destination's; ws or hs below 1 means to the source's edge
// from xs or ys, wd or hd below 1 the source size. Nearest pixel, or bicubic
// with smooth; drawn through GDI+ (premultiplied without smoothing: AlphaBlend).
int putimage_alphablend(IMAGE* dst, IMAGE* src, int x, int y, int wd, int hd, uint8_t alpha, int xs, int ys, int ws,
                        int hs, bool smooth, int alphatype);
// Colour key and constant alpha; the source's alpha is ignored, the destination's kept.
int putimage_alphatransparent(IMAGE* dst, IMAGE* src, int x, int y, argb_color key, uint8_t alpha, int xs, int ys,
                              int w, int h);
// Each source pixel's colour by its own alpha; the destination keeps its alpha.
int putimage_withalpha(IMAGE* dst, IMAGE* src, int x, int y, int xs, int ys, int w, int h);
// Stretched as putimage_alphablend's; clips to the destination's viewport
// (when its clip flag is set), which stays the GDI+ clip afterwards.
int putimage_withalpha(IMAGE* dst, IMAGE* src, int x, int y, int wd, int hd, int xs, int ys, int ws, int hs,
                       bool smooth);
// Source-over weighted by the filter's blue byte times the source alpha; a
// filter pixel of 0 leaves the destination. The filter is read at the source
// coordinates and must cover them (else nothing is drawn).
int putimage_alphafilter(IMAGE* dst, IMAGE* src, int x, int y, const IMAGE* filter, int xs, int ys, int w, int h);
// Blurs (x, y, w, h) in pixel coordinates (0 = to the edge) in place:
// intensity 0..128 weights the 4 neighbours, 129..255 the 8 neighbours;
// alpha 1..256 scales brightness (256 keeps 255/256). Blurred pixels get
// alpha 0. 18 when the region is empty; regions under 2x2 stay unchanged.
int imagefilter_blurring(IMAGE* img, int intensity, int alpha, int x = 0, int y = 0, int w = 0, int h = 0);

// ============================================================================
// Pixel access
// ============================================================================

// Plain forms take viewport coordinates and write only inside the viewport;
// _f forms take pixel coordinates. Writers on selector 0 count one change.
argb_color getpixel(int x, int y, IMAGE* img = nullptr);    // 0 outside the image
argb_color getpixel_f(int x, int y, IMAGE* img = nullptr);  // 0 outside the image
void putpixel(int x, int y, argb_color color, IMAGE* img = nullptr);
void putpixel_f(int x, int y, argb_color color, IMAGE* img = nullptr);
// `points` holds count records {x, y, color} of three ints.
void putpixels(int count, const int* points, IMAGE* img = nullptr);
void putpixels_f(int count, const int* points, IMAGE* img = nullptr);
// The colour's red, green and blue under the pixel's alpha.
void putpixel_keepalpha(int x, int y, argb_color color, IMAGE* img = nullptr);
void putpixel_keepalpha_f(int x, int y, argb_color color, IMAGE* img = nullptr);
// The colour blended by its own alpha, the pixel's alpha kept (the _f form
// uses the faster packed arithmetic, which rounds differently).
void putpixel_withalpha(int x, int y, argb_color color, IMAGE* img = nullptr);
void putpixel_withalpha_f(int x, int y, argb_color color, IMAGE* img = nullptr);
// Source-over by the colour's alpha (times `alpha`); the pixel's alpha is written.
void putpixel_alphablend(int x, int y, argb_color color, IMAGE* img = nullptr);
void putpixel_alphablend_f(int x, int y, argb_color color, IMAGE* img = nullptr);
void putpixel_alphablend(int x, int y, argb_color color, uint8_t alpha, IMAGE* img = nullptr);
void putpixel_alphablend_f(int x, int y, argb_color color, uint8_t alpha, IMAGE* img = nullptr);

// ============================================================================
// Colour conversions
// ============================================================================

// Grey of the same luminance (0.299 R + 0.587 G + 0.114 B), alpha 0xFF.
argb_color rgbtogray(argb_color c);
// Hue in degrees (0 for grey; red may give 360), saturation and lightness in 0..1.
void rgbtohsl(argb_color c, float* h, float* s, float* l);
argb_color hsltorgb(float h, float s, float l);  // alpha 0xFF, channels clamped
// Hue in degrees, -360 for grey or black; saturation and value in 0..1.
void rgbtohsv(argb_color c, float* h, float* s, float* v);
argb_color hsvtorgb(float h, float s, float v);  // alpha 0xFF
// dst's colour moved towards src's by alpha / 255; dst's alpha kept.
argb_color blendcolor(argb_color dst, argb_color src, uint8_t alpha);
argb_color blendcolor_f(argb_color dst, argb_color src, uint8_t alpha);  // packed, rounds differently
// Straight source-over by src's alpha (times `alpha`); the alpha is written.
argb_color alphablendcolor(argb_color dst, argb_color src);
argb_color alphablendcolor(argb_color dst, argb_color src, uint8_t alpha);
// Source-over of a premultiplied src (first scaled by `alpha`), rounding down.
argb_color alphablendcolor_premultiplied(argb_color dst, argb_color src);
argb_color alphablendcolor_premultiplied(argb_color dst, argb_color src, uint8_t alpha);

// ============================================================================
// Image files
// ============================================================================
// PNG files are read and written with libpng; BMP, JPEG, GIF, TIFF (and PNG
// from memory) are read by the platform decoder; BMP files are written here.
// Loaders resize the image to the picture; pixels arrive as straight ARGB.
// Paths may separate folders with '\' or '/'; a path starting with '/' is
// absolute. 8-bit paths and resource names go through mb_to_wide.
// Results: 0 success; -3 the file could not be opened (loaders, savepng and
// the PNG branch of saveimage); -11 the platform decoder failed while copying
// or could not decode a resource or memory block; -12 not decodable, a
// damaged PNG, a resource not found, a null memory block, or a file not
// written (savebmp's open failure, a short write or failed close, an image
// with no pixels for PNG, or an image argument that resolves to no image);
// 20 no memory stream; 21 libpng or memory could not be set up; -1 the PNG
// writer could not be set up. A failed load leaves a valid image: unchanged
// when the file could not be opened, else at whatever size decoding reached.

// By path: PNG through libpng; a file that is not a PNG (signature test)
// goes to the platform decoder. A null image is fatal; a selector value
// (1 to 31) is no image to load into and gives -11. The ints are unused.
int getimage(IMAGE* img, const char* path, int = 0, int = 0);
int getimage(IMAGE* img, const wchar_t* path);
// A resource of the program: PNG by libpng, anything else by the platform.
int getimage(IMAGE* img, const char* resType, const char* resName);
int getimage(IMAGE* img, const wchar_t* resType, const wchar_t* resName);
// PNG only: 0, -3, -12 (not a PNG or damaged, or a null or selector image) or 21.
int getimage_pngfile(IMAGE* img, const char* path);
int getimage_pngfile(IMAGE* img, const wchar_t* path);
// 8-bit RGBA (colour type 6) with alpha, else RGB (colour type 2).
int savepng(IMAGE* img, const char* path, bool withAlpha);
int savepng(IMAGE* img, const wchar_t* path, bool withAlpha);
// 32-bit BI_BITFIELDS with a 108-byte header with alpha, else 24-bit.
int savebmp(IMAGE* img, const char* path, bool withAlpha);
int savebmp(IMAGE* img, const wchar_t* path, bool withAlpha);
// BMP when the path ends in ".bmp" (any case), else PNG; 0 and nothing
// written when the image argument resolves to no image.
int saveimage(IMAGE* img, const char* path, bool withAlpha);
int saveimage(IMAGE* img, const wchar_t* path, bool withAlpha);
// The library's start-up logo, a JPEG of its own.
const void* logo_data();
uint32_t logo_size();

// ============================================================================
// Text output
// ============================================================================
//
// GDI text in the image's font, text colour and background mode, placed by
// settextjustify: horizontally 0 left, 1 centre, 2 right of the point;
// vertically 0 top, 1 centred, 2 bottom. Drawing on selector 0 counts one
// change; measuring never counts and gives 0 for no image or a null text.
// 8-bit text is converted with mb_to_wide first.

// Text at the current position, which then moves past it.
void outtext(const wchar_t* text, IMAGE* img = nullptr);
void outtext(const char* text, IMAGE* img = nullptr);
void outtext(char c, IMAGE* img = nullptr);
void outtext(wchar_t c, IMAGE* img = nullptr);
// Text with its reference point at (x, y).
void outtextxy(int x, int y, const wchar_t* text, IMAGE* img = nullptr);
void outtextxy(int x, int y, const char* text, IMAGE* img = nullptr);
void outtextxy(int x, int y, char c, IMAGE* img = nullptr);
void outtextxy(int x, int y, wchar_t c, IMAGE* img = nullptr);
// Word-wrapped text in the rectangle (x, y, w, h), cut to it; nothing unless w > 0 and h > 0.
void outtextrect(int x, int y, int w, int h, const wchar_t* text, IMAGE* img = nullptr);
void outtextrect(int x, int y, int w, int h, const char* text, IMAGE* img = nullptr);
// printf-style forms on the current drawing target (frond_xyprintf below
// too). Results longer than
// 8191 wide characters or 16383 bytes are cut at a character boundary. In
// the wide forms %s and %c take wide text (wchar_t) and %hs, %hc, %S and %C
// take 8-bit text; in the 8-bit forms %s and %c take 8-bit text.
void xyprintf(int x, int y, const char* format, ...);
void xyprintf(int x, int y, const wchar_t* format, ...);
void rectprintf(int x, int y, int w, int h, const char* format, ...);
void rectprintf(int x, int y, int w, int h, const wchar_t* format, ...);
// GDI+ text in the image's font at float positions of its world space (the
// viewport origin and world transform apply), in the text colour with its
// alpha, never with a background; aligned left, centred or right on x by the
// horizontal justification, its line's top at y. The font's escapement turns
// the text and its width (lfWidth) compresses or stretches it.
void frond_outtextxy(int x, int y, const wchar_t* text, IMAGE* img = nullptr);
void frond_outtextxy(int x, int y, const char* text, IMAGE* img = nullptr);
void frond_outtextxy(int x, int y, char c, IMAGE* img = nullptr);
void frond_outtextxy(int x, int y, wchar_t c, IMAGE* img = nullptr);
void frond_drawtext(const wchar_t* text, float x, float y, IMAGE* img = nullptr);
void frond_drawtext(const char* text, float x, float y, IMAGE* img = nullptr);
void frond_xyprintf(int x, int y, const char* format, ...);
void frond_xyprintf(int x, int y, const wchar_t* format, ...);
// Width and height of the text's extent in the image's font.
int textwidth(const wchar_t* text, IMAGE* img = nullptr);
int textwidth(const char* text, IMAGE* img = nullptr);
int textwidth(char c, IMAGE* img = nullptr);
int textwidth(wchar_t c, IMAGE* img = nullptr);
int textheight(const wchar_t* text, IMAGE* img = nullptr);
int textheight(const char* text, IMAGE* img = nullptr);
int textheight(char c, IMAGE* img = nullptr);
int textheight(wchar_t c, IMAGE* img = nullptr);

// ============================================================================
// Float points, rectangles and matrices
// ============================================================================

// Coordinates of the GDI+ drawing, the world transform and paths. Point
// arrays pass as a count followed by a pointer to the first point.
struct frond_point {
  float x, y;
};
struct frond_rect {
  float x, y, w, h;
};
// An affine map in GDI+ element order: (x, y) goes to
// (m11 x + m21 y + dx, m12 x + m22 y + dy).
struct frond_transform_matrix {
  float m11, m12, m21, m22, dx, dy;
};

// ============================================================================
// Anti-aliased drawing and fill patterns
// ============================================================================
//
// GDI+ drawing with float coordinates in the image's world space (viewport
// origin plus world transform, clipped to the viewport when it clips).
// Integer coordinates lie on pixel edges: (0, 0, w, h) covers columns 0..w-1
// and rows 0..h-1. setantialias chooses blended or all-or-nothing edges.
// Colours blend by their alpha (source over). Angles are degrees, clockwise.
// Every function on selector 0 counts one change, except the first two
// frond_puttexture forms. Source images are real pointers: null or a
// selector value draws nothing.

// Outlines with the image's pen; nothing with line style 5, except
// frond_roundrect, which always draws.
void frond_line(float x1, float y1, float x2, float y2, IMAGE* img = nullptr);
void frond_polyline(int numpoints, const frond_point* points, IMAGE* img = nullptr);
void frond_polygon(int numpoints, const frond_point* points, IMAGE* img = nullptr);
// A polygon when more than 3 points end where they start, else a polyline.
void frond_drawpoly(int numpoints, const frond_point* points, IMAGE* img = nullptr);
// Cardinal splines through the points (tension 0.5 unless given).
void frond_drawcurve(int numpoints, const frond_point* points, IMAGE* img = nullptr);
void frond_drawcurve(int numpoints, const frond_point* points, float tension, IMAGE* img = nullptr);
void frond_drawclosedcurve(int numpoints, const frond_point* points, IMAGE* img = nullptr);
void frond_drawclosedcurve(int numpoints, const frond_point* points, float tension, IMAGE* img = nullptr);
// Connected cubic Bezier curves: 1 + 3k points.
void frond_bezier(int numpoints, const frond_point* points, IMAGE* img = nullptr);
void frond_drawbezier(int numpoints, const frond_point* points, IMAGE* img = nullptr);
void frond_rectangle(float x, float y, float w, float h, IMAGE* img = nullptr);
void frond_ellipse(float x, float y, float w, float h, IMAGE* img = nullptr);
void frond_circle(float x, float y, float r, IMAGE* img = nullptr);
void frond_arc(float x, float y, float w, float h, float startAngle, float sweepAngle, IMAGE* img = nullptr);
void frond_pie(float x, float y, float w, float h, float startAngle, float sweepAngle, IMAGE* img = nullptr);
// Corner radii top-left, top-right, bottom-right, bottom-left, each cut to
// what the sides leave after the corners before it.
void frond_roundrect(float x, float y, float w, float h, float r1, float r2, float r3, float r4,
                     IMAGE* img = nullptr);
void frond_roundrect(float x, float y, float w, float h, float radius);  // on the drawing target

// Fills with the image's fill brush: the pattern when one is set, else
// solid in the fill colour. Polygons and closed curves use the alternate rule.
void frond_fillrect(float x, float y, float w, float h, IMAGE* img = nullptr);
void frond_fillpoly(int numpoints, const frond_point* points, IMAGE* img = nullptr);
void frond_fillclosedcurve(int numpoints, const frond_point* points, IMAGE* img = nullptr);
void frond_fillclosedcurve(int numpoints, const frond_point* points, float tension, IMAGE* img = nullptr);
void frond_fillellipse(float x, float y, float w, float h, IMAGE* img = nullptr);
void frond_fillcircle(float x, float y, float r, IMAGE* img = nullptr);
void frond_fillpie(float x, float y, float w, float h, float startAngle, float sweepAngle, IMAGE* img = nullptr);
void frond_fillroundrect(float x, float y, float w, float h, float r1, float r2, float r3, float r4,
                         IMAGE* img = nullptr);
void frond_fillroundrect(float x, float y, float w, float h, float radius);  // on the drawing target

// Fill patterns: each replaces the image's fill brush until another pattern,
// frond_setpattern_none, setfillcolor or setfillstyle. A pattern that cannot
// be made paints nothing.
void frond_setpattern_none(IMAGE* img = nullptr);
// c1 at (x1, y1) to c2 at (x2, y2), repeating beyond them.
void frond_setpattern_lineargradient(float x1, float y1, argb_color c1, float x2, float y2, argb_color c2,
                                     IMAGE* img = nullptr);
// Inside the polygon only: centercolor at center towards the vertices' colours.
void frond_setpattern_pathgradient(frond_point center, argb_color centercolor, int count, const frond_point* points,
                                   int colcount, const argb_color* pointscolor, IMAGE* img = nullptr);
// Inside the ellipse (x, y, w, h) only: centercolor at center towards color.
void frond_setpattern_ellipse(frond_point center, argb_color centercolor, float x, float y, float w, float h,
                              argb_color color, IMAGE* img = nullptr);
// A copy of part (x, y, w, h) of srcimg's texture, tiled from the world origin.
void frond_setpattern_texture(IMAGE* srcimg, float x, float y, float w, float h, IMAGE* img = nullptr);

// Every alpha byte becomes alpha & 0xFF; colours stay.
void frond_setalpha(int alpha, IMAGE* img = nullptr);
// true: (re)makes the image's texture over its own pixels; false: releases
// it. Resizing or deleting the image releases it too.
void frond_gentexture(bool generate, IMAGE* img = nullptr);
// srcimg's texture (whole, or the part src) scaled into the rectangle;
// nothing when srcimg has none. Selector 0 counts only in the third form.
void frond_puttexture(IMAGE* srcimg, float x, float y, float w, float h, IMAGE* img = nullptr);
void frond_puttexture(IMAGE* srcimg, frond_rect dest, IMAGE* img = nullptr);
void frond_puttexture(IMAGE* srcimg, frond_rect dest, frond_rect src, IMAGE* img = nullptr);
// srcimg's pixels by their own alpha: at (x, y), or its part (xSrc, ySrc,
// wSrc, hSrc) scaled into (xDest, yDest, wDest, hDest).
void frond_drawimage(IMAGE* srcimg, int x, int y, IMAGE* img = nullptr);
void frond_drawimage(IMAGE* srcimg, int xDest, int yDest, int wDest, int hDest, int xSrc, int ySrc, int wSrc,
                     int hSrc, IMAGE* img = nullptr);

// ============================================================================
// World transform
// ============================================================================
//
// The map from the GDI+ drawing's world coordinates to the image's pixels.
// setviewport resets it to a translation by the viewport's corner. Rotate,
// translate and scale apply before the transform in place (the first call
// is outermost); angles are degrees, clockwise. Every call on selector 0,
// the readers included, counts one change.
void frond_rotate(float angle, IMAGE* img = nullptr);
void frond_translate(float x, float y, IMAGE* img = nullptr);
void frond_scale(float xScale, float yScale, IMAGE* img = nullptr);
// The identity: the viewport's translation is dropped too.
void frond_transform_reset(IMAGE* img = nullptr);
void frond_get_transform(frond_transform_matrix* matrix, IMAGE* img = nullptr);  // nothing written without an image
// A matrix that cannot be inverted is refused and the transform stays.
void frond_set_transform(const frond_transform_matrix* matrix, IMAGE* img = nullptr);
// The pixel coordinates of a world point, (0, 0) without an image.
frond_point frond_transform_calc(frond_point p, IMAGE* img = nullptr);
frond_point frond_transform_calc(float x, float y, IMAGE* img = nullptr);

// ============================================================================
// Paths
// ============================================================================
//
// A vector path of figures (lines, Bezier curves, closed shapes, glyph
// outlines) drawn with the image's pen or filled with its brush through
// GDI+, in the image's world space. Every operation tolerates a null path
// and a path whose GDI+ object could not be made (a failed copy): it does
// nothing and queries give false, 0, zero points or rectangles, or null. A
// failing GDI+ call is kept in the path's holder, never reported. Matrix
// arguments are optional (null: none). Point arrays pass as a count followed
// by the points; point types are GDI+'s (0 start, 1 line, 3 Bezier, 0x80
// closes the figure).

class frond_path {
 public:
  frond_path();  // empty, alternate fill mode
  // From points and their types (a failing creation leaves an empty holder).
  frond_path(const frond_point* points, const uint8_t* types, int count);
  frond_path(const frond_path& other);
  frond_path& operator=(const frond_path& other);
  virtual ~frond_path();

  // The GDI+ path and its last failing status (null: the path has none).
  gdip_holder<Gdiplus::GpPath>* data() { return holder_; }
  const gdip_holder<Gdiplus::GpPath>* data() const { return holder_; }

 private:
  void release();
  void copy_from(const frond_path& other);

  gdip_holder<Gdiplus::GpPath>* holder_;
};

// Null when memory runs out; frond_path_destroy ignores null.
frond_path* frond_path_create();
frond_path* frond_path_createfrom(const frond_point* points, const uint8_t* types, int count);
frond_path* frond_path_clone(const frond_path* path);
void frond_path_destroy(const frond_path* path);

// Outline with the image's pen (nothing with line style 5), fill with its
// brush. Selector 0 counts one change, also for a null path. The offset forms move the path by (x, y)
// inside the world transform, which is the same afterwards.
void frond_drawpath(const frond_path* path, IMAGE* img = nullptr);
void frond_fillpath(const frond_path* path, IMAGE* img = nullptr);
void frond_drawpath(const frond_path* path, float x, float y, IMAGE* img = nullptr);
void frond_fillpath(const frond_path* path, float x, float y, IMAGE* img = nullptr);

void frond_path_startfigure(frond_path* path);
void frond_path_closefigure(frond_path* path);
void frond_path_closeallfigures(frond_path* path);
// 2 (WINDING) selects non-zero winding, every other value alternate.
void frond_path_setfillmode(frond_path* path, int mode);
void frond_path_reset(frond_path* path);
// The points in reverse order; each figure keeps its segment kinds and closing.
void frond_path_reverse(frond_path* path);

// The outline a pen of lineWidth draws, as filled figures (flatness: the
// largest distance allowed between a curve and its lines; 0.25 unless given).
void frond_path_widen(frond_path* path, float lineWidth, const frond_transform_matrix* matrix = nullptr);
void frond_path_widen(frond_path* path, float lineWidth, const frond_transform_matrix* matrix, float flatness);
// Curves replaced by lines.
void frond_path_flatten(frond_path* path, const frond_transform_matrix* matrix = nullptr);
void frond_path_flatten(frond_path* path, const frond_transform_matrix* matrix, float flatness);
// Perspective warp of the rectangle onto 3 or 4 points (top-left, top-right,
// bottom-left[, bottom-right]); other counts do nothing.
void frond_path_warp(frond_path* path, const frond_point* points, int count, const frond_rect* rect,
                     const frond_transform_matrix* matrix = nullptr);
void frond_path_warp(frond_path* path, const frond_point* points, int count, const frond_rect* rect,
                     const frond_transform_matrix* matrix, float flatness);
// The boundary of the area the path fills.
void frond_path_outline(frond_path* path, const frond_transform_matrix* matrix = nullptr);
void frond_path_outline(frond_path* path, const frond_transform_matrix* matrix, float flatness);
void frond_path_transform(frond_path* path, const frond_transform_matrix* matrix);

// Open pieces continue the current figure; closed shapes are figures of
// their own. Angles are degrees, clockwise, from the positive x axis.
void frond_path_addpath(frond_path* path, const frond_path* other, bool connect);
void frond_path_addline(frond_path* path, float x1, float y1, float x2, float y2);
void frond_path_addarc(frond_path* path, float x, float y, float w, float h, float startAngle, float sweepAngle);
void frond_path_addpolyline(frond_path* path, int numPoints, const frond_point* points);
void frond_path_addbezier(frond_path* path, int numPoints, const frond_point* points);  // 1 + 3k points
void frond_path_addbezier(frond_path* path, float x1, float y1, float x2, float y2, float x3, float y3, float x4,
                          float y4);
void frond_path_addcurve(frond_path* path, int numPoints, const frond_point* points);  // tension 0.5
void frond_path_addcurve(frond_path* path, int numPoints, const frond_point* points, float tension);
void frond_path_addcircle(frond_path* path, float x, float y, float radius);
void frond_path_addrect(frond_path* path, float x, float y, float w, float h);
void frond_path_addellipse(frond_path* path, float x, float y, float w, float h);
void frond_path_addpie(frond_path* path, float x, float y, float w, float h, float startAngle, float sweepAngle);
void frond_path_addpolygon(frond_path* path, int numPoints, const frond_point* points);
void frond_path_addclosedcurve(frond_path* path, int numPoints, const frond_point* points);
void frond_path_addclosedcurve(frond_path* path, int numPoints, const frond_point* points, float tension);
// Glyph outlines of `length` characters (8-bit form: bytes; -1: to the
// terminator) with their line's top-left at (x, y), `height` the em size;
// fontStyle: bold 1, italic 2, underline 4, strikeout 8. A null or empty
// typeface is "SimSun"; an unknown one adds nothing.
void frond_path_addtext(frond_path* path, float x, float y, const char* text, float height, int length = -1,
                        const char* typeface = nullptr, int fontStyle = 0);
void frond_path_addtext(frond_path* path, float x, float y, const wchar_t* text, float height, int length = -1,
                        const wchar_t* typeface = nullptr, int fontStyle = 0);

// Inside the area the path fills. With an image, (x, y) is a pixel of it and
// the path is placed by the image's world transform (viewport included).
bool frond_path_inpath(const frond_path* path, float x, float y);
bool frond_path_inpath(const frond_path* path, float x, float y, IMAGE* img);
// On the line a 1-wide pen (with an image: its pen) draws.
bool frond_path_inoutline(const frond_path* path, float x, float y);
bool frond_path_inoutline(const frond_path* path, float x, float y, IMAGE* img);
frond_point frond_path_lastpoint(const frond_path* path);
int frond_path_pointcount(const frond_path* path);
// Bounds of the path mapped by the matrix; with an image, widened by its pen.
frond_rect frond_path_getbounds(const frond_path* path, const frond_transform_matrix* matrix = nullptr);
frond_rect frond_path_getbounds(const frond_path* path, const frond_transform_matrix* matrix, IMAGE* img);
// A new array of every point (type), freed by the caller with delete[].
frond_point* frond_path_getpoints(const frond_path* path);
uint8_t* frond_path_gettypes(const frond_path* path);
// At most `capacity` points (types) into the caller's buffer, which is returned.
frond_point* frond_path_getpoints(const frond_path* path, frond_point* points, int capacity);
uint8_t* frond_path_gettypes(const frond_path* path, uint8_t* types, int capacity);

// ============================================================================
// Rotation and zoom
// ============================================================================
//
// src drawn turned by `angle` radians (clockwise on screen) about its point
// (centerx, centery), given in fractions of its size, which lands on pixel
// (x, y) of dst; zoom scales it. The picture is mapped as two triangles onto
// the pixel buffers (no viewport, no GDI). Sampling is the nearest texel or,
// with smooth, bilinear (which writes alpha 0 and needs a source of at least
// 2x2). transparent skips zero samples; alpha 0..255 blends with that
// weight (alpha byte 0), any other value copies. Always 0. src follows the
// image-argument rule without counting (0: the drawing target); a dead
// image is fatal. Input that is not finite, or corners more than 2^24
// pixels away, draw nothing.
// int-flag forms: a dst below 32 is page (dst & 15), counting no change.
int putimage_rotate(IMAGE* dst, IMAGE* src, int x, int y, float centerx, float centery, float angle, int transparent,
                    int alpha, int smooth);
int putimage_rotatezoom(IMAGE* dst, IMAGE* src, int x, int y, float centerx, float centery, float angle, float zoom,
                        int transparent, int alpha, int smooth);
// bool-flag forms: dst follows the image-argument rule (0 counts one change).
int putimage_rotate(IMAGE* dst, IMAGE* src, int x, int y, float centerx, float centery, float angle, bool transparent,
                    int alpha, bool smooth);
int putimage_rotatezoom(IMAGE* dst, IMAGE* src, int x, int y, float centerx, float centery, float angle, float zoom,
                        bool transparent, int alpha, bool smooth);
// The source rectangle stretched by zoom (nearest pixel), then every pixel
// that differs from `key` in all 32 bits turned about source pixel
// (centerx, centery) onto dst at (x, y) (viewport coordinates) as four
// neighbouring pixels, each keeping dst's alpha. dst and src follow the
// image-argument rule (src 0 counts nothing); a dead src is fatal.
int putimage(IMAGE* dst, IMAGE* src, int x, int y, int xsrc, int ysrc, int wsrc, int hsrc, int centerx, int centery,
             argb_color key, float angle, float zoom);
int putimage(IMAGE* dst, IMAGE* src, int x, int y, int centerx, int centery, argb_color key, float angle, float zoom);

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
