// The value handle: a type code and a 32-bit immediate or a shared heap object.
#pragma once

#include <string_view>
#include <utility>

#include "values/object.h"
#include "values/types.h"

class tqvHandle {
 public:
  // The nil value.
  constexpr tqvHandle() noexcept = default;

  // An immediate value from its type code and payload word.
  struct Immediate {
    TQVINT type;
    TQVINT word;
  };
  constexpr explicit tqvHandle(Immediate value) noexcept : type_(value.type), word_(value.word) {}

  tqvHandle(const tqvHandle& other) noexcept
      : type_(other.type_), word_(other.word_), obj_(other.obj_) {
    retain();
  }
  tqvHandle(tqvHandle&& other) noexcept : type_(other.type_), word_(other.word_), obj_(other.obj_) {
    other.type_ = TQV_NIL_TYPE;
    other.word_ = 0;
    other.obj_ = nullptr;
  }
  // Takes a reference on the new value before releasing the old one, so assigning a
  // value to itself, or a part of the old value to its owner, is safe.
  tqvHandle& operator=(const tqvHandle& other) noexcept {
    tqvHandle keep(other);
    swap(keep);
    return *this;
  }
  tqvHandle& operator=(tqvHandle&& other) noexcept {
    tqvHandle keep(std::move(other));
    swap(keep);
    return *this;
  }
  ~tqvHandle() { release(); }

  void swap(tqvHandle& other) noexcept {
    std::swap(type_, other.type_);
    std::swap(word_, other.word_);
    std::swap(obj_, other.obj_);
  }

  static tqvHandle fromInt(TQVINT value) noexcept { return immediate(TQV_INT_TYPE, value); }
  static tqvHandle fromBoolean(bool value) noexcept {
    return immediate(TQV_BOOLEAN_TYPE, value ? 1 : 0);
  }
  static tqvHandle fromFloat(TQVFLOAT value) noexcept;
  static tqvHandle fromUnique(TQVINT serial) noexcept { return immediate(TQV_UNIQUE_TYPE, serial); }
  // Wraps a newly made heap object (count 0) as a handle of `type`, taking its first
  // reference. A null object (refused memory) gives a handle with a null object.
  static tqvHandle wrap(tqvObject* object, TQVINT type) noexcept;

  TQVINT type() const noexcept { return type_; }
  bool isHeap() const noexcept { return type_ >= TQV_CLASS_TYPE; }
  bool isNil() const noexcept { return type_ == TQV_NIL_TYPE; }
  bool is(TQVINT type) const noexcept { return type_ == type; }

  // The 32-bit payload word of an immediate (int, boolean, unique; float bits).
  TQVINT word() const noexcept { return word_; }
  TQVINT intValue() const noexcept { return word_; }
  TQVFLOAT floatValue() const noexcept;

  // The heap object of the handle; callers check the type first.
  tqvObject* object() const noexcept { return isHeap() ? obj_ : nullptr; }
  template <class T>
  T* as() const noexcept {
    return static_cast<T*>(object());
  }

  // Direct element access: the slot itself of a general list (index below the count) or
  // of a table's value array (index below the capacity). Reports and yields a shared nil
  // slot when the index or type is wrong.
  tqvHandle& operator[](TQVINT index) const;

 private:
  static tqvHandle immediate(TQVINT type, TQVINT word) noexcept {
    return tqvHandle(Immediate{type, word});
  }
  void retain() const noexcept {
    if (type_ >= TQV_CLASS_TYPE && obj_ != nullptr) ++obj_->refs_;
  }
  void release() noexcept {
    if (type_ >= TQV_CLASS_TYPE && obj_ != nullptr && --obj_->refs_ == 0) delete obj_;
  }

  // A heap handle keeps its object pointer beside the 32-bit word that immediates use,
  // so both kinds copy without reinterpreting memory.
  TQVINT type_ = TQV_NIL_TYPE;
  TQVINT word_ = 0;
  tqvObject* obj_ = nullptr;
};

// The shared constants.
extern const tqvHandle TQV_NIL;
extern const tqvHandle TQV_TRUE;
extern const tqvHandle TQV_FALSE;

// A fresh unique value: the first one made holds 1.
tqvHandle tqvNewUnique();

inline tqvHandle tqvMakeInt(TQVINT value) {
  return tqvHandle::fromInt(value);
}
inline tqvHandle tqvMakeBoolean(bool value) {
  return value ? TQV_TRUE : TQV_FALSE;
}
inline tqvHandle tqvMakeFloat(TQVFLOAT value) {
  return tqvHandle::fromFloat(value);
}
