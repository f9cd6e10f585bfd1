// Keys and values for the keyed-file benchmark: catalogue-like names in code page 1252.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct CatalogueData {
  std::vector<std::string> keys;    // unique, in generation (random) order
  std::vector<std::string> values;  // 20 to 100 bytes each
};

// Makes `count` unique keys such as "Barravina do Sertão 48213" and values, from `seed`.
CatalogueData makeCatalogue(size_t count, uint32_t seed);
