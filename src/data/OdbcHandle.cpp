#include "data/OdbcHandle.hpp"

#include <sqlext.h>

#include <utility>
#include <vector>

#include "data/ConnectionString.hpp"
#include "data/DatabaseErrors.hpp"

namespace tipolaria {
namespace {

struct DiagRecord {
  std::string state;
  SQLINTEGER native = 0;
  std::string message;
};

std::vector<DiagRecord> Records(SQLSMALLINT type, SQLHANDLE handle) {
  std::vector<DiagRecord> records;
  for (SQLSMALLINT i = 1;; ++i) {
    SQLCHAR state[6] = {};
    SQLINTEGER native = 0;
    std::vector<SQLCHAR> message(1024);
    SQLSMALLINT length = 0;
    SQLRETURN rc = SQLGetDiagRec(type, handle, i, state, &native, message.data(),
                                 static_cast<SQLSMALLINT>(message.size()), &length);
    if (rc == SQL_SUCCESS_WITH_INFO && length >= static_cast<SQLSMALLINT>(message.size())) {
      message.resize(static_cast<std::size_t>(length) + 1);
      rc = SQLGetDiagRec(type, handle, i, state, &native, message.data(),
                         static_cast<SQLSMALLINT>(message.size()), &length);
    }
    if (!SQL_SUCCEEDED(rc)) break;
    records.push_back(
        {reinterpret_cast<const char*>(state), native,
         std::string(reinterpret_cast<const char*>(message.data()),
                     std::min<std::size_t>(static_cast<std::size_t>(length), message.size() - 1))});
  }
  return records;
}

}  // namespace

OdbcHandle::OdbcHandle(SQLSMALLINT type, const OdbcHandle* parent) : type_(type) {
  const SQLRETURN rc =
      SQLAllocHandle(type, parent == nullptr ? SQL_NULL_HANDLE : parent->get(), &handle_);
  if (!SQL_SUCCEEDED(rc)) {
    handle_ = SQL_NULL_HANDLE;
    if (parent == nullptr) RaiseDatabaseError("ODBC", "The ODBC driver manager cannot be used");
    parent->Raise("ODBC");
  }
}

OdbcHandle::~OdbcHandle() { Free(); }

OdbcHandle::OdbcHandle(OdbcHandle&& other) noexcept
    : type_(other.type_),
      handle_(std::exchange(other.handle_, nullptr)),
      connected_(std::exchange(other.connected_, false)) {}

OdbcHandle& OdbcHandle::operator=(OdbcHandle&& other) noexcept {
  if (this != &other) {
    Free();
    type_ = other.type_;
    handle_ = std::exchange(other.handle_, nullptr);
    connected_ = std::exchange(other.connected_, false);
  }
  return *this;
}

void OdbcHandle::Free() {
  if (handle_ == SQL_NULL_HANDLE) return;
  if (connected_) SQLDisconnect(handle_);
  SQLFreeHandle(type_, handle_);
  handle_ = SQL_NULL_HANDLE;
  connected_ = false;
}

void OdbcHandle::Check(SQLRETURN rc, const std::string& source, const std::string& context) const {
  if (!SQL_SUCCEEDED(rc) && rc != SQL_NO_DATA) Raise(source, context);
}

void OdbcHandle::Raise(const std::string& source, const std::string& context) const {
  throw Error(source, context);
}

std::string OdbcHandle::State() const {
  const std::vector<DiagRecord> records = Records(type_, handle_);
  return records.empty() ? "" : records.front().state;
}

ComError OdbcHandle::Error(const std::string& source, const std::string& context) const {
  std::vector<DiagRecord> records = Records(type_, handle_);
  // Warnings (class 01) only tell what came with an error, unless nothing
  // else was said.
  std::vector<DiagRecord> errors;
  for (const DiagRecord& r : records) {
    if (r.state.rfind("01", 0) != 0) errors.push_back(r);
  }
  if (!errors.empty()) records = std::move(errors);
  if (records.empty()) {
    return ComError(kErrProvider, source, "The ODBC call failed without a diagnostic" + context);
  }
  std::string description;
  for (const DiagRecord& r : records) {
    if (!description.empty()) description += "; ";
    description += r.message;
  }
  // Drivers may echo what they were given; a password never shows. The
  // context is the caller's, already masked.
  description = MaskPasswords(description) + " (SQLSTATE " + records.front().state +
                ", native error " + std::to_string(records.front().native) + ")" + context;
  // SQL Server's error 1088 also stands for a missing permission: a login
  // with read and write rights on IMP may not empty it with TRUNCATE TABLE.
  if (records.front().native == 1088) {
    description +=
        ". TRUNCATE TABLE needs the ALTER permission on the table: GRANT ALTER ON dbo.IMP TO "
        "the login";
  }
  // Class 22 is a data exception: a value the database cannot convert.
  const long number = records.front().state.rfind("22", 0) == 0 ? kErrConversion : kErrProvider;
  return ComError(number, source, description);
}

}  // namespace tipolaria
