// The base of every heap value: reference count, hash, print and the hooks through which
// each value type answers the generic operations.
#pragma once

#include <cstddef>
#include <string>

#include "values/types.h"

class tqvHandle;

// Which of the geometry queries a hook is asked for.
enum class tqvGeometry { Left, Top, Width, Height };

// Which media forwarder a hook is asked for; the arguments travel in tqvMediaArgs.
enum class tqvMediaOp { Play, Stop, IsPlaying, Show, Hide, Move, SetSize };

struct tqvMediaArgs {
  TQVINT a = -1;  // Play: from; Move: x; SetSize: width
  TQVINT b = -1;  // Play: to; Move: y; SetSize: height
  TQVINT c = 0;   // Play: wait
};

class tqvObject {
 public:
  tqvObject() = default;
  tqvObject(const tqvObject&) = delete;
  tqvObject& operator=(const tqvObject&) = delete;
  virtual ~tqvObject() = default;

  // Every heap value lives in the value pool. A refused allocation yields a null object,
  // which handles carry and release safely.
  static void* operator new(size_t size) noexcept;
  static void operator delete(void* block, size_t size) noexcept;

  // Identity hash unless a type hashes by content (strings do).
  virtual TQVINT hash() const;

  // Appends the value's text. The default names the type: "<buffer>" in the notation
  // form and "<buffer object>" in the plain form.
  virtual void print(std::string& out, TQVINT type, bool notation) const;
  static void printTypeName(std::string& out, TQVINT type, bool notation);

  // Generic-operation hooks. Each returns false when the type does not take part in that
  // operation, and the generic operation then reports its bad-argument error. Types of
  // later libraries override the ones they answer.
  virtual bool opCount(TQVINT& result);
  virtual bool opGetAt(TQVINT index, tqvHandle& result);
  virtual bool opGetKey(const tqvHandle& key, tqvHandle& result);
  virtual bool opPutAt(TQVINT index, const tqvHandle& value);
  virtual bool opPutKey(const tqvHandle& key, const tqvHandle& value);
  virtual bool opRemoveKey(const tqvHandle& key);
  virtual bool opContainsKey(const tqvHandle& key, bool& result);
  virtual bool opAddItem(const tqvHandle& value, TQVINT times);
  virtual bool opGeometry(tqvGeometry which, TQVINT& result);
  virtual bool opMedia(tqvMediaOp op, const tqvMediaArgs& args, TQVINT& result);

  // For resource references: the value referred to (loaded on demand). Others: nil.
  virtual tqvHandle referenceTarget();

  TQVINT refCount() const { return refs_; }

 private:
  friend class tqvHandle;
  TQVINT refs_ = 0;
};
