#include "core/Seams.h"

namespace {

class NullHost : public IHost {
 public:
  int MessageDialog(const std::string&, TMsgDlgType, TMsgDlgButtons, int, int) override { return mrCancel; }
  bool ExecuteFileDialog(TFileDialog&, bool) override { return false; }
  void Beep() override {}
};

class NullView : public IView {
 public:
  void RequestLayout() override {}
  void InvalidateDataBox() override {}
  void InvalidateMainPanel() override {}
  void UpdateDataBoxRect(int32_t, int32_t, int32_t, int32_t) override {}
  void FlushPaint() override {}
  void ScrollDataBox(int32_t) override {}
  void ScrollBarChanged() override {}
  void SetCaption(const std::string&) override {}
  void RestartCursorTimer() override {}
  void ApplyMenuState(const TMenuState&) override {}
  void SetStatusPanel(int, const std::string&) override {}
};

NullHost nullHost;
NullView nullView;
IHost* currentHost = &nullHost;
IView* currentView = &nullView;

}  // namespace

IHost& Host() { return *currentHost; }
IView& View() { return *currentView; }

void SetSeams(IHost* host, IView* view) {
  currentHost = host ? host : &nullHost;
  currentView = view ? view : &nullView;
}

int ShowMessageDialog(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext) {
  return Host().MessageDialog(text, type, buttons, helpContext, NoDefaultButton);
}

int ShowDefaultMessageDialog(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons,
                             int helpContext, TMsgDlgBtn defaultButton) {
  return Host().MessageDialog(text, type, buttons, helpContext, defaultButton);
}
