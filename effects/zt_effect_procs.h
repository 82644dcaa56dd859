// The built-in effect procedures, registered in this order by the registry.
// Mask procedures write into a W x H byte mask that is all 0 on entry;
// displacement procedures fill a W x H table that is all 0 on entry.
#pragma once

#include <cstdint>

#include "effects/zt_effect.h"

namespace vx::zt_procs {

#define VX_ZT_MASK_PROC(name) void name(uint8_t* Mask, int W, int H, int p);
// Sweeps of whole rows and diagonal lines (zt_effect_sweeps.cpp).
VX_ZT_MASK_PROC(SmoothDiagonal)
VX_ZT_MASK_PROC(SmoothDiagonalIn)
VX_ZT_MASK_PROC(SmoothDiagonalOut)
VX_ZT_MASK_PROC(SmoothDown)
VX_ZT_MASK_PROC(SmoothIn)
VX_ZT_MASK_PROC(SmoothOut)
VX_ZT_MASK_PROC(SlideDiagonal)
VX_ZT_MASK_PROC(SlideDiagonalIn)
VX_ZT_MASK_PROC(SlideDiagonalOut)
VX_ZT_MASK_PROC(SlideDown)
VX_ZT_MASK_PROC(SlideIn)
VX_ZT_MASK_PROC(SlideOut)
VX_ZT_MASK_PROC(Fade)
VX_ZT_MASK_PROC(FadeDiagonal)
VX_ZT_MASK_PROC(FadeDiagonalIn)
VX_ZT_MASK_PROC(FadeDiagonalOut)
VX_ZT_MASK_PROC(FadeDown)
VX_ZT_MASK_PROC(FadeIn)
VX_ZT_MASK_PROC(FadeOut)
VX_ZT_MASK_PROC(RotateSlide)
VX_ZT_MASK_PROC(RotateFade)
VX_ZT_MASK_PROC(RotateSmooth)
// Growing outlines: crosses, rectangles, circles, diamonds (zt_effect_shapes.cpp).
VX_ZT_MASK_PROC(SmoothCrossOut)
VX_ZT_MASK_PROC(SmoothCrossIn)
VX_ZT_MASK_PROC(SmoothRectIn)
VX_ZT_MASK_PROC(SmoothRectOut)
VX_ZT_MASK_PROC(SlideCrossOut)
VX_ZT_MASK_PROC(SlideCrossIn)
VX_ZT_MASK_PROC(SlideRectOut)
VX_ZT_MASK_PROC(SlideRectIn)
VX_ZT_MASK_PROC(FadeCrossOut)
VX_ZT_MASK_PROC(FadeCrossIn)
VX_ZT_MASK_PROC(FadeRectOut)
VX_ZT_MASK_PROC(FadeRectIn)
VX_ZT_MASK_PROC(CircleSlideOut)
VX_ZT_MASK_PROC(CircleFadeOut)
VX_ZT_MASK_PROC(CircleSmoothOut)
VX_ZT_MASK_PROC(CircleSlideIn)
VX_ZT_MASK_PROC(CircleFadeIn)
VX_ZT_MASK_PROC(CircleSmoothIn)
VX_ZT_MASK_PROC(CircleSlide)
VX_ZT_MASK_PROC(CircleFade)
VX_ZT_MASK_PROC(CircleSmooth)
VX_ZT_MASK_PROC(DiamondSlideIn)
VX_ZT_MASK_PROC(DiamondFadeIn)
VX_ZT_MASK_PROC(DiamondSmoothIn)
VX_ZT_MASK_PROC(DiamondSlideOut)
VX_ZT_MASK_PROC(DiamondFadeOut)
VX_ZT_MASK_PROC(DiamondSmoothOut)
// Seeded noise and the plasma (zt_effect_noise.cpp).
VX_ZT_MASK_PROC(Pixel)
VX_ZT_MASK_PROC(PixelFade)
VX_ZT_MASK_PROC(PixelLine)
VX_ZT_MASK_PROC(Stream)
VX_ZT_MASK_PROC(Plasma)
#undef VX_ZT_MASK_PROC

// Pixel, Pixel fade and Pixel line keep, per thread, the order in which the
// generator reaches the cells of the last mask size they saw, so that rising
// progress values only draw the new cells (about 4 bytes a cell, for masks of up
// to 2^22 cells). ReleaseRandomOrders frees that record; ForgetRandomOrders
// makes the next call start over but keeps the memory.
void ReleaseRandomOrders();
void ForgetRandomOrders();

// Displacement and frame procedures (zt_effect_frames.cpp).
void Interlace(TztMoveCell* Table, int W, int H, int p);
void Corner(TztMoveCell* Table, int W, int H, int p);
void Slide(TztBitmap& Frame, TztBitmap& After, const TztEffectSettings& Animation, int p);
void Push(TztBitmap& Frame, TztBitmap& After, const TztEffectSettings& Animation, int p);
void Blur(TztBitmap& Frame, TztBitmap& After, const TztEffectSettings& Animation, int p);

// The blur of Blur: a triangle filter of radius r (weights r + 1 - |k|), the
// edge pixel repeated beyond the border, rows first into three colour planes,
// then columns back into the pixels, each sum divided by (r + 1)^2 rounding
// down; alpha becomes 255. Nothing happens for r <= 0; r is capped at 14.
void StackBlur(TztBitmap& Bitmap, int r);
// The same blur of Source written into Bitmap (which may be Source), both of one
// size; nothing happens when the sizes differ.
void StackBlur(const TztBitmap& Source, TztBitmap& Bitmap, int r);

}  // namespace vx::zt_procs
