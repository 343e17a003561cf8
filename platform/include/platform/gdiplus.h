// GDI+ flat interface stand-in. Types and functions live in namespace
// Gdiplus; colours are ARGB words passed unchanged (straight alpha).
// Depends on: gdi32.h and gdiplus_types.h; implemented in platform/gdiplus/ over AGG, images decoded by
// platform/imaging/. Text is declared in gdiplus_text.h, not here.
#pragma once

#include "platform/gdi32.h"
#include "platform/gdiplus_types.h"

namespace Gdiplus {

typedef float REAL;
typedef DWORD ARGB;
typedef DWORD PixelFormat;
typedef UINT GraphicsState;
typedef UINT GraphicsContainer;

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
  BrushTypeTextureFill = 2,
  BrushTypePathGradient = 3,
  BrushTypeLinearGradient = 4,
};
enum FillMode { FillModeAlternate = 0, FillModeWinding = 1 };
enum WarpMode { WarpModePerspective = 0, WarpModeBilinear = 1 };
typedef FillMode GpFillMode;

// ---- drawing types ----
enum WrapMode { WrapModeTile = 0, WrapModeTileFlipX = 1, WrapModeTileFlipY = 2, WrapModeTileFlipXY = 3, WrapModeClamp = 4 };
typedef WrapMode GpWrapMode;
enum PathPointType {
  PathPointTypeStart = 0,
  PathPointTypeLine = 1,
  PathPointTypeBezier = 3,
  PathPointTypePathTypeMask = 0x07,
  PathPointTypeDashMode = 0x10,
  PathPointTypePathMarker = 0x20,
  PathPointTypeCloseSubpath = 0x80,
  PathPointTypeBezier3 = 3,
};
enum ColorAdjustType {
  ColorAdjustTypeDefault = 0,
  ColorAdjustTypeBitmap = 1,
  ColorAdjustTypeBrush = 2,
  ColorAdjustTypePen = 3,
  ColorAdjustTypeText = 4,
};
enum ColorMatrixFlags { ColorMatrixFlagsDefault = 0, ColorMatrixFlagsSkipGrays = 1, ColorMatrixFlagsAltGray = 2 };
// Row-vector convention: [r g b a 1] (each 0..1) times the matrix.
struct ColorMatrix {
  REAL m[5][5];
};
typedef BOOL(CALLBACK* DrawImageAbort)(void* data);
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
class GpLineGradient;
class GpPathGradient;
class GpTexture;
class GpImageAttributes;

// ---- start-up --------------------------------------------------------------------
Status GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input, GdiplusStartupOutput* output);
// Memory for objects that callers hand to the library; GdipFree(null) does nothing.
void* GdipAlloc(size_t size);
void GdipFree(void* ptr);

// ---- graphics ------------------------------------------------------------------------
// A graphics over a DC draws into whatever bitmap the DC has selected when it draws.
GpStatus GdipCreateFromHDC(HDC dc, GpGraphics** graphics);
GpStatus GdipDeleteGraphics(GpGraphics* graphics);
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
GpStatus GdipTranslateWorldTransform(GpGraphics* graphics, REAL dx, REAL dy, MatrixOrder order);
GpStatus GdipScaleWorldTransform(GpGraphics* graphics, REAL sx, REAL sy, MatrixOrder order);
GpStatus GdipRotateWorldTransform(GpGraphics* graphics, REAL angle, MatrixOrder order);
// Clip (world coordinates when set, device-space region inside).
GpStatus GdipSetClipRectI(GpGraphics* graphics, INT x, INT y, INT width, INT height, CombineMode mode);
GpStatus GdipSetClipRegion(GpGraphics* graphics, GpRegion* region, CombineMode mode);
GpStatus GdipGetClip(GpGraphics* graphics, GpRegion* region);
GpStatus GdipResetClip(GpGraphics* graphics);

// ---- matrices --------------------------------------------------------------------------
GpStatus GdipCreateMatrix(GpMatrix** matrix);
GpStatus GdipCreateMatrix2(REAL m11, REAL m12, REAL m21, REAL m22, REAL dx, REAL dy, GpMatrix** matrix);
GpStatus GdipDeleteMatrix(GpMatrix* matrix);
// Writes m11, m12, m21, m22, dx, dy.
GpStatus GdipGetMatrixElements(const GpMatrix* matrix, REAL* elements);

// ---- regions -----------------------------------------------------------------------------
GpStatus GdipCreateRegion(GpRegion** region);  // infinite
GpStatus GdipDeleteRegion(GpRegion* region);
GpStatus GdipCreateRegionPath(GpPath* path, GpRegion** region);

