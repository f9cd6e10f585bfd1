// Packing of date values and the local-time table.
#include "values/date.h"

#include <ctime>

#include "values/convert.h"
#include "values/string.h"
#include "values/table.h"

TQVINT tqvDateObject::year() const {
  return static_cast<TQVINT>(static_cast<uint32_t>(word1_) >> 14);
}

tqvHandle tqvMakeDate(TQVINT year, TQVINT month, TQVINT day, TQVINT hour, TQVINT minute,
                      TQVINT second, TQVINT millisecond, TQVINT microsecond) {
  uint32_t m = month < 0 ? 0 : static_cast<uint32_t>(month) & 0xF;
  uint32_t d = day < 0 ? 0 : static_cast<uint32_t>(day) & 0x1F;
  uint32_t h = static_cast<uint32_t>(hour) & 0x1F;
  uint32_t word1 = m | d << 4 | h << 9 | static_cast<uint32_t>(year) << 14;
  uint32_t word2 =
      (static_cast<uint32_t>(minute) & 0x3FF) | (static_cast<uint32_t>(second) & 0x3FF) << 6 |
      (static_cast<uint32_t>(millisecond) & 0x3FF) << 12 | static_cast<uint32_t>(microsecond) << 22;
  return tqvDateFromWords(static_cast<TQVINT>(word1), static_cast<TQVINT>(word2));
}

tqvHandle tqvMakeDateFromTable(const tqvHandle& table) {
  static const char* const kFields[] = {"Year",   "Month",  "Day",         "Hour",
                                        "Minute", "Second", "Millisecond", "Microsecond"};
  TQVINT values[8] = {-1, -1, -1, -1, -1, -1, -1, -1};
  tqvTableObject* t = tqvAsTable(table);
  for (int i = 0; t != nullptr && i < 8; ++i) {
    tqvHandle key = tqvMakeString(kFields[i]);
    if (!t->contains(key)) break;
    values[i] = tqvIntValue(t->valueOf(key));
  }
  return tqvMakeDate(values[0], values[1], values[2], values[3], values[4], values[5], values[6],
                     values[7]);
}

tqvHandle tqvDateFromWords(TQVINT word1, TQVINT word2) {
  return tqvHandle::wrap(new tqvDateObject(word1, word2), TQV_DATE_TYPE);
}

tqvDateObject* tqvAsDate(const tqvHandle& h) {
  return h.is(TQV_DATE_TYPE) ? h.as<tqvDateObject>() : nullptr;
}

tqvHandle tqvNow() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  tqvHandle table = tqvTable(9, 100, 75);
  tqvTableObject* t = tqvAsTable(table);
  auto put = [t](const char* key, tqvHandle value) { t->store(tqvMakeString(key), value); };
  put("Seconds", tqvMakeInt(local.tm_sec));
  put("Minutes", tqvMakeInt(local.tm_min));
  put("Hours", tqvMakeInt(local.tm_hour));
  put("Day", tqvMakeInt(local.tm_mday));
  put("Month", tqvMakeInt(local.tm_mon));
  put("Year", tqvMakeInt(local.tm_year + 1900));
  put("Day of Week", tqvMakeInt(local.tm_wday));
  put("Day of Year", tqvMakeInt(local.tm_yday));
  put("Daylight Savings Time", local.tm_isdst > 0    ? TQV_TRUE
                               : local.tm_isdst == 0 ? TQV_FALSE
                                                     : TQV_NIL);
  return table;
}
