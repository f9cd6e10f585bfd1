// The RTF parser: control words, groups, hot spots, struck text and images, in one pass.
#include "controls/rtf_parser.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "framework/message_box.h"
#include "values/buffer.h"
#include "values/convert.h"
#include "values/error.h"
#include "values/font.h"
#include "values/generic.h"
#include "values/list.h"
#include "values/string.h"
#include "values/table.h"
#include "values/text.h"

namespace {

constexpr TQVINT kHotBit = 8;
constexpr TQVINT kDefaultSize = 12;

bool isLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDelimiter(char c) {
  return c == '\r' || c == '\t' || c == '\n' || c == '{' || c == '}' || c == '\\' || c == ' ';
}

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

struct Format {
  std::string fontName;
  TQVINT size = kDefaultSize;
  TQVINT style = 0;
  TQVINT fontIndex = -1;
  TQVINT textColour = 0;
  TQVINT backColour = 0xFFFFFF;
  TQVINT alignment = 0;
};

class Parser {
 public:
  Parser(std::string_view text, const Format& base, TQVINT hotStyle, TQVINT hotColour)
      : text_(text), base_(base), format_(base), hotStyle_(hotStyle), hotColour_(hotColour) {
    runs_ = tqvMakeList(64);
    fonts_ = tqvMakeList(8);
    accumulated_.reserve(2048);
  }

  tqvHandle run() {
    // The base format comes first; later changes wait for the next run (so changes with
    // nothing between them make one format run).
    emitFormat();
    while (pos_ < text_.size()) {
      char c = text_[pos_++];
      switch (c) {
        case '{':
          openBrace();
          break;
        case '}':
          closeBrace();
          break;
        case '\\':
          controlWord();
          break;
        case '\t':
        case '\0':
          break;
        default:
          accumulated_ += c;
          break;
      }
    }
    flush();
    if (changed_) emitFormat();  // a change of format at the very end still shows
    tqvHandle result = tqvTable(4);
    tqvPut(result, "TextRuns", runs_);
    tqvPut(result, "ListFonts", fonts_);
    return result;
  }

 private:
  struct Saved {
    Format format;
  };

  // Appends a run, after the kind-1 run of a pending change of format.
  void emit(const tqvHandle& run) {
    if (changed_) {
      changed_ = false;
      emitFormat();
    }
    tqvAddItem(runs_, run);
  }

  void emitFormat() {
    format_.fontIndex = fontIndex();
    tqvHandle run = tqvMakeList(5);
    tqvAddItem(run, tqvMakeInt(TQV_RUN_FORMAT));
    tqvAddItem(run, tqvMakeInt(format_.fontIndex));
    tqvAddItem(run, tqvMakeInt(format_.textColour));
    tqvAddItem(run, tqvMakeInt(format_.backColour));
    tqvAddItem(run, tqvMakeInt(format_.alignment));
    // Two format runs in a row: only the later one stands (the base one, first of all,
    // always stays).
    tqvListObject* runs = tqvAsList(runs_);
    TQVINT last = runs->count() - 1;
    if (last > 0 && tqvAsList(runs->itemAt(last)) != nullptr &&
        tqvNumberOf(tqvAsList(runs->itemAt(last))->itemAt(0), 0) == TQV_RUN_FORMAT) {
      runs->replace(last, run);
    } else {
      runs->append(run);
    }
  }

  // The index in the font list of the current name, size and style (added when new).
  TQVINT fontIndex() {
    tqvListObject* fonts = tqvAsList(fonts_);
    for (TQVINT i = 0; i < fonts->count(); ++i) {
      tqvFontObject* f = tqvAsFont(fonts->itemAt(i));
      if (f != nullptr && f->size() == format_.size && f->style() == format_.style &&
          tqvStringView(f->name()) == format_.fontName) {
        return i;
      }
    }
    fonts->append(tqvMakeFont(tqvMakeString(format_.fontName), format_.size, format_.style));
    return fonts->count() - 1;
  }

  void emitKind(TQVINT kind) { emit(tqvMakeInt(kind)); }

  static tqvHandle makeRun(TQVINT kind, const tqvHandle& a, const tqvHandle& b = tqvHandle()) {
    tqvHandle run = tqvMakeList(3);
    tqvAddItem(run, tqvMakeInt(kind));
    if (!a.isNil()) tqvAddItem(run, a);
    if (!b.isNil()) tqvAddItem(run, b);
    return run;
  }

