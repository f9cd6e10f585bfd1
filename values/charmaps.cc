// Builds the code page 1252 tables at compile time from their defining orders.
#include "values/charmaps.h"

namespace tqvCharmaps {
namespace {

using Table = std::array<uint8_t, 256>;

constexpr Table identity() {
  Table t{};
  for (int i = 0; i < 256; ++i) t[i] = static_cast<uint8_t>(i);
  return t;
}

// Small letters that have no capital partner in the upper-case direction.
constexpr bool keepsCase(int small) {
  return small == 0xF7 || small == 0xF0 || small == 0xFE;
}

constexpr Table makeUpper() {
  Table t = identity();
  for (int c = 'a'; c <= 'z'; ++c) t[c] = static_cast<uint8_t>(c - 32);
  t[0x9A] = 0x8A;  // š Š
  t[0x9C] = 0x8C;  // œ Œ
  t[0xFF] = 0x9F;  // ÿ Ÿ
  for (int c = 0xE0; c <= 0xFE; ++c) {
    if (!keepsCase(c)) t[c] = static_cast<uint8_t>(c - 0x20);
  }
  return t;
}

// Capitals that have no small partner in the lower-case direction: × Ð Þ ß.
constexpr bool keepsCaseLower(int capital) {
  return capital == 0xD7 || capital == 0xD0 || capital == 0xDE || capital == 0xDF;
}

constexpr Table makeLower() {
  Table t = identity();
  for (int c = 'A'; c <= 'Z'; ++c) t[c] = static_cast<uint8_t>(c + 32);
  t[0x8A] = 0x9A;
  t[0x8C] = 0x9C;
  t[0x9F] = 0xFF;
  for (int c = 0xC0; c <= 0xDE; ++c) {
    if (!keepsCaseLower(c)) t[c] = static_cast<uint8_t>(c + 0x20);
  }
  return t;
}

constexpr void fill(Table& t, int from, int to, int value) {
  for (int c = from; c <= to; ++c) t[c] = static_cast<uint8_t>(value);
}

constexpr Table makePlain() {
  Table t{};
  fill(t, 0x00, 0xFF, ' ');
  for (int c = 0x20; c <= 0x7E; ++c) t[c] = static_cast<uint8_t>(c);
  // Accented capitals and their small forms (0x20 above) lose the accent.
  fill(t, 0xC0, 0xC6, 'A');
  fill(t, 0xE0, 0xE6, 'a');
  t[0xC7] = 'C';
  t[0xE7] = 'c';
  fill(t, 0xC8, 0xCB, 'E');
  fill(t, 0xE8, 0xEB, 'e');
  fill(t, 0xCC, 0xCF, 'I');
  fill(t, 0xEC, 0xEF, 'i');
  t[0xD1] = 'N';
  t[0xF1] = 'n';
  fill(t, 0xD2, 0xD6, 'O');
  fill(t, 0xF2, 0xF6, 'o');
  t[0xD8] = 'O';
  t[0xF8] = 'o';
  fill(t, 0xD9, 0xDC, 'U');
  fill(t, 0xF9, 0xFC, 'u');
  t[0xDD] = 'Y';
  t[0xFD] = 'y';
  t[0xFF] = 'y';
  t[0xD0] = 'D';
  t[0xDF] = 'B';
  t[0xD7] = 'X';
  t[0xF7] = '/';
  t[0x8A] = 'S';
  t[0x9A] = 's';
  t[0x8C] = 'O';
  t[0x9C] = 'o';
  t[0x9F] = 'Y';
  t[0x82] = t[0x91] = t[0x92] = t[0xB4] = '\'';
  t[0x93] = t[0x94] = '"';
  t[0x96] = t[0x97] = '-';
  t[0xA6] = '|';
  t[0xB2] = '2';
  t[0xB3] = '3';
  t[0xB9] = '1';
  return t;
}

// The letters in dictionary order, each capital before its small letter and the accented
// forms after the plain one. A zero marks the one unused weight, between y and ÿ.
constexpr uint8_t kLetterOrder[] = {
    'A',  'a',  0xC0, 0xE0, 0xC1, 0xE1, 0xC2, 0xE2, 0xC3, 0xE3, 0xC4, 0xE4, 0xC5, 0xE5, 0xC6,
    0xE6, 'B',  'b',  'C',  'c',  0xC7, 0xE7, 'D',  'd',  'E',  'e',  0xC8, 0xE8, 0xC9, 0xE9,
    0xCA, 0xEA, 0xCB, 0xEB, 'F',  'f',  'G',  'g',  'H',  'h',  'I',  'i',  0xCC, 0xEC, 0xCD,
    0xED, 0xCE, 0xEE, 0xCF, 0xEF, 'J',  'j',  'K',  'k',  'L',  'l',  'M',  'm',  'N',  'n',
    0xD1, 0xF1, 'O',  'o',  0xD2, 0xF2, 0xD3, 0xF3, 0xD4, 0xF4, 0xD5, 0xF5, 0xD6, 0xF6, 0xD8,
    0xF8, 0x8C, 0x9C, 'P',  'p',  'Q',  'q',  'R',  'r',  'S',  's',  0x8A, 0x9A, 0xDF, 'T',
    't',  'U',  'u',  0xD9, 0xF9, 0xDA, 0xFA, 0xDB, 0xFB, 0xDC, 0xFC, 'V',  'v',  'W',  'w',
    'X',  'x',  'Y',  'y',  0x00, 0xFF, 0xDD, 0xFD, 'Z',  'z',
};

constexpr Table makeWeight() {
  Table t{};
  fill(t, 0x00, 0xFF, 255);
  for (int d = 0; d <= 9; ++d) t['0' + d] = static_cast<uint8_t>(d);
  int w = 10;
  for (uint8_t c : kLetterOrder) {
    if (c != 0) t[c] = static_cast<uint8_t>(w);
    ++w;
  }
  t[0x10] = kMaxWeight;
  t[0x00] = kEndWeight;
  return t;
}

static_assert(makeWeight()['z'] == 124, "letter weights end at 124");
static_assert(makeWeight()[0xFF] == 120, "the gap at 119 falls between y and ÿ");

}  // namespace

constinit const Table upper = makeUpper();
constinit const Table lower = makeLower();
constinit const Table plain = makePlain();
constinit const Table weight = makeWeight();

}  // namespace tqvCharmaps
