// Stock objects and the calls common to every object kind: selection into a
// DC, deletion, kind queries. Selection counts are changed under the registry
// lock, so an object cannot be deleted by one thread while another selects it.
// Depends on: dc, handles. The creation calls of pens, brushes, fonts and bitmaps live in their own files.
#include <array>
#include <cwchar>

#include "gdi/dc.h"

namespace platform::gdi {
namespace {

constexpr int kStockCount = DC_PEN + 1;

LOGFONTW stock_font(LONG height, LONG weight, BYTE pitch, const wchar_t* face) {
  LOGFONTW f{};
  f.lfHeight = height;
  f.lfWeight = weight;
  f.lfCharSet = DEFAULT_CHARSET;
  f.lfPitchAndFamily = pitch;
  std::wcsncpy(f.lfFaceName, face, LF_FACESIZE - 1);
  return f;
}

std::shared_ptr<GdiObject> make_stock(int index) {
  const auto pen = [](DWORD style, COLORREF color) { return std::make_shared<Pen>(false, style, 1, color); };
  const auto brush = [](UINT style, COLORREF color) { return std::make_shared<Brush>(style, color, 0); };
  const auto font = [](const LOGFONTW& f) { return std::make_shared<Font>(f); };
  constexpr BYTE kFixed = 1, kVariable = 2;  // FIXED_PITCH, VARIABLE_PITCH
  switch (index) {
    case WHITE_BRUSH: return brush(BS_SOLID, RGB(255, 255, 255));
    case LTGRAY_BRUSH: return brush(BS_SOLID, RGB(192, 192, 192));
    case GRAY_BRUSH: return brush(BS_SOLID, RGB(128, 128, 128));
    case DKGRAY_BRUSH: return brush(BS_SOLID, RGB(64, 64, 64));
    case BLACK_BRUSH: return brush(BS_SOLID, RGB(0, 0, 0));
    case NULL_BRUSH: return brush(BS_NULL, 0);
    case DC_BRUSH: return brush(BS_SOLID, RGB(255, 255, 255));
    case WHITE_PEN: return pen(PS_SOLID, RGB(255, 255, 255));
    case BLACK_PEN: return pen(PS_SOLID, 0);
    case NULL_PEN: return pen(PS_NULL, 0);
    case DC_PEN: return pen(PS_SOLID, 0);
    case OEM_FIXED_FONT: return font(stock_font(12, FW_NORMAL, kFixed, L"Terminal"));
    case ANSI_FIXED_FONT: return font(stock_font(12, FW_NORMAL, kFixed, L"Courier"));
    case ANSI_VAR_FONT: return font(stock_font(12, FW_NORMAL, kVariable, L"MS Sans Serif"));
    case SYSTEM_FONT: return font(stock_font(16, FW_BOLD, kVariable, L"System"));
    case DEVICE_DEFAULT_FONT: return font(stock_font(16, FW_BOLD, kVariable, L"System"));
    case SYSTEM_FIXED_FONT: return font(stock_font(16, FW_NORMAL, kFixed, L"Fixedsys"));
    case DEFAULT_GUI_FONT: return font(stock_font(-11, FW_NORMAL, kVariable, L"MS Shell Dlg"));
    case DEFAULT_PALETTE: return std::make_shared<Palette>();
    default: return nullptr;  // index 9 is not a stock object
  }
}

struct StockTable {
  std::array<HGDIOBJ, kStockCount> objects{};
  HBITMAP bitmap = nullptr;
};

HGDIOBJ add_stock(std::shared_ptr<GdiObject> object) {
  object->stock = true;
  return register_object(std::move(object));
}

const StockTable& stock_table() {
  static const StockTable table = [] {
    StockTable t;
    for (int i = 0; i < kStockCount; ++i) {
      if (auto object = make_stock(i)) t.objects[i] = add_stock(std::move(object));
    }
    // The 1x1 monochrome bitmap of a new memory DC: it holds no pixels here.
    auto bitmap = std::make_shared<Bitmap>();
    bitmap->width = 1;
    bitmap->height = 1;
    bitmap->bits_per_pixel = 1;
    bitmap->row_bytes = 2;
    t.bitmap = static_cast<HBITMAP>(add_stock(std::move(bitmap)));
    return t;
  }();
  return table;
}

// Called with the registry locked: `slot` now holds `next`; returns the handle it held.
template <class T>
HGDIOBJ reselect(std::shared_ptr<T>& slot, const std::shared_ptr<GdiObject>& next) {
  const HGDIOBJ previous = slot ? slot->handle : nullptr;
  if (slot && !slot->stock) --slot->selections;
  if (!next->stock) ++next->selections;
  slot = std::static_pointer_cast<T>(next);
  return previous;
}

}  // namespace

HGDIOBJ stock_object(int index) {
  return index >= 0 && index < kStockCount ? stock_table().objects[index] : nullptr;
}

HBITMAP stock_bitmap() { return stock_table().bitmap; }

}  // namespace platform::gdi

using namespace platform::gdi;

HGDIOBJ GetStockObject(int index) { return stock_object(index); }

DWORD GetObjectType(HGDIOBJ object) {
  const auto o = find_object(object);
  return o ? o->type : 0;
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
  stock_table();  // made before the registry is locked below
  auto lock = lock_registry();
  const auto d = object_as<DeviceContext>(find_object_locked(dc));
  const auto o = find_object_locked(object);
  if (!d || !o) return nullptr;
  switch (o->type) {
    case OBJ_REGION: {
      lock.unlock();
      const int complexity = SelectClipRgn(dc, static_cast<HRGN>(object));
      return complexity == ERROR ? HGDI_ERROR : reinterpret_cast<HGDIOBJ>(static_cast<intptr_t>(complexity));
    }
    case OBJ_BITMAP:
      // A bitmap lives in one memory DC at a time; the screen DC has no bitmap.
      if (d->is_screen() || (o != d->bitmap && !o->stock && o->selections > 0)) return nullptr;
      return reselect(d->bitmap, o);
    case OBJ_PEN:
    case OBJ_EXTPEN: return reselect(d->pen, o);
    case OBJ_BRUSH: return reselect(d->brush, o);
    case OBJ_FONT: return reselect(d->font, o);
    default: return nullptr;
  }
}

HGDIOBJ GetCurrentObject(HDC dc, UINT kind) {
  const auto d = find_dc(dc);
  if (!d) return nullptr;
  const auto handle_of = [](const auto& slot) -> HGDIOBJ { return slot ? slot->handle : nullptr; };
  switch (kind) {
    case OBJ_BITMAP: return handle_of(d->bitmap);
    case OBJ_PEN:
    case OBJ_EXTPEN: return handle_of(d->pen);
    case OBJ_BRUSH: return handle_of(d->brush);
    case OBJ_FONT: return handle_of(d->font);
    default: return nullptr;
  }
}

BOOL DeleteObject(HGDIOBJ object) {
  std::shared_ptr<GdiObject> doomed;  // declared first: freed after the lock is released
  auto lock = lock_registry();
  const auto o = find_object_locked(object);
  if (!o || DeviceContext::is_kind(o->type)) return FALSE;
  if (o->stock) return TRUE;
  if (o->selections > 0) return FALSE;  // still selected into a DC
  doomed = unregister_locked(object);
  return TRUE;
}
