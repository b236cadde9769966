// The preview page served at GET /: plain HTML, CSS and a little
// JavaScript (page/ in the sources), compiled into the tool so that the
// service reads no file and the page loads nothing from elsewhere.
#ifndef TIPOLARIA_CLI_SERVE_PREVIEWPAGE_HPP_
#define TIPOLARIA_CLI_SERVE_PREVIEWPAGE_HPP_

#include <string_view>

namespace tipolaria::serve {

struct PageFile {
  std::string_view path;  // where the service serves it
  std::string_view content_type;
  std::string_view body;
};

// The page's files: "/", "/app.css" and "/app.js".
const PageFile* PreviewPageFiles();
inline constexpr int kPreviewPageFileCount = 3;

}  // namespace tipolaria::serve

#endif  // TIPOLARIA_CLI_SERVE_PREVIEWPAGE_HPP_