// ---- pens ----------------------------------------------------------------------------------
GpStatus GdipCreatePen1(ARGB color, REAL width, GpUnit unit, GpPen** pen);
GpStatus GdipDeletePen(GpPen* pen);
GpStatus GdipSetPenColor(GpPen* pen, ARGB color);
GpStatus GdipSetPenWidth(GpPen* pen, REAL width);
GpStatus GdipGetPenWidth(GpPen* pen, REAL* width);
GpStatus GdipSetPenDashStyle(GpPen* pen, DashStyle style);
GpStatus GdipGetPenDashStyle(GpPen* pen, DashStyle* style);
GpStatus GdipSetPenStartCap(GpPen* pen, GpLineCap cap);
GpStatus GdipGetPenStartCap(GpPen* pen, GpLineCap* cap);
GpStatus GdipSetPenEndCap(GpPen* pen, GpLineCap cap);
GpStatus GdipSetPenLineJoin(GpPen* pen, GpLineJoin join);
GpStatus GdipSetPenMiterLimit(GpPen* pen, REAL limit);
// The offset into the dash pattern, in multiples of the pen width.

// ---- brushes --------------------------------------------------------------------------------
GpStatus GdipCreateSolidFill(ARGB color, GpSolidFill** brush);
GpStatus GdipDeleteBrush(GpBrush* brush);
// Linear gradients: the colour changes along the line from the first point to
// the second and repeats (or mirrors) beyond them.
GpStatus GdipCreateLineBrush(const GpPointF* point1, const GpPointF* point2, ARGB color1, ARGB color2, GpWrapMode wrap,
                             GpLineGradient** brush);
// Path gradients: the colour runs from the centre to the boundary; nothing is painted outside the boundary.
GpStatus GdipCreatePathGradient(const GpPointF* points, INT count, GpWrapMode wrap, GpPathGradient** brush);
GpStatus GdipCreatePathGradientFromPath(const GpPath* path, GpPathGradient** brush);
GpStatus GdipSetPathGradientCenterColor(GpPathGradient* brush, ARGB color);
GpStatus GdipSetPathGradientCenterPoint(GpPathGradient* brush, GpPointF* point);
GpStatus GdipSetPathGradientSurroundColorsWithCount(GpPathGradient* brush, const ARGB* colors, INT* count);
// Textures: a copy of (part of) an image, tiled from the world origin.
GpStatus GdipCreateTexture2(GpImage* image, GpWrapMode wrap, REAL x, REAL y, REAL width, REAL height,
                            GpTexture** texture);
// Hatches: an 8x8 pattern of the foreground colour over the background colour.

// Hatches: an 8x8 pattern of the foreground colour over the background colour.

// ---- paths -------------------------------------------------------------------------------------
GpStatus GdipCreatePath(GpFillMode mode, GpPath** path);
// A path from points and their types; InvalidParameter unless the types form
// figures (each starting with a start point, Beziers in threes).
GpStatus GdipCreatePath2(const GpPointF* points, const BYTE* types, INT count, GpFillMode mode, GpPath** path);
GpStatus GdipClonePath(GpPath* path, GpPath** clone);
GpStatus GdipDeletePath(GpPath* path);
GpStatus GdipResetPath(GpPath* path);
GpStatus GdipSetPathFillMode(GpPath* path, GpFillMode mode);
GpStatus GdipGetPointCount(GpPath* path, INT* count);
GpStatus GdipGetPathPoints(GpPath* path, GpPointF* points, INT count);
GpStatus GdipGetPathTypes(GpPath* path, BYTE* types, INT count);
GpStatus GdipStartPathFigure(GpPath* path);
GpStatus GdipClosePathFigure(GpPath* path);
GpStatus GdipClosePathFigures(GpPath* path);
// The points in reverse order; each figure keeps its start and close marks.
GpStatus GdipReversePath(GpPath* path);
GpStatus GdipGetPathLastPoint(GpPath* path, GpPointF* point);
GpStatus GdipAddPathLine(GpPath* path, REAL x1, REAL y1, REAL x2, REAL y2);
GpStatus GdipAddPathLine2(GpPath* path, const GpPointF* points, INT count);
GpStatus GdipAddPathBezier(GpPath* path, REAL x1, REAL y1, REAL x2, REAL y2, REAL x3, REAL y3, REAL x4, REAL y4);
GpStatus GdipAddPathBeziers(GpPath* path, const GpPointF* points, INT count);
GpStatus GdipAddPathArc(GpPath* path, REAL x, REAL y, REAL width, REAL height, REAL start, REAL sweep);
GpStatus GdipAddPathPie(GpPath* path, REAL x, REAL y, REAL width, REAL height, REAL start, REAL sweep);
GpStatus GdipAddPathEllipse(GpPath* path, REAL x, REAL y, REAL width, REAL height);
GpStatus GdipAddPathRectangle(GpPath* path, REAL x, REAL y, REAL width, REAL height);
GpStatus GdipAddPathPolygon(GpPath* path, const GpPointF* points, INT count);
GpStatus GdipAddPathCurve(GpPath* path, const GpPointF* points, INT count);
GpStatus GdipAddPathCurve2(GpPath* path, const GpPointF* points, INT count, REAL tension);
GpStatus GdipAddPathClosedCurve(GpPath* path, const GpPointF* points, INT count);
GpStatus GdipAddPathClosedCurve2(GpPath* path, const GpPointF* points, INT count, REAL tension);
GpStatus GdipAddPathPath(GpPath* path, const GpPath* added, BOOL connect);
// Bounds of the path mapped by `matrix` (may be null), widened for `pen` (may be null).
GpStatus GdipGetPathWorldBounds(GpPath* path, GpRectF* bounds, const GpMatrix* matrix, const GpPen* pen);
GpStatus GdipTransformPath(GpPath* path, GpMatrix* matrix);
GpStatus GdipFlattenPath(GpPath* path, GpMatrix* matrix, REAL flatness);
GpStatus GdipWidenPath(GpPath* path, GpPen* pen, GpMatrix* matrix, REAL flatness);
// The flattened path mapped so that the source rectangle lands on the 3 or 4
// destination points (top-left, top-right, bottom-left[, bottom-right]);
// perspective mode only (bilinear gives NotImplemented).
GpStatus GdipWarpPath(GpPath* path, GpMatrix* matrix, const GpPointF* points, INT count, REAL srcx, REAL srcy,
                      REAL srcwidth, REAL srcheight, WarpMode mode, REAL flatness);
