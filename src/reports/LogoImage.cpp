#include "reports/LogoImage.hpp"

#include "reports/ReportErrors.hpp"
#include "tipolaria/error.hpp"

namespace tipolaria {

detail::SurfacePtr LoadLogo(const std::string& png) {
  detail::SurfacePtr logo;
  if (png.empty()) return logo;
  logo.reset(cairo_image_surface_create_from_png(png.c_str()));
  const cairo_status_t status = cairo_surface_status(logo.get());
  if (status != CAIRO_STATUS_SUCCESS) {
    throw ComError(kErrReportResource, kReportSource,
                   "Cannot read the logo '" + png + "': " + cairo_status_to_string(status));
  }
  return logo;
}

}  // namespace tipolaria
