// The data of the demo, compiled into the tool so that `tipolaria demo`
// needs no files: the catalogue it reads and one declaration (an import of
// three items with continuation pages), the same scripts the tests load.
#ifndef TIPOLARIA_CLI_DEMODATA_HPP_
#define TIPOLARIA_CLI_DEMODATA_HPP_

namespace tipolaria::cli {

const char* DemoCatalogueSql();
const char* DemoDeclarationSql();

// The demo declaration's iddtext.
inline constexpr const char* kDemoIddtext = "26001IC04000123A";

}  // namespace tipolaria::cli

#endif  // TIPOLARIA_CLI_DEMODATA_HPP_
