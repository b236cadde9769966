#include "loaders/fields/LoaderSupport.hpp"

namespace tipolaria::detail {
namespace {

constexpr long kErrObjectNotSet = 91;

}  // namespace

CDataBase& RequireDatabase(CDataBase* db) {
  if (db == nullptr) {
    throw ComError(kErrObjectNotSet, kRuntimeSource,
                   "Object variable or With block variable not set");
  }
  return *db;
}

}  // namespace tipolaria::detail
