// Formatted-text layout values (type 17): rich text already parsed, kept as its runs and
// fonts with the size it took when laid out. A text view shows one without parsing again;
// the binary encoding writes the width and height as TQVINTs, then the runs and the fonts.
#pragma once

#include "storage/codecs.h"
#include "values/object.h"

class tqvTextLayoutObject : public tqvObject, public tqvEncodable {
 public:
  tqvTextLayoutObject(TQVINT width, TQVINT height, const tqvHandle& runs, const tqvHandle& fonts)
      : width_(width), height_(height), runs_(runs), fonts_(fonts) {}

  TQVINT width() const { return width_; }
  TQVINT height() const { return height_; }
  const tqvHandle& runs() const { return runs_; }
  const tqvHandle& fonts() const { return fonts_; }

  void print(std::string& out, TQVINT type, bool notation) const override;
  bool opGeometry(tqvGeometry which, TQVINT& result) override;
  void encodePayload(const tqvHandle& stream) const override;

 private:
  TQVINT width_, height_;
  tqvHandle runs_, fonts_;
};

tqvHandle tqvMakeTextLayout(TQVINT width, TQVINT height, const tqvHandle& runs,
                            const tqvHandle& fonts);
tqvTextLayoutObject* tqvAsTextLayout(const tqvHandle& h);
// Registers the decoder of tag 17.
void tqvRegisterTextLayoutCodec();
