// What a screen reader learns of the windows' own painted controls: the
// result lists' lines and the hexagram table's cells, through the toolkit's
// accessibility interfaces.
#pragma once

#include <cstddef>

class QAccessibleInterface;
class QObject;

namespace zlc::ui {

class LineListView;
class TForm3;

// Registers the interfaces with the toolkit; once is enough, more is harmless.
void InstallAccessibility();

// Tell a screen reader that a list's current line, or its lines, changed.
void AnnounceCurrentLine(LineListView* view);
void AnnounceLinesChanged(LineListView* view);
// Tell it that the hexagram table's keyboard cell moved to `column`, `row`.
void AnnounceHexagramCell(TForm3* table, int column, int row);

// The interfaces themselves (accessible_lines.cpp, accessible_hex_table.cpp).
QAccessibleInterface* MakeLineListInterface(LineListView* view);
QAccessibleInterface* MakeHexTableInterface(TForm3* table, QObject* paintBox);

}  // namespace zlc::ui
