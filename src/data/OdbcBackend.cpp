#include "data/OdbcBackend.hpp"

#include <sqlext.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <optional>

#include "data/ConnectionString.hpp"
#include "data/DatabaseErrors.hpp"
#include "data/OdbcParameters.hpp"
#include "data/PtrProcedures.hpp"
#include "data/ServerCommands.hpp"
#include "data/SqlDialect.hpp"
#include "data/SqlText.hpp"
#include "data/SqliteWriteLock.hpp"

namespace tipolaria {
namespace {

// The original providers' connection time-out.
constexpr SQLULEN kLoginTimeoutSeconds = 15;
// Parameter direction of a procedure's return value.
constexpr std::int32_t kDirReturnValue = 4;

SQLCHAR* Text(const std::string& s) {
  return reinterpret_cast<SQLCHAR*>(const_cast<char*>(s.c_str()));
}

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

std::string Info(const OdbcHandle& dbc, SQLUSMALLINT what) {
  char buffer[256] = {};
  SQLSMALLINT length = 0;
  if (!SQL_SUCCEEDED(SQLGetInfo(dbc.get(), what, buffer, sizeof buffer, &length))) return "";
  return buffer;
}

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

bool HasKey(const std::string& connection, const std::string& key) {
  for (const auto& [k, v] : SplitConnectionString(connection)) {
    if (k == key) return true;
  }
  return false;
}

bool AsksForIntegratedSecurity(const std::string& connection) {
  for (const auto& [k, v] : SplitConnectionString(connection)) {
    const std::string value = Lower(v);
    if ((k == "trusted_connection" || k == "integrated security") &&
        (value == "yes" || value == "true" || value == "sspi")) {
      return true;
    }
  }
  return false;
}

// How a column's values are read. The declared type name decides for exact
// numbers, as in the embedded database, whose driver reports a DECIMAL column
// as text; the ODBC type decides for the rest.
enum class ColumnKind { kText, kDecimal, kDate, kWhole, kFloat, kBit };

ColumnKind KindOf(SQLSMALLINT type, const std::string& type_name) {
  const std::string name = Upper(type_name);
  if (name.find("DEC") != std::string::npos || name.find("NUMERIC") != std::string::npos ||
      name.find("MONEY") != std::string::npos || type == SQL_DECIMAL || type == SQL_NUMERIC) {
    return ColumnKind::kDecimal;
  }
  if (type == SQL_TYPE_TIMESTAMP || type == SQL_TYPE_DATE || type == SQL_DATETIME) {
    return ColumnKind::kDate;
  }
  switch (type) {
    case SQL_INTEGER:
    case SQL_SMALLINT:
    case SQL_TINYINT:
    case SQL_BIGINT:
      return ColumnKind::kWhole;
    case SQL_FLOAT:
    case SQL_REAL:
    case SQL_DOUBLE:
      return ColumnKind::kFloat;
    case SQL_BIT:
      return ColumnKind::kBit;
    default:
      return ColumnKind::kText;
  }
}

// A column's value as text, whatever its length; nothing for NULL.
std::optional<std::string> GetText(const OdbcHandle& stmt, SQLUSMALLINT column,
                                   const std::string& source, const std::string& context) {
  std::string out;
  char buffer[4096];
  for (;;) {
    SQLLEN length = 0;
    const SQLRETURN rc = SQLGetData(stmt.get(), column, SQL_C_CHAR, buffer, sizeof buffer, &length);
    if (rc == SQL_NO_DATA) break;
    stmt.Check(rc, source, context);
    if (length == SQL_NULL_DATA) return std::nullopt;
    const bool more = length == SQL_NO_TOTAL || length >= static_cast<SQLLEN>(sizeof buffer);
    out.append(buffer, more ? sizeof buffer - 1 : static_cast<std::size_t>(length));
    if (rc == SQL_SUCCESS || !more) break;
  }
  return out;
}

Value ReadValue(const OdbcHandle& stmt, SQLUSMALLINT column, ColumnKind kind,
                const std::string& source, const std::string& context) {
  if (kind == ColumnKind::kFloat) {
    double d = 0;
    SQLLEN length = 0;
    stmt.Check(SQLGetData(stmt.get(), column, SQL_C_DOUBLE, &d, sizeof d, &length), source,
               context);
    if (length == SQL_NULL_DATA) return Value::Null();
    return Value(Decimal::FromDouble(d));
  }
  std::optional<std::string> text = GetText(stmt, column, source, context);
  if (!text) return Value::Null();
  switch (kind) {
    case ColumnKind::kWhole: {
      std::int64_t n = 0;
      const auto [end, ec] = std::from_chars(text->data(), text->data() + text->size(), n);
      if (ec == std::errc() && end == text->data() + text->size()) return Value(n);
      // The SQLite driver types a computed column by its first row: a later
      // row of a SUM may hold a fraction.
      [[fallthrough]];
    }
    case ColumnKind::kDecimal: {
      if (auto number = Decimal::Parse(*text)) return Value(*number);
      // An SQLite file may hold a large amount as floating point ("1e+20").
      // Read whatever the host's locale, as the database writes it.
      double d = 0;
      const auto [end, ec] = std::from_chars(text->data(), text->data() + text->size(), d);
      if (ec == std::errc() && end == text->data() + text->size()) {
        return Value(Decimal::FromDouble(d));
      }
      break;
    }
    case ColumnKind::kDate:
      if (auto date = DateTime::ParseIso(*text)) return Value(*date);
      break;
    case ColumnKind::kBit:
      if (*text == "0" || *text == "1") return Value(*text == "1");
      break;
    default:
      break;
  }
  return Value(std::move(*text));
}

Recordset ReadRows(const OdbcHandle& stmt, SQLSMALLINT count, const std::string& source,
                   const std::string& context) {
  std::vector<std::string> names;
  std::vector<ColumnKind> kinds;
  for (SQLUSMALLINT i = 1; i <= static_cast<SQLUSMALLINT>(count); ++i) {
    SQLCHAR name[256] = {};
    SQLSMALLINT name_length = 0, type = 0, digits = 0, nullable = 0;
    SQLULEN size = 0;
    stmt.Check(SQLDescribeCol(stmt.get(), i, name, sizeof name, &name_length, &type, &size, &digits,
                              &nullable),
               source, context);
    char type_name[128] = {};
    SQLSMALLINT type_name_length = 0;
    if (!SQL_SUCCEEDED(SQLColAttribute(stmt.get(), i, SQL_DESC_TYPE_NAME, type_name,
                                       sizeof type_name, &type_name_length, nullptr))) {
      type_name[0] = '\0';
    }
    names.emplace_back(reinterpret_cast<const char*>(name));
    kinds.push_back(KindOf(type, type_name));
  }
  std::vector<Recordset::Row> rows;
  for (;;) {
    const SQLRETURN rc = SQLFetch(stmt.get());
    if (rc == SQL_NO_DATA) break;
    stmt.Check(rc, source, context);
    Recordset::Row row;
    row.reserve(names.size());
    for (SQLUSMALLINT i = 1; i <= static_cast<SQLUSMALLINT>(count); ++i) {
      row.push_back(ReadValue(stmt, i, kinds[i - 1], source, context));
    }
    rows.push_back(std::move(row));
  }
  return Recordset(std::move(names), std::move(rows));
}

}  // namespace

OdbcBackend::OdbcBackend(const std::string& connection, const std::string& driver)
    : env_(SQL_HANDLE_ENV, nullptr),
      connection_(connection),
      driver_(driver),
      source_(driver.empty() ? "ODBC" : driver) {
  env_.Check(SQLSetEnvAttr(env_.get(), SQL_ATTR_ODBC_VERSION,
                           reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(SQL_OV_ODBC3)), 0),
             source_);
  Connect();
}

