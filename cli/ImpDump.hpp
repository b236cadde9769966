// The rows of the work table IMP as text for people and scripts: one row a
// line, the columns NRO_HOJA, TIPO, NRO_CAMPO and VALOR separated by tabs,
// ordered by page, type and field (the field's number read as a number, so
// c2 comes before c10; names without a number, such as cQOR1, after the
// numbered ones), rows of one field in the order written. In the texts a
// backslash is written \\, a tab \t, a line feed \n and a carriage return
// \r, so every row is one line, and every other control character (C0, DEL
// and C1, such as ESC and CSI, which would act on a terminal) as \xHH for
// each of its bytes; a Null is \N. Text is read as everywhere in the
// library: UTF-8, and a byte that is not UTF-8 as Latin-1.
#ifndef TIPOLARIA_CLI_IMPDUMP_HPP_
#define TIPOLARIA_CLI_IMPDUMP_HPP_

#include <iosfwd>
#include <string>
#include <vector>

#include "tipolaria/session.hpp"

namespace tipolaria::cli {

void WriteImpDump(const std::vector<Session::ImpRow>& rows, std::ostream& out);

// One value of the dump, escaped as above.
std::string DumpText(const FieldValue& value);

}  // namespace tipolaria::cli

#endif  // TIPOLARIA_CLI_IMPDUMP_HPP_
