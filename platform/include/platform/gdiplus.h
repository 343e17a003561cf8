// GDI+ flat interface stand-in. Types and functions live in namespace
// Gdiplus; colours are ARGB words passed unchanged (straight alpha).
#pragma once

#include "platform/gdi32.h"

namespace Gdiplus {

typedef float REAL;
typedef DWORD ARGB;
typedef DWORD PixelFormat;
typedef UINT GraphicsState;
typedef UINT GraphicsContainer;

enum Status {
  Ok = 0,
  GenericError = 1,
  InvalidParameter = 2,
  OutOfMemory = 3,
  ObjectBusy = 4,
  InsufficientBuffer = 5,
  NotImplemented = 6,
  Win32Error = 7,
  WrongState = 8,
  Aborted = 9,
  FileNotFound = 10,
  ValueOverflow = 11,
  AccessDenied = 12,
  UnknownImageFormat = 13,
  FontFamilyNotFound = 14,
  FontStyleNotFound = 15,
  NotTrueTypeFont = 16,
  UnsupportedGdiplusVersion = 17,
  GdiplusNotInitialized = 18,
  PropertyNotFound = 19,
  PropertyNotSupported = 20,
};
typedef Status GpStatus;

enum Unit { UnitWorld = 0, UnitDisplay = 1, UnitPixel = 2, UnitPoint = 3, UnitInch = 4, UnitDocument = 5, UnitMillimeter = 6 };
typedef Unit GpUnit;
enum SmoothingMode {
  SmoothingModeInvalid = -1,
  SmoothingModeDefault = 0,
  SmoothingModeHighSpeed = 1,
  SmoothingModeHighQuality = 2,
  SmoothingModeNone = 3,
  SmoothingModeAntiAlias = 4,
  SmoothingModeAntiAlias8x8 = 5,
};
enum PixelOffsetMode {
  PixelOffsetModeInvalid = -1,
  PixelOffsetModeDefault = 0,
  PixelOffsetModeHighSpeed = 1,
  PixelOffsetModeHighQuality = 2,
  PixelOffsetModeNone = 3,
  PixelOffsetModeHalf = 4,
};
enum InterpolationMode {
  InterpolationModeInvalid = -1,
  InterpolationModeDefault = 0,
  InterpolationModeLowQuality = 1,
  InterpolationModeHighQuality = 2,
  InterpolationModeBilinear = 3,
  InterpolationModeBicubic = 4,
  InterpolationModeNearestNeighbor = 5,
  InterpolationModeHighQualityBilinear = 6,
  InterpolationModeHighQualityBicubic = 7,
};
enum TextRenderingHint {
  TextRenderingHintSystemDefault = 0,
  TextRenderingHintSingleBitPerPixelGridFit = 1,
  TextRenderingHintSingleBitPerPixel = 2,
  TextRenderingHintAntiAliasGridFit = 3,
  TextRenderingHintAntiAlias = 4,
  TextRenderingHintClearTypeGridFit = 5,
};
enum CompositingMode { CompositingModeSourceOver = 0, CompositingModeSourceCopy = 1 };
enum CompositingQuality {
  CompositingQualityInvalid = -1,
  CompositingQualityDefault = 0,
  CompositingQualityHighSpeed = 1,
  CompositingQualityHighQuality = 2,
  CompositingQualityGammaCorrected = 3,
  CompositingQualityAssumeLinear = 4,
};
enum MatrixOrder { MatrixOrderPrepend = 0, MatrixOrderAppend = 1 };
enum CombineMode {
  CombineModeReplace = 0,
  CombineModeIntersect = 1,
  CombineModeUnion = 2,
  CombineModeXor = 3,
  CombineModeExclude = 4,
  CombineModeComplement = 5,
};
enum DashStyle { DashStyleSolid = 0, DashStyleDash = 1, DashStyleDot = 2, DashStyleDashDot = 3, DashStyleDashDotDot = 4, DashStyleCustom = 5 };
enum LineCap {
  LineCapFlat = 0,
  LineCapSquare = 1,
  LineCapRound = 2,
  LineCapTriangle = 3,
  LineCapNoAnchor = 0x10,
  LineCapSquareAnchor = 0x11,
  LineCapRoundAnchor = 0x12,
  LineCapDiamondAnchor = 0x13,
  LineCapArrowAnchor = 0x14,
  LineCapCustom = 0xFF,
};
typedef LineCap GpLineCap;
enum LineJoin { LineJoinMiter = 0, LineJoinBevel = 1, LineJoinRound = 2, LineJoinMiterClipped = 3 };
typedef LineJoin GpLineJoin;
enum BrushType {
  BrushTypeSolidColor = 0,
  BrushTypeHatchFill = 1,
  BrushTypeTextureFill = 2,
  BrushTypePathGradient = 3,
  BrushTypeLinearGradient = 4,
};
enum FillMode { FillModeAlternate = 0, FillModeWinding = 1 };
typedef FillMode GpFillMode;
enum DebugEventLevel { DebugEventLevelFatal, DebugEventLevelWarning };
typedef void(WINAPI* DebugEventProc)(DebugEventLevel level, CHAR* message);

#define PixelFormat24bppRGB ((Gdiplus::PixelFormat)0x00021808)
#define PixelFormat32bppRGB ((Gdiplus::PixelFormat)0x00022009)
#define PixelFormat32bppARGB ((Gdiplus::PixelFormat)0x0026200A)
#define PixelFormat32bppPARGB ((Gdiplus::PixelFormat)0x000E200B)

struct GdiplusStartupInput {
  UINT GdiplusVersion;
  DebugEventProc DebugEventCallback;
  BOOL SuppressBackgroundThread;
  BOOL SuppressExternalCodecs;
};
typedef Status(WINAPI* NotificationHookProc)(ULONG_PTR* token);
typedef void(WINAPI* NotificationUnhookProc)(ULONG_PTR token);
struct GdiplusStartupOutput {
  NotificationHookProc NotificationHook;
  NotificationUnhookProc NotificationUnhook;
};

struct GpPointF {
  REAL X;
  REAL Y;
};
struct GpPoint {
  INT X;
  INT Y;
};
struct GpRectF {
  REAL X;
  REAL Y;
  REAL Width;
  REAL Height;
};
struct GpRect {
  INT X;
  INT Y;
  INT Width;
  INT Height;
};

// Opaque objects, defined by the implementation.
class GpGraphics;
class GpMatrix;
class GpRegion;
class GpPath;
class GpPen;
class GpBrush;
class GpSolidFill;
class GpImage;
class GpBitmap;

// ---- start-up --------------------------------------------------------------------
Status GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input, GdiplusStartupOutput* output);
void GdiplusShutdown(ULONG_PTR token);

