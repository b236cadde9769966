// The writers and the reader of the work table IMP: one row per field per page, keyed by
// page (NRO_HOJA), page type (TIPO: 0 cover and item pages, 1 continuation
// pages) and field (NRO_CAMPO, "c" + number). The callers trap errors; these
// functions only run the statements.
#ifndef TIPOLARIA_IMP_IMPTABLE_HPP_
#define TIPOLARIA_IMP_IMPTABLE_HPP_

#include <cstdint>
#include <string>

#include "data/CDataBase.hpp"
#include "imp/CColImp.hpp"

namespace tipolaria {

// "TRUNCATE TABLE IMP".
void ClearImpTable(CDataBase& db);

// Inserts one row; exactly empty text writes nothing (a value of blanks is
// written).
void InsertImpRow(CDataBase& db, std::int32_t page, std::int16_t tipo, const std::string& field,
                  const std::string& value);

// The insert of a page save: "INSERT INTO imp ( NRO_HOJA, TIPO, NRO_CAMPO,
// Valor) VALUES(" page ", " tipo ", 'c" field "','" value "')", `page_literal`
// as the statement carries it. Unlike InsertImpRow it writes empty text too.
void InsertImpPageRow(CDataBase& db, const std::string& page_literal, std::int16_t tipo,
                      const std::string& field, const std::string& value);

// Every row of IMP, ordered by type and page as the layouts read them (the
// rows of page 0 before those of the pages, a page's rows in the order
// written).
Recordset ReadImpTable(CDataBase& db);
// The columns of IMP without a row: the pages of a generation that wrote
// nothing.
Recordset NoImpRows();

// Saves a page of type 0 in one transaction: for each field whose value is not
// blank, deletes the field's row of the page and inserts the new one, so the
// last value written for a field wins. `page_literal` is the page number as
// the statements carry it. On an error the transaction is rolled back, so no
// row of the save remains, and the error is raised again.
void SaveImpPage(CDataBase& db, const CColImp& fields, const std::string& page_literal);

}  // namespace tipolaria

#endif  // TIPOLARIA_IMP_IMPTABLE_HPP_
