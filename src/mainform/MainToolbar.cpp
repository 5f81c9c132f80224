// The toolbar below the menu bar and the Help menu. Most buttons repeat a
// menu command by triggering its item, so they follow the item's command
// wherever it is defined; a button whose item does not exist stays disabled.
// The calculator and character-table buttons are the toolbar's own.
#include <QMenu>

#include "commands/CommandGuard.h"
#include "commands/HelpCommands.h"
#include "controls/ModernSpeedButton.h"
#include "core/Toolbar.h"
#include "dialogs/AboutForm.h"
#include "dialogs/MessageForm.h"
#include "mainform/MainForm.h"
#include "mainform/SpeedPanel.h"
#include "mainform/ToolbarGlyphs.h"

void TQorinEditorMainForm::CreateSpeedPanel(QWidget* parent) {
  auto* panel = new TSpeedPanel(parent);
  panel->setObjectName("SpeedPanel");
  panel->setGeometry(0, 0, 0, SpeedPanelHeight);
  panel->OnResize = [this] { SpeedPanelResize(); };
  FSpeedPanel = panel;
}

void TQorinEditorMainForm::CreateSpeedButtons() {
  for (const TToolButton& b : ToolButtons) {
    auto* button = new TModernSpeedButton(FSpeedPanel);
    button->setObjectName(b.Name);
    button->resize(b.Width, b.Height);
    const TGlyph glyph = ToolbarGlyph(b.Name, devicePixelRatioF());
    button->SetGlyph(glyph.Strip, glyph.Count);
    FSpeedButtons[b.Name] = button;

    // The central refresh enables the button through this action, by name.
    auto* action = new QAction(this);
    action->setObjectName(b.Name);
    FByName[b.Name] = action;
    const std::string name = b.Name;
    const char* menuItem = b.MenuItem;
    const auto sync = [this, button, action, menuItem] {
      button->setEnabled(action->isEnabled() && (!menuItem || Item(menuItem)));
    };
    connect(action, &QAction::changed, button, sync);
    sync();
    connect(button, &QAbstractButton::clicked, action, &QAction::trigger);
    connect(action, &QAction::triggered, this, [this, name, menuItem] {
      if (!menuItem) {
        RunCommand(name == "CalcSB" ? CalcSBClick : TabSBClick);
        return;
      }
      if (QAction* item = Item(menuItem); item && item->isEnabled()) item->trigger();
    });
  }
  SpeedPanelResize();
}

TModernSpeedButton* TQorinEditorMainForm::SpeedButton(const std::string& name) const {
  const auto it = FSpeedButtons.find(name);
  return it == FSpeedButtons.end() ? nullptr : it->second;
}

void TQorinEditorMainForm::SpeedPanelResize() {
  for (const TToolButton& b : ToolButtons)
    if (TModernSpeedButton* button = SpeedButton(b.Name)) {
      const TToolButtonPlace place = ToolButtonPlace(FSpeedPanel->width(), FSpeedPanel->height(), b);
      button->setGeometry(place.Left, place.Top, b.Width, b.Height);
    }
}

void TQorinEditorMainForm::CreateHelpMenu() {
  QMenu* help = AddMenu(nullptr, "HelpMainMenuItem", "&Help", "&Hilfe");
  AddItem(help, "HilfeInhaltMenuItem", "&Contents", "&Inhalt", QKeySequence(Qt::Key_F1), HilfeInhaltMenuItemClick);
  help->addSeparator();
  AddItem(help, "Info2", "In&fo...", "In&fo...", QKeySequence(), [this] { ShowAboutForm(this); });
  // The Help button of the message dialogs; the program gives no dialog a
  // topic of its own, so they open the contents.
  SetMessageFormHelpHandler([](int context) { ShowHelpTopic(context > 0 ? context : HelpContentsContext); });
}
