#include "commands/InspectorCommands.h"

#include <memory>

#include "actions/Actions.h"
#include "actions/EditAction.h"
#include "commands/UiState.h"
#include "core/Cursor.h"
#include "core/CursorState.h"
#include "core/DocState.h"
#include "core/EnvState.h"
#include "core/GridState.h"
#include "core/Helpers.h"
#include "core/OptionsState.h"
#include "core/Seams.h"

TInspectFormat InspectorFormat() {
  TInspectFormat f;
  f.BigEndian = Options.InspectorBigEndian;
  f.Hex = Grid.Hex;
  f.German = German();
  f.DecimalSeparator = Env.DecimalSeparator.size() == 1 ? Env.DecimalSeparator[0] : '.';
  return f;
}

namespace {

// The cursor's byte and how many follow it, the cursor's own included.
int64_t BytesFromCursor(int32_t& offset) {
  offset = CursorOffset();
  if (!Doc.DocData || offset < 0 || offset >= Doc.DocSize) return 0;
  return int64_t(Doc.DocSize) - offset;
}

}  // namespace

std::vector<TInspectorRow> InspectorRows() {
  const TInspectFormat f = InspectorFormat();
  int32_t offset = 0;
  const int64_t available = BytesFromCursor(offset);
  const uint8_t* bytes = available > 0 ? Doc.DocData + offset : nullptr;
  std::vector<TInspectorRow> rows;
  rows.reserve(size_t(TInspectType::Count));
  for (int t = 0; t < int(TInspectType::Count); ++t) {
    const auto type = TInspectType(t);
    rows.push_back({type, InspectTypeName(type, f.German), InspectValue(type, bytes, available, f)});
  }
  return rows;
}

bool InspectorWrite(TInspectType type, const std::string& text) {
  const std::optional<std::vector<uint8_t>> bytes = InspectParse(type, text, InspectorFormat());
  if (!bytes || bytes->empty()) {
    Beep(TBeepReason::InvalidValue);
    return false;
  }
  int32_t offset = 0;
  const int64_t available = BytesFromCursor(offset);
  if (int64_t(bytes->size()) > available) {
    Beep(TBeepReason::EndOfDocument);
    return false;
  }
  // In the order of the bytes: an undo, which goes back from the newest,
  // then ends on the first byte, where the value was read.
  const bool inChars = InCharArea(Cursor.CursorCol);
  const int32_t group = NextActionGroup();
  for (size_t i = 0; i < bytes->size(); ++i)
    if (!ActionList().AddAction(
            std::make_unique<TEditAction>(akChangeValue, group, offset + int32_t(i), inChars, (*bytes)[i]), false))
      break;
  ActionList().UpdateView();
  GotoOffset(offset, inChars, false);
  UpdateMenus();
  View().CursorMoved();
  return true;
}

void DataInspectorMenuItemClick() {
  Options.InspectorOpen = !Options.InspectorOpen;
  View().ShowInspector(Options.InspectorOpen);
  UpdateMenus();
}

void SetInspectorBigEndian(bool bigEndian) {
  Options.InspectorBigEndian = bigEndian;
  View().CursorMoved();
}
