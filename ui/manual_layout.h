// The manual's document laid out for reading in a window of any width: room
// between paragraphs and before headings, code that wraps, pictures no wider
// than the view.
#pragma once

class QTextDocument;

namespace zlc::ui {

// Spaces the blocks by the document's own line height (the markdown reader
// spaces them by the font's point size, which a font set in pixels has not)
// and lets code lines wrap. Done once per loaded document.
void LayOutForReading(QTextDocument* doc);

// Shows every picture at its own size, or scaled down with its proportions
// to `width` where it is wider. Called again whenever the view's width changes.
void FitPictures(QTextDocument* doc, double width);

}  // namespace zlc::ui
