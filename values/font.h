// Font values: a face name, a size and style bits (italic 1, bold 2, underline 4, double
// underline 8). A font without a name stands for the system's variable-pitch font.
#pragma once

#include <string>

#include "values/handle.h"

class tqvFontObject : public tqvObject {
 public:
  tqvFontObject(const tqvHandle& name, TQVINT size, TQVINT style)
      : name_(name), size_(size), style_(style) {}

  // The face name (a string), or nil for the stock variable-pitch font.
  const tqvHandle& name() const { return name_; }
  TQVINT size() const { return size_; }
  TQVINT style() const { return style_; }

  void print(std::string& out, TQVINT type, bool notation) const override;

 private:
  tqvHandle name_;
  TQVINT size_;
  TQVINT style_;
};

tqvHandle tqvMakeFont(const tqvHandle& name, TQVINT size, TQVINT style);
tqvFontObject* tqvAsFont(const tqvHandle& h);
