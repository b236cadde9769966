// A batch of a CDataBase (Backend::BeginBatch) for the life of a scope: a
// generation's statements reach the disk together. End closes it and
// reports a failed commit; a scope left by an error closes it all the same,
// so that the statements that stood before the error are kept.
#ifndef TIPOLARIA_DATA_BATCHSCOPE_HPP_
#define TIPOLARIA_DATA_BATCHSCOPE_HPP_

#include "data/CDataBase.hpp"

namespace tipolaria {

class BatchScope {
 public:
  explicit BatchScope(CDataBase& db) : db_(db) { db_.BeginBatch(); }
  ~BatchScope() {
    if (open_) {
      try {
        End();
      } catch (...) {
        // The error that left the scope is the one reported.
      }
    }
  }
  BatchScope(const BatchScope&) = delete;
  BatchScope& operator=(const BatchScope&) = delete;

  void End() {
    open_ = false;
    db_.EndBatch();
  }

 private:
  CDataBase& db_;
  bool open_ = true;
};

}  // namespace tipolaria

#endif  // TIPOLARIA_DATA_BATCHSCOPE_HPP_
