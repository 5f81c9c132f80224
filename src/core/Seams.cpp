#include "core/Seams.h"

namespace {

TNullHost nullHost;
TNullView nullView;
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

int ShowDefaultMessageDialog(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext,
                             TMsgDlgBtn defaultButton) {
  return Host().MessageDialog(text, type, buttons, helpContext, defaultButton);
}