// ---- graphics ------------------------------------------------------------------------
// A graphics over a DC draws into whatever bitmap the DC has selected when it draws.
GpStatus GdipCreateFromHDC(HDC dc, GpGraphics** graphics);
GpStatus GdipDeleteGraphics(GpGraphics* graphics);
GpStatus GdipGetDC(GpGraphics* graphics, HDC* dc);
GpStatus GdipReleaseDC(GpGraphics* graphics, HDC dc);
GpStatus GdipSetSmoothingMode(GpGraphics* graphics, SmoothingMode mode);
GpStatus GdipGetSmoothingMode(GpGraphics* graphics, SmoothingMode* mode);
GpStatus GdipSetPixelOffsetMode(GpGraphics* graphics, PixelOffsetMode mode);
GpStatus GdipGetPixelOffsetMode(GpGraphics* graphics, PixelOffsetMode* mode);
GpStatus GdipSetInterpolationMode(GpGraphics* graphics, InterpolationMode mode);
GpStatus GdipGetInterpolationMode(GpGraphics* graphics, InterpolationMode* mode);
GpStatus GdipSetTextRenderingHint(GpGraphics* graphics, TextRenderingHint hint);
GpStatus GdipGetTextRenderingHint(GpGraphics* graphics, TextRenderingHint* hint);
GpStatus GdipSetTextContrast(GpGraphics* graphics, UINT contrast);
GpStatus GdipGetTextContrast(GpGraphics* graphics, UINT* contrast);
GpStatus GdipSetCompositingMode(GpGraphics* graphics, CompositingMode mode);
GpStatus GdipGetCompositingMode(GpGraphics* graphics, CompositingMode* mode);
GpStatus GdipSetCompositingQuality(GpGraphics* graphics, CompositingQuality quality);
GpStatus GdipGetCompositingQuality(GpGraphics* graphics, CompositingQuality* quality);
GpStatus GdipSetPageUnit(GpGraphics* graphics, GpUnit unit);
GpStatus GdipGetPageUnit(GpGraphics* graphics, GpUnit* unit);
GpStatus GdipSetPageScale(GpGraphics* graphics, REAL scale);
GpStatus GdipGetPageScale(GpGraphics* graphics, REAL* scale);
GpStatus GdipSetRenderingOrigin(GpGraphics* graphics, INT x, INT y);
GpStatus GdipGetRenderingOrigin(GpGraphics* graphics, INT* x, INT* y);
// World transform.
GpStatus GdipSetWorldTransform(GpGraphics* graphics, GpMatrix* matrix);
GpStatus GdipGetWorldTransform(GpGraphics* graphics, GpMatrix* matrix);
GpStatus GdipResetWorldTransform(GpGraphics* graphics);
GpStatus GdipMultiplyWorldTransform(GpGraphics* graphics, const GpMatrix* matrix, MatrixOrder order);
GpStatus GdipTranslateWorldTransform(GpGraphics* graphics, REAL dx, REAL dy, MatrixOrder order);
GpStatus GdipScaleWorldTransform(GpGraphics* graphics, REAL sx, REAL sy, MatrixOrder order);
GpStatus GdipRotateWorldTransform(GpGraphics* graphics, REAL angle, MatrixOrder order);
GpStatus GdipSaveGraphics(GpGraphics* graphics, GraphicsState* state);
GpStatus GdipRestoreGraphics(GpGraphics* graphics, GraphicsState state);
// Clip (world coordinates when set, device-space region inside).
GpStatus GdipSetClipRect(GpGraphics* graphics, REAL x, REAL y, REAL width, REAL height, CombineMode mode);
GpStatus GdipSetClipRectI(GpGraphics* graphics, INT x, INT y, INT width, INT height, CombineMode mode);
GpStatus GdipSetClipRegion(GpGraphics* graphics, GpRegion* region, CombineMode mode);
GpStatus GdipGetClip(GpGraphics* graphics, GpRegion* region);
GpStatus GdipResetClip(GpGraphics* graphics);
GpStatus GdipIsClipEmpty(GpGraphics* graphics, BOOL* result);
GpStatus GdipGetClipBounds(GpGraphics* graphics, GpRectF* rect);

