// Pictures a test needs as input (a logo), drawn with the library the
// project prints with, so that no image tool has to be installed.
#ifndef TIPOLARIA_TESTS_SUPPORT_TESTIMAGE_HPP_
#define TIPOLARIA_TESTS_SUPPORT_TESTIMAGE_HPP_

#include <string>

namespace tipolaria::testing {

// Writes a PNG of `width` x `height` pixels filled with one colour (red,
// green, blue from 0 to 1); fails the test when it cannot.
void WritePng(const std::string& path, int width, int height, double red, double green,
              double blue);

}  // namespace tipolaria::testing

#endif  // TIPOLARIA_TESTS_SUPPORT_TESTIMAGE_HPP_
