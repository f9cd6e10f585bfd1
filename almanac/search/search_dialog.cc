// The search dialog.
#include "almanac/search/search_dialog.h"

#include <algorithm>
#include <map>

#include "almanac/catalogue/content_catalogue.h"
#include "almanac/catalogue/screens.h"
#include "framework/events.h"
#include "framework/forms.h"
#include "framework/perform.h"
#include "values/convert.h"
#include "values/cp1252.h"
#include "values/generic.h"
#include "values/list.h"
#include "values/string.h"
#include "values/table.h"

namespace {

tqvHandle S(std::string_view text) {
  return tqvMakeString(text);
}

// The name catalogue of a section, or nullptr.
const char* nameCatalogue(TQVINT section) {
  switch (section) {
    case LX_SECTION_ENTRIES:
      return "VDB_NAMELIST";
    case LX_SECTION_MEDIA:
      return "MDB_NAMELIST";
    case LX_SECTION_ATLAS:
      return "DBL_NAMELIST";
    default:
      return nullptr;
  }
}

// Whether a key is waiting: the search stops and shows what it found so far.
int32_t keyPressed() {
  return tqvPeekEvent(TQV_KEY_DOWN_EVENT, 0).type == TQV_KEY_DOWN_EVENT ? 1 : 0;
}

// The section check boxes of the advanced area and their sections.
constexpr struct {
  const char* box;
  TQVINT section;
} kSectionBoxes[] = {
    {"Verbetes", LX_SECTION_ENTRIES}, {"Midias", LX_SECTION_MEDIA}, {"Atlas", LX_SECTION_ATLAS}};

}  // namespace

void lxResultLines(const lxReferenceList& found, std::vector<int32_t>& references,
                   std::vector<std::string>& lines) {
  struct Line {
    std::string name;
    std::string text;
    int32_t reference;
  };
  std::vector<Line> all;
  std::map<TQVINT, tqvHandle> nameLists;  // each section's opened once for all its lines
  for (int32_t reference : found) {
    TQVINT section = lxSectionOf(reference);
    const char* sectionName = lxSectionName(section);
    const char* catalogue = nameCatalogue(section);
    if (sectionName == nullptr || catalogue == nullptr) continue;
    auto [list, added] = nameLists.try_emplace(section);
    if (added) list->second = lxCatalogue().openCatalogue(catalogue);
    const tqvHandle& index = list->second;
    tqvHandle name =
        index.isNil() ? tqvHandle() : tqvGet(index, S(std::to_string(reference & 0xFFFF)));
    if (!name.is(TQV_STRING_TYPE)) continue;  // an item the disc does not name
    std::string item(tqvStringView(name));
    all.push_back({item, tqvUtf8ToCp1252(sectionName) + ": " + item, reference});
  }
  std::stable_sort(all.begin(), all.end(),
                   [](const Line& a, const Line& b) { return a.name < b.name; });
  references.clear();
  lines.clear();
  for (const Line& line : all) {
    references.push_back(line.reference);
    lines.push_back(line.text);
  }
}

std::string lxResultCountText(size_t n) {
  if (n == 0) return "Nenhum item encontrado";
  if (n == 1) return "1 item encontrados";
  return std::to_string(n) + " itens encontrados";
}

tqvHandle BuscaDialog::makeInstance(const tqvHandle& definition) {
  return tqvWrapForm(new BuscaDialog(definition));
}

tqvHandle BuscaDialog::control(const char* utf8Name) {
  return findControlNamed(tqvUtf8ToCp1252(utf8Name));
}

void BuscaDialog::open(const tqvHandle& data) {
  previous_ = data.is(TQV_TABLE_TYPE) ? data : tqvHandle();
  index_ = std::make_unique<lxWordIndex>();
  tqvStandardDialog::open(data);
}

void BuscaDialog::close() {
  tqvStandardDialog::close();
  index_.reset();
}

void BuscaDialog::afterOpen() {
  tqvStandardDialog::afterOpen();
  showAdvanced(false);
  TQVINT mask = LX_ALL_SECTIONS;
  if (!previous_.isNil()) {
    mask = tqvNumberOf(tqvGet(previous_, "FilterMask"), LX_ALL_SECTIONS);
    tqvHandle searched = tqvGet(previous_, "SearchedText");
    if (searched.is(TQV_STRING_TYPE)) {
      tqvHandle field = control("What2Find");
      if (!field.isNil()) tqvPerform(field, "setText", searched);
    }
  }
  setMask(mask);
  tqvHandle limpar = control("Limpar");
  if (!limpar.isNil()) tqvPerform(limpar, "Disabled", TQV_TRUE);
  tqvHandle ok = control("Ok");
  if (!ok.isNil()) tqvPerform(ok, "Disabled", TQV_TRUE);
  if (!previous_.isNil()) search();
}

void BuscaDialog::setMask(TQVINT mask) {
  mask_ = mask & LX_ALL_SECTIONS;
  for (const auto& b : kSectionBoxes) {
    tqvHandle box = control(b.box);
    if (!box.isNil()) {
      tqvPerform(box, "Select", (mask_ & (1 << (b.section - 1))) != 0 ? TQV_TRUE : TQV_FALSE);
    }
  }
  tqvHandle all = control("Todas");
  if (!all.isNil()) tqvPerform(all, "Select", mask_ == LX_ALL_SECTIONS ? TQV_TRUE : TQV_FALSE);
}

