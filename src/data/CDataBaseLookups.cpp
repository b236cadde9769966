// The lookups of CDataBase: the coded-parameter table PTR through its stored
// procedures, and the reference tables whose rows are valid for a period.
#include "data/CDataBase.hpp"
#include "data/SqlText.hpp"
#include "runtime/Convert.hpp"
#include "runtime/Trap.hpp"

namespace tipolaria {
namespace {

// Parameter type and direction codes of the original data-access layer.
constexpr std::int32_t kTypeInteger = 3;
constexpr std::int32_t kTypeVarChar = 200;
constexpr std::int32_t kDirInput = 1;
constexpr std::int32_t kDirReturnValue = 4;

bool HasRow(const Recordset& rs) { return !(rs.AtBeginning() && rs.AtEnd()); }

}  // namespace

template <typename Read>
Recordset CDataBase::Lookup(const std::string& question, Read&& read) {
  if (!keep_lookups_) return read();
  const auto found = lookups_.find(question);
  if (found != lookups_.end()) return found->second;  // a cursor of the caller's own
  Recordset answer = read();
  lookups_.emplace(question, answer);
  return answer;
}

// Every PTR lookup clears the parameter list, adds the return value, the
// parameter type and one key, and reads the first row only. When nothing
// comes back the parameters stay in the list until the next lookup clears
// them, as the callers expect nothing else of it.
Recordset CDataBase::CallPtrProcedure(const std::string& procedure, const std::string& ctpt,
                                      const std::string& key_name, std::int32_t key_type,
                                      const Value& key) {
  params_.clear();
  AddParamSP("RETURN_VALUE", kTypeInteger, kDirReturnValue, 0, Value());
  AddParamSP("@CTPT_1", kTypeVarChar, kDirInput, 10, ctpt);
  AddParamSP(key_name, key_type, kDirInput, 10, key);
  // The key's kind is part of the question: an integer 7 and a text "7"
  // may have different answers.
  return Lookup(
      procedure + '\x1f' + ctpt + '\x1f' + std::to_string(key_type) + '\x1f' + ValueToText(key),
      [&] { return ExecSPRs(procedure); });
}

std::string CDataBase::NatLNat(const std::string& ctpt, const std::string& cptrnat) {
  return Trap("CDataBase.NatLNat", [&] {
    std::string result;
    Recordset rs = CallPtrProcedure("sp_NatLNat", ctpt, "@CPTRNAT_2", kTypeVarChar, cptrnat);
    if (HasRow(rs)) {
      result = ValueToText(rs.Field(std::size_t{0}));
      params_.clear();
    }
    return result;
  });
}

std::int16_t CDataBase::NatPtr(const std::string& ctpt, const std::string& cptrnat) {
  // The suffix names the wrapped connection: kept as hosts see it.
  return Trap("CDataBase.gDB.NatPtr", [&] {
    std::int16_t result = -1;
    Recordset rs = CallPtrProcedure("sp_NatPtr", ctpt, "@CPTRNAT_2", kTypeVarChar, cptrnat);
    if (HasRow(rs)) {
      result = ValueToInt16(rs.Field(std::size_t{0}));
      params_.clear();
    }
    return result;
  });
}

std::string CDataBase::PtrNat(const std::string& ctpt, std::int16_t aptr, std::string& cptrnat) {
  return Trap("CDataBase.PtrNat", [&] {
    std::string result;
    cptrnat.clear();
    Recordset rs = CallPtrProcedure("sp_PtrNat", ctpt, "@APTR_2", kTypeInteger,
                                    Value(static_cast<std::int64_t>(aptr)));
    if (HasRow(rs)) {
      result = ValueToText(rs.Field("LPTRNAT"));
      cptrnat = ValueToText(rs.Field("CPTRNAT"));
      params_.clear();
    }
    return result;
  });
}

std::string CDataBase::PtrCNat(const std::string& ctpt, std::int16_t aptr) {
  return Trap("CDataBase.PtrCNat", [&] {
    std::string result;
    Recordset rs = CallPtrProcedure("sp_PtrCNat", ctpt, "@APTR_2", kTypeInteger,
                                    Value(static_cast<std::int64_t>(aptr)));
    if (HasRow(rs)) {
      result = ValueToText(rs.Field(std::size_t{0}));
      params_.clear();
    }
    return result;
  });
}

bool CDataBase::GetReference(const std::string& sql, Recordset& rs) {
  if (!keep_lookups_) return GetRs(sql, rs);
  rs = Lookup(sql, [&] {
    Recordset answer;
    GetRs(sql, answer);
    return answer;
  });
  return HasRow(rs);
}

// A reference row is valid on day D when its effective date is on or before
// D and its end date is after D: the end date itself is no longer valid.
bool CDataBase::ValidaRef(const std::string& table, const std::string& key_column,
                          const std::string& key_value, const std::string& date,
                          const std::string& from_column, const std::string& to_column,
                          Recordset& rs) {
  return Trap("CDataBase.ValidaRef", [&] {
    // Asked for one code after another (documents, countries, stations):
    // the rows valid on the day are read once for all codes.
    const std::string d = DBDate(date);
    return GetItemRs({"SELECT * FROM " + table + " WHERE " + from_column + " <= " + d + " AND " +
                          to_column + " > " + d,
                      {{key_column, key_value}}},
                     rs);
  });
}

bool CDataBase::ValidaRefCompuestos(const std::string& table, const std::string& key_column1,
                                    const std::string& key_value1, const std::string& key_column2,
                                    const std::string& key_value2, const std::string& date,
                                    const std::string& from_column, const std::string& to_column,
                                    Recordset& rs) {
  return Trap("CDataBase.ValidaRefCompuestos", [&] {
    const std::string d = DBDate(date);
    return GetItemRs({"SELECT * FROM " + table + " WHERE " + from_column + " <= " + d + " AND " +
                          to_column + " > " + d,
                      {{key_column1, key_value1}, {key_column2, key_value2}}},
                     rs);
  });
}

}  // namespace tipolaria