// The outline of the area the flattened path fills under the non-zero
// winding rule, as closed figures; the path's fill mode becomes winding.
GpStatus GdipWindingModeOutline(GpPath* path, GpMatrix* matrix, REAL flatness);
// With a graphics the test runs in device coordinates: the path is mapped by
// the graphics' world transform, the point is taken as a device point.
GpStatus GdipIsVisiblePathPoint(GpPath* path, REAL x, REAL y, GpGraphics* graphics, BOOL* result);
GpStatus GdipIsOutlineVisiblePathPoint(GpPath* path, REAL x, REAL y, GpPen* pen, GpGraphics* graphics, BOOL* result);

// ---- drawing -------------------------------------------------------------------------------------
// Outlines with a pen, in world coordinates. Angles are degrees, clockwise.
GpStatus GdipDrawLine(GpGraphics* graphics, GpPen* pen, REAL x1, REAL y1, REAL x2, REAL y2);
GpStatus GdipDrawLines(GpGraphics* graphics, GpPen* pen, const GpPointF* points, INT count);
GpStatus GdipDrawPolygon(GpGraphics* graphics, GpPen* pen, const GpPointF* points, INT count);
GpStatus GdipDrawCurve(GpGraphics* graphics, GpPen* pen, const GpPointF* points, INT count);
GpStatus GdipDrawCurve2(GpGraphics* graphics, GpPen* pen, const GpPointF* points, INT count, REAL tension);
GpStatus GdipDrawClosedCurve(GpGraphics* graphics, GpPen* pen, const GpPointF* points, INT count);
GpStatus GdipDrawClosedCurve2(GpGraphics* graphics, GpPen* pen, const GpPointF* points, INT count, REAL tension);
GpStatus GdipDrawBeziers(GpGraphics* graphics, GpPen* pen, const GpPointF* points, INT count);
GpStatus GdipDrawRectangle(GpGraphics* graphics, GpPen* pen, REAL x, REAL y, REAL width, REAL height);
GpStatus GdipDrawRectangles(GpGraphics* graphics, GpPen* pen, const GpRectF* rects, INT count);
GpStatus GdipDrawEllipse(GpGraphics* graphics, GpPen* pen, REAL x, REAL y, REAL width, REAL height);
GpStatus GdipDrawArc(GpGraphics* graphics, GpPen* pen, REAL x, REAL y, REAL width, REAL height, REAL start, REAL sweep);
GpStatus GdipDrawPie(GpGraphics* graphics, GpPen* pen, REAL x, REAL y, REAL width, REAL height, REAL start, REAL sweep);
GpStatus GdipDrawPath(GpGraphics* graphics, GpPen* pen, GpPath* path);
// Fills with a brush.
GpStatus GdipFillRectangle(GpGraphics* graphics, GpBrush* brush, REAL x, REAL y, REAL width, REAL height);
GpStatus GdipFillRectangles(GpGraphics* graphics, GpBrush* brush, const GpRectF* rects, INT count);
GpStatus GdipFillPolygon(GpGraphics* graphics, GpBrush* brush, const GpPointF* points, INT count, GpFillMode mode);
GpStatus GdipFillEllipse(GpGraphics* graphics, GpBrush* brush, REAL x, REAL y, REAL width, REAL height);
GpStatus GdipFillPie(GpGraphics* graphics, GpBrush* brush, REAL x, REAL y, REAL width, REAL height, REAL start,
                     REAL sweep);