void BuscaDialog::showAdvanced(bool shown) {
  for (const char* name : {"AvançadoGroup", "AvançadoBK", "Verbetes", "Midias", "Atlas", "Todas"}) {
    tqvHandle c = control(name);
    if (!c.isNil()) tqvPerform(c, "Hidden", shown ? TQV_FALSE : TQV_TRUE);
  }
  tqvHandle close = control("AvançadoFechar");
  if (!close.isNil()) tqvPerform(close, "Hidden", shown ? TQV_FALSE : TQV_TRUE);
  tqvHandle open = control("AvançadoAbrir");
  if (!open.isNil()) tqvPerform(open, "Disabled", shown ? TQV_TRUE : TQV_FALSE);
}

void BuscaDialog::search() {
  tqvHandle field = control("What2Find");
  tqvHandle text = field.isNil() ? tqvHandle() : tqvPerform(field, "getText", tqvHandle());
  query_ = text.is(TQV_STRING_TYPE) ? std::string(tqvStringView(text)) : "";
  if (!index_) index_ = std::make_unique<lxWordIndex>();
  lxSearchResult result = lxSearch(*index_, lxParseQuery(query_), mask_, keyPressed);
  interrupted_ = result.interrupted;
  lxResultLines(result.references, references_, lines_);
  showResults();
}

void BuscaDialog::showResults() {
  tqvHandle list = control("ResultsListBox");
  if (!list.isNil()) {
    tqvHandle items = tqvMakeList(static_cast<TQVINT>(lines_.size()));
    for (const std::string& line : lines_) tqvAddItem(items, S(line));
    tqvPerform(list, "setList", items);
    tqvPerform(list, "setSelection", tqvMakeInt(lines_.empty() ? -1 : 0));
  }
  tqvHandle count = control("ResultCountText");
  if (!count.isNil()) tqvPerform(count, "SetText", S(lxResultCountText(lines_.size())));
  tqvHandle ok = control("Ok");
  if (!ok.isNil()) tqvPerform(ok, "Disabled", lines_.empty() ? TQV_TRUE : TQV_FALSE);
  tqvHandle limpar = control("Limpar");
  bool nothing = lines_.empty() && mask_ == LX_ALL_SECTIONS;
  if (!limpar.isNil()) tqvPerform(limpar, "Disabled", nothing ? TQV_TRUE : TQV_FALSE);
}

void BuscaDialog::choose() {
  tqvHandle list = control("ResultsListBox");
  TQVINT selected =
      list.isNil() ? -1 : tqvNumberOf(tqvPerform(list, "getSelection", tqvHandle()), -1);
  if (selected < 0 || selected >= static_cast<TQVINT>(references_.size())) return;
  int32_t chosen = references_[selected];
  tqvHandle browse = tqvMakeIntList(4);
  TQVINT position = 0;
  for (int32_t reference : references_) {
    if (lxSectionOf(reference) != lxSectionOf(chosen)) continue;
    if (reference == chosen) position = tqvCount(browse);
    tqvAsList(browse)->appendInt(reference);
  }
  tqvHandle result = tqvTable(8);
  tqvPut(result, "Text", S(lines_[selected]));
  tqvPut(result, "BrowseList", browse);
  tqvPut(result, "Index", tqvMakeInt(position));
  tqvPut(result, "SearchedText", S(query_));
  tqvPut(result, "FilterMask", tqvMakeInt(mask_));
  setResult(result);
  end();
}

tqvHandle BuscaDialog::perform(const tqvHandle& action, const tqvHandle& data) {
  std::string name(tqvStringView(action));
  if (name == "Procurar" || name == "What2Find") {
    search();
  } else if (name == "Ok" || name == "dblClicked") {
    choose();
  } else if (name == "Limpar") {
    tqvHandle field = control("What2Find");
    if (!field.isNil()) tqvPerform(field, "ClearText", tqvHandle());
    references_.clear();
    lines_.clear();
    query_.clear();
    showResults();
    tqvHandle count = control("ResultCountText");
    if (!count.isNil()) tqvPerform(count, "ClearText", tqvHandle());
    tqvHandle limpar = control("Limpar");
    if (!limpar.isNil()) tqvPerform(limpar, "Disabled", TQV_TRUE);
  } else if (name == tqvUtf8ToCp1252("AvançadoAbrir")) {
    showAdvanced(true);
  } else if (name == tqvUtf8ToCp1252("AvançadoFechar")) {
    showAdvanced(false);
  } else if (name == "Todas") {
    setMask(LX_ALL_SECTIONS);
  } else if (name == "Verbetes" || name == "Midias" || name == "Atlas") {
    TQVINT mask = 0;
    for (const auto& b : kSectionBoxes) {
      tqvHandle box = control(b.box);
      if (!box.isNil() && tqvFlagOf(tqvPerform(box, "IsSelected", tqvHandle()), false)) {
        mask |= 1 << (b.section - 1);
      }
    }
    setMask(mask);
  } else if (name == "Salvar") {
    tqvHandle identifiers = tqvMakeIntList(static_cast<TQVINT>(references_.size()));
    // An itinerary lists entries: a medium's or a map's identifier would name some entry.
    for (int32_t reference : references_) {
      if (lxSectionOf(reference) == LX_SECTION_ENTRIES) {
        tqvAsList(identifiers)->appendInt(reference & 0xFFFF);
      }
    }
    tqvHandle parameters = tqvTable(4);
    tqvPut(parameters, "NewRoteiro", identifiers);
    if (lxScreenOnDisc("VBCRDialog")) tqvRunDialog(S("VBCRDialog"), parameters);
  } else if (name == "Cancelar" || name == "Fechar" || name == "Fechar1") {
    end();
  } else {
    return tqvStandardDialog::perform(action, data);
  }
  return tqvHandle();
}
