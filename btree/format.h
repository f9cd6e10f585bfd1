// The on-disk format of a keyed file, described whole, and the constants that name its parts.
//
// A keyed file holds up to twenty indexes (key numbers 1 to 20) of variable-length entries in
// B+-trees of 1024-byte node pages. Record data lives in the leaf entries beside the key.
//
// FILE
//   A sequence of 1024-byte blocks. Block 0 is the header. Node n (n = 0, 1, ...) is the block
//   at offset 1024 * (n + 1). The file is 1024 * (S + 1) bytes long, S = "node slots present";
//   slots not yet handed out are zero-filled reserve. No other data, checksum or trailer.
//
// BYTE ORDER
//   Every multi-byte integer of the header, of node pages and of numeric key values is stored
//   in the file's order. The word at offset 8 holds the value 1 in that order: 01 00 00 00 for
//   little-endian, 00 00 00 01 for big-endian. A reader that sees 1 in its own order converts
//   nothing; otherwise it swaps every field marked "sw" below. The order word itself, string
//   keys, counted keys, the user data and the header byte arrays are never swapped. This
//   engine creates little-endian files by default and reads both orders.
//
// HEADER (block 0; the first 352 bytes are read and written as one unit; 32-bit words)
//   off size field                   at creation                           sw
//     0   4  update count            1; +1 at the start of every outermost  y
//                                    update (0 becomes 1)
//     4   4  signature 'V' 0x56      0x56                                  y
//     8   4  byte-order word         1 in file order                       n
//    12   4  main root (tree 0)      0                                     y
//    16   4  signature 'A' 0x41                                            y
//    20   4  signature 'L' 0x4C                                            y
//    24   4  signature 'I' 0x49                                            y
//    28   4  main height             1 (1 = the root is a leaf)            y
//    32   4  signature 'D' 0x44                                            y
//    36   4  next fresh node         1 (lowest node never handed out)      y
//    40   4  signature 'A' 0x41                                            y
//    44   4  next record number      1                                     y
//    48   4  signature 'T' 0x54                                            y
//    52   4  node slots present S    3                                     y
//    56   4  signature '1' 0x31                                            y
//    60   4  free-list head          -1 (none)                             y
//    64   4  reserved, kept as read  0                                     y
//    68   4  user value              0                                     y
//    72   4  user data length 0..100 0 (any other value reads as 0)        y
//    76  16  reserved, written zero                                        n
//    92 100  user data area          zero; bytes past the length are zero  n
//   192  22  key types: byte 192+k = type of key number k (k = 1..20)      n
//            creation: descriptor types, byte 212 (key number 20) = 2
//   214   6  reserved; the word at 216 is written as 0                     n
//   220  22  byte 219+k = tree holding key number k (0 = tree 0)           n
//   242  20  byte 241+t = height of tree t (t = 1..20)                     n
//   262   2  reserved zero                                                 n
//   264  80  word 264+4(t-1) = root node of tree t (t = 1..20)            y
//   344   4  reserved, kept as read  -1                                    n
//   348   4  reserved, kept as read  -1                                    n
//  1010   2  update-in-progress marker: 0x33BD while a write-mode-4 update  y (16-bit)
//            is open, else 0; written on its own
//  1020   4  creation wait marker 0x000033BD of shared opens; 0 otherwise  n
//   Everything else in block 0 is zero. The signatures (after conversion) must read
//   56 41 4C 49 44 41 54 31 at offsets 4 16 20 24 32 40 48 56, else the file is refused (-5).
//
// NODE PAGE (1024 bytes; the six header fields are swapped, the entries are not)
//    0  4  first child: branch = subtree of tuples <= the first entry's; 0 in a leaf; -1 free
//    4  4  next node on the same level, -1 if none (free node: next free node)
//    8  4  previous node on the same level, -1 if none
//   12  2  level, signed: 0 leaf, 1 above the leaves, ...; -1 free node
//   14  2  entry count, 0..143
//   16  2  free bytes = 1006 - bytes taken by the entries
//   18  .. entries packed in ascending order, then zero bytes to the end of the page
//   More than 143 entries, or entries running past the page, is damage (-30).
//
// ENTRY (occupies L + 1 bytes)
//    0  1  L, the number of bytes that follow (0 where an entry is expected ends the list)
//    1  1  key number 1..20
//    2  1  piece byte: bits 0-6 piece number 0..127, bit 7 set on the last piece
//    3  4  record number, signed, file order
//    7  K  key value (size by key type, below)
//   leaf:   then D = L - 6 - K data bytes (D may be 0)
//   branch: then a 4-byte child node, file order; L = K + 10. The child holds the tuples
//           greater than this entry's and not greater than the next entry's; a negative
//           child number means no child.
//   Order: (key number unsigned, key value by type, record number signed, piece number).
//
// KEY TYPES (low five bits of header byte 192 + k)
//    0  zero-terminated string, K = length + 1, unsigned bytes, prefix first
//    1  as 0 with A-Z folded to a-z
//    2  counted string: count n then n bytes, K = n + 1; bytes over the shorter count, then
//       the shorter first         16..20  as 2
//    3, 5  int32   4 int16   10 uint16   6 float   7 double   (numeric, file byte order)
//    8  composite: count n then n bytes of segments, compared segment by segment with the
//       segment list handed in at open (16-byte descriptors: byte 0 type, byte 9 nonzero =
//       descending, type 31 ends the list); when either key runs out of bytes they are equal
//    9  six raw bytes, unsigned
//   Any other type makes a comparison fail (-1).
//
// RECORDS
//   All leaf entries with one (key number, key, record number). Data is cut into pieces of at
//   most 244 - K bytes, numbered 0, 1, ...; the last has bit 7. No data = one entry 0x80.
//   At most 128 pieces; K at most 242.
//
// TREES AND FREE NODES
//   Tree 0: main root and height. Trees 1..20: roots at 264, heights at 242. Key number k
//   lives in tree byte[219 + k]. A root of a tree of height h has level h - 1.
//   A free node has level -1, first child -1, previous -1, next = the former list head.
//   New nodes come from the free-list head, else from "next fresh node" (then incremented).
//
// GROWTH
//   Pre-extension: before each split and at creation, while height + 1 > S - next fresh, a
//   zero page is written at node S and S grows by one.
//   Split: keep the leading entries that end within 503 bytes of the entry area (1006 when
//   the node has no right neighbour), move the rest to the new node, which follows the old
//   one in the level chain. The separator put into the parent (right after the entry whose
//   child is the old node) is the last kept entry's tuple with the new node as child; in a
//   branch split the new node's first child is the last kept entry's child. A split root
//   gets a new root above it (first child = old root).
//   Nodes are never merged or freed: a leaf emptied by deletions stays in its chain.
//
// CREATION IMAGE (4096 bytes): 1024 zero bytes; the header with S = 0; three zero pages;
//   the header with S = 3; node 0 as an empty leaf (0, -1, -1, level 0, count 0, free 1006).
//   Opening a file for writing runs as an update, so a created file's update count becomes
//   2 as soon as the open that ends the creation has run.
#pragma once

