// Parsing of node pages and the edits of the working copy.
#include "btree/node_page.h"

namespace kfdetail {

using namespace kfformat;

int parseLayout(const uint8_t* page, bool swap, int limit, int maxCount, uint16_t* off) {
  int count = load16(page + kNodeCount, swap);
  if (count < 0 || count > maxCount) return -1;
  int at = kNodeHeaderSize;
  for (int i = 0; i < count; ++i) {
    if (at >= limit) return -1;
    int length = page[at];
    if (length == 0 || at + 1 + length > limit) return -1;
    off[i] = static_cast<uint16_t>(at);
    at += length + 1;
  }
  if (load16(page + kNodeFree, swap) != kPageSize - at) return -1;
  return count;
}

int NodeImage::parse(bool swap) {
  const uint8_t* at = bytes();
  int n = parseLayout(at, swap, kPageSize, kMaxEntries, off);
  if (n < 0) return -1;
  count = n;
  level = load16(at + kNodeLevel, swap);
  firstChild = load32(at + kNodeFirstChild, swap);
  next = load32(at + kNodeNext, swap);
  previous = load32(at + kNodePrevious, swap);
  return 0;
}

void WorkPage::load(const NodeImage& image, bool fileSwap) {
  swap = fileSwap;
  std::memcpy(bytes, image.bytes(), kPageSize);
  std::memset(bytes + kPageSize, 0, kOverflowRoom);
  count = image.count;
  std::memcpy(off, image.off, sizeof(uint16_t) * static_cast<size_t>(count));
}

void WorkPage::init(int32_t firstChildNode, int32_t nextNode, int32_t previousNode, int level,
                    bool fileSwap) {
  swap = fileSwap;
  std::memset(bytes, 0, sizeof bytes);
  setFirstChild(firstChildNode);
  setNext(nextNode);
  setPrevious(previousNode);
  store16(bytes + kNodeLevel, static_cast<int16_t>(level), swap);
  count = 0;
  updateCounts();
}

void WorkPage::updateCounts() {
  store16(bytes + kNodeCount, static_cast<int16_t>(count), swap);
  store16(bytes + kNodeFree, static_cast<int16_t>(kPageSize - end()), swap);
}

void WorkPage::reindex() {
  int at = kNodeHeaderSize;
  for (int i = 0; i < count; ++i) {
    off[i] = static_cast<uint16_t>(at);
    at += bytes[at] + 1;
  }
}

void WorkPage::insert(int pos, const uint8_t* entry, int size) {
  int at = pos < count ? off[pos] : end();
  int tail = end() - at;
  std::memmove(bytes + at + size, bytes + at, static_cast<size_t>(tail));
  std::memcpy(bytes + at, entry, static_cast<size_t>(size));
  ++count;
  reindex();
  updateCounts();
}

void WorkPage::remove(int pos, int n) {
  int oldEnd = end();
  int from = off[pos];
  int to = pos + n < count ? off[pos + n] : oldEnd;
  std::memmove(bytes + from, bytes + to, static_cast<size_t>(oldEnd - to));
  std::memset(bytes + oldEnd - (to - from), 0, static_cast<size_t>(to - from));
  count -= n;
  reindex();
  updateCounts();
}

void WorkPage::moveTail(int keep, WorkPage* other) {
  int oldEnd = end();
  int from = keep < count ? off[keep] : oldEnd;
  int moved = oldEnd - from;
  int at = other->end();
  std::memcpy(other->bytes + at, bytes + from, static_cast<size_t>(moved));
  other->count += count - keep;
  other->reindex();
  other->updateCounts();
  std::memset(bytes + from, 0, static_cast<size_t>(moved));
  count = keep;
  updateCounts();
}

}  // namespace kfdetail
