// Image decoding and drawing beside the libraries underneath: JPEG through the image
// value against TurboJPEG called directly, bitmap decoding against copying the same
// bytes into a picture, and drawing against cairo painting the same pixels.
#include <benchmark/benchmark.h>
#include <turbojpeg.h>

#include <cstring>
#include <string>
#include <vector>

#include "bench/common/ratio_reporter.h"
#include "media/image.h"
#include "media/image_factory.h"
#include "values/buffer.h"
#include "values/region.h"
#include "values/string.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;

// A picture with gradients and some texture, as a photo would have.
std::vector<uint8_t> picture() {
  std::vector<uint8_t> rgb(size_t{kWidth} * kHeight * 3);
  uint32_t noise = 1;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      noise = noise * 1103515245 + 12345;
      uint8_t* p = &rgb[(size_t{static_cast<size_t>(y)} * kWidth + x) * 3];
      p[0] = static_cast<uint8_t>(x * 255 / kWidth + (noise >> 28));
      p[1] = static_cast<uint8_t>(y * 255 / kHeight);
      p[2] = static_cast<uint8_t>((x + y) / 5 + (noise >> 29));
    }
  }
  return rgb;
}

const std::string& jpegFile() {
  static const std::string file = [] {
    std::vector<uint8_t> rgb = picture();
    tjhandle tj = tjInitCompress();
    unsigned char* out = nullptr;
    unsigned long size = 0;
    tjCompress2(tj, rgb.data(), kWidth, kWidth * 3, kHeight, TJPF_RGB, &out, &size, TJSAMP_420, 85,
                0);
    std::string bytes(reinterpret_cast<char*>(out), size);
    tjFree(out);
    tjDestroy(tj);
    return bytes;
  }();
  return file;
}

void put(std::string& out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>(v >> (8 * i));
}

// A bottom-up bitmap file of the picture: 24 bits, or 8 bits through a 256-grey table.
std::string bitmapFile(int bits) {
  std::vector<uint8_t> rgb = picture();
  size_t stride = (size_t{kWidth} * (bits / 8) + 3) & ~size_t{3};
  int colours = bits == 8 ? 256 : 0;
  uint32_t offset = 54 + 4 * colours;
  std::string out = "BM";
  put(out, offset + static_cast<uint32_t>(stride * kHeight), 4);
  put(out, 0, 4);
  put(out, offset, 4);
  put(out, 40, 4);
  put(out, kWidth, 4);
  put(out, kHeight, 4);
  put(out, 1, 2);
  put(out, bits, 2);
  for (int i = 0; i < 4; ++i) put(out, 0, 4);
  put(out, colours, 4);
  put(out, 0, 4);
  for (int i = 0; i < colours; ++i) put(out, 0x010101u * i, 4);
  for (int y = kHeight - 1; y >= 0; --y) {
    std::string row;
    for (int x = 0; x < kWidth; ++x) {
      const uint8_t* p = &rgb[(size_t{static_cast<size_t>(y)} * kWidth + x) * 3];
      if (bits == 8) {
        row += static_cast<char>(p[1]);
      } else {
        row += {static_cast<char>(p[2]), static_cast<char>(p[1]), static_cast<char>(p[0])};
      }
    }
    row.resize(stride, '\0');
    out += row;
  }
  return out;
}

tqvHandle bufferOf(const std::string& bytes) {
  tqvHandle b = tqvBuffer(static_cast<TQVINT>(bytes.size()));
  std::memcpy(tqvAsBuffer(b)->data(), bytes.data(), bytes.size());
  tqvAsBuffer(b)->setLength(static_cast<TQVINT>(bytes.size()));
  return b;
}

void JpegDecodeOurs(benchmark::State& state) {
  tqvHandle bytes = bufferOf(jpegFile());
  tqvHandle name = tqvMakeString("photo.jpg");
  for (auto _ : state) {
    tqvHandle image = tqvMakeImage(bytes, name);
    benchmark::DoNotOptimize(tqvAsImage(image)->pixels());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(jpegFile().size()));
}

