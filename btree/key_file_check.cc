// The consistency check: walks every tree level by level and the free list.
#include <string>
#include <unordered_map>
#include <vector>

#include "btree/node_cache.h"
#include "btree/tree_walk.h"

using namespace kfformat;
using namespace kfdetail;

namespace {

// The separators around a child: entries (as bytes, branch form) or empty for no bound.
struct Bounds {
  std::string low;
  std::string high;
};

class TreeChecker {
 public:
  TreeChecker(FileState& fs, KfProgress progress, void* context)
      : fs_(fs),
        progress_(progress),
        context_(context),
        visited_(static_cast<size_t>(walkBound(fs)), 0) {}

  int checkHeader();
  int checkTree(int tree);
  int checkFreeList();
  int32_t faultNode() const { return fault_; }

 private:
  int fail(int code, int32_t node) {
    fault_ = node;
    return code;
  }
  // Whether the file holds the node (a node number already checked against the slots).
  bool held(int32_t node) const { return node >= 0 && static_cast<size_t>(node) < visited_.size(); }
  // Orders an entry against a branch-form entry kept in `bound`: signs of (entry - bound).
  int compareWith(const uint8_t* entry, bool leaf, const std::string& bound, Verdict* v);
  int checkNode(const NodeImage& n, int32_t node, int level, std::string* lastOfLevel,
                const Bounds* bounds);

