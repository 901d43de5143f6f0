// The main window for people without a mouse or a screen: the order of the
// focus, the arrows in the card grid, and names for a screen reader.
#include "ui/arrow_focus.h"
#include "ui/card_words.h"
#include "ui/line_list.h"
#include "ui/unit1.h"

namespace zlc::ui {

// Tab runs through the grid row by row as laid out, the task field and its
// buttons, the filter summary, the lists and their buttons; the arrows walk
// the grid.
void TForm1::ChainFocus() {
  QList<QWidget*> grid;
  for (int s = 0; s < kSuitCount; ++s) {
    for (int r = 0; r < kRankCount; ++r) grid << cardButtons_[1 + 4 * r + s];
    grid << cardButtons_[46 + s];
  }
  for (int r = 0; r < kRankCount; ++r) grid << cardButtons_[37 + r];
  grid << cardButtons_[50] << cardButtons_[kGapButton];
  WalkWithArrows(this, grid);
  ChainTabOrder(grid + QList<QWidget*>{Edit1, Button2, Button3, Button5, Button4, Button1, ListBox3,
                                       ListBox1, ListBox2, CheckBox4, CheckBox2, CheckBox3, Button6});
}

// Controls whose caption does not say what they are; the card buttons say
// their card in words.
void TForm1::NameForReaders() {
  for (int i = 0; i <= kLastCardButton; ++i) cardButtons_[i]->setAccessibleName(GridButtonWords(i));
  Edit1->setAccessibleName(tr("Task"));
  ListBox3->setAccessibleName(tr("Filter summary"));
  ListBox1->setAccessibleName(tr("All results"));
  ListBox2->setAccessibleName(tr("Filtered results"));
}

}  // namespace zlc::ui
