#include "fakes/FakeSeams.h"
#include "commands/ProgramState.h"

#include "actions/Actions.h"
#include "core/Cursor.h"
#include "core/DocBuffers.h"
#include "core/Geometry.h"
#include "core/Globals.h"
#include "core/StatusBar.h"

void TFakeView::RequestLayout() {
  ++Layouts;
  ComputeGeometry(8, 15);
  ApplyLayout(RowsShown);
}

void TFakeView::CursorMoved() {
  ++CursorMoves;
  UpdateStatusBar();
}

TSeamFixture::TSeamFixture() {
  ResetProgramState();
  SetSeams(&Host, &View);
  View.RequestLayout();
  View.Layouts = 0;
}

TSeamFixture::~TSeamFixture() { ResetProgramState(); }