// ---- matrices --------------------------------------------------------------------------
GpStatus GdipCreateMatrix(GpMatrix** matrix);
GpStatus GdipCreateMatrix2(REAL m11, REAL m12, REAL m21, REAL m22, REAL dx, REAL dy, GpMatrix** matrix);
GpStatus GdipCloneMatrix(GpMatrix* matrix, GpMatrix** clone);
GpStatus GdipDeleteMatrix(GpMatrix* matrix);
GpStatus GdipSetMatrixElements(GpMatrix* matrix, REAL m11, REAL m12, REAL m21, REAL m22, REAL dx, REAL dy);
// Writes m11, m12, m21, m22, dx, dy.
GpStatus GdipGetMatrixElements(const GpMatrix* matrix, REAL* elements);
GpStatus GdipMultiplyMatrix(GpMatrix* matrix, GpMatrix* other, MatrixOrder order);
GpStatus GdipTranslateMatrix(GpMatrix* matrix, REAL dx, REAL dy, MatrixOrder order);
GpStatus GdipScaleMatrix(GpMatrix* matrix, REAL sx, REAL sy, MatrixOrder order);
GpStatus GdipRotateMatrix(GpMatrix* matrix, REAL angle, MatrixOrder order);
GpStatus GdipInvertMatrix(GpMatrix* matrix);
GpStatus GdipIsMatrixInvertible(const GpMatrix* matrix, BOOL* result);
GpStatus GdipIsMatrixIdentity(const GpMatrix* matrix, BOOL* result);
GpStatus GdipTransformMatrixPoints(GpMatrix* matrix, GpPointF* points, INT count);

