#include "support/TestImage.hpp"

#include <cairo.h>
#include <gtest/gtest.h>

namespace tipolaria::testing {

void WritePng(const std::string& path, int width, int height, double red, double green,
              double blue) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
  cairo_t* cr = cairo_create(surface);
  cairo_set_source_rgb(cr, red, green, blue);
  cairo_paint(cr);
  cairo_destroy(cr);
  const cairo_status_t status = cairo_surface_write_to_png(surface, path.c_str());
  cairo_surface_destroy(surface);
  EXPECT_EQ(status, CAIRO_STATUS_SUCCESS) << path << ": " << cairo_status_to_string(status);
}

}  // namespace tipolaria::testing
