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
  // The lists' controls in the order they are laid out: the "All" list, its
  // boxes and button under it, then the "Filtered" list.
  ChainTabOrder(grid + QList<QWidget*>{Edit1, Button2, Button3, Button5, Button4, Button1, ListBox3,
                                       ListBox1, CheckBox4, CheckBox2, CheckBox3, Button6, ListBox2});
}

// Controls whose caption does not say what they are; the card buttons say
// their card in words, to a screen reader and under the pointer alike.
void TForm1::NameForReaders() {
  for (int i = 0; i <= kLastCardButton; ++i) {
    cardButtons_[i]->setAccessibleName(GridButtonWords(i));
    cardButtons_[i]->setToolTip(GridButtonTip(i));
  }
  Edit1->setAccessibleName(tr("Task"));
  ListBox3->setAccessibleName(tr("Filter summary"));
  ListBox1->setAccessibleName(tr("All results"));
  ListBox2->setAccessibleName(tr("Filtered results"));
  // "all" and "filtered" mean something only beside "Autosave:".
  CheckBox2->setAccessibleName(tr("Autosave all results"));
  CheckBox3->setAccessibleName(tr("Autosave filtered results"));
  CheckBox2->setToolTip(tr("While a run or a step goes on, append every result to results.log"));
  CheckBox3->setToolTip(tr("While a run or a step goes on, append the results that pass the filter "
                           "to resultsf.log"));
  CheckBox4->setToolTip(tr("Empty both lists and start counting again when RN passes this number "
                           "(Options)"));
}

// Under the pointer: what the button adds to the task.
QString TForm1::GridButtonTip(int index) {
  if (index == kGapButton) return tr("gap: any number of cards the task does not name");
  if (index == 50) return tr("any card");
  return GridButtonWords(index);
}

}  // namespace zlc::ui