  void emitKind(TQVINT kind, const tqvHandle& a, const tqvHandle& b = tqvHandle()) {
    emit(makeRun(kind, a, b));
  }

  // A hot spot's run follows its own (hot) format; the return to the base format waits
  // for the run after it.
  void emitHotSpot(TQVINT kind, const tqvHandle& label, const tqvHandle& target) {
    tqvAddItem(runs_, makeRun(kind, label, target));
  }

  // The accumulated text becomes a text run.
  void flush() {
    if (accumulated_.empty()) return;
    emitKind(TQV_RUN_TEXT, tqvMakeString(accumulated_));
    accumulated_.clear();
  }

  bool startsWith(std::string_view prefix) const {
    return text_.substr(pos_, prefix.size()) == prefix;
  }

  void openBrace() {
    flush();
    if (startsWith("\\bmc") || startsWith("\\img")) {
      imageReference();
      return;
    }
    stack_.push_back(Saved{format_});
  }

  void closeBrace() {
    if (hot_) {
      endHotSpot();
    } else if (struck_) {
      endStruck();
    } else {
      flush();
    }
    pop();
  }

  void pop() {
    if (stack_.empty()) return;  // more closing braces than opening ones
    Format restored = stack_.back().format;
    stack_.pop_back();
    bool same = restored.fontName == format_.fontName && restored.size == format_.size &&
                restored.style == format_.style && restored.textColour == format_.textColour &&
                restored.backColour == format_.backColour &&
                restored.alignment == format_.alignment;
    format_ = restored;
    if (!same) changed_ = true;
    if ((format_.style & kHotBit) == 0) hot_ = false;
  }

  // {\img name\} or {\bmc name\}: the read position is on the four characters before
  // the name.
  void imageReference() {
    pos_ += 4;
    size_t end = text_.find('\\', pos_);
    if (end == std::string_view::npos) end = text_.size();
    std::string_view name = text_.substr(pos_, end - pos_);
    while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
    while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
    pos_ = end;
    tqvHandle image = tqvMakeString(name);
    if (hot_) {
      imageLabel_ = image;
      imagePlaced_ = true;
    }
    emitKind(TQV_RUN_IMAGE, image);
    if (startsWith("\\}")) pos_ += 2;
  }

  // Reads the target after the "!" that follows a hot spot's group.
  tqvHandle readTarget() {
    size_t bang = text_.find('!', pos_);
    if (bang == std::string_view::npos) {
      pos_ = text_.size();
      return tqvHandle();
    }
    pos_ = bang + 1;
    if (startsWith("\\{")) {
      pos_ += 2;
      size_t end = text_.find('\\', pos_);
      if (end == std::string_view::npos) end = text_.size();
      tqvHandle target = tqvMakeString(text_.substr(pos_, end - pos_));
      pos_ = end;
      if (startsWith("\\}")) pos_ += 2;
      return target;
    }
    if (startsWith(" ")) {
      pos_ += 1;
      size_t end = text_.find(' ', pos_);
      if (end == std::string_view::npos) end = text_.size();
      tqvHandle target = tqvMakeString(text_.substr(pos_, end - pos_));
      pos_ = end;
      return target;
    }
    return tqvHandle();
  }

  // The end of a hot spot: \uldb0, or the closing brace of its group.
  void endHotSpot() {
    if (changed_) {
      changed_ = false;
      emitFormat();
    }
    hot_ = false;
    format_.style &= ~kHotBit;
    format_.textColour = base_.textColour;
    changed_ = true;
    bool placed = imagePlaced_;
    imagePlaced_ = false;
    if (accumulated_.empty() && !placed) return;
    std::string visible = accumulated_;
    accumulated_.clear();
    tqvHandle target = readTarget();
    if (visible.empty()) {
      emitHotSpot(TQV_RUN_HOT_IMAGE, imageLabel_, target);
    } else if (visible == "marker") {
      emitHotSpot(TQV_RUN_MARKER, tqvMakeString("MARKER"), target);
    } else if (struck_) {
      emitHotSpot(TQV_RUN_STRUCK_HOT_SPOT, tqvMakeString(visible), target);
      // The "!" and target lay beyond the struck group's closing brace: it ends too.
      struck_ = false;
      pop();
    } else {
      emitHotSpot(TQV_RUN_HOT_SPOT, tqvMakeString(visible), target);
    }
  }

