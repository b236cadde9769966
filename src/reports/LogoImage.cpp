#include "reports/LogoImage.hpp"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "reports/ReportErrors.hpp"
#include "tipolaria/error.hpp"

namespace tipolaria {
namespace {

[[noreturn]] void RaiseLogoError(const std::string& png, const std::string& reason) {
  throw ComError(kErrReportResource, kReportSource,
                 "Cannot read the logo '" + png + "': " + reason);
}

// The largest logo taken, on either side. The logo box is about 2.5 by 1 cm:
// 4096 pixels across it are some 4,000 dots per inch, far beyond any
// printer. Decoded, such a picture takes 64 MB; a larger one is refused
// before it is decoded (20000 by 20000 pixels compress to a few hundred
// kilobytes, and decoding them takes 1.6 GB).
constexpr std::uint32_t kMaxLogoSide = 4096;

std::uint32_t BigEndian32(const unsigned char* bytes) {
  return std::uint32_t{bytes[0]} << 24 | std::uint32_t{bytes[1]} << 16 |
         std::uint32_t{bytes[2]} << 8 | std::uint32_t{bytes[3]};
}

// Why `png` is not a PNG file cairo can read, or empty text. cairo reports
// a file that is no PNG as "out of memory", which sends a user looking in
// the wrong place. Only the header is read: the picture's size comes first.
std::string WhatIsWrong(const std::string& png) {
  std::error_code ec;
  if (std::filesystem::is_directory(png, ec)) return "it is a folder";
  std::ifstream file(png, std::ios::binary);
  if (!file) return std::strerror(errno);
  // The signature, then the header chunk: length, "IHDR", width, height.
  static constexpr unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  unsigned char head[24] = {};
  file.read(reinterpret_cast<char*>(head), sizeof head);
  if (file.gcount() < static_cast<std::streamsize>(sizeof kSignature) ||
      std::memcmp(head, kSignature, sizeof kSignature) != 0) {
    return "it is not a PNG image";
  }
  if (file.gcount() != sizeof head || std::memcmp(head + 12, "IHDR", 4) != 0) {
    return "the PNG image is damaged";
  }
  const std::uint32_t width = BigEndian32(head + 16);
  const std::uint32_t height = BigEndian32(head + 20);
  if (width > kMaxLogoSide || height > kMaxLogoSide) {
    return "the picture is " + std::to_string(width) + " x " + std::to_string(height) +
           " pixels; a logo may have at most " + std::to_string(kMaxLogoSide) +
           " pixels on either side (scale it down)";
  }
  return {};
}

}  // namespace

detail::SurfacePtr LoadLogo(const std::string& png) {
  detail::SurfacePtr logo;
  if (png.empty()) return logo;
  if (const std::string wrong = WhatIsWrong(png); !wrong.empty()) RaiseLogoError(png, wrong);
  logo.reset(cairo_image_surface_create_from_png(png.c_str()));
  const cairo_status_t status = cairo_surface_status(logo.get());
  if (status == CAIRO_STATUS_NO_MEMORY || status == CAIRO_STATUS_READ_ERROR) {
    RaiseLogoError(png, "the PNG image is damaged");
  }
  if (status != CAIRO_STATUS_SUCCESS) RaiseLogoError(png, cairo_status_to_string(status));
  return logo;
}

}  // namespace tipolaria