void OdbcBackend::Connect() {
  broken_ = false;
  in_transaction_ = false;
  in_batch_ = false;
  savepoints_ = 0;
  dbc_ = OdbcHandle(SQL_HANDLE_DBC, &env_);
  // A driver without a login time-out connects as it does by itself.
  SQLSetConnectAttr(dbc_.get(), SQL_ATTR_LOGIN_TIMEOUT,
                    reinterpret_cast<SQLPOINTER>(kLoginTimeoutSeconds), 0);
  ++round_trips_;
  const SQLRETURN rc = SQLDriverConnect(dbc_.get(), nullptr, Text(connection_), SQL_NTS, nullptr, 0,
                                        nullptr, SQL_DRIVER_NOPROMPT);
  if (!SQL_SUCCEEDED(rc)) {
    std::string context = ", connecting with \"" + MaskPasswords(connection_) + "\"";
    if (AsksForIntegratedSecurity(connection_)) {
      context +=
          ". Integrated Security on Linux logs in with Kerberos: the user needs a ticket "
          "(kinit) and the server must be named by its full DNS name, as its service "
          "principal (MSSQLSvc/host.domain:port) is registered";
    }
    dbc_.Raise(source_, context);
  }
  dbc_.SetConnected();
  sqlite_target_ = Upper(Info(dbc_, SQL_DBMS_NAME)).find("SQLITE") != std::string::npos;
  // The SQLite driver names the database file; the lock file lies beside it.
  if (sqlite_target_ && !lock_file_) {
    const std::string file = Info(dbc_, SQL_DATABASE_NAME);
    if (!file.empty()) {
      sqlite_file_ = file;
      lock_file_ = std::make_unique<PrintLockFile>(file);
    }
  }
  if (driver_.empty()) {
    const std::string name = Info(dbc_, SQL_DRIVER_NAME);
    if (!name.empty()) source_ = name;
  }
  if (!sqlite_target_) CheckCharset();
}

