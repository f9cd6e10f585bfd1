// Date values (two packed words) and the current local time as a table.
#pragma once

#include "values/handle.h"

// Word 1: month bits 0-3, day bits 4-8, hour bits 9-13, year from bit 14.
// Word 2: minute from bit 0, second from bit 6, millisecond from bit 12 (each masked to
// 10 bits), microsecond from bit 22.
class tqvDateObject : public tqvObject {
 public:
  tqvDateObject(TQVINT word1, TQVINT word2) : word1_(word1), word2_(word2) {}
  TQVINT word1() const { return word1_; }
  TQVINT word2() const { return word2_; }

  TQVINT year() const;
  TQVINT month() const { return word1_ & 0xF; }
  TQVINT day() const { return (word1_ >> 4) & 0x1F; }
  TQVINT hour() const { return (word1_ >> 9) & 0x1F; }

 private:
  TQVINT word1_;
  TQVINT word2_;
};

// Packs the fields; a missing field is -1. Month and day missing store 0; hour missing
// stores 31; minute, second and millisecond missing fill their 10 bits.
tqvHandle tqvMakeDate(TQVINT year, TQVINT month = -1, TQVINT day = -1, TQVINT hour = -1,
                      TQVINT minute = -1, TQVINT second = -1, TQVINT millisecond = -1,
                      TQVINT microsecond = -1);
// From a table of "Year", "Month", ... "Microsecond"; each field is read only when every
// earlier one is present. The caller checks that "Year" is there.
tqvHandle tqvMakeDateFromTable(const tqvHandle& table);
tqvHandle tqvDateFromWords(TQVINT word1, TQVINT word2);
tqvDateObject* tqvAsDate(const tqvHandle& h);

// A table of capacity 9: "Seconds", "Minutes", "Hours", "Day", "Month" (0 = January),
// "Year", "Day of Week" (0 = Sunday), "Day of Year" (0-based), "Daylight Savings Time".
tqvHandle tqvNow();