  FileState& fs_;
  KfProgress progress_;
  void* context_;
  std::vector<uint8_t> visited_;
  int32_t visitedCount_ = 0;
  int32_t fault_ = -1;
};

int TreeChecker::checkHeader() {
  const Header& h = fs_.header;
  if (h.slots < 1 || h.nextFresh < 1 || h.nextFresh > h.slots || h.slots > fs_.nodesOnDisk) {
    return fail(kKfCheckHeader, -1);
  }
  if (h.freeHead != -1 && (h.freeHead < 0 || h.freeHead >= h.nextFresh)) {
    return fail(kKfCheckHeader, -1);
  }
  return 0;
}

int TreeChecker::compareWith(const uint8_t* entry, bool leaf, const std::string& bound,
                             Verdict* v) {
  uint8_t key[256];
  SearchTuple t;
  int rc = tupleOfEntry(fs_, reinterpret_cast<const uint8_t*>(bound.data()), false, key, &t);
  if (rc == 0) rc = compareEntry(fs_, entry, leaf, t, v);
  return rc;
}

// Whether a leaf entry's piece byte follows the one before it on the level (-1 for none):
// a record's pieces are numbered 0, 1, ... and only the last has the last-piece bit.
static bool pieceFollows(int previous, bool sameRecord, uint8_t piece) {
  if (sameRecord) {
    return !(previous & kLastPieceBit) && (piece & 0x7F) == (previous & 0x7F) + 1;
  }
  return (previous < 0 || (previous & kLastPieceBit)) && (piece & 0x7F) == 0;
}

// Branch form of an entry (for bounds and chain order): its tuple with a zero child.
static std::string asBranchEntry(const uint8_t* e, int keySize) {
  std::string s(static_cast<size_t>(keySize + kBranchExtra + 1), '\0');
  s[0] = static_cast<char>(keySize + kBranchExtra);
  std::memcpy(s.data() + 1, e + 1, static_cast<size_t>(kEntFixed + keySize));
  return s;
}

int TreeChecker::checkNode(const NodeImage& n, int32_t node, int level, std::string* lastOfLevel,
                           const Bounds* bounds) {
  bool leaf = level == 0;
  if (leaf && n.firstChild != 0) return fail(kKfCheckChildLevel, node);
  if (!leaf && n.firstChild < 0) return fail(kKfCheckChildLevel, node);
  for (int i = 0; i < n.count; ++i) {
    const uint8_t* e = n.entry(i);
    int k = entryKeySize(fs_, e, leaf);
    if (k < 0) return fail(kKfCheckEntry, node);
    if (!leaf && branchChild(e, fs_.swap) < 0) return fail(kKfCheckChildLevel, node);
    Verdict v;  // against the entry before it, in the node or on the level
    int rc = 0;
    int previousPiece = -1;
    if (i > 0) {
      rc = compareWith(e, leaf,
                       asBranchEntry(n.entry(i - 1), entryKeySize(fs_, n.entry(i - 1), leaf)), &v);
      if (rc != 0) return fail(kKfCheckEntry, node);
      if (v.full <= 0) return fail(kKfCheckOrder, node);
      previousPiece = entryPiece(n.entry(i - 1));
    } else if (!lastOfLevel->empty()) {
      rc = compareWith(e, leaf, *lastOfLevel, &v);
      if (rc != 0) return fail(kKfCheckEntry, node);
      if (v.full <= 0) return fail(kKfCheckChainOrder, node);
      previousPiece = static_cast<uint8_t>((*lastOfLevel)[kEntPiece]);
    }
    if (leaf && !pieceFollows(previousPiece, previousPiece >= 0 && v.record == 0, entryPiece(e))) {
      return fail(kKfCheckEntry, node);
    }
    if (bounds != nullptr && (i == 0 || i == n.count - 1)) {
      Verdict b;
      if (!bounds->low.empty()) {
        rc = compareWith(e, leaf, bounds->low, &b);
        if (rc != 0 || b.full <= 0) return fail(kKfCheckChildRange, node);
      }
      if (!bounds->high.empty()) {
        rc = compareWith(e, leaf, bounds->high, &b);
        if (rc != 0 || b.full > 0) return fail(kKfCheckChildRange, node);
      }
    }
    if (i == n.count - 1) *lastOfLevel = asBranchEntry(e, k);
  }
  return 0;
}

int TreeChecker::checkTree(int tree) {
  int height = fs_.header.height(tree);
  int32_t root = fs_.header.root(tree);
  if (height < 1 || height > kMaxHeight) return fail(kKfCheckHeader, -1);
  std::unordered_map<int32_t, Bounds> expected;  // children named by the level above
  expected[root] = Bounds{};
  int32_t leftmost = root;
  for (int level = height - 1; level >= 0; --level) {
    std::unordered_map<int32_t, Bounds> children;
    std::string lastOfLevel;
    int32_t previous = -1;
    int32_t seen = 0;
    for (int32_t node = leftmost; node != -1;) {
      if (node < 0 || node >= fs_.header.nextFresh || node >= fs_.header.slots) {
        return fail(kKfCheckNodeRange, node);
      }
      if (!held(node)) return fail(kKfCheckRead, node);
      if (visited_[static_cast<size_t>(node)]) return fail(kKfCheckCycle, node);
      visited_[static_cast<size_t>(node)] = 1;
      const NodeImage* n;
      int rc = NodeCache::instance().fetch(fs_, node, &n);
      if (rc == kKfDamaged) return fail(kKfCheckLayout, node);
      if (rc != 0) return fail(kKfCheckRead, node);
      if (n->level != level) return fail(kKfCheckLevel, node);
      if (n->previous != previous) return fail(kKfCheckBackLink, node);
      auto it = expected.find(node);
      if (it == expected.end()) return fail(kKfCheckUnreached, node);
      Bounds bounds = it->second;
      NodeImage copy = *n;  // later cache calls may replace the buffer
      rc = checkNode(copy, node, level, &lastOfLevel, &bounds);
      if (rc != 0) return rc;
      if (level > 0) {
        // The child of entry i lies between entry i and entry i + 1 (or the node's bounds).
        for (int i = -1; i < copy.count; ++i) {
          int32_t child = i < 0 ? copy.firstChild : branchChild(copy.entry(i), fs_.swap);
          Bounds b;
          b.low =
              i < 0 ? bounds.low : asBranchEntry(copy.entry(i), copy.entry(i)[0] - kBranchExtra);
          b.high = i + 1 < copy.count
                       ? asBranchEntry(copy.entry(i + 1), copy.entry(i + 1)[0] - kBranchExtra)
                       : bounds.high;
          // The last entry kept by a split also names the right neighbour's first child;
          // the neighbour is walked later and its bounds, the ones that hold, replace these.
          children[child] = b;
        }
      }
      ++seen;
      ++visitedCount_;
      if (progress_ != nullptr) progress_(visitedCount_, context_);
      previous = node;
      node = copy.next;
    }
    if (seen != static_cast<int32_t>(expected.size())) {
      for (const auto& [node, b] : expected) {
        if (!held(node) || !visited_[static_cast<size_t>(node)]) {
          return fail(kKfCheckUnreached, node);
        }
      }
      return fail(kKfCheckUnreached, leftmost);
    }
    // The last record of the leaves ends with its last piece.
    if (level == 0 && !lastOfLevel.empty() &&
        !(static_cast<uint8_t>(lastOfLevel[kEntPiece]) & kLastPieceBit)) {
      return fail(kKfCheckEntry, previous);
    }
    if (level > 0) {
      const NodeImage* n;
      if (NodeCache::instance().fetch(fs_, leftmost, &n) != 0) return fail(kKfCheckRead, leftmost);
      leftmost = n->firstChild;
      expected = std::move(children);
    }
  }
  return 0;
}

int TreeChecker::checkFreeList() {
  int32_t node = fs_.header.freeHead;
  // Each node is visited once: a node seen before ends the walk as a fault.
  while (node != -1) {
    if (node < 0 || node >= fs_.header.nextFresh) return fail(kKfCheckFreeList, node);
    if (!held(node)) return fail(kKfCheckRead, node);
    if (visited_[static_cast<size_t>(node)]) return fail(kKfCheckFreeList, node);
    visited_[static_cast<size_t>(node)] = 1;
    uint8_t page[kPageSize];
    if (readPage(fs_, node, page) != 0) return fail(kKfCheckRead, node);
    if (load16(page + kNodeLevel, fs_.swap) != -1) return fail(kKfCheckFreeList, node);
    node = load32(page + kNodeNext, fs_.swap);
  }
  return 0;
}

}  // namespace

int kfCheck(KeyFile& file, KfProgress progress, void* context) {
  FileState* fs = file.state();
  if (fs == nullptr) return file.registers().lastStatus = kKfNotOpen;
  TreeChecker checker(*fs, progress, context);
  int rc = checker.checkHeader();
  for (int tree = 0; tree < kTrees && rc == 0; ++tree) {
    if (tree > 0 && fs->header.height(tree) == 0) continue;
    rc = checker.checkTree(tree);
  }
  if (rc == 0) rc = checker.checkFreeList();
  file.registers().faultNode = checker.faultNode();
  return file.registers().lastStatus = rc;
}
