#include "core/MessageLayout.h"

#include <algorithm>

const char* const ApplicationTitle = "Brisquentalovard";

namespace {

constexpr TMsgDlgBtn ButtonOrder[] = {mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbHelp};

bool Shown(TMsgDlgButtons buttons, int b) { return b >= mbYes && b <= mbHelp && (buttons & Btn(TMsgDlgBtn(b))); }

}  // namespace

int32_t MulDivRound(int32_t a, int32_t b, int32_t c) {
  if (c == 0) return 0;
  int64_t p = int64_t(a) * b;
  int64_t d = c;
  if (d < 0) {
    p = -p;
    d = -d;
  }
  // Division truncates toward zero, so adding or subtracting half the divisor
  // first rounds halves away from zero on both sides.
  return int32_t((p >= 0 ? p + d / 2 : p - d / 2) / d);
}

TDialogUnits TDialogUnits::FromLetterExtent(int32_t width52, int32_t height) {
  return TDialogUnits{width52 / 52, height};
}

int32_t TDialogUnits::Horz(int32_t n) const { return MulDivRound(n, AvgCharWidth, 4); }
int32_t TDialogUnits::Vert(int32_t n) const { return MulDivRound(n, CharHeight, 8); }

TMessageMetrics MessageMetrics(const TDialogUnits& du, bool defaultVariant) {
  TMessageMetrics m;
  m.HorzMargin = du.Horz(8);
  m.VertMargin = du.Vert(8);
  m.HorzSpacing = du.Horz(10);
  m.VertSpacing = du.Vert(10);
  m.ButtonWidth = du.Horz(defaultVariant ? 62 : 50);
  m.ButtonHeight = du.Vert(defaultVariant ? 16 : 14);
  m.ButtonSpacing = du.Horz(defaultVariant ? 6 : 4);
  return m;
}

std::vector<TMsgDlgBtn> ShownButtons(TMsgDlgButtons buttons) {
  std::vector<TMsgDlgBtn> shown;
  for (TMsgDlgBtn b : ButtonOrder)
    if (Shown(buttons, b)) shown.push_back(b);
  return shown;
}

TMessageLayout LayoutMessage(const TMessageMetrics& m, int32_t textWidth, int32_t textHeight, bool hasIcon,
                             TMsgDlgButtons buttons) {
  TMessageLayout l;
  l.HasIcon = hasIcon;
  int32_t contentWidth = textWidth;
  int32_t contentHeight = textHeight;
  if (hasIcon) {
    contentWidth += MessageIconSize + m.HorzSpacing;
    contentHeight = std::max(contentHeight, MessageIconSize);
    l.Icon = TRectI{m.HorzMargin, m.VertMargin, MessageIconSize, MessageIconSize};
  }
  l.Text = TRectI{m.HorzMargin + contentWidth - textWidth, m.VertMargin, textWidth, textHeight};

  const std::vector<TMsgDlgBtn> shown = ShownButtons(buttons);
  const int32_t count = int32_t(shown.size());
  // Without buttons the row takes no room at all (the plain formula would
  // subtract one spacing and give a negative width).
  const int32_t rowWidth = count == 0 ? 0 : count * m.ButtonWidth + (count - 1) * m.ButtonSpacing;

  l.ClientWidth = std::max(contentWidth, rowWidth) + 2 * m.HorzMargin;
  l.ClientHeight = contentHeight + m.VertSpacing + m.ButtonHeight + 2 * m.VertMargin;

  int32_t x = (l.ClientWidth - rowWidth) / 2;
  const int32_t y = m.VertMargin + contentHeight + m.VertSpacing;
  for (TMsgDlgBtn b : shown) {
    l.Buttons.push_back({b, TRectI{x, y, m.ButtonWidth, m.ButtonHeight}});
    x += m.ButtonWidth + m.ButtonSpacing;
  }
  return l;
}

int DefaultButtonOf(TMsgDlgButtons buttons, int requestedDefault) {
  if (requestedDefault != NoDefaultButton && Shown(buttons, requestedDefault)) return requestedDefault;
  for (TMsgDlgBtn b : {mbOK, mbYes, mbRetry})
    if (Shown(buttons, b)) return b;
  return NoDefaultButton;
}

int CancelButtonOf(TMsgDlgButtons buttons) {
  for (TMsgDlgBtn b : {mbCancel, mbNo, mbOK})
    if (Shown(buttons, b)) return b;
  return NoDefaultButton;
}

bool MessageHasIcon(TMsgDlgType type) { return type != TMsgDlgType::Custom; }

std::string MessageCaption(TMsgDlgType type) {
  const bool de = German();
  switch (type) {
    case TMsgDlgType::Warning: return de ? "Warnung" : "Warning";
    case TMsgDlgType::Error: return de ? "Fehler" : "Error";
    case TMsgDlgType::Information: return "Information";
    case TMsgDlgType::Confirmation: return de ? "Bestätigung" : "Confirmation";
    case TMsgDlgType::Custom: break;
  }
  return ApplicationTitle;
}

std::string MessageButtonCaption(TMsgDlgBtn button) {
  const bool de = German();
  switch (button) {
    case mbYes: return de ? "&Ja" : "&Yes";
    case mbNo: return de ? "&Nein" : "&No";
    case mbOK: return "OK";
    case mbCancel: return de ? "Abbruch" : "Cancel";
    case mbAbort: return de ? "Abbruch" : "Abort";
    case mbRetry: return de ? "&Wiederholen" : "&Retry";
    case mbIgnore: return de ? "&Ignorieren" : "&Ignore";
    case mbAll: return de ? "&Alle" : "&All";
    case mbHelp: return de ? "&Hilfe" : "&Help";
  }
  return {};
}

int MessageButtonResult(TMsgDlgBtn button) {
  switch (button) {
    case mbYes: return mrYes;
    case mbNo: return mrNo;
    case mbOK: return mrOk;
    case mbCancel: return mrCancel;
    case mbAbort: return mrAbort;
    case mbRetry: return mrRetry;
    case mbIgnore: return mrIgnore;
    case mbAll: return mrAll;
    case mbHelp: break;
  }
  return mrNone;
}

std::string MessageTextWithNewlines(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      out += '\n';
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}