#include <cstdint>

namespace kfformat {

inline constexpr int kPageSize = 1024;
inline constexpr int kHeaderSize = 352;
inline constexpr int kNodeHeaderSize = 18;
inline constexpr int kEntryArea = kPageSize - kNodeHeaderSize;  // 1006
inline constexpr int kMaxEntries = 143;
inline constexpr int kHalfEntryArea = 503;
inline constexpr int kMaxKeySize = 242;
inline constexpr int kPieceLimit = 244;  // data per piece is at most kPieceLimit - K
inline constexpr int kMaxPieces = 128;
inline constexpr int kMaxEntryLength = 251;
inline constexpr int kKeyNumbers = 20;
inline constexpr int kTrees = 21;  // tree 0 plus trees 1..20
inline constexpr int kUserDataSize = 100;
inline constexpr int kLastPieceBit = 0x80;

// Header offsets.
inline constexpr int kHdrUpdateCount = 0;
inline constexpr int kHdrByteOrder = 8;
inline constexpr int kHdrMainRoot = 12;
inline constexpr int kHdrMainHeight = 28;
inline constexpr int kHdrNextFresh = 36;
inline constexpr int kHdrNextRecord = 44;
inline constexpr int kHdrSlots = 52;
inline constexpr int kHdrFreeHead = 60;
inline constexpr int kHdrReserved64 = 64;
inline constexpr int kHdrUserValue = 68;
inline constexpr int kHdrUserDataLength = 72;
inline constexpr int kHdrUserData = 92;
inline constexpr int kHdrKeyTypes = 192;     // byte 192 + k
inline constexpr int kHdrReserved214 = 214;  // bytes 214..219
inline constexpr int kHdrTreeOfKey = 219;    // byte 219 + k
inline constexpr int kHdrTreeHeights = 241;  // byte 241 + t
inline constexpr int kHdrTreeRoots = 264;    // word 264 + 4 (t - 1)
inline constexpr int kHdrReserved344 = 344;
inline constexpr int kHdrReserved348 = 348;
inline constexpr int kHdrUpdateMarker = 1010;
inline constexpr int kHdrCreationMarker = 1020;
inline constexpr int kUpdateMarkerValue = 0x33BD;

struct Signature {
  int offset;
  int32_t value;
};
inline constexpr Signature kSignatures[8] = {{4, 0x56},  {16, 0x41}, {20, 0x4C}, {24, 0x49},
                                             {32, 0x44}, {40, 0x41}, {48, 0x54}, {56, 0x31}};

// Node page offsets.
inline constexpr int kNodeFirstChild = 0;
inline constexpr int kNodeNext = 4;
inline constexpr int kNodePrevious = 8;
inline constexpr int kNodeLevel = 12;
inline constexpr int kNodeCount = 14;
inline constexpr int kNodeFree = 16;

// Entry offsets.
inline constexpr int kEntKeyNumber = 1;
inline constexpr int kEntPiece = 2;
inline constexpr int kEntRecord = 3;
inline constexpr int kEntKey = 7;
inline constexpr int kEntFixed = 6;      // bytes after the length byte before the key
inline constexpr int kBranchExtra = 10;  // L = K + 10 in a branch entry

// Deepest tree the engine follows; deeper headers are treated as damage.
inline constexpr int kMaxHeight = 32;

}  // namespace kfformat