// Text is UTF-8 throughout the library. A driver that hands the server's
// code page over instead (FreeTDS without ClientCharset, the vendor's driver
// under a non-UTF-8 locale) would corrupt every accented value read and
// written: "Ñ" is byte D1 in the server's code page and C3 91 in UTF-8.
void OdbcBackend::CheckCharset() {
  Value n;
  {
    // The statement is freed before its connection may be made again below.
    OdbcHandle stmt = NewStatement();
    n = Run(stmt, "SELECT CHAR(209) AS n", true).Field(std::size_t{0});
  }
  if (n.kind() == Value::Kind::kText && n.AsText() == "\xC3\x91") return;
  const bool freetds = Lower(Info(dbc_, SQL_DRIVER_NAME)).find("tds") != std::string::npos;
  if (freetds && !HasKey(connection_, "clientcharset")) {
    // A DSN of FreeTDS that does not say it: the same login, told so.
    connection_ += connection_.ends_with(";") ? "ClientCharset=UTF-8;" : ";ClientCharset=UTF-8;";
    Connect();
    return;
  }
  std::string bytes;
  if (n.kind() == Value::Kind::kText) {
    for (unsigned char c : n.AsText()) {
      static constexpr char kHex[] = "0123456789ABCDEF";
      bytes += std::string(bytes.empty() ? "" : " ") + kHex[c >> 4] + kHex[c & 15];
    }
  }
  RaiseDatabaseError(source_,
                     "The ODBC driver does not hand text over in UTF-8 (SELECT CHAR(209) came "
                     "back as bytes " +
                         (bytes.empty() ? std::string("none") : bytes) +
                         ", not C3 91): accented text would be corrupted. With FreeTDS add "
                         "ClientCharset=UTF-8 to the connection string or the DSN; with the "
                         "vendor's driver run under a UTF-8 locale (LANG=C.UTF-8)");
}

bool OdbcBackend::ConnectionDead() const {
  SQLUINTEGER dead = SQL_CD_FALSE;
  const SQLRETURN rc = SQLGetConnectAttr(dbc_.get(), SQL_ATTR_CONNECTION_DEAD, &dead, 0, nullptr);
  return SQL_SUCCEEDED(rc) && dead == SQL_CD_TRUE;
}

template <typename Operation>
auto OdbcBackend::OnConnection(Operation&& operation) {
  // A link the driver reported broken is made again once, before the next
  // operation, when no transaction was open: what one held is gone with
  // the server's session, and its failure has been reported.
  if (broken_ && !in_transaction_) Connect();
  try {
    return std::forward<Operation>(operation)();
  } catch (const ComError& e) {
    // SQLSTATE class 08: the connection itself failed.
    if (ConnectionDead() || e.description().find("(SQLSTATE 08") != std::string::npos) {
      broken_ = true;
    }
    throw;
  }
}

OdbcBackend::~OdbcBackend() {
  // An open transaction is undone, never left to the driver's choice.
  if (in_transaction_) SQLEndTran(SQL_HANDLE_DBC, dbc_.get(), SQL_ROLLBACK);
}

std::string OdbcBackend::InDialect(const std::string& sql) const {
  return sqlite_target_ ? TranslateToSqlite(sql) : sql;
}

OdbcHandle OdbcBackend::NewStatement() {
  OdbcHandle stmt(SQL_HANDLE_STMT, &dbc_);
  stmt.Check(SQLSetStmtAttr(stmt.get(), SQL_ATTR_QUERY_TIMEOUT,
                            reinterpret_cast<SQLPOINTER>(SQLULEN{kCommandTimeoutSeconds}), 0),
             source_);
  return stmt;
}