GpStatus GdipFillClosedCurve(GpGraphics* graphics, GpBrush* brush, const GpPointF* points, INT count);
GpStatus GdipFillClosedCurve2(GpGraphics* graphics, GpBrush* brush, const GpPointF* points, INT count, REAL tension,
                              GpFillMode mode);
GpStatus GdipFillPath(GpGraphics* graphics, GpBrush* brush, GpPath* path);
// Every pixel inside the clip becomes `color` (no blending, no transform).

// ---- images ----------------------------------------------------------------------------------
// The bitmap shares `scan0` (nothing is copied) when it is given; else it owns zeroed memory.
GpStatus GdipCreateBitmapFromScan0(INT width, INT height, INT stride, PixelFormat format, BYTE* scan0, GpBitmap** bitmap);
GpStatus GdipDisposeImage(GpImage* image);
GpStatus GdipGetImageWidth(GpImage* image, UINT* width);
GpStatus GdipGetImageHeight(GpImage* image, UINT* height);

// ---- decoding and locking bits ---------------------------------------------------------
// Decodes BMP, JPEG, GIF (first frame), TIFF and PNG into a 32bpp ARGB bitmap.
// Paths may separate folders with '\' or '/'; a path containing "://" is not
// opened. FileNotFound when the file cannot be read, UnknownImageFormat for
// any other format, GenericError for a damaged file. The stream is read from
// its current position to its end; the bitmap keeps no reference to it.
GpStatus GdipCreateBitmapFromFile(const WCHAR* filename, GpBitmap** bitmap);
GpStatus GdipCreateBitmapFromStream(IStream* stream, GpBitmap** bitmap);
enum ImageLockMode { ImageLockModeRead = 0x0001, ImageLockModeWrite = 0x0002, ImageLockModeUserInputBuf = 0x0004 };
struct BitmapData {
  UINT Width;
  UINT Height;
  INT Stride;
  Gdiplus::PixelFormat PixelFormat;
  void* Scan0;
  UINT_PTR Reserved;
};
// Hands out a rectangle (null: the whole bitmap) converted to `format`; with
// ImageLockModeUserInputBuf into the caller's Scan0/Stride. One lock at a time.
GpStatus GdipBitmapLockBits(GpBitmap* bitmap, const GpRect* rect, UINT flags, PixelFormat format, BitmapData* data);
// Ends the lock; with ImageLockModeWrite the pixels are stored back first.
GpStatus GdipBitmapUnlockBits(GpBitmap* bitmap, BitmapData* data);

// ---- image attributes ---------------------------------------------------------------------------
GpStatus GdipCreateImageAttributes(GpImageAttributes** attributes);
GpStatus GdipDisposeImageAttributes(GpImageAttributes* attributes);
GpStatus GdipSetImageAttributesColorMatrix(GpImageAttributes* attributes, ColorAdjustType type, BOOL enable,
                                           const ColorMatrix* matrix, const ColorMatrix* gray_matrix,
                                           ColorMatrixFlags flags);
// How samples outside the source rectangle are taken: tiled, mirrored, or `color` (Clamp).

// ---- image drawing ---------------------------------------------------------------------------------
// The image at its size in pixels, with its top-left corner at (x, y).
GpStatus GdipDrawImage(GpGraphics* graphics, GpImage* image, REAL x, REAL y);
GpStatus GdipDrawImageI(GpGraphics* graphics, GpImage* image, INT x, INT y);
GpStatus GdipDrawImageRectRect(GpGraphics* graphics, GpImage* image, REAL dst_x, REAL dst_y, REAL dst_width,
                               REAL dst_height, REAL src_x, REAL src_y, REAL src_width, REAL src_height, GpUnit src_unit,
                               const GpImageAttributes* attributes, DrawImageAbort abort, void* abort_data);
// `points` (count 3): where the source's top-left, top-right and bottom-left corners land.
GpStatus GdipDrawImagePointsRect(GpGraphics* graphics, GpImage* image, const GpPointF* points, INT count, REAL src_x,
                                 REAL src_y, REAL src_width, REAL src_height, GpUnit src_unit,
                                 const GpImageAttributes* attributes, DrawImageAbort abort, void* abort_data);
GpStatus GdipDrawImagePointsRectI(GpGraphics* graphics, GpImage* image, const GpPoint* points, INT count, INT src_x,
                                  INT src_y, INT src_width, INT src_height, GpUnit src_unit,
                                  const GpImageAttributes* attributes, DrawImageAbort abort, void* abort_data);

}  // namespace Gdiplus
