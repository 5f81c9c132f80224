// The rules of the message dialog that need no window: its sizes in dialog
// units, where icon, text and buttons stand, which button Enter and Escape
// press, and every caption in both languages. The Qt form only measures the
// font and the text and then places its widgets where these functions say.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/OptionsState.h"
#include "core/Seams.h"

// The application title, used as the caption of a Custom message.
extern const char* const ApplicationTitle;

// Dialog units of one font. A horizontal unit is a quarter of the average
// character width, a vertical unit an eighth of the character height.
struct TDialogUnits {
  int32_t AvgCharWidth = 0;
  int32_t CharHeight = 0;

  // From the measured extent of the 52 letters "A".."Z", "a".."z" in a row;
  // the average width is truncated, as the platform's own measuring does.
  static TDialogUnits FromLetterExtent(int32_t width52, int32_t height);

  int32_t Horz(int32_t n) const;
  int32_t Vert(int32_t n) const;
};

// a * b / c rounded to the nearest integer, halves away from zero (0 when c is 0).
int32_t MulDivRound(int32_t a, int32_t b, int32_t c);

// The fixed sizes of the dialog in pixels. The variant with a chosen default
// button has bigger buttons further apart.
struct TMessageMetrics {
  int32_t HorzMargin = 0;
  int32_t VertMargin = 0;
  int32_t HorzSpacing = 0;
  int32_t VertSpacing = 0;
  int32_t ButtonWidth = 0;
  int32_t ButtonHeight = 0;
  int32_t ButtonSpacing = 0;
};
TMessageMetrics MessageMetrics(const TDialogUnits& du, bool defaultVariant);

constexpr int32_t MessageIconSize = 32;

struct TRectI {
  int32_t Left = 0, Top = 0, Width = 0, Height = 0;
};

struct TMessageButtonPlace {
  TMsgDlgBtn Button;
  TRectI Bounds;
};

struct TMessageLayout {
  int32_t ClientWidth = 0;
  int32_t ClientHeight = 0;
  bool HasIcon = false;
  TRectI Icon;
  TRectI Text;
  std::vector<TMessageButtonPlace> Buttons;  // left to right
};

// Places everything for a text block of the given measured size.
TMessageLayout LayoutMessage(const TMessageMetrics& m, int32_t textWidth, int32_t textHeight, bool hasIcon,
                             TMsgDlgButtons buttons);

// The shown buttons in their fixed order Yes, No, OK, Cancel, Abort, Retry,
// Ignore, All, Help.
std::vector<TMsgDlgBtn> ShownButtons(TMsgDlgButtons buttons);

// The button Enter presses: the requested one when it is shown, otherwise
// OK, Yes or Retry, the first of them that is shown; NoDefaultButton if none.
int DefaultButtonOf(TMsgDlgButtons buttons, int requestedDefault);

// The button Escape presses: Cancel, No or OK, the first that is shown;
// NoDefaultButton if none of them is.
int CancelButtonOf(TMsgDlgButtons buttons);

bool MessageHasIcon(TMsgDlgType type);

// Texts of the current language (German when Options.Language is 7).
std::string MessageCaption(TMsgDlgType type);
std::string MessageButtonCaption(TMsgDlgBtn button);

// The modal result of a button; mrNone for Help, which only shows help.
int MessageButtonResult(TMsgDlgBtn button);

// Line breaks of the program's messages are CR characters (CR LF and a lone
// LF count as one break too); this gives the text with "\n" breaks only.
std::string MessageTextWithNewlines(const std::string& text);
