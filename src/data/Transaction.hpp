// One transaction of a CDataBase around a body of statements, so that a page
// save either lands whole or leaves nothing behind.
#ifndef TIPOLARIA_DATA_TRANSACTION_HPP_
#define TIPOLARIA_DATA_TRANSACTION_HPP_

#include <utility>

#include "data/CDataBase.hpp"

namespace tipolaria {

// Begins a transaction, runs `body` and commits. When an error leaves the body
// (or the commit), the transaction is rolled back, so that none of its
// statements remain, and that error is raised again: it is the one the caller
// reports, whatever the rollback itself says.
template <typename Body>
void RunInTransaction(CDataBase& db, Body&& body) {
  db.BeginTrans();
  try {
    std::forward<Body>(body)();
    db.CommitTrans();
  } catch (...) {
    try {
      db.RollBackTrans();
    } catch (...) {
    }
    throw;
  }
}

}  // namespace tipolaria

#endif  // TIPOLARIA_DATA_TRANSACTION_HPP_