Recordset OdbcBackend::Run(OdbcHandle& stmt, const std::string& sql, bool want_rows,
                           std::optional<ComError>* said) {
  RejectNul(source_, sql);
  const std::string context = " in: " + sql;
  ++round_trips_;
  const auto heard = [&](SQLRETURN rc) {
    if (said != nullptr && !*said && rc == SQL_SUCCESS_WITH_INFO && !stmt.State().empty()) {
      *said = stmt.Error(source_);
    }
    stmt.Check(rc, source_, context);
  };
  heard(SQLExecDirect(stmt.get(), Text(sql), SQL_NTS));
  std::optional<Recordset> result;
  for (;;) {
    SQLSMALLINT columns = 0;
    stmt.Check(SQLNumResultCols(stmt.get(), &columns), source_, context);
    if (columns > 0 && want_rows && !result) result = ReadRows(stmt, columns, source_, context);
    const SQLRETURN rc = SQLMoreResults(stmt.get());
    if (rc == SQL_NO_DATA) break;
    heard(rc);
  }
  return result ? std::move(*result) : Recordset({}, {});
}

Recordset OdbcBackend::Query(const std::string& sql) {
  return OnConnection([&] {
    OdbcHandle stmt = NewStatement();
    return Run(stmt, InDialect(sql), true);
  });
}

void OdbcBackend::Execute(const std::string& sql) {
  OnConnection([&] {
    OdbcHandle stmt = NewStatement();
    Run(stmt, InDialect(sql), false);
  });
}

void OdbcBackend::ExecuteArray(const std::string& sql,
                               const std::vector<std::vector<Value>>& rows) {
  if (rows.empty()) return;
  OnConnection([&] {
    const std::string text = InDialect(sql);
    OdbcHandle stmt = NewStatement();
    OdbcParameters params(rows, sqlite_target_);
    params.Bind(stmt, source_);
    // A driver that runs the array as a batch answers "success with info"
    // and clears what it said at the next call: a failing row's message is
    // read right after the execution.
    std::optional<ComError> said;
    Run(stmt, text, false, &said);
    params.CheckRows(stmt, source_, " in: " + text, said);
  });
}

Recordset OdbcBackend::CallProcedure(const std::string& name,
                                     const std::vector<ProcedureParam>& params) {
  return OnConnection([&] { return Call(name, params); });
}

Recordset OdbcBackend::Call(const std::string& name, const std::vector<ProcedureParam>& params) {
  OdbcHandle stmt = NewStatement();
  if (sqlite_target_) {
    const PtrQuery query = PtrProcedureQuery(source_, name, params);
    OdbcParameters inputs({query.inputs}, true);
    inputs.Bind(stmt, source_);
    return Run(stmt, query.sql, true);
  }
  // The ODBC call escape: "{? = call name(?, ?)}" when the first parameter
  // receives the return value.
  std::string call = "{";
  std::size_t markers = params.size();
  for (std::size_t i = 0; i < params.size(); ++i) {
    if (params[i].direction != kDirReturnValue) continue;
    if (i != 0) {
      RaiseDatabaseError(source_, "The return value of " + name + " must be its first parameter");
    }
    call += "? = ";
    --markers;
  }
  call += "call " + name + "(";
  for (std::size_t i = 0; i < markers; ++i) call += i == 0 ? "?" : ", ?";
  call += ")}";
  OdbcParameters bound(params);
  bound.Bind(stmt, source_);
  return Run(stmt, call, true);
}

void OdbcBackend::SetAutocommit(bool on) {
  ++round_trips_;
  dbc_.Check(SQLSetConnectAttr(dbc_.get(), SQL_ATTR_AUTOCOMMIT,
                               reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(
                                   on ? SQL_AUTOCOMMIT_ON : SQL_AUTOCOMMIT_OFF)),
                               SQL_IS_UINTEGER),
             source_);
}

void OdbcBackend::EndTransaction(SQLSMALLINT completion) {
  in_transaction_ = false;
  in_batch_ = false;
  savepoints_ = 0;
  ++round_trips_;
  const SQLRETURN rc = SQLEndTran(SQL_HANDLE_DBC, dbc_.get(), completion);
  if (!SQL_SUCCEEDED(rc)) {
    // What a failed commit leaves is undone, so that the next transaction
    // starts clean; the commit's own error is the one reported.
    const ComError failure = dbc_.Error(source_);
    if (completion == SQL_COMMIT) SQLEndTran(SQL_HANDLE_DBC, dbc_.get(), SQL_ROLLBACK);
    SQLSetConnectAttr(dbc_.get(), SQL_ATTR_AUTOCOMMIT,
                      reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(SQL_AUTOCOMMIT_ON)),
                      SQL_IS_UINTEGER);
    throw failure;
  }
  SetAutocommit(true);
}

