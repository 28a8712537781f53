// The multi-reader, exclusive-writer lock.
#pragma once

#include <windows.h>

// Many readers at once, or one writer. Not re-entrant: a thread that holds it in either mode
// must not begin again (nor upgrade a read to a write), or it waits for itself.
// A slim reader/writer lock: the toolchain's std::shared_mutex lets two writers in at once.
class TMultiReadExclusiveWriteSynchronizer {
 public:
  TMultiReadExclusiveWriteSynchronizer() = default;
  TMultiReadExclusiveWriteSynchronizer(const TMultiReadExclusiveWriteSynchronizer&) = delete;
  TMultiReadExclusiveWriteSynchronizer& operator=(const TMultiReadExclusiveWriteSynchronizer&) = delete;

  void BeginRead() { AcquireSRWLockShared(&lock_); }
  void EndRead() { ReleaseSRWLockShared(&lock_); }
  void BeginWrite() { AcquireSRWLockExclusive(&lock_); }
  void EndWrite() { ReleaseSRWLockExclusive(&lock_); }

 private:
  SRWLOCK lock_ = SRWLOCK_INIT;
};

// Holds the lock for a scope, also when an exception passes.
class TReadGuard {
 public:
  explicit TReadGuard(TMultiReadExclusiveWriteSynchronizer& Lock) : lock_(Lock) { lock_.BeginRead(); }
  ~TReadGuard() { lock_.EndRead(); }
  TReadGuard(const TReadGuard&) = delete;
  TReadGuard& operator=(const TReadGuard&) = delete;

 private:
  TMultiReadExclusiveWriteSynchronizer& lock_;
};

class TWriteGuard {
 public:
  explicit TWriteGuard(TMultiReadExclusiveWriteSynchronizer& Lock) : lock_(Lock) { lock_.BeginWrite(); }
  ~TWriteGuard() { lock_.EndWrite(); }
  TWriteGuard(const TWriteGuard&) = delete;
  TWriteGuard& operator=(const TWriteGuard&) = delete;

 private:
  TMultiReadExclusiveWriteSynchronizer& lock_;
};
