// CDataBase: the system's only door to the customs database. One object holds
// one connection (its backend) and the parameter list of stored-procedure
// calls; the component keeps one in gDataBase. Recordsets it hands out belong
// to the caller. Every operation with a trap appends its name to the source of
// an error that passes through it (" - CDataBase.GetRs").
#ifndef TIPOLARIA_DATA_CDATABASE_HPP_
#define TIPOLARIA_DATA_CDATABASE_HPP_

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "data/Backend.hpp"
#include "data/DeclarationRows.hpp"
#include "data/ItemQuery.hpp"
#include "data/Recordset.hpp"
#include "data/RequestLog.hpp"
#include "runtime/Value.hpp"

namespace tipolaria {

class CDataBase {
 public:
  using BackendOpener = std::function<std::unique_ptr<Backend>(const std::string&)>;

  CDataBase();
  // Tests hand in an opener that wraps the real backend to inject faults.
  explicit CDataBase(BackendOpener opener);
  ~CDataBase();
  CDataBase(const CDataBase&) = delete;
  CDataBase& operator=(const CDataBase&) = delete;

  // Opens the connection (900-second statement time-out). True when open.
  bool OpenDB(const std::string& connection_string);
  void Disconnect();
  void BeginTrans();
  void CommitTrans();
  void RollBackTrans();
  // A batch of the backend (Backend::BeginBatch): BatchScope opens and
  // closes it.
  void BeginBatch();
  void EndBatch();

  // The database's print lock (see Backend): true when taken within `wait`.
  bool AcquirePrintLock(std::chrono::milliseconds wait);
  void ReleasePrintLock();
  // Whether every value of a column has the column's type (see Backend).
  bool EnforcesColumnTypes() { return Connected().EnforcesColumnTypes(); }
  // The database as messages name it: the connection string of OpenDB with
  // its passwords masked.
  const std::string& Name() const { return name_; }

  // Runs a query into `rs` (replacing what it held); true when it has rows.
  // On no rows `rs` is open and empty.
  bool GetRs(const std::string& sql, Recordset& rs);
  // The rows of one item that `query` asks for, as GetRs would give them
  // (its errors are those of GetRs); true when there are any. They are
  // picked out of the rows of every item, read with one query
  // (DeclarationRows); within a batch that query runs once.
  bool GetItemRs(const ItemQuery& query, Recordset& rs);
  // GetRs of a question whose answer a generation does not change (a
  // reference table, the declaration's own rows): within a batch it is
  // asked once and answered from memory after.
  bool GetReference(const std::string& sql, Recordset& rs);
  // A statement without a result; true, or raises.
  bool ExecuteSQL(const std::string& sql);
  // One statement with "?" markers run for each row of values, as one
  // request where the database allows it; its errors are those of
  // ExecuteSQL, whose statements it stands for.
  void ExecuteArray(const std::string& sql, const std::vector<std::vector<Value>>& rows);

  // The SQL date expression for a day: "CONVERT(datetime, 'dd/mm/yyyy', 103)".
  // Empty `date` stands for OperDate; eight digits without "/" (yyyymmdd) are
  // taken as dd/mm/yyyy; any other text is used as it stands.
  std::string DBDate(const std::string& date) const;
  const std::string& OperDate() const { return oper_date_; }
  void SetOperDate(std::string date) { oper_date_ = std::move(date); }

  Recordset ExecSPRs(const std::string& procedure);
  void AddParamSP(const std::string& name, std::int32_t type, std::int32_t direction,
                  std::int32_t size, const Value& value);

  // Lookups in the coded-parameter table PTR through its stored procedures.
  std::string NatLNat(const std::string& ctpt, const std::string& cptrnat);
  std::int16_t NatPtr(const std::string& ctpt, const std::string& cptrnat);
  std::string PtrNat(const std::string& ctpt, std::int16_t aptr, std::string& cptrnat);
  std::string PtrCNat(const std::string& ctpt, std::int16_t aptr);

  // The rows of `table` valid on `date` (effective <= date < end), the day
  // read as DBDate reads it.
  bool ValidaRef(const std::string& table, const std::string& key_column,
                 const std::string& key_value, const std::string& date,
                 const std::string& from_column, const std::string& to_column, Recordset& rs);
  bool ValidaRefCompuestos(const std::string& table, const std::string& key_column1,
                           const std::string& key_value1, const std::string& key_column2,
                           const std::string& key_value2, const std::string& date,
                           const std::string& from_column, const std::string& to_column,
                           Recordset& rs);

  // The statement log that every request goes to from now on (none: no
  // log). Shared with the component, which keeps it across connections.
  void SetRequestLog(std::shared_ptr<RequestLog> log) { log_ = std::move(log); }

  // Statements sent to the database since creation (queries, statements,
  // procedure calls), for benchmarks.
  std::uint64_t StatementCount() const { return statements_; }
  // What a server across a network receives, as the statement log shows it:
  // requests (statements, arrays, calls, savepoints, the print lock), each a
  // round trip, and the transactions ended (commits and rollbacks of the
  // connection's transaction), each a flush of the server's log.
  std::uint64_t Requests() const { return requests_; }
  std::uint64_t Transactions() const { return transactions_; }
  // Requests sent to the database by the open connection (see Backend).
  std::uint64_t RoundTrips() const { return backend_ ? backend_->RoundTrips() : 0; }

 private:
  Backend& Connected();
  // Runs one of the PTR procedures with the parameter type and one key.
  Recordset CallPtrProcedure(const std::string& procedure, const std::string& ctpt,
                             const std::string& key_name, std::int32_t key_type, const Value& key);

  // A request about to be sent, counted and logged as SQL Server receives
  // it; `rows` is the size of an array (0 for none).
  void Sent(std::string_view tsql, std::size_t rows = 0);
  // A transaction command (kBeginTransaction, ...): logged; a commit or a
  // rollback counts as a transaction ended.
  void Command(const char* tsql);
  // A batch is open: transactions are savepoints of it.
  bool InBatch() const { return keep_lookups_; }

  BackendOpener opener_;
  std::shared_ptr<RequestLog> log_;
  std::uint64_t requests_ = 0;
  std::uint64_t transactions_ = 0;
  std::unique_ptr<Backend> backend_;
  std::vector<ProcedureParam> params_;  // gParams
  std::string oper_date_;
  std::string name_;
  std::uint64_t statements_ = 0;
  // While a batch is open (a generation), the answers of the reference
  // lookups by their question: the same country, unit or currency of every
  // item is read once. Reference tables do not change under a generation.
  bool keep_lookups_ = false;
  std::unordered_map<std::string, Recordset> lookups_;
  // While a batch is open, the rows of every item by the query that read
  // them: the tables of a declaration do not change under its generation.
  std::unordered_map<std::string, DeclarationRows> item_rows_;
  // The lookup's answer: from lookups_ when kept, else from `read`.
  template <typename Read>
  Recordset Lookup(const std::string& question, Read&& read);
};

}  // namespace tipolaria

#endif  // TIPOLARIA_DATA_CDATABASE_HPP_
