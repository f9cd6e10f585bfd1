// Runs a sequence of keyed-file operations decoded from bytes and checks every result
// against an ordered map. Shared by the operations fuzzer and the differential test.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <tuple>

#include "btree/key_file.h"

namespace kffuzz {

// Model key: (key number, integer key, text key, record number).
using ModelKey = std::tuple<int, int32_t, std::string, int32_t>;

class OperationRun {
 public:
  OperationRun(const uint8_t* bytes, size_t size) : in_(bytes), left_(size) {}

  // 0 when every result agreed with the model, -1 at the first disagreement.
  int run() {
    char dirName[] = "/tmp/kfops-XXXXXX";
    if (mkdtemp(dirName) == nullptr) return 0;
    path_ = std::string(dirName) + "/ops.idx";
    int status = kfCreate(kf_, path_.c_str(), kKfExclusive, kKfLittleEndian, kKeys) == 0 ? 0 : -1;
    if (status == 0) kfSetWriteMode(kf_, 0);
    while (status == 0 && left_ > 0) status = step();
    if (status == 0) status = fullScan();
    if (status == 0 && kfCheck(kf_) != 0) status = fail("check");
    kfClose(kf_);
    std::error_code ec;
    std::filesystem::remove_all(dirName, ec);
    return status;
  }

 private:
  static constexpr KfKeyDescriptor kKeys[] = {{2, 3, nullptr}, {}};

  uint8_t take() {
    if (left_ == 0) return 0;
    --left_;
    return *in_++;
  }
  int fail(const char* what) {
    std::fprintf(stderr, "keyed-file model mismatch after %d operations: %s\n", count_, what);
    return -1;
  }

  // Draws a key number and a key; key number 1 has text keys, 2 has 32-bit integers.
  ModelKey drawKey() {
    uint8_t a = take(), b = take();
    int32_t record = 1 + (b >> 6);
    if (a & 0x80) return {2, static_cast<int32_t>((a & 0x3F) * 1000003) - 20000000, "", record};
    std::string key = "k" + std::to_string(a & 0x3F);
    if (b & 0x20) key += std::string(20 + (b & 0x1F) * 6, 'x');  // long keys: fewer per page
    return {1, 0, key, record};
  }
  const void* keyBytes(const ModelKey& k) {
    if (std::get<0>(k) == 2) {
      intKey_ = std::get<1>(k);
      return &intKey_;
    }
    return std::get<2>(k).c_str();
  }
  std::string drawData() {
    uint8_t a = take();
    size_t length = a < 160 ? a % 40 : a < 240 ? 200 + (a % 80) * 3 : 2000 + (a % 16) * 1700;
    std::string d(length, '\0');
    for (size_t i = 0; i < length; ++i) d[i] = static_cast<char>('a' + (serial_ + i) % 26);
    ++serial_;
    return d;
  }

  // A record holds at most 128 pieces of 244 - K bytes.
  static bool tooLong(const ModelKey& k, const std::string& d) {
    size_t keySize = std::get<0>(k) == 2 ? 4 : std::get<2>(k).size() + 1;
    return d.size() > 128 * (244 - keySize);
  }

  // Checks the registers and buffer against the model entry.
  int expectCurrent(std::map<ModelKey, std::string>::iterator it, const char* what) {
    const ModelKey& k = it->first;
    if (kf_.keyNumber() != std::get<0>(k) || kf_.recordNumber() != std::get<3>(k))
      return fail(what);
    if (std::get<0>(k) == 2) {
      int32_t v;
      std::memcpy(&v, kf_.key(), 4);
      if (v != std::get<1>(k)) return fail(what);
    } else if (std::get<2>(k) != reinterpret_cast<const char*>(kf_.key())) {
      return fail(what);
    }
    if (kf_.recordLength() != static_cast<int32_t>(it->second.size()) ||
        std::memcmp(buffer_, it->second.data(), it->second.size()) != 0) {
      return fail(what);
    }
    cursor_[std::get<0>(k)] = {true, false, k};
    return 0;
  }

  int expectEnd(int rc, int keyNumber, const char* what) {
    if (rc != -1) return fail(what);
    cursor_[keyNumber].valid = false;
    return 0;
  }

