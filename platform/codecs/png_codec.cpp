#include "platform/codecs/png_codec.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "platform/core/exceptions.h"
#include "platform/core/streams.h"

namespace vx {

// libpng reports errors by longjmp back to the setjmp of the calling function.
// Rules kept here: the functions that call setjmp own no object with a
// destructor (everything that needs freeing lives in the caller's Context,
// which outlives the jump), and no C++ exception ever crosses libpng: the
// stream callbacks catch them and turn them into png_error.

namespace {

struct Context {
  TStream* stream = nullptr;
  char message[256] = "unknown error";
  std::vector<uint8_t>* pixels = nullptr;
  std::vector<png_bytep> rows;
  int32_t width = 0;
  int32_t height = 0;
  bool tooLarge = false;
};

void OnError(png_structp png, png_const_charp msg) {
  auto* ctx = static_cast<Context*>(png_get_error_ptr(png));
  std::snprintf(ctx->message, sizeof ctx->message, "%s", msg ? msg : "unknown error");
  png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

void OnRead(png_structp png, png_bytep data, size_t length) {
  auto* ctx = static_cast<Context*>(png_get_io_ptr(png));
  bool ok = true;
  try {
    ctx->stream->ReadBuffer(data, int64_t(length));
  } catch (...) {
    ok = false;
  }
  if (!ok) png_error(png, "unexpected end of PNG data");
}

void OnWrite(png_structp png, png_bytep data, size_t length) {
  auto* ctx = static_cast<Context*>(png_get_io_ptr(png));
  bool ok = true;
  try {
    ctx->stream->WriteBuffer(data, int64_t(length));
  } catch (...) {
    ok = false;
  }
  if (!ok) png_error(png, "cannot write PNG data");
}

void OnFlush(png_structp) {}

// Returns false after a libpng error (message in ctx). Allocation of the pixel
// buffer may throw std::bad_alloc; that passes through frames of this file only.
bool DecodeInner(png_structp png, png_infop info, Context* ctx, bool bgra) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_read_fn(png, ctx, OnRead);
  png_set_user_limits(png, kPngMaxDimension, kPngMaxDimension);
  png_set_chunk_malloc_max(png, 16u << 20);
  png_read_info(png, info);
  png_uint_32 w = png_get_image_width(png, info);
  png_uint_32 h = png_get_image_height(png, info);
  int colorType = png_get_color_type(png, info);
  int bitDepth = png_get_bit_depth(png, info);
  if (int64_t(w) * h * 4 > kPngMaxPixelBytes) {
    ctx->tooLarge = true;
    return false;
  }
  if (colorType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (colorType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) png_set_expand_gray_1_2_4_to_8(png);
  if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
  if (bitDepth == 16) png_set_strip_16(png);
  if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
  png_set_filler(png, 0xFF, PNG_FILLER_AFTER);  // no effect when alpha is present
  if (bgra) png_set_bgr(png);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  if (png_get_rowbytes(png, info) != size_t(w) * 4) png_error(png, "unexpected row layout after conversion");
  ctx->width = int32_t(w);
  ctx->height = int32_t(h);
  ctx->pixels->resize(size_t(w) * h * 4);
  ctx->rows.resize(h);
  for (png_uint_32 y = 0; y < h; ++y) ctx->rows[y] = ctx->pixels->data() + size_t(y) * w * 4;
  png_read_image(png, ctx->rows.data());
  png_read_end(png, nullptr);
  return true;
}

bool EncodeInner(png_structp png, png_infop info, Context* ctx, bool bgra) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_write_fn(png, ctx, OnWrite, OnFlush);
  png_set_IHDR(png, info, png_uint_32(ctx->width), png_uint_32(ctx->height), 8, PNG_COLOR_TYPE_RGB_ALPHA,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  if (bgra) png_set_bgr(png);
  png_write_image(png, ctx->rows.data());
  png_write_end(png, nullptr);
  return true;
}

}  // namespace

TPngImage ReadPng(TStream& stream, TPngOrder order) {
  TPngImage img;
  Context ctx;
  ctx.stream = &stream;
  ctx.pixels = &img.Pixels;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &ctx, OnError, OnWarning);
  if (!png) throw EOutOfResources("Cannot create a PNG reader");
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    throw EOutOfResources("Cannot create a PNG reader");
  }
  bool ok;
  try {
    ok = DecodeInner(png, info, &ctx, order == TPngOrder::BGRA);
  } catch (...) {
    png_destroy_read_struct(&png, &info, nullptr);
    throw;
  }
  png_destroy_read_struct(&png, &info, nullptr);
  if (ctx.tooLarge) throw EInvalidGraphic("Invalid PNG image: dimensions exceed the cap");
  if (!ok) throw EInvalidGraphic(std::string("Invalid PNG image: ") + ctx.message);
  img.Width = ctx.width;
  img.Height = ctx.height;
  return img;
}

void WritePng(TStream& stream, const TPngImage& image, TPngOrder order) {
  if (image.Width <= 0 || image.Height <= 0 || image.Width > kPngMaxDimension || image.Height > kPngMaxDimension) {
    throw EInvalidGraphic("Cannot write a PNG image of " + std::to_string(image.Width) + "x" +
                          std::to_string(image.Height) + " pixels");
  }
  if (image.Pixels.size() != size_t(image.Width) * size_t(image.Height) * 4) {
    throw EInvalidGraphic("PNG pixel buffer does not match its dimensions");
  }
  Context ctx;
  ctx.stream = &stream;
  ctx.width = image.Width;
  ctx.height = image.Height;
  ctx.rows.resize(size_t(image.Height));
  for (int32_t y = 0; y < image.Height; ++y) {
    ctx.rows[size_t(y)] = const_cast<png_bytep>(image.Pixels.data()) + size_t(y) * size_t(image.Width) * 4;
  }
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &ctx, OnError, OnWarning);
  if (!png) throw EOutOfResources("Cannot create a PNG writer");
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    throw EOutOfResources("Cannot create a PNG writer");
  }
  bool ok = EncodeInner(png, info, &ctx, order == TPngOrder::BGRA);
  png_destroy_write_struct(&png, &info);
  if (!ok) throw EWriteError(std::string("Cannot write PNG image: ") + ctx.message);
}

}  // namespace vx
