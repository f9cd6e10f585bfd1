// Following the links that need no form of their own: markers and form files.
#include "controls/text_links.h"

#include <string>
#include <string_view>

#include "framework/forms.h"
#include "framework/perform.h"
#include "values/generic.h"
#include "values/string.h"

bool tqvFollowPlainLink(const tqvHandle& data) {
  if (!data.is(TQV_TABLE_TYPE)) return false;
  tqvHandle link = tqvGet(data, "HyperLink");
  if (!link.is(TQV_STRING_TYPE)) return false;
  std::string_view target = tqvStringView(link);
  if (target.size() > 1 && target.front() == '#') {
    tqvHandle view = tqvGet(data, "Control");
    if (view.is(TQV_CONTROL_TYPE)) {
      tqvPerform(view, "GotoMarker", tqvMakeString(target.substr(1)));
    }
    return true;
  }
  if (target.size() > 4 && target.substr(target.size() - 4) == ".frm") {
    tqvOpenFormByName(link, tqvHandle());
    return true;
  }
  return false;
}
