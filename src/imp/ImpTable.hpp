// The writers and the reader of the work table IMP: one row per field per page, keyed by
// page (NRO_HOJA), page type (TIPO: 0 cover and item pages, 1 continuation
// pages) and field (NRO_CAMPO, "c" + number). The callers trap errors; these
// functions only run the statements.
#ifndef TIPOLARIA_IMP_IMPTABLE_HPP_
#define TIPOLARIA_IMP_IMPTABLE_HPP_

#include <cstdint>
#include <string>
#include <vector>

#include "data/CDataBase.hpp"
#include "imp/CColImp.hpp"

namespace tipolaria {

// "TRUNCATE TABLE IMP".
void ClearImpTable(CDataBase& db);

// One row of IMP: `field` is the field number without its "c".
struct ImpRow {
  std::int32_t page = 0;
  std::int16_t tipo = 0;
  std::string field;
  std::string value;
};

// Inserts one row; exactly empty text writes nothing (a value of blanks is
// written).
void InsertImpRow(CDataBase& db, std::int32_t page, std::int16_t tipo, const std::string& field,
                  const std::string& value);
// The rows, in order, as InsertImpRow writes each, sent as one array: one
// request to a server across a network. A failing row stops the array with
// its error; the rows before it stay, as one statement a row left them.
void InsertImpRows(CDataBase& db, const std::vector<ImpRow>& rows);

// The inserts of a page save, in order, as one array: "INSERT INTO imp (
// NRO_HOJA, TIPO, NRO_CAMPO, Valor) VALUES(" page ", " tipo ", 'c" field
// "','" value "')" for each row. Unlike InsertImpRows it writes empty text
// too.
void InsertImpPageRows(CDataBase& db, std::int16_t tipo, const std::vector<ImpRow>& rows);

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
