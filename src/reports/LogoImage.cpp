#include "reports/LogoImage.hpp"

#include <cerrno>
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

// Why `png` is not a PNG file cairo can read, or empty text. cairo reports
// a file that is no PNG as "out of memory", which sends a user looking in
// the wrong place.
std::string WhatIsWrong(const std::string& png) {
  std::error_code ec;
  if (std::filesystem::is_directory(png, ec)) return "it is a folder";
  std::ifstream file(png, std::ios::binary);
  if (!file) return std::strerror(errno);
  static constexpr unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  char head[sizeof kSignature] = {};
  file.read(head, sizeof head);
  if (file.gcount() != sizeof head || std::memcmp(head, kSignature, sizeof head) != 0) {
    return "it is not a PNG image";
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