// ---- regions -----------------------------------------------------------------------------
GpStatus GdipCreateRegion(GpRegion** region);  // infinite
GpStatus GdipCreateRegionRect(const GpRectF* rect, GpRegion** region);
GpStatus GdipCreateRegionRectI(const GpRect* rect, GpRegion** region);
GpStatus GdipCloneRegion(GpRegion* region, GpRegion** clone);
GpStatus GdipDeleteRegion(GpRegion* region);
GpStatus GdipSetInfinite(GpRegion* region);
GpStatus GdipSetEmpty(GpRegion* region);
GpStatus GdipCombineRegionRect(GpRegion* region, const GpRectF* rect, CombineMode mode);
GpStatus GdipCombineRegionRegion(GpRegion* region, GpRegion* other, CombineMode mode);
GpStatus GdipIsInfiniteRegion(GpRegion* region, GpGraphics* graphics, BOOL* result);
GpStatus GdipIsEmptyRegion(GpRegion* region, GpGraphics* graphics, BOOL* result);
GpStatus GdipIsVisibleRegionPoint(GpRegion* region, REAL x, REAL y, GpGraphics* graphics, BOOL* result);
GpStatus GdipGetRegionBounds(GpRegion* region, GpGraphics* graphics, GpRectF* rect);

// ---- pens ----------------------------------------------------------------------------------
GpStatus GdipCreatePen1(ARGB color, REAL width, GpUnit unit, GpPen** pen);
GpStatus GdipClonePen(GpPen* pen, GpPen** clone);
GpStatus GdipDeletePen(GpPen* pen);
GpStatus GdipSetPenColor(GpPen* pen, ARGB color);
GpStatus GdipGetPenColor(GpPen* pen, ARGB* color);
GpStatus GdipSetPenWidth(GpPen* pen, REAL width);
GpStatus GdipGetPenWidth(GpPen* pen, REAL* width);
GpStatus GdipSetPenDashStyle(GpPen* pen, DashStyle style);
GpStatus GdipGetPenDashStyle(GpPen* pen, DashStyle* style);
GpStatus GdipSetPenDashArray(GpPen* pen, const REAL* dashes, INT count);
GpStatus GdipGetPenDashCount(GpPen* pen, INT* count);
GpStatus GdipGetPenDashArray(GpPen* pen, REAL* dashes, INT count);
GpStatus GdipGetPenUnit(GpPen* pen, GpUnit* unit);
GpStatus GdipSetPenStartCap(GpPen* pen, GpLineCap cap);
GpStatus GdipGetPenStartCap(GpPen* pen, GpLineCap* cap);
GpStatus GdipSetPenEndCap(GpPen* pen, GpLineCap cap);
GpStatus GdipGetPenEndCap(GpPen* pen, GpLineCap* cap);
GpStatus GdipSetPenLineJoin(GpPen* pen, GpLineJoin join);
GpStatus GdipGetPenLineJoin(GpPen* pen, GpLineJoin* join);
GpStatus GdipSetPenMiterLimit(GpPen* pen, REAL limit);
GpStatus GdipGetPenMiterLimit(GpPen* pen, REAL* limit);
GpStatus GdipSetPenBrushFill(GpPen* pen, GpBrush* brush);

// ---- brushes --------------------------------------------------------------------------------
GpStatus GdipCreateSolidFill(ARGB color, GpSolidFill** brush);
GpStatus GdipSetSolidFillColor(GpSolidFill* brush, ARGB color);
GpStatus GdipGetSolidFillColor(GpSolidFill* brush, ARGB* color);
GpStatus GdipCloneBrush(GpBrush* brush, GpBrush** clone);
GpStatus GdipDeleteBrush(GpBrush* brush);
GpStatus GdipGetBrushType(GpBrush* brush, BrushType* type);

// ---- images ----------------------------------------------------------------------------------
// The bitmap shares `scan0` (nothing is copied) when it is given; else it owns zeroed memory.
GpStatus GdipCreateBitmapFromScan0(INT width, INT height, INT stride, PixelFormat format, BYTE* scan0, GpBitmap** bitmap);
GpStatus GdipDisposeImage(GpImage* image);
GpStatus GdipGetImageWidth(GpImage* image, UINT* width);
GpStatus GdipGetImageHeight(GpImage* image, UINT* height);
GpStatus GdipGetImagePixelFormat(GpImage* image, PixelFormat* format);
GpStatus GdipBitmapGetPixel(GpBitmap* bitmap, INT x, INT y, ARGB* color);
GpStatus GdipBitmapSetPixel(GpBitmap* bitmap, INT x, INT y, ARGB color);

}  // namespace Gdiplus