void JpegDecodePeer(benchmark::State& state) {
  const std::string& file = jpegFile();
  auto* data = reinterpret_cast<const unsigned char*>(file.data());
  tjhandle tj = tjInitDecompress();
  for (auto _ : state) {
    int w = 0, h = 0, subsampling = 0, colourspace = 0;
    tjDecompressHeader3(tj, data, file.size(), &w, &h, &subsampling, &colourspace);
    std::vector<unsigned char> out(size_t{static_cast<size_t>(w)} * h * 4);
    tjDecompress2(tj, data, file.size(), out.data(), w, w * 4, h, TJPF_BGRX, 0);
    benchmark::DoNotOptimize(out.data());
  }
  tjDestroy(tj);
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(file.size()));
}

void DibDecodeOurs(benchmark::State& state) {
  std::string file = bitmapFile(static_cast<int>(state.range(0)));
  tqvHandle bytes = bufferOf(file);
  tqvHandle name = tqvMakeString("picture.bmp");
  for (auto _ : state) {
    tqvHandle image = tqvMakeImage(bytes, name);
    benchmark::DoNotOptimize(tqvAsImage(image)->pixels());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(file.size()));
}

// The floor: a new picture of the same size and one copy of the file's bytes into it.
void DibDecodeCopy(benchmark::State& state) {
  std::string file = bitmapFile(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWidth, kHeight);
    std::memcpy(cairo_image_surface_get_data(s), file.data(), file.size());
    benchmark::DoNotOptimize(cairo_image_surface_get_data(s));
    cairo_surface_destroy(s);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(file.size()));
}

struct Drawing {
  tqvHandle source = tqvMakeImage(bufferOf(bitmapFile(24)), tqvMakeString("picture.bmp"));
  tqvHandle small = tqvMakeContextImage(kWidth / 2, kHeight / 2);
  tqvHandle target = tqvMakeContextImage(kWidth, kHeight);
  cairo_surface_t* pixels() { return tqvAsImage(source)->pixels(); }
  cairo_surface_t* into() { return tqvAsImage(target)->pixels(); }
};

void DrawOurs(benchmark::State& state) {
  Drawing d;
  for (auto _ : state) tqvDrawImage(d.target, d.source, 0, 0, 0, 0, 0, 0);
  state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}

void DrawPeer(benchmark::State& state) {
  Drawing d;
  for (auto _ : state) {
    cairo_t* cr = cairo_create(d.into());
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, d.pixels(), 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
  }
  state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}

void StretchOurs(benchmark::State& state) {
  Drawing d;
  tqvHandle rect = tqvMakeRect(0, 0, kWidth, kHeight);
  for (auto _ : state) tqvStretchImage(d.target, d.small, rect);
  state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}

void StretchPeer(benchmark::State& state) {
  Drawing d;
  cairo_surface_t* small = tqvAsImage(d.small)->pixels();
  for (auto _ : state) {
    cairo_t* cr = cairo_create(d.into());
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_scale(cr, 2, 2);
    cairo_set_source_surface(cr, small, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_paint(cr);
    cairo_destroy(cr);
  }
  state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}

}  // namespace

BENCHMARK(JpegDecodeOurs)->Name("JpegDecode640x480/ours");
BENCHMARK(JpegDecodePeer)->Name("JpegDecode640x480/turbojpeg");
BENCHMARK(DibDecodeOurs)->Name("Dib8Decode640x480/ours")->Arg(8);
BENCHMARK(DibDecodeCopy)->Name("Dib8Decode640x480/memcpy")->Arg(8);
BENCHMARK(DibDecodeOurs)->Name("Dib24Decode640x480/ours")->Arg(24);
BENCHMARK(DibDecodeCopy)->Name("Dib24Decode640x480/memcpy")->Arg(24);
BENCHMARK(DrawOurs)->Name("Draw640x480/ours");
BENCHMARK(DrawPeer)->Name("Draw640x480/cairo");
BENCHMARK(StretchOurs)->Name("Stretch320to640/ours");
BENCHMARK(StretchPeer)->Name("Stretch320to640/cairo");

int main(int argc, char** argv) {
  return tqvbench::runWithRatios(argc, argv);
}