  // The end of a group opened with \strike: its text is the struck run.
  void endStruck() {
    struck_ = false;
    if (!accumulated_.empty()) {
      emitKind(TQV_RUN_STRUCK, tqvMakeString(accumulated_));
      accumulated_.clear();
    }
    format_.textColour = base_.textColour;
    changed_ = true;
    if (startsWith("}")) {
      ++pos_;
      pop();
    }
  }

  void setStyle(TQVINT bit, bool on) {
    flush();
    TQVINT style = on ? format_.style | bit : format_.style & ~bit;
    if (style != format_.style) changed_ = true;
    format_.style = style;
    if ((format_.style & hotStyle_) != 0) {
      hot_ = true;
      format_.textColour = hotColour_;
    } else {
      format_.textColour = base_.textColour;
    }
  }

  // The number right after a control word (optionally negative); `present` tells whether
  // there was one. Long numbers saturate.
  TQVINT number(bool& present) {
    bool negative = pos_ < text_.size() && text_[pos_] == '-';
    size_t start = negative ? pos_ + 1 : pos_;
    size_t end = start;
    int64_t value = 0;
    while (end < text_.size() && text_[end] >= '0' && text_[end] <= '9') {
      if (value < INT32_MAX) value = value * 10 + (text_[end] - '0');
      ++end;
    }
    present = end > start;
    if (!present) return 0;
    pos_ = end;
    value = std::min<int64_t>(value, INT32_MAX);
    return static_cast<TQVINT>(negative ? -value : value);
  }

  void skipToDelimiter() {
    while (pos_ < text_.size() && !isDelimiter(text_[pos_])) ++pos_;
    if (pos_ < text_.size() && text_[pos_] == ' ') ++pos_;
  }

  void skipToClosingBrace() {
    size_t end = text_.find('}', pos_);
    pos_ = end == std::string_view::npos ? text_.size() : end;
  }

  void controlWord() {
    if (pos_ >= text_.size()) return;
    if (text_[pos_] == '\'') {
      ++pos_;
      // Inside a hot spot or struck text the character belongs to its visible text.
      bool inLabel = hot_ || struck_;
      if (!inLabel) flush();
      int high = pos_ < text_.size() ? hexValue(text_[pos_]) : -1;
      int low = pos_ + 1 < text_.size() ? hexValue(text_[pos_ + 1]) : -1;
      if (high < 0 || low < 0) {
        tqvError("Bad hex character while parsing rtf");
        pos_ = std::min(pos_ + 2, text_.size());
        return;
      }
      pos_ += 2;
      if (inLabel) {
        accumulated_ += static_cast<char>(16 * high + low);
      } else {
        emitKind(TQV_RUN_CHARACTER, tqvMakeInt(16 * high + low));
      }
      return;
    }
    size_t start = pos_;
    while (pos_ < text_.size() && isLetter(text_[pos_])) ++pos_;
    std::string_view word = text_.substr(start, pos_ - start);
    if (word.empty()) {
      // \{img name\} names an image as {\img name\} does.
      if (startsWith("{img") || startsWith("{bmc")) {
        flush();
        imageReference();
        return;
      }
      // An escaped symbol ("\{", "\\"...): the character itself is text.
      if (pos_ < text_.size()) accumulated_ += text_[pos_++];
      return;
    }
    bool present = false;
    TQVINT n = number(present);
    auto is = [&](std::string_view prefix) { return word.substr(0, prefix.size()) == prefix; };
    if (is("height") || is("width")) {
      skipToClosingBrace();
      return;
    }
    if (is("box")) {
      emitKind(TQV_RUN_BOX, tqvMakeInt(n));
    } else if (is("bu")) {
      accumulated_ += '\x95';
    } else if (is("b")) {
      setStyle(2, !present || n != 0);
    } else if (is("em")) {
      accumulated_ += '\x97';
    } else if (is("en")) {
      accumulated_ += '\x96';
    } else if (is("fs")) {
      flush();
      TQVINT size = n / 2;
      if (present && size > 0 && size != format_.size) {
        format_.size = size;
        changed_ = true;
      }
    } else if (is("fi")) {
      emitKind(TQV_RUN_FIRST_INDENT, tqvMakeInt(n));
    } else if (is("i")) {
      setStyle(1, !present || n != 0);
    } else if (is("ldb")) {
      accumulated_ += '\x93';
    } else if (is("lq")) {
      accumulated_ += '\x91';
    } else if (is("lin")) {
      // \line: ignored
    } else if (is("li")) {
      emitKind(TQV_RUN_LEFT_INDENT, tqvMakeInt(n));
    } else if (is("page")) {
      flush();
      emitKind(TQV_RUN_PAGE);
    } else if (is("pard")) {
      flush();
      emitKind(TQV_RUN_PLAIN_PARAGRAPH);
    } else if (is("pa")) {
      flush();
      emitKind(TQV_RUN_PARAGRAPH);
    } else if (is("pl")) {
      flush();
      if (format_.style != 0 || format_.textColour != base_.textColour) changed_ = true;
      format_.style = 0;
      format_.textColour = base_.textColour;
      hot_ = false;
    } else if (is("qc") || is("ql") || is("qr")) {
      flush();
      TQVINT alignment = word[1] == 'c' ? 1 : word[1] == 'r' ? 2 : 0;
      emitKind(alignment == 1 ? TQV_RUN_CENTRE : alignment == 2 ? TQV_RUN_RIGHT : TQV_RUN_LEFT);
      if (alignment != format_.alignment) changed_ = true;
      format_.alignment = alignment;
    } else if (is("rdb")) {
      accumulated_ += '\x94';
    } else if (is("rq")) {
      accumulated_ += '\x92';
    } else if (is("strike")) {
      flush();
      if ((format_.style & kHotBit) == 0 || format_.textColour != hotColour_) changed_ = true;
      format_.style |= kHotBit;
      format_.textColour = hotColour_;
      struck_ = true;
    } else if (is("tab")) {
      flush();
      emitKind(TQV_RUN_TAB);
    } else if (is("tqr")) {
      rightTab_ = true;
    } else if (is("tx")) {
      emitKind(rightTab_ ? TQV_RUN_RIGHT_TAB_STOP : TQV_RUN_TAB_STOP, tqvMakeInt(n));
      rightTab_ = false;
    } else if (is("uldb")) {
      if (present && n == 0) {
        if (hot_) endHotSpot();
      } else {
        flush();
        if ((format_.style & kHotBit) == 0) changed_ = true;
        format_.style |= kHotBit;
        format_.textColour = hotColour_;
        hot_ = true;
        imagePlaced_ = false;
      }
    } else if (is("ul")) {
      setStyle(4, !present || n != 0);
    }
    skipToDelimiter();
  }