  int step() {
    ++count_;
    uint8_t op = take() % 12;
    ModelKey k = drawKey();
    int kn = std::get<0>(k);
    const void* key = keyBytes(k);
    int32_t rec = std::get<3>(k);
    auto exact = model_.find(k);
    switch (op) {
      case 0:
      case 1: {  // add
        std::string d = drawData();
        auto lb = model_.lower_bound({kn, std::get<1>(k), std::get<2>(k), INT32_MIN});
        bool keyExists = lb != model_.end() && std::get<0>(lb->first) == kn &&
                         std::get<1>(lb->first) == std::get<1>(k) &&
                         std::get<2>(lb->first) == std::get<2>(k);
        int rc = kfAdd(kf_, kn, key, rec, d.data(), static_cast<int32_t>(d.size()));
        if (tooLong(k, d)) return rc == kKfBadArgument ? 0 : fail("add of a long record");
        if (rc != (keyExists ? -1 : 0)) return fail("add");
        if (rc == 0) model_[k] = d, cursor_[kn] = {true, false, k};
        return 0;
      }
      case 2: {  // add duplicate
        std::string d = drawData();
        int rc = kfAddDuplicate(kf_, kn, key, rec, d.data(), static_cast<int32_t>(d.size()));
        if (tooLong(k, d)) return rc == kKfBadArgument ? 0 : fail("add duplicate of a long record");
        if (rc != (exact != model_.end() ? -1 : 0)) return fail("add duplicate");
        if (rc == 0) model_[k] = d, cursor_[kn] = {true, false, k};
        return 0;
      }
      case 3:
      case 4: {  // replace or store
        std::string d = drawData();
        int rc = op == 3 ? kfReplace(kf_, kn, key, rec, d.data(), static_cast<int32_t>(d.size()))
                         : kfStore(kf_, kn, key, rec, d.data(), static_cast<int32_t>(d.size()));
        if (tooLong(k, d)) return rc == kKfBadArgument ? 0 : fail("store of a long record");
        if (rc != (op == 3 && exact == model_.end() ? -1 : 0)) return fail("replace/store");
        if (rc == 0) model_[k] = d, cursor_[kn] = {true, false, k};
        return 0;
      }
      case 5: {  // delete
        int rc = kfDelete(kf_, kn, key, rec);
        if (rc != (exact != model_.end() ? 0 : -1)) return fail("delete");
        if (rc == 0) model_.erase(exact), cursor_[kn] = {true, true, k};
        return 0;
      }
      case 6:
      case 7: {  // find
        int rc = kfFind(kf_, kn, key, rec, buffer_, sizeof buffer_);
        auto lb = model_.lower_bound(k);
        if (lb == model_.end() || std::get<0>(lb->first) != kn)
          return expectEnd(rc, kn, "find end");
        int expected =
            lb == exact ? 0
            : (std::get<1>(lb->first) == std::get<1>(k) && std::get<2>(lb->first) == std::get<2>(k))
                ? 1
                : 2;
        if (rc != expected) return fail("find result");
        return expectCurrent(lb, "find record");
      }
      case 8:
      case 9: {  // next
        int rc = kfNext(kf_, kn, buffer_, sizeof buffer_);
        Cursor& c = cursor_[kn];
        if (!c.valid) return rc == -1 ? 0 : fail("next without cursor");
        auto it = c.deleted ? model_.lower_bound(c.at) : model_.upper_bound(c.at);
        if (it == model_.end() || std::get<0>(it->first) != kn)
          return expectEnd(rc, kn, "next end");
        if (rc != 0) return fail("next result");
        return expectCurrent(it, "next record");
      }
      case 10: {  // previous
        int rc = kfPrevious(kf_, kn, buffer_, sizeof buffer_);
        Cursor& c = cursor_[kn];
        if (!c.valid) return rc == -1 ? 0 : fail("previous without cursor");
        auto it = model_.lower_bound(c.at);
        if (it == model_.begin() || std::get<0>(std::prev(it)->first) != kn) {
          return expectEnd(rc, kn, "previous end");
        }
        if (rc != 0) return fail("previous result");
        return expectCurrent(std::prev(it), "previous record");
      }
      default: {  // close and reopen, now and then checked
        if (kfClose(kf_) != 0) return fail("close");
        if (kfOpen(kf_, path_.c_str(), kKfExclusive, kKfAccessReadWrite, kKeys) != 0)
          return fail("open");
        kfSetWriteMode(kf_, take() % 5 == 0 ? 1 : 0);
        cursor_[1].valid = cursor_[2].valid = false;
        if ((count_ & 3) == 0 && kfCheck(kf_) != 0) return fail("check");
        return 0;
      }
    }
  }

  // Both key numbers scanned both ways must list the model.
  int fullScan() {
    for (int kn = 1; kn <= 2; ++kn) {
      auto it = model_.lower_bound({kn, INT32_MIN, "", INT32_MIN});
      int rc = kfFirst(kf_, kn, buffer_, sizeof buffer_);
      for (; it != model_.end() && std::get<0>(it->first) == kn; ++it) {
        if (rc != 0 || expectCurrent(it, "forward scan") != 0) return fail("forward scan");
        rc = kfNext(kf_, kn, buffer_, sizeof buffer_);
      }
      if (rc != -1) return fail("forward scan end");
      auto rit = model_.lower_bound({kn + 1, INT32_MIN, "", INT32_MIN});
      rc = kfLast(kf_, kn, buffer_, sizeof buffer_);
      while (rit != model_.begin() && std::get<0>(std::prev(rit)->first) == kn) {
        --rit;
        if (rc != 0 || expectCurrent(rit, "backward scan") != 0) return fail("backward scan");
        rc = kfPrevious(kf_, kn, buffer_, sizeof buffer_);
      }
      if (rc != -1) return fail("backward scan end");
    }
    return 0;
  }

  struct Cursor {
    bool valid = false;
    bool deleted = false;
    ModelKey at;
  };

  const uint8_t* in_;
  size_t left_;
  int count_ = 0;
  int serial_ = 0;
  int32_t intKey_ = 0;
  std::string path_;
  KeyFile kf_;
  std::map<ModelKey, std::string> model_;
  Cursor cursor_[3];
  char buffer_[32000];
};

inline int runOperations(const uint8_t* bytes, size_t size) {
  return OperationRun(bytes, size).run();
}

}  // namespace kffuzz
