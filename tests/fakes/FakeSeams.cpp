#include "fakes/FakeSeams.h"
#include "commands/ProgramState.h"

#include "actions/Actions.h"
#include "core/Cursor.h"
#include "core/DocBuffers.h"
#include "core/Geometry.h"
#include "core/Globals.h"
#include "core/StatusBar.h"

#include <stdlib.h>

#include <filesystem>

namespace {

// Saves keep ledgers and rescue copies in the cache folder: the tests' go to
// a folder of their own, removed at the end, never to the user's.
struct TTestCache {
  std::string Folder = "/tmp/bq-test-cache-XXXXXX";
  TTestCache() { ::setenv("XDG_CACHE_HOME", ::mkdtemp(Folder.data()) ? Folder.c_str() : "/nonexistent", 1); }
  ~TTestCache() { std::filesystem::remove_all(Folder); }
} TestCache;

}  // namespace

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