  std::string_view text_;
  size_t pos_ = 0;
  Format base_;
  Format format_;
  TQVINT hotStyle_;
  TQVINT hotColour_;
  bool changed_ = false;
  bool hot_ = false;
  bool struck_ = false;
  bool rightTab_ = false;
  bool imagePlaced_ = false;
  tqvHandle imageLabel_;
  std::vector<Saved> stack_;
  std::string accumulated_;
  tqvHandle runs_;
  tqvHandle fonts_;
};

}  // namespace

tqvHandle tqvParseRTF(const tqvHandle& request) {
  tqvHandle type = tqvGet(request, "Type");
  if (!tqvEquals(type, "RTF")) {
    tqvError("Invalid parse type: " + tqvToStdString(type, false));
    return tqvHandle();
  }
  tqvHandle buffer = tqvGet(request, "Buffer");
  std::string_view text;
  if (!tqvBytesOf(buffer, text)) {
    tqvError("Bad buffer or string passed to parseRTF::init()");
    return tqvHandle();
  }
  Format base;
  base.fontName = "Times New Roman";
  tqvHandle fontValue = tqvGet(request, "Font");
  if (tqvFontObject* font = tqvAsFont(fontValue)) {
    if (font->name().is(TQV_STRING_TYPE)) {
      base.fontName = std::string(tqvStringView(font->name()));
    } else {
      tqvMessageBox("Warning: font problem", "", tqvPlatform::BoxKind::Warning);
    }
    if (font->size() > 0) base.size = font->size();
    base.style = font->style();
  } else if (!fontValue.isNil()) {
    tqvMessageBox("Warning: font problem", "", tqvPlatform::BoxKind::Warning);
  }
  base.alignment = tqvNumberOf(tqvGet(request, "Align"), 0);
  base.textColour = tqvNumberOf(tqvGet(request, "ForeColor"), 0);
  base.backColour = tqvNumberOf(tqvGet(request, "BackColor"), 0xFFFFFF);
  TQVINT hotStyle = tqvNumberOf(tqvGet(request, "HotStyle"), kHotBit);
  TQVINT hotColour = tqvNumberOf(tqvGet(request, "HotColor"), 0xA04010);
  return Parser(text, base, hotStyle, hotColour).run();
}
