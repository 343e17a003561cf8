// Colour arithmetic on single argb_color values: grey, HSL and HSV
// conversions (single precision, with the thresholds and the order of
// operations fixed so that results are reproducible) and the blending of
// two colours with the image blends' per-pixel formulas.
// Depends on: blend_math.h. Touches no image and no state.

#include <algorithm>
#include <cmath>
#include <utility>

#include "graphics/blend_math.h"
#include "graphics/frond.h"

namespace frond {
namespace {

enum { kRed, kGreen, kBlue };

argb_color rgb(uint32_t red, uint32_t green, uint32_t blue) { return 0xFF000000 | red << 16 | green << 8 | blue; }

// A 0..1 channel as a byte: rounded half away from zero and held to
// 0..255, so that values out of range cannot spill into other channels.
uint32_t to_byte(float v) {
  const float scaled = std::round(v * 255.0f);
  if (!(scaled > 0.0f)) return 0;  // also NaN
  return scaled >= 255.0f ? 255 : uint32_t(scaled);
}

// The three channels of c as 0..1.
void unit_channels(argb_color c, float out[3]) {
  out[kRed] = float(channel_of(c, 16)) / 255.0f;
  out[kGreen] = float(channel_of(c, 8)) / 255.0f;
  out[kBlue] = float(channel_of(c, 0)) / 255.0f;
}

// Which of the three channels is greatest, middle and least, by three
// compare-exchanges that exchange only on a strict "greater".
struct channel_order {
  int max, mid, min;
};

channel_order order_channels(const float v[3]) {
  int lower = kRed, upper = kGreen;
  if (v[kRed] > v[kGreen]) std::swap(lower, upper);
  int max = kBlue, mid = upper;
  if (v[upper] > v[kBlue]) {
    max = upper;
    mid = kBlue;
  }
  if (v[lower] > v[mid]) std::swap(lower, mid);
  return {max, mid, lower};
}

// Hue in sixths of a turn from the fully saturated mid channel's value m.
float hue_sixths(const channel_order& o, float m) {
  switch (o.max) {
    case kRed:
      return o.mid == kGreen ? m : 6 - m;
    case kGreen:
      return o.mid == kBlue ? 2 + m : 2 - m;
    default:
      return o.mid == kRed ? 4 + m : 4 - m;
  }
}

// A hue in turns wrapped into 0 <= t < 1.
float wrap_turns(float t) {
  if (!std::isfinite(t)) return 0;
  if (t < 0) t += std::trunc(1 - t);
  if (t >= 1) t -= std::trunc(t);
  return t;
}

}  // namespace

argb_color rgbtogray(argb_color c) {
  const double luminance = (channel_of(c, 16) * 0.299 + channel_of(c, 8) * 0.587) + channel_of(c, 0) * 0.114;
  const uint32_t g = uint32_t(std::round(luminance));
  return rgb(g, g, g);
}

void rgbtohsl(argb_color c, float* h, float* s, float* l) {
  float v[3];
  unit_channels(c, v);
  const channel_order o = order_channels(v);
  float lightness = (v[o.max] + v[o.min]) * 0.5f;
  if (lightness < 0.01f) {
    *h = 0, *s = 0, *l = 0;
    return;
  }
  if (double(lightness) > 0.99) {
    *h = 0, *s = 0, *l = 1;
    return;
  }
  // Bring the colour to lightness 0.5.
  if (std::fabs(double(lightness) - 0.5) < 0.01) {
    lightness = 0.5f;
  } else if (lightness < 0.5f) {
    for (float& x : v) x = std::min(1.0f, x / (2 * lightness));
  } else {
    for (float& x : v) x = std::min(1.0f, 1 - (1 - x) / (2 * (1 - lightness)));
  }
  const float saturation = 2 * v[o.max] - 1;
  if (double(saturation) < 0.01) {
    *h = 0, *s = saturation, *l = lightness;
    return;
  }
  // Bring it to full saturation; the mid channel then names the hue.
  for (float& x : v) x = std::min(1.0f, (x - 0.5f) / saturation + 0.5f);
  *h = 360 * (hue_sixths(o, v[o.mid]) / 6);
  *s = saturation;
  *l = lightness;
}

argb_color hsltorgb(float h, float s, float l) {
  if (s == 0) return rgb(to_byte(l), to_byte(l), to_byte(l));
  const float t = wrap_turns(h / 360);
  const float t6 = t * 6;
  int sector = 0;
  float f = 0;
  if (t6 != 6) {
    sector = int(std::floor(t6) + 0.1);  // in double precision
    f = t6 - float(sector);
    if (sector % 2 == 1) f = 1 - f;
  }
  float hi = (1 - 0.5f) * s + 0.5f, lo = (0 - 0.5f) * s + 0.5f, mid = (f - 0.5f) * s + 0.5f;
  if (l < 0.5f) {
    const float scale = 2 * std::max(l, 0.0f);
    for (float* x : {&hi, &lo, &mid}) *x *= scale;
  } else if (l > 0.5f) {
    const float rest = l > 1 ? 0.0f : 1 - l;
    for (float* x : {&hi, &lo, &mid}) *x = 1 - 2 * (1 - *x) * rest;
  }
  switch (sector) {
    case 0: return rgb(to_byte(hi), to_byte(mid), to_byte(lo));
    case 1: return rgb(to_byte(mid), to_byte(hi), to_byte(lo));
    case 2: return rgb(to_byte(lo), to_byte(hi), to_byte(mid));
    case 3: return rgb(to_byte(lo), to_byte(mid), to_byte(hi));
    case 4: return rgb(to_byte(mid), to_byte(lo), to_byte(hi));
    default: return rgb(to_byte(hi), to_byte(lo), to_byte(mid));
  }
}

void rgbtohsv(argb_color c, float* h, float* s, float* v) {
  float ch[3];
  unit_channels(c, ch);
  const float max = std::max({ch[kRed], ch[kGreen], ch[kBlue]});
  const float min = std::min({ch[kRed], ch[kGreen], ch[kBlue]});
  if (max == 0) {
    *h = -360, *s = 0, *v = 0;
    return;
  }
  const float saturation = (max - min) / max;
  *s = saturation;
  *v = max;
  if (saturation <= 0) {
    *h = -360;
    return;
  }
  const float d = max - min;
  float hue;
  if (ch[kRed] == max)
    hue = (ch[kGreen] - ch[kBlue]) / d;
  else if (ch[kGreen] == max)
    hue = 2 + (ch[kBlue] - ch[kRed]) / d;
  else
    hue = 4 + (ch[kRed] - ch[kGreen]) / d;
  hue *= 60;
  if (hue < 0) hue += 360;
  *h = (hue / 360) * 360;
}

argb_color hsvtorgb(float h, float s, float v) {
  if (h < 0) h = h + 360 * std::trunc(-h / 360 + 1);
  const float t = h >= 360 ? (h - 360 * std::trunc(h / 360)) / 360 : h / 360;
  if (s <= 0) return rgb(to_byte(v), to_byte(v), to_byte(v));
  const float p = (1 - s) * v;
  if (t == 1) return rgb(to_byte(v), to_byte(p), to_byte(p));
  const float t6 = t * 6;
  if (!(t6 >= 0 && t6 < 6)) return 0xFF000000;  // no sector (also for a hue that is not a number)
  const float i = std::floor(t6), f = t6 - i;
  const float q = (1 - s * f) * v, u = (1 - s * (1 - f)) * v;
  switch (int(i)) {
    case 0: return rgb(to_byte(v), to_byte(u), to_byte(p));
    case 1: return rgb(to_byte(q), to_byte(v), to_byte(p));
    case 2: return rgb(to_byte(p), to_byte(v), to_byte(u));
    case 3: return rgb(to_byte(p), to_byte(q), to_byte(v));
    case 4: return rgb(to_byte(u), to_byte(p), to_byte(v));
    default: return rgb(to_byte(v), to_byte(p), to_byte(q));
  }
}

argb_color blendcolor(argb_color dst, argb_color src, uint8_t alpha) { return blendrgb(dst, src, alpha); }

argb_color blendcolor_f(argb_color dst, argb_color src, uint8_t alpha) {
  return blendpacked(dst, src, alphato256(alpha));
}

argb_color alphablendcolor(argb_color dst, argb_color src) { return blendover(dst, src, src >> 24); }

argb_color alphablendcolor(argb_color dst, argb_color src, uint8_t alpha) {
  return blendover(dst, src, div255round((src >> 24) * alpha));
}

argb_color alphablendcolor_premultiplied(argb_color dst, argb_color src) {
  // dst scaled by 1 - src alpha, plus src, rounded down; a source that is
  // not premultiplied (a channel above its alpha) saturates at 255.
  const uint32_t keep = 255 - (src >> 24);
  argb_color result = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const uint32_t sum = div255floor(channel_of(src, shift) * 255 + channel_of(dst, shift) * keep);
    result |= std::min<uint32_t>(sum, 255) << shift;
  }
  return result;
}

argb_color alphablendcolor_premultiplied(argb_color dst, argb_color src, uint8_t alpha) {
  argb_color scaled = 0;
  for (int shift = 0; shift < 32; shift += 8) scaled |= div255round(channel_of(src, shift) * alpha) << shift;
  return alphablendcolor_premultiplied(dst, scaled);
}

}  // namespace frond