void OdbcBackend::Savepoint(const char* tsql, std::initializer_list<const char*> sqlite) {
  if (!sqlite_target_) {
    OdbcHandle stmt = NewStatement();
    Run(stmt, tsql, false);
    return;
  }
  for (const char* sql : sqlite) {
    OdbcHandle stmt = NewStatement();
    Run(stmt, sql, false);
  }
}

void OdbcBackend::BeginTransaction() {
  OnConnection([&] { Begin(); });
}

void OdbcBackend::Begin() {
  if (in_batch_) {
    Savepoint(kSaveTransaction, {"SAVEPOINT tipolaria_save"});
    ++savepoints_;
    return;
  }
  if (in_transaction_) RaiseDatabaseError(source_, "A transaction is already active");
  SetAutocommit(false);
  in_transaction_ = true;
}

void OdbcBackend::CommitTransaction() {
  if (in_batch_ && savepoints_ > 0) {
    // SQL Server keeps a savepoint until the transaction ends; SQLite
    // releases it into the transaction.
    --savepoints_;
    if (sqlite_target_) Savepoint("", {"RELEASE tipolaria_save"});
    return;
  }
  if (!in_transaction_) RaiseDatabaseError(source_, "There is no transaction to commit");
  EndTransaction(SQL_COMMIT);
}

void OdbcBackend::RollbackTransaction() {
  if (in_batch_ && savepoints_ > 0) {
    --savepoints_;
    // SQLite's ROLLBACK TO keeps the savepoint open; RELEASE then ends it
    // without undoing the batch.
    Savepoint(kRollbackToSave, {"ROLLBACK TO tipolaria_save", "RELEASE tipolaria_save"});
    return;
  }
  if (!in_transaction_) RaiseDatabaseError(source_, "There is no transaction to roll back");
  EndTransaction(SQL_ROLLBACK);
}

void OdbcBackend::BeginBatch() {
  if (in_batch_) return;
  if (in_transaction_) RaiseDatabaseError(source_, "A transaction is already active");
  OnConnection([&] { SetAutocommit(false); });
  in_transaction_ = true;
  in_batch_ = true;
  savepoints_ = 0;
}

void OdbcBackend::EndBatch() {
  if (!in_batch_) return;
  // Everything that stands is committed, also after an error: a batch keeps
  // what statements committing one by one would have kept.
  EndTransaction(SQL_COMMIT);
}

// One lock per database, as IMP is one table per database. Its owner is the
// session, not a transaction: the page saves commit while it is held.
bool OdbcBackend::AcquirePrintLock(std::chrono::milliseconds wait) {
  return OnConnection([&] { return TakePrintLock(wait); });
}

bool OdbcBackend::TakePrintLock(std::chrono::milliseconds wait) {
  if (sqlite_target_) {
    if (!lock_file_) {
      RaiseDatabaseError(source_, "The SQLite driver names no database file to lock");
    }
    // As the embedded backend does: another program's write lock is waited
    // for within the same bound, instead of for as long as the driver lets a
    // statement wait.
    const auto deadline = std::chrono::steady_clock::now() + wait;
    if (!lock_file_->LockWithin(wait)) return false;
    if (SqliteWriteLockFree(sqlite_file_, deadline)) return true;
    lock_file_->Unlock();
    return false;
  }
  OdbcHandle stmt = NewStatement();
  Recordset rs = Run(stmt, AppLockRequest(wait), true);
  const Value& result = rs.Field(std::size_t{0});
  const std::int64_t r = result.kind() == Value::Kind::kInteger ? result.AsInteger() : -999;
  // 0 and 1: granted (at once, after waiting); -1: still taken at the time-out.
  if (r >= 0) return true;
  if (r == -1) return false;
  RaiseDatabaseError(source_, "sp_getapplock refused the print lock (" + std::to_string(r) + ")");
}

void OdbcBackend::ReleasePrintLock() {
  if (sqlite_target_) {
    if (lock_file_) lock_file_->Unlock();
    return;
  }
  // A session the server lost holds no lock.
  if (broken_) return;
  OnConnection([&] {
    OdbcHandle stmt = NewStatement();
    Run(stmt, AppLockRelease(), false);
  });
}

}  // namespace tipolaria
