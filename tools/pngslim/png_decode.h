// Reading any PNG that libpng reads as 8-bit RGB or RGBA pixels.
// Depends on: libpng, libdeflate; encodes nothing (see common/png_encode).
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <new>
#include <utility>
#include <vector>

// An allocator that leaves bytes it makes room for unwritten: the decoders
// write every byte of a picture, and zeroing megabytes first would cost as
// much again (a new process touches each page for the first time).
template <class T>
struct UninitializedAllocator : std::allocator<T> {
  template <class U>
  struct rebind {
    using other = UninitializedAllocator<U>;
  };
  UninitializedAllocator() = default;
  template <class U>
  UninitializedAllocator(const UninitializedAllocator<U>&) {}
  template <class U>
  void construct(U* p) {
    ::new (static_cast<void*>(p)) U;
  }
  template <class U, class... Args>
  void construct(U* p, Args&&... args) {
    ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
  }
};

struct RgbaImage {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  int channels = 4;  // 3 (RGB) or 4 (RGBA)
  // width * channels bytes a row, top row first
  std::vector<std::uint8_t, UninitializedAllocator<std::uint8_t>> pixels;
};

// Palette, grey and low bit depths are expanded, 16-bit samples scaled to 8,
// transparency chunks turned into alpha, interlaced files de-interlaced.
// Pixel values are otherwise kept as stored: no gamma or colour conversion.
// Files without any alpha (no alpha channel, no transparency chunk) come out
// as RGB, the others as RGBA.
// False for anything that is not a readable PNG within the size limit.
bool decode_png(FILE* in, RgbaImage& image);

// Repacks RGBA to RGB when every pixel is opaque; returns the channel count left.
int drop_opaque_alpha(RgbaImage& image);
