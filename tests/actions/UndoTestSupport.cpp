#include "actions/UndoTestSupport.h"

#include <algorithm>
#include <cstring>

#include "actions/Actions.h"
#include "commands/ProgramState.h"
#include "core/Cursor.h"
#include "core/DocBuffers.h"
#include "core/DocState.h"
#include "core/Geometry.h"

namespace undo_test {

int THostLog::MessageDialog(const std::string& text, TMsgDlgType type, TMsgDlgButtons, int, int) {
  Messages.push_back(text);
  MessageTypes.push_back(type);
  return mrOk;
}

void TViewLog::RequestLayout() {
  Events.push_back("layout");
  ComputeGeometry(8, 15);
  ApplyLayout(RowsShown);
}

int TViewLog::Count(const std::string& event) const { return int(std::count(Events.begin(), Events.end(), event)); }

void TUndoTest::SetUp() {
  ResetProgramState();
  SetSeams(&Host, &View);
  View.RequestLayout();
  View.Events.clear();
}

void TUndoTest::TearDown() { ResetProgramState(); }

void TUndoTest::Load(const std::vector<uint8_t>& bytes, const std::vector<uint8_t>& marks) {
  ActionList().Forget();
  const int64_t n = int64_t(bytes.size());
  ResizeDocData(0);
  ResizeDocData(n);
  FreshDocMarks(n);
  Doc.DocSize = int32_t(n);
  if (n > 0) std::memcpy(Doc.DocData, bytes.data(), bytes.size());
  if (!marks.empty()) std::memcpy(Doc.DocMarks, marks.data(), std::min(marks.size(), bytes.size()));
  Doc.DataChangeCount = 0;
  View.RequestLayout();
  MoveCursor(0, 0, false);
  View.Events.clear();
}

std::vector<uint8_t> TUndoTest::Data() const {
  return Doc.DocSize > 0 ? std::vector<uint8_t>(Doc.DocData, Doc.DocData + Doc.DocSize) : std::vector<uint8_t>{};
}

std::vector<uint8_t> TUndoTest::Marks() const {
  return Doc.DocSize > 0 ? std::vector<uint8_t>(Doc.DocMarks, Doc.DocMarks + Doc.DocSize) : std::vector<uint8_t>{};
}

void TUndoTest::CursorAt(int32_t offset, bool inChars) {
  GotoOffset(offset, inChars, false);
  View.Events.clear();
}

}  // namespace undo_test
